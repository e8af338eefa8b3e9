#include "DragDemo.h"
#include "GalleryWindow.h"

#include <docking/Dock.h>
#include <docking/DockTabBar.h>
#include <docking/DockTitleBar.h>
#include <docking/DockWindow.h>
#include <docking/HoverWidget.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStackedWidget>
#include <QTimer>

#include <cstdio>

using Quill::UI::Dock;
using Quill::UI::DockTabBar;

namespace Gallery {

namespace {

// Lets the window system catch up (moves, exposes, repaints).
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void send(DockTabBar* bar, QEvent::Type type, QPoint global)
{
    const QPoint pos = bar->mapFromGlobal(global);
    QMouseEvent e(type, pos, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &e);
}

// Moves in small steps, as a hand does, so that every stage of the feedback runs.
void glide(DockTabBar* bar, QPoint from, QPoint to)
{
    constexpr int kSteps = 12;
    for (int i = 1; i <= kSteps; ++i) {
        send(bar, QEvent::MouseMove, from + (to - from) * i / kSteps);
        settle(15);
    }
}

// The workspace's windows as a compositing desktop shows them, whatever the window
// system does with translucency: each window rendered by itself at its place and
// opacity, the overlay and the dragged page on top.
QPixmap composite(GalleryWindow& window, QWidget* page)
{
    QList<QWidget*> layers{&window};
    for (Quill::UI::DockWindow* w : window.floatingWindows())
        layers << w;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (dynamic_cast<Quill::UI::HoverWidget*>(w))
            layers << w;
    }
    if (page && page->isWindow())
        layers << page;
    QRect bounds;
    for (QWidget* w : layers)
        bounds |= QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    bounds.adjust(-10, -10, 10, 10);
    QPixmap out(bounds.size());
    out.fill(QColor(64, 64, 64));
    QPainter painter(&out);
    for (QWidget* w : layers) {
        if (!w->isVisible())
            continue;
        painter.setOpacity(w->windowOpacity());
        painter.drawPixmap(w->mapToGlobal(QPoint(0, 0)) - bounds.topLeft(), w->grab());
    }
    return out;
}

} // namespace

int RunDragDemo(GalleryWindow& window, const QString& dir)
{
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "quill-gallery: cannot create %s\n", qPrintable(dir));
        return 1;
    }
    if (auto* split = window.findChild<QAction*>(QStringLiteral("splitPanelsByDragging")))
        split->setChecked(true);
    settle(400);
    // Floating windows beside the main window, where they cover none of its panes.
    int y = window.frameGeometry().top();
    for (Quill::UI::DockWindow* w : window.floatingWindows()) {
        w->move(window.frameGeometry().right() + 20, y);
        y += w->frameGeometry().height() + 20;
    }
    auto* source = window.findChild<Dock*>(QStringLiteral("gallery.main"));
    auto* target = window.findChild<Dock*>(QStringLiteral("gallery.side"));
    if (!source || !target || source->count() < 2) {
        std::fprintf(stderr, "quill-gallery: the workspace has no panes to drag between\n");
        return 1;
    }
    DockTabBar* bar = source->tabBar();
    QWidget* page = source->widget(1);
    int shot = 0;
    bool saved = true;
    auto snap = [&](const char* what) {
        settle(250);
        const QString file = QDir(dir).filePath(QStringLiteral("drag-%1-%2.png").arg(++shot).arg(what));
        saved = composite(window, page).save(file, "PNG") && saved;
    };

    const QPoint press = bar->mapToGlobal(bar->dockTabRect(1).center());
    send(bar, QEvent::MouseButtonPress, press);
    snap("press");
    const QPoint reordered = bar->mapToGlobal(bar->dockTabRect(0).center()) - QPoint(4, 0);
    glide(bar, press, reordered);
    snap("reorder");
    const QPoint torn = reordered + QPoint(60, source->titleBar()->height() + 60);
    glide(bar, reordered, torn);
    snap("torn-off");
    const QStackedWidget* stack = target->stack();
    const QPoint centre = stack->mapToGlobal(stack->rect().center());
    glide(bar, torn, centre);
    snap("over-pane");
    const QPoint leftEdge = stack->mapToGlobal(QPoint(12, stack->height() / 2));
    glide(bar, centre, leftEdge);
    snap("left-edge");
    send(bar, QEvent::MouseButtonRelease, leftEdge);
    snap("dropped");
    if (!saved) {
        std::fprintf(stderr, "quill-gallery: cannot write the pictures into %s\n", qPrintable(dir));
        return 1;
    }
    return 0;
}

} // namespace Gallery
