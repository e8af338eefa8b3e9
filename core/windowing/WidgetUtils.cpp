#include "WidgetUtils.h"
#include "WindowPlacement_p.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

namespace Quill {
namespace UI {

WidgetUtils::FloatingWindowHint WidgetUtils::_floatingWindowHint = WidgetUtils::kFloatingWindowDefault;

namespace {

// The screen holding `point`; points between or outside screens fall back to the
// nearest screen so that placement never works against a null screen.
QRect AvailableGeometryAt(const QPoint& point)
{
    if (QScreen* screen = QGuiApplication::screenAt(point))
        return screen->availableGeometry();
    QScreen* best = QGuiApplication::primaryScreen();
    double bestDistance = -1;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        // Widened before subtracting: a point near the int limits must not overflow.
        const qint64 x = point.x();
        const qint64 y = point.y();
        const qint64 dx = x < g.left() ? g.left() - x : x > g.right() ? x - g.right() : 0;
        const qint64 dy = y < g.top() ? g.top() - y : y > g.bottom() ? y - g.bottom() : 0;
        const double d = double(dx) * dx + double(dy) * dy;   // squares overflow 64 bits
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = screen;
        }
    }
    return best ? best->availableGeometry() : QRect();
}

} // namespace

void WidgetUtils::MoveWidgetNotObscuringWidget(QWidget* widget, QWidget* anchor)
{
    if (!widget)
        return;
    if (anchor)
        widget->move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    const QRect available = AvailableGeometryAt(widget->pos());
    widget->show();
    const QPoint pos = widget->pos();
    const QPoint fitted = WindowPlacement::PullInside(pos, widget->size(), available);
    if (fitted != pos)
        widget->move(fitted);
}

void WidgetUtils::MoveWidgetNearRect(QWidget* widget, QRect& rect)
{
    if (!widget)
        return;
    const QRect available = AvailableGeometryAt(rect.topLeft());
    const std::optional<QPoint> pos = WindowPlacement::NearRect(widget->size(), rect, available);
    if (!pos)
        return;
    widget->move(*pos);
    widget->raise();
    widget->activateWindow();
}

void WidgetUtils::SetFloatingWindowStyle(QWidget* window, QWidget* /*parent*/)
{
    if (!window)
        return;
    window->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    window->setAttribute(Qt::WA_MacAlwaysShowToolWindow);
}

bool WidgetUtils::GetFullscreen(const QWidget* window)
{
    return window && window->windowState().testFlag(Qt::WindowFullScreen);
}

void WidgetUtils::SetFullscreen(QWidget* window, bool on, const QMainWindow* /*mainWindow*/)
{
    if (!window || on == GetFullscreen(window))
        return;
    if (on) {
        window->setWindowState(window->windowState() | Qt::WindowFullScreen);
        return;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowFullScreen);
    const QRect frame = window->frameGeometry();
    const QRect geometry = window->geometry();
    const QRect available = AvailableGeometryAt(frame.center());
    const WindowPlacement::FullscreenExit fit =
        WindowPlacement::LeaveFullscreen(frame, geometry, available);
    window->move(fit.framePos);   // move() positions the frame of a top-level window
    window->resize(fit.size);
}

void WidgetUtils::ToggleFullscreen(QWidget* window, const QMainWindow* mainWindow)
{
    SetFullscreen(window, !GetFullscreen(window), mainWindow);
}

void WidgetUtils::SetFixedWidthForString(QWidget* widget, const QString& text)
{
    if (!widget)
        return;
    widget->setFixedWidth(widget->fontMetrics().horizontalAdvance(text));
}

} // namespace UI
} // namespace Quill
