// Saving and restoring the workspace (DockMainWindow's layout-file operations).
#include "DockMainWindow.h"
#include "Dock.h"
#include "DockLayout_p.h"
#include "DockSplitter.h"
#include "DockTabBar.h"
#include "DockUtil_p.h"

#include <windowing/WidgetUtils.h>
#include <windowing/WindowPlacement_p.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStackedWidget>

namespace Quill {
namespace UI {

namespace {

const char kStateProperty[] = "layoutState";

int captureDock(const Dock* dock, DockLayout::Layout& out, const QWidget* focus)
{
    DockLayout::Dock d;
    d.id = dock->objectName();
    d.hideTitles = !dock->titleVisible();
    if (const QWidget* current = dock->currentWidget()) {
        d.hasActive = true;
        d.activePageId = current->objectName();
        d.focus = focus && (focus == dock || dock->isAncestorOf(focus));
    }
    d.pages.reserve(dock->count());
    for (int i = 0; i < dock->count(); ++i) {
        const QWidget* page = dock->widget(i);
        d.pages.append({page->objectName(), page->property(kStateProperty).toString()});
    }
    out.docks.append(d);
    return out.docks.size() - 1;
}

int captureSplitter(const DockSplitter* s, DockLayout::Layout& out, const QWidget* focus)
{
    // A chain of single-section splitters is written as its innermost one.
    while (s->count() == 1) {
        auto* inner = dynamic_cast<const DockSplitter*>(s->widget(0));
        if (!inner)
            break;
        s = inner;
    }
    const int index = out.splitters.size();
    out.splitters.append(DockLayout::Splitter());
    DockLayout::Splitter sp;
    sp.horizontal = s->orientation() == Qt::Horizontal;
    const QList<int> sizes = s->realSizes();
    for (int i = 0; i < s->count(); ++i) {
        QWidget* w = s->widget(i);
        DockLayout::Section section;
        section.size = sizes.value(i);
        section.hasSize = true;
        section.stretch = sp.horizontal ? w->sizePolicy().horizontalStretch() : w->sizePolicy().verticalStretch();
        if (auto* nested = dynamic_cast<const DockSplitter*>(w))
            section.splitter = captureSplitter(nested, out, focus);
        else if (auto* dock = qobject_cast<const Dock*>(w))
            section.dock = captureDock(dock, out, focus);
        sp.sections.append(section);
    }
    out.splitters[index] = sp;
    return index;
}

void captureWindow(const DockWindow* window, DockLayout::Layout& out, const QWidget* focus)
{
    QRect frame = window->frameGeometry();
    // A maximized window is saved with its normal rectangle, so that leaving the
    // maximized state after a restore gives that rectangle back.
    const QRect normal = window->normalGeometry();
    if (window->isMaximized() && normal.isValid()) {
        const QRect g = window->geometry();
        frame = normal.adjusted(frame.left() - g.left(), frame.top() - g.top(), frame.right() - g.right(),
                                frame.bottom() - g.bottom());
    }
    DockLayout::Window w;
    w.x = frame.x();
    w.y = frame.y();
    w.w = frame.width();
    w.h = frame.height();
    w.maximized = window->isMaximized();
    w.fullscreen = WidgetUtils::GetFullscreen(window);
    w.screen = std::max(0, int(QGuiApplication::screens().indexOf(window->screen())));
    if (auto* root = dynamic_cast<const DockSplitter*>(window->centralWidget()))
        w.splitter = captureSplitter(root, out, focus);
    out.windows.append(w);
}

// Builds the workspace described by a layout read without fault, in document
// order, so that the host sees createDock and createPage called as the file lists
// docks and pages.
class Builder
{
public:
    Builder(DockMainWindow* mw, const DockLayout::Layout& layout)
        : mw(mw)
        , layout(layout)
    {
    }

    void fill(DockSplitter* s, int index)
    {
        const DockLayout::Splitter& sp = layout.splitters.at(index);
        s->setOrientation(sp.horizontal ? Qt::Horizontal : Qt::Vertical);
        // Sizes and stretch factors go to the sections actually made.
        QVector<DockLayout::Section> made;
        for (const DockLayout::Section& section : sp.sections) {
            if (section.splitter >= 0) {
                // Placed before it is filled: its contents are moved into the
                // window once, not again at every level above them.
                auto* nested = new DockSplitter(Qt::Vertical);
                s->addWidget(nested);
                fill(nested, section.splitter);
                if (nested->count() == 0) {
                    delete nested;
                    continue;
                }
            } else if (section.dock >= 0) {
                // Placed before its pages come, for the same reason.
                if (!makeDock(s, layout.docks.at(section.dock)))
                    continue;
            } else {
                continue;
            }
            made.append(section);
        }
        for (int i = 0; i < made.size(); ++i)
            s->setStretchFactor(i, made.at(i).stretch);
        const QList<int> sizes = DockLayout::FitSizes(made);
        if (!sizes.isEmpty())
            s->setSizes(sizes);
    }

    QString focusPage;

private:
    Dock* makeDock(DockSplitter* s, const DockLayout::Dock& d)
    {
        Dock* dock = mw->createDock();
        if (!dock)
            return nullptr;
        dock->setObjectName(d.id);
        s->addWidget(dock);
        const QString active = d.hasActive ? d.activePageId : QString();
        for (const DockLayout::Page& p : d.pages) {
            QString id = p.id;
            QWidget* page = mw->createPage(id);
            if (!page)
                continue;
            if (!p.state.isEmpty())
                page->setProperty(kStateProperty, p.state);
            dock->addWidget(page, false, false);
            if (dock->stack()->indexOf(page) == -1)
                continue;   // not a widget a dock can hold (the dock or one around it)
            dock->paneIDs().append(page->objectName());
            if (!active.isEmpty() && active == page->objectName()) {
                page->show();
                dock->setCurrentWidget(page);
                if (d.focus)
                    focusPage = active;
            }
        }
        // After the pages: adding them re-evaluates the title with hideSingleTabs.
        dock->setTitleVisible(!d.hideTitles);
        return dock;
    }

    DockMainWindow* mw;
    const DockLayout::Layout& layout;
};

} // namespace

void DockMainWindow::saveLayout(QIODevice* device, QWidget* focusWidget)
{
    const QWidget* focus = focusWidget ? focusWidget : QApplication::focusWidget();
    DockLayout::Layout layout;
    captureWindow(this, layout, focus);
    for (DockWindow* w : floatingWindows())
        captureWindow(w, layout, focus);
    if (device)
        DockLayout::Write(layout, device);
    saveLayoutIDs();
}

bool DockMainWindow::restoreLayout(QIODevice* device, bool fitMainWindowToScreen)
{
    const DockLayout::ReadResult read = DockLayout::Read(device);
    if (!read.ok()) {
        QMessageBox::warning(nullptr, tr("Dock Layout"),
                             tr("Parse error at line %2, column %3:\n%4")
                                 .arg(QString::number(read.line), QString::number(read.column), read.error));
        return false;
    }
    applyLayout(read.layout, fitMainWindowToScreen);
    return true;
}

bool DockMainWindow::IsLayoutValid(QIODevice* device)
{
    return DockLayout::StartsWithLayout(device);
}

void DockMainWindow::applyLayout(const DockLayout::Layout& layout, bool fitMainWindowToScreen)
{
    // The previous docks are parked: their pages leave them without each next
    // page being brought forward on the way. The previous floating windows go
    // once the new workspace stands; their updates are off meanwhile, as are the
    // previous tree's, so that parking a dock does not turn the updates of its
    // whole stack off and on again. And a tab bar that scrolls lays out all its
    // tabs again for every tab that leaves it; without scrolling it does so once.
    QList<QPointer<DockWindow>> previousWindows;
    QList<QPointer<QWidget>> updatesOff;
    QList<QPointer<Dock>> parked;
    QList<QPointer<DockTabBar>> scrolling;
    auto park = [&parked, &scrolling](const QWidget* window) {
        if (auto* root = dynamic_cast<DockSplitter*>(static_cast<const DockWindow*>(window)->centralWidget())) {
            DockUtil::ForEachDock(root, [&parked, &scrolling](Dock* dock) {
                dock->park();
                parked.append(dock);
                if (dock->tabBar()->usesScrollButtons()) {
                    dock->tabBar()->setUsesScrollButtons(false);
                    scrolling.append(dock->tabBar());
                }
                return true;
            });
        }
    };
    for (DockWindow* w : floatingWindows()) {
        previousWindows.append(w);
        if (w->updatesEnabled()) {
            w->setUpdatesEnabled(false);
            updatesOff.append(w);
        }
        park(w);
    }
    // The previous tree stays a hidden child while the new one is built (replacing
    // the central widget hides it and schedules its deletion): a page moving to
    // another top-level window makes Qt walk that window's whole focus chain, which
    // for every page of a large workspace would be quadratic. It is detached once
    // the pages have left it, when it is small.
    QPointer<QWidget> previousCentral = centralWidget();
    if (previousCentral) {
        previousCentral->hide();
        previousCentral->setUpdatesEnabled(false);
        park(this);
    }
    setRootSplitter(new DockSplitter(Qt::Vertical));
    m_floatingWindows.clear();
    m_layoutIDs.clear();

    Builder builder(this, layout);
    for (int i = 0; i < layout.windows.size(); ++i) {
        DockWindow* window = i == 0 ? this : createWindow();
        if (!window)
            continue;
        if (window != this)
            addFloatingDock(window);
        const DockLayout::Window& saved = layout.windows.at(i);
        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
        if (saved.splitter >= 0) {
            auto* root = dynamic_cast<DockSplitter*>(window->centralWidget());
            if (!root) {
                root = new DockSplitter(Qt::Vertical);
                window->setCentralWidget(root);
            }
            m_deferDockLayout = true;
            builder.fill(root, saved.splitter);
            flushDockLayout();
        }
        applyWindow(window, saved, fitMainWindowToScreen && window == this);
    }
    m_focusPage = builder.focusPage;

    for (const QPointer<Dock>& dock : parked) {
        if (dock)
            dock->unpark();
    }
    if (previousCentral) {
        // Pages left behind keep the state they had when they are detached.
        previousCentral->setUpdatesEnabled(true);
        previousCentral->setParent(nullptr);
        previousCentral->deleteLater();
    }
    for (const QPointer<QWidget>& w : updatesOff) {
        if (w)
            w->setUpdatesEnabled(true);
    }
    for (const QPointer<DockTabBar>& bar : scrolling) {
        if (bar)
            bar->setUsesScrollButtons(true);
    }
    for (const QPointer<DockWindow>& w : previousWindows) {
        // A window the host handed back from createWindow stays.
        if (!w || m_floatingWindows.contains(w))
            continue;
        w->setParent(nullptr);
        delete w.data();
    }
    saveLayoutIDs();
}

void DockMainWindow::flushDockLayout()
{
    m_deferDockLayout = false;
    const QList<QPointer<Dock>> docks = m_deferredDocks;
    m_deferredDocks.clear();
    for (const QPointer<Dock>& dock : docks) {
        if (dock && dock->m_relayoutPending)
            dock->relayout();
    }
}

void DockMainWindow::applyWindow(DockWindow* window, const DockLayout::Window& saved, bool fitToScreen)
{
    QVector<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const WindowPlacement::RestoredWindow placed = WindowPlacement::PlaceRestored(
        saved.x, saved.y, saved.w, saved.h, saved.screen, saved.maximized, saved.fullscreen, fitToScreen, screens);
    auto place = [window, &placed] {
        const QSize frameExtra = window->frameSize() - window->size();
        window->resize((placed.frame.size() - frameExtra).expandedTo(QSize(0, 0)));
        window->move(placed.frame.topLeft());
    };
    place();
    WidgetUtils::SetFullscreen(window, placed.fullscreen, this);
    window->show();
    // A window shown for the first time only now knows its frame: fit it again.
    // Maximized afterwards, so that its normal rectangle is the saved one.
    if (!placed.fullscreen && window->frameGeometry() != placed.frame)
        place();
    if (saved.maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

} // namespace UI
} // namespace Quill
