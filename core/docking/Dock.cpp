#include "Dock.h"
#include "DockDragState_p.h"
#include "DockGeometry_p.h"
#include "DockLayout_p.h"
#include "DockMainWindow.h"
#include "DockPlaceHolder.h"
#include "DockSplitter.h"
#include "DockTabBar.h"
#include "DockTitleBar.h"
#include "DockUtil_p.h"
#include "DockWindow.h"
#include "HoverWidget.h"
#include "TitleBarButton.h"

#include <windowing/WidgetUtils.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHash>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionDockWidget>
#include <QTextEdit>
#include <QToolBar>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace Quill {
namespace UI {

namespace {

const char kPanelMenuIcon[] = ":/ui/qrc/images/PanelMenu.png";
const char kHSplitIcon[] = ":/ui/qrc/images/HSplit.png";
const char kVSplitIcon[] = ":/ui/qrc/images/VSplit.png";

// The panel-menu icons, read once: reading the image files again for every dock
// shows when a layout builds hundreds. Never freed, so that no icon outlives the
// application's teardown in a static destructor.
const QIcon& resourceIcon(const char* path)
{
    static auto* const icons = new QHash<const char*, QIcon>;
    auto it = icons->find(path);
    if (it == icons->end())
        it = icons->insert(path, QIcon(QString::fromLatin1(path)));
    return *it;
}

// The style's title-bar icons, built once per style rather than for every dock.
QIcon titleBarIcon(const QWidget* dock, QStyle::StandardPixmap which)
{
    struct Cached {
        QPointer<QStyle> style;
        QIcon icon;
    };
    static auto* const icons = new QHash<int, Cached>;   // never freed, as above
    QStyle* style = dock->style();
    Cached& c = (*icons)[which];
    if (c.style != style) {
        QStyleOptionDockWidget opt;
        opt.initFrom(dock);
        opt.closable = opt.movable = opt.floatable = true;
        c.icon = style->standardIcon(which, &opt, dock);
        c.style = style;
    }
    return c.icon;
}

QIcon tabIconFor(const QWidget* widget)
{
    return widget->testAttribute(Qt::WA_SetWindowIcon) ? widget->windowIcon() : QIcon();
}

} // namespace

Dock::Dock(DockMainWindow* controller, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
{
    m_menu = new QMenu(tr("Panel"), this);
    m_menu->addAction(resourceIcon(kHSplitIcon), tr("Split Vertical"), this,
                      SLOT(splitVertical()), QKeySequence());
    m_menu->addAction(resourceIcon(kVSplitIcon), tr("Split Horizontal"), this,
                      SLOT(splitHorizontal()), QKeySequence());
    m_menu->addSeparator();
    m_menu->addAction(tr("Float Pane"), this, SLOT(floatDock()), QKeySequence());
    m_menu->addAction(tr("Close Pane"), this, SLOT(close()), QKeySequence());
    m_menu->addAction(tr("Float Tab"), this, SLOT(floatActiveTab()), QKeySequence());
    m_menu->addAction(tr("Close Tab"), this, SLOT(closeActiveTab()), QKeySequence());
    m_menu->addAction(tr("Solo Tab"), this, SLOT(closeInactiveTabs()), QKeySequence());
    m_showTabsAction = m_menu->addAction(tr("Show Tabs"));
    m_showTabsAction->setShortcut(QKeySequence());
    m_showTabsAction->setCheckable(true);
    m_showTabsAction->setChecked(true);
    connect(m_showTabsAction, SIGNAL(toggled(bool)), this, SLOT(setTitleVisible(bool)));
    m_menu->addSeparator();

    m_titleBar = new DockTitleBar(this);

    const bool panelMenu = controller ? controller->hasPanelMenu() : true;
    const bool closableTabs = controller ? controller->tabsAreClosable() : false;
    if (panelMenu) {
        m_menuButton = new TitleBarButton(m_titleBar);
        m_menuButton->setMenu(m_menu);
        m_menuButton->setIcon(resourceIcon(kPanelMenuIcon));
        m_menuButton->setToolTip(tr("Panel menu"));
    }
    if (!closableTabs) {
        m_floatButton = new TitleBarButton(m_titleBar);
        m_floatButton->setIcon(titleBarIcon(this, QStyle::SP_TitleBarNormalButton));
        m_floatButton->setToolTip(tr("Float the current tab"));
        connect(m_floatButton, SIGNAL(clicked()), this, SLOT(floatActiveTab()));
        m_closeButton = new TitleBarButton(m_titleBar);
        m_closeButton->setIcon(titleBarIcon(this, QStyle::SP_TitleBarCloseButton));
        m_closeButton->setToolTip(tr("Close the current tab"));
        connect(m_closeButton, SIGNAL(clicked()), this, SLOT(closeActiveTab()));
    }

    m_stack = new QStackedWidget(this);
    m_stack->setLineWidth(0);
    connect(m_stack, SIGNAL(widgetRemoved(int)), this, SLOT(removeTab(int)));

    m_tabBar = new DockTabBar(this, m_titleBar);
    m_tabBar->setDrawBase(false);

    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_Hover);
    connect(m_tabBar, SIGNAL(currentChanged(int)), this, SLOT(showTab(int)));
    connect(this, SIGNAL(mouseOver(bool)), m_tabBar, SLOT(onMouseOverDock(bool)));
}

Dock::~Dock()
{
    // A drag from or over this dock must not keep pointing at it.
    DockDragState::instance().forget(this);
    // The stack and tab bar go with us; nothing they announce from here on may
    // reach the half-destroyed dock.
    disconnect(m_stack, nullptr, this, nullptr);
    disconnect(m_tabBar, nullptr, this, nullptr);
    for (int i = m_stack->count() - 1; i >= 0; --i) {
        // A receiver of widgetRemoved may have deleted other pages meanwhile.
        if (i >= m_stack->count())
            continue;
        QWidget* w = m_stack->widget(i);
        if (w == m_parking)
            continue;
        DockUtil::ReleaseFocus(w);
        if (!w->testAttribute(Qt::WA_DeleteOnClose))
            w->setParent(nullptr);
        if (m_controller)
            m_controller->emitWidgetRemoved(this, w);
    }
}

void Dock::disconnectController()
{
    m_controller = nullptr;
}

// --- pages and tabs ---------------------------------------------------------

void Dock::insertTabFor(int index, QWidget* widget)
{
    m_tabBar->insertTab(index, tabIconFor(widget), widget->windowTitle());
    invalidateSizeHint();
}

bool Dock::acceptsPage(QWidget* widget) const
{
    // The dock itself or one of its ancestors cannot become one of its pages.
    return widget && widget != this && !widget->isAncestorOf(this);
}

void Dock::takeFromOtherDock(QWidget* widget)
{
    // A page moving here from another dock leaves that dock the regular way, so
    // that it reports the page gone and refreshes its title.
    Dock* from = widget->parentWidget() ? dockForWidget(widget->parentWidget()) : nullptr;
    if (from && from != this && from->stack()->indexOf(widget) != -1)
        from->removeWidget(widget);
}

void Dock::addWidget(QWidget* widget, bool makeCurrent, bool remember)
{
    if (!acceptsPage(widget))
        return;
    unpark();
    takeFromOtherDock(widget);
    if (m_stack->indexOf(widget) != -1) {
        m_tabBar->setCurrentIndex(m_stack->indexOf(widget));
    } else {
        // Pages first, in tab order (the stack's child order changes as pages are
        // raised); an unnamed widget matches the first page. Only a page can be
        // taken over, so the pages' own children need no search.
        const QString name = widget->objectName();
        QWidget* match = nullptr;
        for (int i = 0; i < m_stack->count() && !match; ++i) {
            if (name.isEmpty() || m_stack->widget(i)->objectName() == name)
                match = m_stack->widget(i);
        }
        auto* placeHolder = dynamic_cast<DockPlaceHolder*>(match);
        int index = placeHolder ? m_stack->indexOf(placeHolder) : -1;
        if (index == -1) {
            placeHolder = nullptr;   // only a page of this dock is taken over
            index = m_stack->count();
        }
        const bool placeHolderWasCurrent = placeHolder && m_stack->currentWidget() == placeHolder;

        index = m_stack->insertWidget(index, widget);
        insertTabFor(index, widget);
        if (makeCurrent)
            m_tabBar->setCurrentIndex(index);
        relayout();
        m_stack->layout()->activate();
        widget->move(0, 0);

        if (placeHolder) {
            m_stack->removeWidget(placeHolder);
            // Detached at once so that no search finds the stale stand-in before it goes.
            placeHolder->setParent(nullptr);
            placeHolder->deleteLater();
            if (placeHolderWasCurrent)
                m_tabBar->setCurrentIndex(m_stack->indexOf(widget));
        }
        if (m_controller && m_controller->hideSingleTabs())
            setTitleVisible(count() != 1);
        if (m_controller)
            m_controller->emitWidgetAdded(this, widget);
    }
    if (remember && !m_remembered.contains(widget))
        m_remembered.append(widget);
}

void Dock::insertWidget(int index, QWidget* widget)
{
    if (!acceptsPage(widget))
        return;
    unpark();
    takeFromOtherDock(widget);
    const int at = m_stack->insertWidget(index, widget);
    m_stack->layout()->activate();
    // Only the current page may be visible in the stack.
    if (m_stack->currentWidget() == widget)
        widget->show();
    insertTabFor(at, widget);
    // The tab bar may have selected the first tab on its own; keep the stack in step.
    if (m_tabBar->currentIndex() != m_stack->currentIndex() && m_tabBar->currentIndex() >= 0)
        m_stack->setCurrentIndex(m_tabBar->currentIndex());
    refreshTitle();
    relayout();
    if (m_controller)
        m_controller->emitWidgetAdded(this, widget);
}

void Dock::insertWidget(QPoint pos, QWidget* widget)
{
    insertWidget(m_tabBar->insertionIndexAt(pos), widget);
}

void Dock::moveWidget(int from, int to)
{
    QWidget* page = widget(from);
    if (!page || to < 0 || to >= count() || from == to)
        return;
    const bool wasCurrent = page == currentWidget();
    {
        // Not a removal: the tab moves with the page instead of going.
        const QSignalBlocker stackSignals(m_stack);
        const QSignalBlocker tabSignals(m_tabBar);
        m_stack->removeWidget(page);
        m_stack->insertWidget(to, page);
        m_tabBar->moveTab(from, to);
        if (wasCurrent)
            m_stack->setCurrentIndex(to);
        m_tabBar->setCurrentIndex(m_stack->currentIndex());
    }
    invalidateSizeHint();
    update();
}

void Dock::removeWidget(QWidget* widget)
{
    removeWidgetAndSetCurrentTab(widget, 0);
}

void Dock::removeWidgetAndSetCurrentTab(QWidget* widget, int tab)
{
    if (!widget || widget == m_parking || m_stack->indexOf(widget) == -1)
        return;
    if (m_parking) {
        // Being replaced: the page only leaves.
        takePage(widget);
        if (m_controller)
            m_controller->emitWidgetRemoved(this, widget);
        return;
    }
    QWidget* previous = currentWidget();
    takePage(widget);
    if (!previous || previous == widget)
        m_tabBar->setCurrentIndex(tab);
    else
        setCurrentWidget(previous);
    if (m_controller) {
        refreshTitle();
        relayout();
        m_controller->emitWidgetRemoved(this, widget);
    }
}

DockPlaceHolder* Dock::restorePlaceHolderForWidget(QWidget* widget)
{
    if (!widget || !m_controller || !m_controller->isInLayout(widget->objectName()))
        return nullptr;
    auto* placeHolder = new DockPlaceHolder;
    placeHolder->setObjectName(widget->objectName());
    // Keeps the tab's text when updateTitles() reads the titles back from the pages.
    placeHolder->setWindowTitle(widget->windowTitle());
    m_stack->addWidget(placeHolder);
    m_tabBar->addTab(tabIconFor(widget), widget->windowTitle());
    invalidateSizeHint();
    relayout();
    return placeHolder;
}

void Dock::setCurrentWidget(QWidget* widget)
{
    const int index = widget ? m_stack->indexOf(widget) : m_previousTab;
    if (index < 0 || index >= count())
        return;
    m_tabBar->setCurrentIndex(index);
    if (m_controller)
        m_controller->emitWidgetActivated(this, m_stack->widget(index));
}

void Dock::setCurrentTab(int tab)
{
    if (tab < 0 || tab >= count())
        return;
    m_tabBar->setCurrentIndex(tab);
    if (m_controller)
        m_controller->emitWidgetActivated(this, widget(tab));
}

void Dock::cycleCurrentWidget()
{
    const int n = count();
    if (n == 0)
        return;
    int index = currentTab() + 1;
    if (index >= n)
        index = 0;
    setCurrentTab(index);
}

void Dock::nextTab()
{
    cycleCurrentWidget();
}

void Dock::prevTab()
{
    const int n = count();
    if (n == 0)
        return;
    int index = currentTab() - 1;
    if (index < 0)
        index = n - 1;
    setCurrentTab(index);
}

void Dock::showTab(int tab)
{
    QWidget* old = m_stack->currentWidget();
    QWidget* windowFocus = window()->focusWidget();
    const bool focusOnOld = tab != m_stack->currentIndex() && old && windowFocus
        && (windowFocus == old || old->isAncestorOf(windowFocus));
    if (tab != m_stack->currentIndex())
        m_previousTab = m_stack->currentIndex();
    if (focusOnOld) {
        // Park the focus on the dock while the pages swap: the stack would
        // otherwise search the window's whole focus chain for a widget on the new
        // page, which costs time in proportion to the whole workspace.
        setFocusProxy(nullptr);
        setFocus(Qt::OtherFocusReason);
    }
    m_stack->setCurrentIndex(tab);
    if (focusOnOld && currentWidget())
        focusFirstIn(currentWidget());
    // After the focus moved: a proxy set while the dock holds the focus takes it.
    setFocusProxy(currentWidget());
    // When the last page has gone there is nothing to report as activated.
    if (m_controller && currentWidget())
        m_controller->emitWidgetActivated(this, currentWidget());
}

void Dock::removeTab(int tab)
{
    if (m_parking) {
        // The stand-in stays current: no other tab may come forward.
        const QSignalBlocker blocker(m_tabBar);
        m_tabBar->removeTab(tab);
        return;
    }
    m_tabBar->removeTab(tab);
    followTabs();
}

void Dock::followTabs()
{
    invalidateSizeHint();
    // A page the host destroyed, or one taken by another layout, leaves through
    // here too: keep stack, tabs and focus proxy in step.
    if (m_tabBar->currentIndex() != m_stack->currentIndex() && m_tabBar->currentIndex() < count())
        m_stack->setCurrentIndex(m_tabBar->currentIndex());
    // The proxy may be the page that left (or is being destroyed, when it still
    // looks parented): only a widget on the current page may stay the proxy.
    QWidget* proxy = focusProxy();
    QWidget* current = currentWidget();
    if (proxy && !(current && (proxy == current || current->isAncestorOf(proxy))))
        setFocusProxy(current);
    if (m_previousTab >= count())
        m_previousTab = 0;
    // An emptied pane gives its room back to the panes it was expanded over.
    if (count() == 0)
        setExpanded(false);
    refreshTitle();
}

void Dock::updateTitles()
{
    for (int i = 0; i < count() && i < m_tabBar->count(); ++i) {
        QWidget* w = m_stack->widget(i);
        m_tabBar->setTabText(i, w->windowTitle());
        m_tabBar->setTabIcon(i, tabIconFor(w));
    }
    invalidateSizeHint();
    relayout();
}

void Dock::refreshTitle()
{
    if (m_controller && m_controller->hideSingleTabs())
        setTitleVisible(count() != 1);
    else
        setTitleVisible(true);
}

void Dock::setTitleVisible(bool titleVisible)
{
    if (m_titleVisible == titleVisible)
        return;
    m_titleVisible = titleVisible;
    {
        const QSignalBlocker blocker(m_showTabsAction);
        m_showTabsAction->setChecked(titleVisible);
    }
    m_tabBar->setVisible(titleVisible);
    if (m_menuButton)
        m_menuButton->setVisible(titleVisible);
    if (m_floatButton)
        m_floatButton->setVisible(titleVisible);
    if (m_closeButton)
        m_closeButton->setVisible(titleVisible);
    update();
    relayout();
}

// --- layout and painting ----------------------------------------------------

void Dock::relayout()
{
    bool hasToolBar = false;
    for (int i = 0; i < m_stack->count() && !hasToolBar; ++i)
        hasToolBar = qobject_cast<QToolBar*>(m_stack->widget(i)) != nullptr;
    if (hasToolBar) {
        setMinimumSize(m_stack->layout()->minimumSize());
        setMaximumSize(m_stack->layout()->maximumSize());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    // Laying out the tabs measures every title: while a layout is restored, once
    // when the workspace is built rather than at every page that comes or goes.
    if (m_controller && m_controller->m_deferDockLayout) {
        if (!m_relayoutPending)
            m_controller->m_deferredDocks.append(this);
        m_relayoutPending = true;
        return;
    }
    m_relayoutPending = false;

    DockGeometry::TitleMetrics m;
    m.dock = size();
    m.titleVisible = m_titleVisible;
    m.margin = style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin, nullptr, this);
    m.hasMenuButton = m_menuButton != nullptr;
    m.hasButtons = m_closeButton != nullptr;
    if (m_closeButton) {
        m.closeHint = m_closeButton->sizeHint();
        m.floatHint = m_floatButton->sizeHint();
    }
    m.lineSpacing = fontMetrics().lineSpacing();
    m.tabBarHint = m_titleVisible ? m_tabBar->sizeHint() : QSize();
    m.direction = layoutDirection();
    const DockGeometry::TitleLayout l = DockGeometry::LayoutTitle(m);

    m_titleBar->setGeometry(l.titleBar);
    m_stack->setGeometry(l.stack);
    if (!m_titleVisible)
        return;
    if (m_closeButton) {
        m_closeButton->setVisible(l.buttonsVisible);
        m_floatButton->setVisible(l.buttonsVisible);
        if (l.buttonsVisible) {
            m_closeButton->setGeometry(l.closeButton);
            m_floatButton->setGeometry(l.floatButton);
        }
    }
    if (m_menuButton) {
        const QSize hint = m_menuButton->sizeHint();
        m_menuButton->setGeometry(QStyle::visualRect(
            layoutDirection(), l.titleBar,
            QRect(QPoint(1, (l.titleBar.height() - hint.height()) / 2), hint)));
    }
    m_tabBar->setGeometry(l.tabBar);
}

void Dock::resizeEvent(QResizeEvent*)
{
    relayout();
}

void Dock::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QColor line = palette().color(QPalette::Shadow);
    line.setAlphaF(line.alphaF() * 0.23);
    QPen pen(line);
    pen.setCosmetic(true);
    p.setPen(pen);
    const int y = height() - m_stack->height() - 1;
    p.drawLine(0, y, width() - 1, y);
    if (m_hover && !(m_controller && m_controller->splitPanelsByDragging()))
        p.fillRect(QRect(0, 0, width(), 2), palette().color(QPalette::Highlight));
}

QSize Dock::sizeHint() const
{
    if (!m_sizeHint.isValid()) {
        const QSize stackHint = m_stack->sizeHint();
        m_sizeHint = QSize(stackHint.width(), m_tabBar->sizeHint().height() + stackHint.height());
    }
    return m_sizeHint;
}

void Dock::invalidateSizeHint()
{
    m_sizeHint = QSize();
    if (auto* splitter = dynamic_cast<DockSplitter*>(parentWidget()))
        splitter->invalidateHints();
}

bool Dock::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::LayoutRequest: {
        // The stack posts this (while shown) when a page's hint may have changed,
        // and after every tab change: tell the splitter only when the hint did
        // change, since each report climbs the whole splitter tree.
        const QSize before = m_sizeHint;
        m_sizeHint = QSize();
        if (!before.isValid() || sizeHint() != before) {
            invalidateSizeHint();
            updateGeometry();
        }
        break;
    }
    case QEvent::Show:   // pages' hint changes while hidden went unreported
        if (m_relayoutPending)
            relayout();
        invalidateSizeHint();
        break;
    case QEvent::Hide:
    case QEvent::ParentChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        invalidateSizeHint();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

// --- pane commands ----------------------------------------------------------

Dock* Dock::split(Qt::Orientation orientation, bool before)
{
    auto* parent = dynamic_cast<DockSplitter*>(parentWidget());
    if (!parent || !m_controller)
        return nullptr;
    // Splitting gives both panes room, so an expanded pane is restored first.
    setExpanded(false);
    const int index = parent->indexOf(this);
    const DockGeometry::SplitPlan plan =
        DockGeometry::PlanSplit(parent->orientation(), parent->sizes(), index, orientation, before);
    Dock* dock = m_controller->createDock();
    if (!dock)
        return nullptr;

    if (plan.nest) {
        auto* splitter = new DockSplitter(orientation);
        parent->insertWidget(index, splitter);
        splitter->addWidget(this);
        splitter->insertWidget(plan.insertAt, dock);
        const int extent = orientation == Qt::Horizontal ? splitter->width() : splitter->height();
        splitter->setSizes({extent, extent});
        splitter->updateDocks();
    } else {
        parent->setOrientation(orientation);
        parent->insertWidget(plan.insertAt, dock);
    }
    parent->setSizes(plan.sizes);
    parent->updateDocks();
    return dock;
}

void Dock::splitHorizontal()
{
    split(Qt::Horizontal, false);
}

void Dock::splitVertical()
{
    split(Qt::Vertical, false);
}

void Dock::movePageTo(Dock* target, QWidget* widget)
{
    if (m_stack->indexOf(widget) != -1)
        removeWidget(widget);
    target->addWidget(widget, true, false);
}

DockWindow* Dock::createFloatingWindow(Dock** dock)
{
    // A new window and a new dock for it (the caller fills the dock, then adds it);
    // nothing when a factory declines.
    DockWindow* window = m_controller->createWindow();
    Dock* fresh = m_controller->createDock();
    if (!window || !fresh) {
        delete fresh;
        delete window;
        return nullptr;
    }
    *dock = fresh;
    return window;
}

void Dock::floatWidgetAt(QWidget* widget, QPoint globalPos)
{
    if (!widget || !m_controller)
        return;
    Dock* dock = nullptr;
    DockWindow* window = createFloatingWindow(&dock);
    if (!window)
        return;
    movePageTo(dock, widget);
    window->addWidget(dock);
    m_controller->addFloatingDock(window);
    DockUtil::ShowFloating(window, size(), globalPos);
    if (parentCanBeClosed())
        dockWindow()->close();
}

void Dock::floatDock()
{
    if (!m_controller || count() == 0)
        return;
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    Dock* dock = nullptr;
    DockWindow* window = createFloatingWindow(&dock);
    if (!window)
        return;
    for (int i = count() - 1; i >= 0; --i)
        movePageTo(dock, widget(i));
    window->addWidget(dock);
    m_controller->addFloatingDock(window);
    DockUtil::ShowFloating(window, size(), origin);
}

void Dock::floatActiveTab()
{
    if (QWidget* w = currentWidget())
        floatWidgetAt(w, mapToGlobal(QPoint(0, 0)));
}

void Dock::focusFirstIn(QWidget* page)
{
    // Where the page's focus was last, else its first widget that takes Tab focus
    // (a page's widgets follow it in the focus chain), else the page itself.
    QWidget* target = page->focusWidget();
    for (QWidget* w = page->nextInFocusChain(); !target && w && w != page && page->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisibleTo(page) && w->isEnabled())
            target = w;
    }
    (target ? target : page)->setFocus(Qt::OtherFocusReason);
}

void Dock::park()
{
    if (m_parking)
        return;
    auto* parking = new QWidget;
    m_parking = parking;
    const QSignalBlocker stackSignals(m_stack);
    const QSignalBlocker tabSignals(m_tabBar);
    m_stack->setCurrentIndex(m_stack->addWidget(parking));
}

void Dock::unpark()
{
    if (!m_parking)
        return;
    {
        const QSignalBlocker stackSignals(m_stack);   // the stand-in has no tab to remove
        delete m_parking.data();
    }
    // The tab bar kept its current tab through the removals: the rest follows it.
    followTabs();
    relayout();
}

void Dock::takePage(QWidget* page)
{
    DockUtil::ReleaseFocus(page);
    m_stack->removeWidget(page);
}

bool Dock::closePages(QList<QPointer<QWidget>> pages)
{
    bool refused = false;
    QPointer<Dock> self(this);
    for (int i = pages.size() - 1; i >= 0 && self; --i) {
        QPointer<QWidget> page = pages.at(i);
        if (!page || m_stack->indexOf(page) == -1)
            continue;
        // Read first: Qt clears the attribute when close() schedules the deletion.
        const bool deleteOnClose = page->testAttribute(Qt::WA_DeleteOnClose);
        DockUtil::ReleaseFocus(page);
        if (!page->close()) {
            refused = true;
            continue;
        }
        // A page's close handler may have destroyed it, moved it elsewhere or
        // closed this dock.
        if (!self || !page || m_stack->indexOf(page) == -1)
            continue;
        // Pages that delete themselves leave the dock now too, so that the tab,
        // the count and the window-closing rule do not wait for the deletion.
        removeWidgetAndSetCurrentTab(page, 0);
        if (!deleteOnClose)
            page->setParent(nullptr);
    }
    return self && !refused;
}

void Dock::closeTabs(const QList<QPointer<QWidget>>& pages)
{
    const bool hadFocus = DockUtil::HasFocusInside(this);
    QPointer<Dock> self(this);
    if (!closePages(pages) || !self)
        return;
    if (hadFocus && !DockUtil::HasFocusInside(this)) {
        if (QWidget* current = currentWidget())
            current->setFocus(Qt::OtherFocusReason);
        else
            setFocus(Qt::OtherFocusReason);
    }
    if (parentCanBeClosed())
        dockWindow()->close();
}

void Dock::closeTab(int index)
{
    if (index >= 0 && index < count())
        closeTabs({widget(index)});
}

void Dock::closeActiveTab()
{
    closeTab(currentTab());
}

void Dock::closeInactiveTabs()
{
    QList<QPointer<QWidget>> others;
    for (int i = 0; i < count(); ++i) {
        if (widget(i) != currentWidget())
            others.append(widget(i));
    }
    closeTabs(others);
}

bool Dock::parentCanBeClosed() const
{
    if (count() != 0)
        return false;
    DockWindow* window = dockWindow();
    return window && window != static_cast<DockWindow*>(m_controller.data()) && isTopLevel(this);
}

void Dock::closeEvent(QCloseEvent* e)
{
    QList<QPointer<QWidget>> pages;
    for (int i = 0; i < count(); ++i)
        pages.append(widget(i));
    QPointer<Dock> self(this);
    const bool closed = closePages(pages);
    if (!self)
        return;
    if (!closed) {
        e->ignore();
        return;
    }
    e->accept();
    const bool closeWindow = parentCanBeClosed();
    DockWindow* window = dockWindow();
    setExpanded(false);
    // A closed pane leaves the workspace at once: no lookup, navigation or host
    // may reach it while its deletion is pending. It stays a child of its window
    // so that it goes with it.
    if (window && dynamic_cast<DockSplitter*>(parentWidget())) {
        DockUtil::ReleaseFocus(this);
        hide();
        setParent(window);
    }
    if (closeWindow)
        window->close();
}

void Dock::transposeDock()
{
    if (auto* parent = dynamic_cast<DockSplitter*>(parentWidget())) {
        parent->setOrientation(parent->orientation() == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal);
        // Hidden windows get no layout request: the splitters above would keep stale hints.
        parent->invalidateHints();
    }
}

void Dock::fullscreenDock()
{
    QWidget* w = window();
    if (w)
        WidgetUtils::SetFullscreen(w, !WidgetUtils::GetFullscreen(w), nullptr);
}

bool Dock::isFullscreenDock() const
{
    const QWidget* w = window();
    return w && WidgetUtils::GetFullscreen(w);
}

void Dock::dumpLayout()
{
    // A debugging aid. Written to the user's private runtime directory, never to a
    // shared one where anyone could plant a link to another file; a link found
    // there all the same is not followed.
    const QString path = DockLayout::DumpPath();
    if (!m_controller || path.isEmpty())
        return;
    QFile file;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 || !file.open(fd, QIODevice::WriteOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
#endif
    m_controller->saveLayout(&file, nullptr);
}

void Dock::setExpanded(bool expanded)
{
    if (m_expanded == expanded)
        return;
    QList<DockSplitter*> collected;
    QWidget* child = this;
    for (QWidget* ancestor = parentWidget(); ancestor; child = ancestor, ancestor = ancestor->parentWidget()) {
        if (auto* splitter = dynamic_cast<DockSplitter*>(ancestor)) {
            if (expanded) {
                const int index = splitter->indexOf(child);
                if (index != -1)
                    splitter->expand(index);
            } else {
                collected.append(splitter);
            }
        }
        if (ancestor->isWindow())
            break;
    }
    for (int i = collected.size() - 1; i >= 0; --i)
        collected.at(i)->expand(-1);
    m_expanded = expanded;
}

void Dock::makeActive()
{
    if (!m_controller || m_controller->activeDock() != this)
        setFocus(Qt::OtherFocusReason);
}

void Dock::setHover(bool on)
{
    if (m_hover == on)
        return;
    DockDragState& drag = DockDragState::instance();
    if (on && m_controller && m_controller->splitPanelsByDragging()) {
        if (drag.showHoverWidget(this, m_stack->rect().translated(m_stack->mapToGlobal(QPoint(0, 0))))
            && drag.draggedWidget)
            drag.draggedWidget->raise();
    } else {
        // Whatever the option says now: it may have been switched off since the
        // overlay was made.
        drag.destroyHoverWidget();
    }
    m_hover = on;
    // Only the strip along the top shows the hover; repainting the pages costs.
    update(QRect(0, 0, width(), 2));
}

void Dock::updateTabs()
{
    m_tabBar->update();
}

// --- focus follows the mouse --------------------------------------------------

void Dock::enterEvent(QEvent* e)
{
    QWidget::enterEvent(e);
    QWidget* focus = QApplication::focusWidget();
    if (DockUtil::Contains(this, focus))
        return;
    // Typing elsewhere is not interrupted by passing over a pane.
    if (qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)
        || qobject_cast<QLineEdit*>(focus) || qobject_cast<QDoubleSpinBox*>(focus))
        return;
    if (currentWidget() && !focusProxy())
        currentWidget()->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void Dock::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    QWidget* focus = QApplication::focusWidget();
    if (focus == this)
        setFocusProxy(nullptr);
    else if (DockUtil::Contains(this, focus))
        setFocusProxy(focus);
}

void Dock::contextMenuEvent(QContextMenuEvent* e)
{
    setFocus(Qt::OtherFocusReason);
    m_menu->popup(e->globalPos());
}

// --- queries ------------------------------------------------------------------

DockMainWindow* Dock::controller() const
{
    return m_controller.data();
}

int Dock::count() const
{
    return m_stack->count() - (m_parking ? 1 : 0);
}

QWidget* Dock::widget(int index) const
{
    return m_stack->widget(index);
}

QWidget* Dock::currentWidget() const
{
    QWidget* current = m_stack->currentWidget();
    return current == m_parking ? nullptr : current;
}

int Dock::currentTab() const
{
    return currentWidget() ? m_stack->currentIndex() : -1;
}

QList<QWidget*> Dock::rememberedWidgets() const
{
    QList<QWidget*> out;
    for (const QPointer<QWidget>& w : m_remembered) {
        if (w)
            out.append(w.data());
    }
    return out;
}

int Dock::tabBarHeight() const
{
    return m_tabBar->dockTabRect(0).height();
}

DockWindow* Dock::dockWindow() const
{
    for (QWidget* p = parentWidget(); p; p = p->parentWidget()) {
        if (auto* w = dynamic_cast<DockWindow*>(p))
            return w;
    }
    return nullptr;
}

Dock* Dock::dockForWidget(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* dock = qobject_cast<Dock*>(w))
            return dock;
    }
    return nullptr;
}

bool Dock::isTopLevel(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        auto* splitter = qobject_cast<const QSplitter*>(w);
        if (splitter && splitter->count() > 1)
            return false;
    }
    return true;
}

} // namespace UI
} // namespace Quill
