#include "DockTitleBar.h"
#include "Dock.h"
#include "DockGeometry_p.h"

#include <QPainter>
#include <QTimerEvent>

namespace Quill {
namespace UI {

DockTitleBar::DockTitleBar(QWidget* parent)
    : QWidget(parent)
{
}

Dock* DockTitleBar::dock() const
{
    return qobject_cast<Dock*>(parentWidget());
}

void DockTitleBar::setPressed(bool pressed)
{
    m_pressed = pressed;
    if (!pressed)
        hideIfRevealedAndLeft();
}

void DockTitleBar::hideIfRevealedAndLeft()
{
    if (!m_revealed || m_pressed || testAttribute(Qt::WA_UnderMouse))
        return;
    m_revealed = false;
    if (Dock* d = dock())
        d->setTitleVisible(false);
}

void DockTitleBar::stopRevealTimer()
{
    if (m_revealTimer != 0) {
        killTimer(m_revealTimer);
        m_revealTimer = 0;
    }
}

void DockTitleBar::enterEvent(QEvent* e)
{
    QWidget::enterEvent(e);
    Dock* d = dock();
    if (!d || d->titleVisible())
        return;
    stopRevealTimer();
    m_revealTimer = startTimer(DockGeometry::kRevealDelayMs, Qt::CoarseTimer);
    update();
}

void DockTitleBar::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != m_revealTimer) {
        QWidget::timerEvent(e);
        return;
    }
    stopRevealTimer();
    if (Dock* d = dock()) {
        // Mark first: showing the title may re-enter the layout code.
        m_revealed = true;
        d->setTitleVisible(true);
    }
}

void DockTitleBar::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    stopRevealTimer();
    hideIfRevealedAndLeft();
    Dock* d = dock();
    if (d && !d->titleVisible())
        update();
}

void DockTitleBar::paintEvent(QPaintEvent*)
{
    Dock* d = dock();
    if (!d || d->titleVisible() || !testAttribute(Qt::WA_UnderMouse))
        return;
    QPainter p(this);
    p.fillRect(rect(), palette().brush(QPalette::Highlight));
}

} // namespace UI
} // namespace Quill
