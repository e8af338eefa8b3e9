#include "DockTabBar.h"
#include "Dock.h"
#include "DockDragState_p.h"
#include "DockGeometry_p.h"
#include "DockMainWindow.h"
#include "DockTitleBar.h"
#include "DockUtil_p.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace Quill {
namespace UI {

DockTabBar::DockTabBar(Dock* dock, DockTitleBar* parent)
    : QTabBar(parent)
    , m_dock(dock)
    , m_titleBar(parent)
{
    setFocusPolicy(Qt::NoFocus);
    DockMainWindow* controller = dock ? dock->controller() : nullptr;
    if (controller && controller->tabsAreClosable()) {
        setTabsClosable(true);
        connect(this, SIGNAL(tabCloseRequested(int)), dock, SLOT(closeTab(int)));
    }
}

QRect DockTabBar::dockTabRect(int index) const
{
    return DockGeometry::TabRect(tabRect(index), fontMetrics().lineSpacing());
}

int DockTabBar::insertionIndexAt(const QPoint& pos) const
{
    const int tab = tabAt(pos);
    return DockGeometry::InsertionIndex(tab, dockTabRect(tab), pos);
}

QSize DockTabBar::tabSizeHint(int index) const
{
    return cachedTabSize(index, false);
}

QSize DockTabBar::minimumTabSizeHint(int index) const
{
    return cachedTabSize(index, true);
}

QSize DockTabBar::cachedTabSize(int index, bool minimum) const
{
    auto measure = [this, index, minimum] {
        return minimum ? QTabBar::minimumTabSizeHint(index) : QTabBar::tabSizeHint(index);
    };
    // Everything the measurement reads: style, font, text, the icon's size, the
    // tab buttons, the shape, and where the tab stands.
    if (!m_lookKnown) {
        m_lookKnown = true;
        m_lookKey = style()->inherits("QStyleSheetStyle")
            ? QString()
            : QString::number(quintptr(style()), 16) + QLatin1Char(' ') + font().key();
    }
    DockMainWindow* controller = m_dock ? m_dock->controller() : nullptr;
    if (!controller || m_lookKey.isEmpty() || index < 0 || index >= count())
        return measure();
    const QSize icon = tabIcon(index).isNull() ? QSize() : iconSize();
    const QWidget* left = tabButton(index, LeftSide);
    const QWidget* right = tabButton(index, RightSide);
    const QSize l = left ? left->size() : QSize();
    const QSize r = right ? right->size() : QSize();
    const int where = (index == 0) | (index == count() - 1) << 1 | (index == currentIndex()) << 2;
    const ushort look[] = {0xffff,   // not a character: ends the font's part
                           ushort(minimum), ushort(where), ushort(shape()), ushort(documentMode()),
                           ushort(elideMode()), ushort(icon.width()), ushort(icon.height()), ushort(l.width()),
                           ushort(l.height()), ushort(r.width()), ushort(r.height())};
    QString key = m_lookKey;
    for (ushort v : look)
        key.append(QChar(v));
    key.append(tabText(index));
    QHash<QString, QSize>& sizes = controller->m_tabSizes;
    auto it = sizes.constFind(key);
    if (it != sizes.constEnd())
        return *it;
    if (sizes.size() >= 4096)
        sizes.clear();   // titles that keep changing must not grow it without end
    const QSize size = measure();
    sizes.insert(key, size);
    return size;
}

void DockTabBar::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) {
        m_lookKnown = false;
        // A new style may take the place of a deleted one at the same address.
        DockMainWindow* controller = m_dock ? m_dock->controller() : nullptr;
        if (controller && e->type() == QEvent::StyleChange)
            controller->m_tabSizes.clear();
    }
    QTabBar::changeEvent(e);
}

void DockTabBar::onMouseOverDock(bool on)
{
    if (m_mouseOverDock == on)
        return;
    m_mouseOverDock = on;
    update();
}

void DockTabBar::mousePressEvent(QMouseEvent* e)
{
    DockDragState& drag = DockDragState::instance();
    if (drag.isDragging()) {
        e->accept();   // the drag in flight owns the mouse
        return;
    }
    drag.hoveredDock = nullptr;
    if (m_draggedTab >= 0)
        stopReorder();   // its release went elsewhere
    // Before Qt scrolls a partly hidden tab into view: another tab may lie under
    // the press afterwards.
    const int pressedTab = tabAt(e->pos());
    QTabBar::mousePressEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    if (m_titleBar)
        m_titleBar->setPressed(true);
    m_pressedPage = nullptr;
    if (e->modifiers() & Qt::ControlModifier) {
        m_pressPos = QPoint(-1, -1);
        if (m_dock)
            m_dock->floatActiveTab();
        return;
    }
    m_pressPos = e->pos();
    if (m_dock) {
        m_pressedPage = m_dock->widget(pressedTab);
        m_dock->setFocus(Qt::OtherFocusReason);
    }
}

void DockTabBar::startReorder(int tab)
{
    m_draggedTab = tab;
    m_reorderFrom = tab;
    m_draggedPage = m_dock->widget(tab);
    const QRect r = dockTabRect(tab);
    m_grabOffset = m_pressPos.x() - r.left();
    m_draggedLeft = r.left();
    grabKeyboard();   // for Escape
}

void DockTabBar::stopReorder()
{
    m_draggedTab = -1;
    m_reorderFrom = -1;
    m_draggedPage = nullptr;
    if (QWidget::keyboardGrabber() == this)
        releaseKeyboard();
    update();
}

void DockTabBar::dragEnded()
{
    m_pressPos = QPoint(-1, -1);
    if (m_titleBar)
        m_titleBar->setPressed(false);
    update();
}

void DockTabBar::mouseMoveEvent(QMouseEvent* e)
{
    DockDragState& drag = DockDragState::instance();
    if (drag.isDragging()) {
        if (drag.owner() == this)
            drag.moveTo(e->globalPos());
        QTabBar::mouseMoveEvent(e);
        return;
    }
    if (m_draggedTab < 0 && m_dock && (e->buttons() & Qt::LeftButton) && m_pressPos.x() >= 0
        && DockGeometry::ArmsDrag(e->pos() - m_pressPos, QApplication::startDragDistance())) {
        // The pressed tab may have gone (closed by its button or by the host), or
        // moved (scrolled into view, or another tab closed before it).
        const int tab = m_pressedPage ? m_dock->stack()->indexOf(m_pressedPage) : -1;
        if (tab >= 0)
            startReorder(tab);
        else
            m_pressPos = QPoint(-1, -1);
    }
    if (m_draggedTab >= 0 && !reorderTo(e))
        return;
    QTabBar::mouseMoveEvent(e);
}

bool DockTabBar::reorderTo(const QMouseEvent* e)
{
    // The page may have left or moved since the last step.
    const int tab = m_draggedPage ? m_dock->stack()->indexOf(m_draggedPage) : -1;
    if (tab < 0 || tab >= count()) {
        stopReorder();
        m_pressPos = QPoint(-1, -1);
        return true;
    }
    m_draggedTab = tab;
    const QRect titleBar = m_titleBar ? m_titleBar->rect() : rect();
    const QPoint at = m_titleBar ? pos() : QPoint();
    if (!DockGeometry::TearOffRect(titleBar, at).contains(e->pos())) {
        const QPoint press = m_pressPos;
        stopReorder();
        DockDragState::instance().begin(this, tab, press, e->pos(), e->globalPos());
        return false;
    }
    m_draggedLeft = e->pos().x() - m_grabOffset;
    const int n = count();
    QRect moved = dockTabRect(tab);
    moved.moveLeft(m_draggedLeft);
    const int to = DockGeometry::ReorderIndex(tab, n, moved, tab > 0 ? dockTabRect(tab - 1) : QRect(),
                                              tab < n - 1 ? dockTabRect(tab + 1) : QRect());
    if (to != tab) {
        // One repaint for the stack, the tabs and the title.
        m_dock->setUpdatesEnabled(false);
        m_dock->moveWidget(tab, to);
        m_draggedTab = to;
        setCurrentIndex(to);
        m_dock->setUpdatesEnabled(true);
    }
    update();
    return true;
}

void DockTabBar::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QTabBar::mouseReleaseEvent(e);
        return;
    }
    if (m_titleBar)
        m_titleBar->setPressed(false);   // hides a hover-revealed title the mouse has left
    if (m_draggedTab >= 0) {
        stopReorder();
        return;
    }
    DockDragState& drag = DockDragState::instance();
    if (drag.isDragging() && drag.owner() == this) {
        QPointer<DockTabBar> self(this);
        drag.drop(e->globalPos(), e->modifiers() & Qt::ControlModifier);
        if (!self)
            return;
    }
    QTabBar::mouseReleaseEvent(e);
}

void DockTabBar::hideEvent(QHideEvent* e)
{
    // A hidden bar sees no release: a reorder must not keep the keyboard.
    if (m_draggedTab >= 0)
        stopReorder();
    QTabBar::hideEvent(e);
}

void DockTabBar::keyPressEvent(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Escape) {
        QTabBar::keyPressEvent(e);
        return;
    }
    DockDragState& drag = DockDragState::instance();
    if (drag.isDragging() && drag.owner() == this) {
        drag.cancel();
    } else if (m_draggedTab >= 0) {
        const int tab = m_dock->stack()->indexOf(m_draggedPage);
        if (tab >= 0 && m_reorderFrom >= 0 && m_reorderFrom < count() && tab != m_reorderFrom) {
            m_dock->setUpdatesEnabled(false);
            m_dock->moveWidget(tab, m_reorderFrom);
            setCurrentIndex(m_reorderFrom);
            m_dock->setUpdatesEnabled(true);
        }
        stopReorder();
    } else {
        QTabBar::keyPressEvent(e);
        return;
    }
    m_pressPos = QPoint(-1, -1);   // no new drag until the next press
}

void DockTabBar::paintEvent(QPaintEvent* e)
{
    const int n = count();
    if (n == 0)
        return;
    QStylePainter p(this);
    const int current = currentIndex();

    auto rectFor = [&](int i) {
        return i == m_draggedTab ? DockGeometry::DraggedTabRect(dockTabRect(i), m_draggedLeft, width())
                                 : dockTabRect(i);
    };
    auto optionFor = [&](int i) {
        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        opt.rect = rectFor(i);
        if (!(opt.state & QStyle::State_Enabled))
            opt.palette.setCurrentColorGroup(QPalette::Disabled);
        if (m_draggedTab >= 0)
            opt.state &= ~QStyle::State_MouseOver;
        return opt;
    };

    // Tabs outside the damaged area would be clipped away: in a narrow pane most
    // are, and each costs a text layout (a few pixels' margin for the frame).
    const QRect damaged = e->rect().adjusted(-4, -4, 4, 4);
    for (int i = 0; i < n; ++i) {
        if (i == current || !rectFor(i).intersects(damaged))
            continue;
        p.drawControl(QStyle::CE_TabBarTab, optionFor(i));
    }
    if (current < 0 || current >= n)
        return;

    QStyleOptionTab opt = optionFor(current);
    DockMainWindow* controller = m_dock ? m_dock->controller() : nullptr;
    if (controller && controller->highlightCurrentTab()) {
        if (DockUtil::HasFocusInside(m_dock))
            opt.palette.setBrush(QPalette::WindowText, palette().brush(QPalette::Highlight));
        else if (m_mouseOverDock)
            opt.palette.setBrush(QPalette::WindowText, palette().color(QPalette::Highlight).lighter(150));
    }
    p.drawControl(QStyle::CE_TabBarTab, opt);
}

} // namespace UI
} // namespace Quill
