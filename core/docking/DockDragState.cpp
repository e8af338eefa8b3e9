#include "DockDragState_p.h"
#include "DockMainWindow.h"
#include "DockSplitter.h"
#include "DockTabBar.h"
#include "DockUtil_p.h"
#include "DockWindow.h"
#include "HoverWidget.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTimer>

#include <utility>

namespace Quill {
namespace UI {

namespace {

// Opacity of a page while it is dragged.
constexpr qreal kDraggedOpacity = 0.75;
// How often a drag checks that it still holds the mouse.
constexpr int kGrabCheckMs = 50;

} // namespace

DockDragState& DockDragState::instance()
{
    static DockDragState state;
    return state;
}

bool DockDragState::showHoverWidget(Dock* dock, const QRect& globalRect)
{
    if (!hoverWidget) {
        // A native window is costly to make: the drag reuses its overlay.
        hoverWidget = m_spareOverlay ? m_spareOverlay.data() : new HoverWidget(dock);
        m_spareOverlay = nullptr;
    }
    m_overlayDock = dock;
    hoverWidget->setZone(int(zone));
    hoverWidget->setGeometry(globalRect);
    if (hoverWidget->isVisible())
        return false;
    hoverWidget->show();
    hoverWidget->raise();
    return true;
}

void DockDragState::destroyHoverWidget()
{
    HoverWidget* overlay = hoverWidget.data();
    hoverWidget = nullptr;
    m_overlayDock = nullptr;
    if (overlay && isDragging() && !m_spareOverlay) {
        overlay->hide();
        m_spareOverlay = overlay;
    } else {
        delete overlay;
    }
}

void DockDragState::reset()
{
    destroyHoverWidget();
    draggedWidget = nullptr;
    sourceDock = nullptr;
    grabPoint = QPoint();
    hoveredDock = nullptr;
    zone = DropZone::None;
    insertionIndex = -1;
}

bool DockDragState::isUsable(const Dock* dock)
{
    // Closed docks and windows are hidden: neither may take the page, which
    // would go down with them.
    return dock && dock->controller() && dock->isVisible();
}

void DockDragState::begin(DockTabBar* bar, int index, const QPoint& pressPos, const QPoint& grabPoint,
                          const QPoint& globalPos)
{
    Dock* dock = bar ? bar->dock() : nullptr;
    QWidget* page = dock ? dock->widget(index) : nullptr;
    if (!page)
        return;
    if (isDragging())
        cancel();   // one drag at a time
    reset();
    draggedWidget = page;
    sourceDock = dock;
    this->grabPoint = grabPoint;
    m_owner = bar;
    m_controller = dock->controller();
    m_modalAtStart = QApplication::activeModalWidget();
    m_pressPos = pressPos;
    m_sourceIndex = index;
    m_pageHadNoActivation = page->testAttribute(Qt::WA_ShowWithoutActivating);

    DockUtil::ReleaseFocus(page);
    page->hide();
    page->setParent(nullptr);   // its tab leaves through the stack's widgetRemoved
    // The page comes back through insertWidget, which reports it added.
    if (m_controller)
        m_controller->emitWidgetRemoved(dock, page);
    if (!draggedWidget || !m_owner) {
        cancel();   // the host took the page or the dock away meanwhile
        return;
    }
    // A tool window that took the activation would take the keyboard from the
    // window that holds the grab.
    page->setAttribute(Qt::WA_ShowWithoutActivating);
    page->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    page->setWindowOpacity(kDraggedOpacity);
    page->move(globalPos - pressPos);
    page->show();
    dock->update();
    bar->grabMouse();
    bar->grabKeyboard();
    watch();
}

void DockDragState::watch()
{
    m_watch = new QTimer;
    m_watch->setInterval(kGrabCheckMs);
    QObject::connect(m_watch, &QTimer::timeout, [this]() { checkGrab(); });
    // Queued: the state flickers while windows are made and activated, and the
    // change may arrive in the middle of showing the overlay.
    QObject::connect(
        qApp, &QGuiApplication::applicationStateChanged, m_watch,
        [this]() {
            if (QGuiApplication::applicationState() != Qt::ApplicationActive)
                cancel();
        },
        Qt::QueuedConnection);
    // Emitted while the page is half destroyed, before the guard clears itself.
    QObject::connect(draggedWidget.data(), &QObject::destroyed, m_watch, [this]() {
        draggedWidget = nullptr;
        cancel();
    });
    m_watch->start();
}

void DockDragState::checkGrab()
{
    DockTabBar* bar = m_owner.data();
    QWidget* modal = QApplication::activeModalWidget();
    if (!bar || QWidget::mouseGrabber() != bar || !bar->isVisible() || QApplication::activePopupWidget()
        || (modal && modal != m_modalAtStart))
        cancel();
}

void DockDragState::setHovered(Dock* dock, DropZone newZone)
{
    const bool splitting = m_controller && m_controller->splitPanelsByDragging();
    // The option may have been switched since the last move: the overlay follows.
    const bool overlayWrong = bool(hoverWidget) != (splitting && dock);
    if (dock == hoveredDock && newZone == zone && !overlayWrong)
        return;
    // The overlay moves on to the new dock rather than closing and reopening.
    QPointer<HoverWidget> moving;
    if (splitting && dock)
        std::swap(moving, hoverWidget);
    if (Dock* old = hoveredDock.data())
        old->setHover(false);
    destroyHoverWidget();
    hoverWidget = moving;
    hoveredDock = dock;
    zone = newZone;
    if (dock)
        dock->setHover(true);
    insertionIndex = -1;
}

void DockDragState::moveTo(const QPoint& globalPos)
{
    QWidget* page = draggedWidget.data();
    if (!page)
        return;
    page->move(globalPos - m_pressPos);
    Dock* dock = m_controller ? m_controller->findDockAt(globalPos) : nullptr;
    if (!isUsable(dock))
        dock = nullptr;
    DropZone newZone = DropZone::None;
    if (dock && m_controller->splitPanelsByDragging()) {
        const QStackedWidget* stack = dock->stack();
        newZone = DockGeometry::ZoneAt(stack->mapFromGlobal(globalPos), stack->rect(), dock->size());
    }
    setHovered(dock, newZone);
    if (dock) {
        const DockTabBar* bar = dock->tabBar();
        insertionIndex = bar->insertionIndexAt(bar->mapFromGlobal(globalPos));
    }
}

void DockDragState::restorePage(QWidget* page, bool noActivation)
{
    page->hide();
    page->setWindowOpacity(1.0);
    page->setAttribute(Qt::WA_ShowWithoutActivating, noActivation);
    // Its window flags stay until it is docked again: a tool window that becomes a
    // child loses its native window then. Re-flagged while parentless, it would
    // keep that native window as a docked page and lose it with whichever window
    // it lived in meanwhile, to crash when the page is destroyed.
}

void DockDragState::settlePage(QWidget* page)
{
    if (!page)
        return;
    if (page->parentWidget())
        page->setWindowFlags(page->windowFlags() & ~Qt::WindowStaysOnTopHint);
    else
        page->setWindowFlags(Qt::Window);   // left on its own: a plain window
}

void DockDragState::floatPage(QWidget* page, Dock* source, DockMainWindow* controller, const QPoint& topLeft)
{
    if (isUsable(source)) {
        source->floatWidgetAt(page, topLeft);
        return;
    }
    // The source dock is gone or closing: the workspace makes the window.
    if (controller) {
        if (DockWindow* window = controller->addNewFloatingDock(page)) {
            window->move(topLeft);
            return;
        }
    }
    // No workspace left: the page ends as pages of a destroyed dock do.
    page->hide();
    if (page->testAttribute(Qt::WA_DeleteOnClose))
        page->deleteLater();
}

void DockDragState::closeEmptiedSource(Dock* source, Dock* into)
{
    if (!source || source == into || source->count() != 0 || !Dock::isTopLevel(source))
        return;
    DockWindow* window = source->dockWindow();
    if (!window || window == static_cast<DockWindow*>(source->controller()))
        return;
    // A window closing takes its child windows with it, and the page's new dock
    // may be in one of those.
    if (into && DockUtil::Contains(window, into))
        return;
    window->close();
}

void DockDragState::drop(const QPoint& globalPos, bool floatIt)
{
    QPointer<QWidget> page = draggedWidget;
    if (!page) {
        cancel();
        return;
    }
    // The drop goes where the page was drawn last.
    moveTo(globalPos);
    QPointer<Dock> target = floatIt ? nullptr : hoveredDock.data();
    QPointer<Dock> source = sourceDock;
    QPointer<DockMainWindow> controller = m_controller;
    const DropZone dropZone = zone;
    const int index = insertionIndex;
    const QPoint topLeft = globalPos - m_pressPos;
    const bool noActivation = m_pageHadNoActivation;
    end();

    restorePage(page, noActivation);
    QPointer<Dock> into = target;
    if (!isUsable(target)) {
        floatPage(page, source, controller, topLeft);
    } else {
        if (dropZone != DropZone::None) {
            const Qt::Orientation orientation =
                dropZone == DropZone::Left || dropZone == DropZone::Right ? Qt::Horizontal : Qt::Vertical;
            // A dock outside a splitter cannot split: the page joins it as a tab.
            if (Dock* fresh = target->split(orientation, dropZone == DropZone::Left || dropZone == DropZone::Top))
                into = fresh;
        }
        if (into)
            into->insertWidget(into == target ? index : -1, page);
        if (into && page)
            into->setCurrentWidget(page);
        closeEmptiedSource(source, into);
    }
    // Whatever the host did meanwhile, the page is not left without a place.
    if (page && !page->parentWidget())
        floatPage(page, source, controller, topLeft);
    settlePage(page);
    if (source) {
        DockMainWindow* c = source->controller();
        source->setTitleVisible(!(c && c->hideSingleTabs()) || source->count() != 1);
    }
}

void DockDragState::cancel()
{
    abort(true);
}

void DockDragState::abort(bool touchOwner)
{
    QPointer<QWidget> page = draggedWidget;
    QPointer<Dock> source = sourceDock;
    QPointer<DockMainWindow> controller = m_controller;
    const int index = m_sourceIndex;
    const bool noActivation = m_pageHadNoActivation;
    const QPoint topLeft = page ? page->pos() : QPoint();
    end(touchOwner);
    if (!page) {
        // The host deleted the page: an emptied floating window goes as it
        // would after closing its last tab.
        closeEmptiedSource(source, nullptr);
        return;
    }
    restorePage(page, noActivation);
    if (isUsable(source)) {
        source->insertWidget(index, page);
        if (source && page)
            source->setCurrentWidget(page);
    }
    if (page && !page->parentWidget())
        floatPage(page, source, controller, topLeft);
    settlePage(page);
}

void DockDragState::forget(Dock* dock)
{
    if (dock == m_overlayDock)
        destroyHoverWidget();
    if (dock == hoveredDock) {
        hoveredDock = nullptr;
        zone = DropZone::None;
        insertionIndex = -1;
        destroyHoverWidget();
    }
    if (dock == sourceDock && isDragging()) {
        sourceDock = nullptr;
        // Without a controller the workspace itself is going away.
        if (!dock->controller())
            m_controller = nullptr;
        abort(false);   // its tab bar goes with it
    }
}

void DockDragState::end(bool touchOwner)
{
    DockTabBar* bar = m_owner.data();
    m_owner = nullptr;
    if (bar) {
        if (QWidget::mouseGrabber() == bar)
            bar->releaseMouse();
        if (QWidget::keyboardGrabber() == bar)
            bar->releaseKeyboard();
    }
    if (m_watch) {
        m_watch->stop();
        m_watch->disconnect();
        QObject::disconnect(qApp, nullptr, m_watch, nullptr);
        if (draggedWidget)
            QObject::disconnect(draggedWidget.data(), nullptr, m_watch, nullptr);
        m_watch->deleteLater();   // may be the sender of the running call
        m_watch = nullptr;
    }
    if (Dock* hovered = hoveredDock.data())
        hovered->setHover(false);
    reset();
    delete m_spareOverlay.data();
    m_controller = nullptr;
    m_modalAtStart = nullptr;
    m_sourceIndex = -1;
    m_pageHadNoActivation = false;
    if (bar && touchOwner)
        bar->dragEnded();
}

} // namespace UI
} // namespace Quill
