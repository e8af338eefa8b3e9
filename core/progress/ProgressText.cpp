#include "ProgressText_p.h"

#include <QCoreApplication>

#include <climits>
#include <cmath>

namespace Quill {
namespace UI {
namespace ProgressText {

namespace {

const char kContext[] = "Quill::UI::ProgressWidget";

QString Tr(const char* source, int n = -1)
{
    return QCoreApplication::translate(kContext, source, nullptr, n);
}

// English picks its singular or plural source text; both carry %n, so a
// translation gives every plural form its language has.
QString Count(int n, const char* one, const char* many)
{
    return Tr(n == 1 ? one : many, n);
}

} // namespace

int RemainingSeconds(int progress, int maximum, qint64 elapsedSeconds)
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

QString RemainingText(int seconds)
{
    if (seconds < 0)
        return QStringLiteral("?");
    if (seconds < 60)
        return Tr(QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n seconds."), seconds);
    const int m = seconds / 60;
    if (seconds < 180) {
        const QString minutes = Count(m, QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n minute"),
                                      QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n minutes"));
        return Tr(QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%1 %n seconds."), seconds % 60).arg(minutes);
    }
    if (seconds < 3600)
        return Count(m, QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n minute."),
                     QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n minutes."));
    const QString hours = Count(seconds / 3600, QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n hour"),
                                QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n hours"));
    const QString minutes = Count(m % 60, QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n minute"),
                                  QT_TRANSLATE_N_NOOP("Quill::UI::ProgressWidget", "%n minutes"));
    //: Time to go: hours, then minutes
    return Tr(QT_TRANSLATE_NOOP("Quill::UI::ProgressWidget", "%1 %2.")).arg(hours, minutes);
}

QString TimeToGo(int progress, int maximum, qint64 elapsedMs, bool cancelled, bool error)
{
    if (error)
        return QString();
    if (cancelled)
        return Tr(QT_TRANSLATE_NOOP("Quill::UI::ProgressWidget", "Cancelling"));
    if (progress < 0)
        return Tr(QT_TRANSLATE_NOOP("Quill::UI::ProgressWidget", "Time to go: Awaiting Task"));
    if (progress == 0)
        return Tr(QT_TRANSLATE_NOOP("Quill::UI::ProgressWidget", "Time to go: Calculating"));
    const qint64 elapsedSeconds = elapsedMs > 0 ? elapsedMs / 1000 : 0;
    //: %1 is the estimate, such as "1 minute 40 seconds."
    return Tr(QT_TRANSLATE_NOOP("Quill::UI::ProgressWidget", "Time to go: %1"))
        .arg(RemainingText(RemainingSeconds(progress, maximum, elapsedSeconds)));
}

} // namespace ProgressText
} // namespace UI
} // namespace Quill
