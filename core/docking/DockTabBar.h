#pragma once

#include <QuillCoreExport.h>

#include <QPoint>
#include <QTabBar>

namespace Quill {
namespace UI {

class Dock;
class DockTitleBar;

// The tab bar inside a Dock's title bar: one tab per page of the dock. Paints its
// tabs itself (the current one last, highlighted when the workspace asks for it).
// A Ctrl-press floats the current tab. GUI thread only.
class QUILL_CORE_EXPORT DockTabBar : public QTabBar
{
    Q_OBJECT
public:
    // `dock` is not owned; `parent` (the dock's title bar) is the parent widget.
    DockTabBar(Dock* dock, DockTitleBar* parent);

    Dock* dock() const { return m_dock; }

    // The tab-rectangle rule: tabRect(i) at least one line of the font tall.
    QRect dockTabRect(int index) const;
    // The insertion-index rule for a point in tab-bar coordinates: -1 when no tab
    // is under it, else that tab, plus one right of the tab's middle.
    int insertionIndexAt(const QPoint& pos) const;

    bool isMouseOverDock() const { return m_mouseOverDock; }

public slots:
    // Lightens the current-tab highlight while a dragged tab hovers the dock.
    void onMouseOverDock(bool on);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QPoint m_pressPos;            // (-1, -1) after a Ctrl-press: no drag from it
    Dock* m_dock;                 // owner's owner; outlives the bar
    DockTitleBar* m_titleBar;     // parent
    bool m_mouseOverDock = false;
};

} // namespace UI
} // namespace Quill
