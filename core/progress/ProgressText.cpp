#include "ProgressText.h"

#include <QCoreApplication>

#include <climits>
#include <cmath>

namespace Quill {
namespace UI {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("Quill::UI::ProgressWidget", text);
}
} // namespace

int ProgressText::remainingSeconds(int progress, int maximum, qint64 elapsedSeconds)
{
    if (progress <= 0)
        return -1;
    // Single precision, as the estimate has always been computed; the
    // difference is taken in 64 bits so that extreme maxima cannot overflow.
    const float ratio = float(qint64(maximum) - qint64(progress)) / float(progress);
    const float remaining = float(elapsedSeconds) * ratio + 0.5f;
    if (!std::isfinite(remaining))
        return remaining < 0 ? INT_MIN : INT_MAX;
    if (remaining >= float(INT_MAX))
        return INT_MAX;
    if (remaining <= float(INT_MIN))
        return INT_MIN;
    return int(remaining);
}

QString ProgressText::remainingText(int seconds)
{
    if (seconds < 0)
        return QStringLiteral("?");
    if (seconds < 60)
        return QString::number(seconds) + tr(" seconds.");
    if (seconds < 180) {
        const int m = seconds / 60;
        const int s = seconds % 60;
        return QString::number(m) + (m == 1 ? tr(" minute ") : tr(" minutes ")) + QString::number(s)
            + tr(" seconds.");
    }
    if (seconds < 3600) {
        const int m = seconds / 60;
        return QString::number(m) + (m == 1 ? tr(" minute.") : tr(" minutes."));
    }
    const int h = seconds / 3600;
    const int m = (seconds / 60) % 60;
    return QString::number(h) + (h == 1 ? tr(" hour ") : tr(" hours ")) + QString::number(m)
        + (m == 1 ? tr(" minute.") : tr(" minutes."));
}

QString ProgressText::timeToGo(int progress, int maximum, qint64 elapsedMs, bool cancelled, bool error)
{
    if (error)
        return QString();
    if (cancelled)
        return tr("Cancelling");
    QString text = tr("Time to go: ");
    if (progress < 0)
        return text + tr("Awaiting Task");
    if (progress == 0)
        return text + tr("Calculating");
    const qint64 elapsedSeconds = elapsedMs > 0 ? elapsedMs / 1000 : 0;
    return text + remainingText(remainingSeconds(progress, maximum, elapsedSeconds));
}

} // namespace UI
} // namespace Quill
