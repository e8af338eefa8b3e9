#include "DockTabBar.h"
#include "Dock.h"
#include "DockDragState_p.h"
#include "DockGeometry_p.h"
#include "DockMainWindow.h"
#include "DockTitleBar.h"
#include "DockUtil_p.h"

#include <QApplication>
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

void DockTabBar::onMouseOverDock(bool on)
{
    if (m_mouseOverDock == on)
        return;
    m_mouseOverDock = on;
    update();
}

void DockTabBar::mousePressEvent(QMouseEvent* e)
{
    DockDragState::instance().hoveredDock = nullptr;
    QTabBar::mousePressEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    if (m_titleBar)
        m_titleBar->setPressed(true);
    if (e->modifiers() & Qt::ControlModifier) {
        m_pressPos = QPoint(-1, -1);
        if (m_dock)
            m_dock->floatActiveTab();
        return;
    }
    m_pressPos = e->pos();
    if (m_dock)
        m_dock->setFocus(Qt::OtherFocusReason);
}

void DockTabBar::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && m_titleBar)
        m_titleBar->setPressed(false);   // hides a hover-revealed title the mouse has left
    QTabBar::mouseReleaseEvent(e);
}

void DockTabBar::paintEvent(QPaintEvent*)
{
    const int n = count();
    if (n == 0)
        return;
    QStylePainter p(this);
    const int current = currentIndex();

    auto optionFor = [&](int i) {
        QStyleOptionTab opt;
        initStyleOption(&opt, i);
        opt.rect = dockTabRect(i);
        if (!(opt.state & QStyle::State_Enabled))
            opt.palette.setCurrentColorGroup(QPalette::Disabled);
        return opt;
    };

    for (int i = 0; i < n; ++i) {
        if (i == current)
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
