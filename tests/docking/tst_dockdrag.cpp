// Tab dragging driven with synthetic mouse and key events under a real window
// system (global positions, grabs and tool windows matter).
#include "DockTestUtil.h"

#include <docking/DockDragState_p.h>
#include <docking/DockWindow.h>

#include <QMenu>
#include <QSignalSpy>
#include <QStackedWidget>

using namespace Quill::UI;

Q_DECLARE_METATYPE(Quill::UI::DropZone)

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, mods);
    QApplication::sendEvent(w, &e);
}

QString pages(const Dock* d)
{
    QStringList out;
    for (int i = 0; d && i < d->count(); ++i)
        out << d->widget(i)->objectName();
    return out.join(',');
}

// The main window holds [a | b]: a with pages a0 a1 a2, b with b0. Drags start
// from a's tab bar, which keeps the mouse until the drop.
struct Workspace {
    TestWindow mw;
    Dock* a = makeDock(&mw, "a", {"a0", "a1", "a2"});
    Dock* b = makeDock(&mw, "b", {"b0"});
    QPointer<QWidget> a0 = a->widget(0);
    QPoint press;
    explicit Workspace(bool split)
    {
        mw.setSplitPanelsByDragging(split);
        mw.setGeometry(100, 100, 640, 400);
        mw.addWidget(a);
        mw.addWidget(b);
        mw.rootSplitter()->setOrientation(Qt::Horizontal);
        mw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mw));
        a->setCurrentTab(0);
        press = a->tabBar()->dockTabRect(0).center();
    }
    void send(QEvent::Type type, QPoint global, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        mouse(a->tabBar(), type, a->tabBar()->mapFromGlobal(global), mods);
    }
    void tearOff()
    {
        mouse(a->tabBar(), QEvent::MouseButtonPress, press);
        mouse(a->tabBar(), QEvent::MouseMove, press + QPoint(0, 80));
    }
};

// Whatever ended the drag, nothing of it is left behind.
QString leftovers(const DockMainWindow& mw)
{
    const DockDragState& drag = DockDragState::instance();
    if (drag.isDragging() || drag.hoverWidget || drag.hoveredDock || QWidget::mouseGrabber()
        || QWidget::keyboardGrabber())
        return QStringLiteral("drag state, overlay or grab left");
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (dynamic_cast<Page*>(w) && w->isVisible())
            return QStringLiteral("page %1 left as a window").arg(w->objectName());
    }
    for (Dock* d : mw.docks()) {
        if (d->isHover() || d->titleBar()->isPressed())
            return QStringLiteral("dock %1 still hovered or pressed").arg(d->objectName());
    }
    QString breach;
    return mw.checkSanity(&breach) ? QString() : breach;
}

} // namespace

class tst_DockDrag : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { deleteOrphanPages(); }
    void reorder_data();
    void reorder();
    void drop_data();
    void drop();
    void emptiedFloatingSource_data();
    void emptiedFloatingSource();
};

void tst_DockDrag::reorder_data()
{
    QTest::addColumn<int>("how");   // 0 moves, 1 then Escape, 2 page removed after the press, 3 Ctrl-press
    QTest::addColumn<int>("dx");    // -1/-2: to (a pixel short of) the next tab's right edge;
                                    // 1000 + n: n px right of the title bar
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("torn");
    QTest::newRow("short of arming") << 0 << 2 * QApplication::startDragDistance() - 1 << "a0,a1,a2" << false;
    QTest::newRow("right edge meets the next") << 0 << -1 << "a1,a0,a2" << false;
    QTest::newRow("one pixel short") << 0 << -2 << "a0,a1,a2" << false;
    QTest::newRow("Escape puts it back") << 1 << -1 << "a0,a1,a2" << false;
    QTest::newRow("pressed page removed") << 2 << -1 << "a1,a2" << false;
    QTest::newRow("5 px right of the title bar") << 0 << 1005 << "a1,a2,a0" << false;
    QTest::newRow("6 px right of the title bar") << 0 << 1006 << "a1,a2" << true;
    QTest::newRow("Ctrl-press floats at once") << 3 << -1 << "a1,a2" << false;
}

void tst_DockDrag::reorder()
{
    QFETCH(int, how);
    QFETCH(int, dx);
    QFETCH(QString, order);
    QFETCH(bool, torn);
    Workspace ws(false);
    DockTabBar* bar = ws.a->tabBar();
    QSignalSpy added(&ws.mw, SIGNAL(widgetAdded(Quill::UI::Dock*,QWidget*)));
    QSignalSpy removed(&ws.mw, SIGNAL(widgetRemoved(Quill::UI::Dock*,QWidget*)));
    if (dx < 0)
        dx = bar->dockTabRect(1).right() - bar->dockTabRect(0).right() + dx + 1;
    else if (dx > 1000)
        dx = ws.a->titleBar()->width() - 1 - bar->x() + dx - 1000 - ws.press.x();
    mouse(bar, QEvent::MouseButtonPress, ws.press, how == 3 ? Qt::ControlModifier : Qt::NoModifier);
    if (how == 2) {
        ws.a->removeWidget(ws.a0);
        ws.a0->setParent(nullptr);
    }
    mouse(bar, QEvent::MouseMove, ws.press + QPoint(dx / 2, 0));
    mouse(bar, QEvent::MouseMove, ws.press + QPoint(dx, 0));
    QCOMPARE(DockDragState::instance().isDragging(), torn);
    if (how == 1)
        QTest::keyClick(bar, Qt::Key_Escape);
    mouse(bar, QEvent::MouseButtonRelease, ws.press + QPoint(dx, 0));
    QCOMPARE(pages(ws.a), order);
    if (how == 0 && !torn)   // a reorder is neither an addition nor a removal
        QVERIFY(ws.a->currentWidget() == ws.a0 && added.count() + removed.count() == 0);
    if (how == 3)
        QVERIFY(ws.mw.floatingWindows().size() == 1 && Dock::dockForWidget(ws.a0)->count() == 1);
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

void tst_DockDrag::drop_data()
{
    QTest::addColumn<bool>("split");
    QTest::addColumn<QString>("where");   // b's tab 0 or stack; a bare dock's stack; a's stack; no dock
    QTest::addColumn<QPoint>("at");       // negative: from the far edge
    QTest::addColumn<QString>("then");    // what happens before the release
    QTest::addColumn<DropZone>("zone");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("result");  // pages of a0's dock, * when floating; empty: a0 gone
    const QPoint mid(150, 150);
    const DropZone none = DropZone::None;
    QTest::newRow("before b0") << false << "tabs" << QPoint(3, 5) << "" << none << "H(a,b)" << "a0,b0";
    QTest::newRow("after b0") << false << "tabs" << QPoint(-3, 5) << "" << none << "H(a,b)" << "b0,a0";
    QTest::newRow("edge, split off") << false << "stack" << QPoint(5, 150) << "" << none << "H(a,b)" << "b0,a0";
    QTest::newRow("left, 29 px in") << true << "stack" << QPoint(29, 150) << "" << DropZone::Left << "H(a,,b)" << "a0";
    QTest::newRow("left, 30 px in") << true << "stack" << QPoint(30, 150) << "" << none << "H(a,b)" << "b0,a0";
    QTest::newRow("right") << true << "stack" << QPoint(-5, 150) << "" << DropZone::Right << "H(a,b,)" << "a0";
    QTest::newRow("top") << true << "stack" << QPoint(150, 5) << "" << DropZone::Top << "H(a,V(,b))" << "a0";
    QTest::newRow("bottom") << true << "stack" << QPoint(150, -5) << "" << DropZone::Bottom << "H(a,V(b,))" << "a0";
    QTest::newRow("Ctrl floats") << true << "stack" << mid << "ctrl" << none << "H(a,b)" << "a0*";
    QTest::newRow("no dock floats") << false << "none" << QPoint() << "" << none << "H(a,b)" << "a0*";
    QTest::newRow("edge of a bare dock") << true << "bare" << QPoint(5, 150) << "" << DropZone::Left << "H(a,b)" << "c0,a0*";
    QTest::newRow("onto the source") << false << "source" << mid << "" << none << "H(a,b)" << "a1,a2,a0";
    // Drags that end otherwise leave nothing behind.
    QTest::newRow("Escape") << true << "stack" << mid << "escape" << none << "H(a,b)" << "a0,a1,a2";
    QTest::newRow("grab taken") << true << "stack" << mid << "grab" << none << "H(a,b)" << "a0,a1,a2";
    QTest::newRow("popup") << true << "stack" << mid << "popup" << none << "H(a,b)" << "a0,a1,a2";
    QTest::newRow("source deleted") << true << "stack" << mid << "deleteSource" << none << "H(b)" << "a0*";
    QTest::newRow("source closed") << true << "stack" << mid << "closeSource" << none << "H(b)" << "a0*";
    QTest::newRow("target deleted") << true << "stack" << mid << "deleteTarget" << none << "H(a)" << "a1,a2,a0";
    QTest::newRow("page deleted") << true << "stack" << mid << "deletePage" << none << "H(a,b)" << "";
    QTest::newRow("split switched off") << true << "stack" << mid << "splitOff" << none << "H(a,b)" << "b0,a0";
}

void tst_DockDrag::drop()
{
    QFETCH(bool, split);
    QFETCH(QString, where);
    QFETCH(QPoint, at);
    QFETCH(QString, then);
    Workspace ws(split);
    QPointer<Dock> source = ws.a, target = where == "source" ? ws.a : ws.b;
    if (where == "bare") {   // a host's window holding a dock without a splitter
        DockWindow* w = ws.mw.createWindow();
        w->setCentralWidget(target = makeDock(&ws.mw, "c", {"c0"}));
        w->setGeometry(800, 100, 300, 300);
        w->show();
        ws.mw.setFloatingWindows({w});
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    QWidget* on = where == "tabs" ? static_cast<QWidget*>(target->tabBar()) : target->stack();
    const QRect area = where == "tabs" ? target->tabBar()->dockTabRect(0) : on->rect();
    QPoint global = on->mapToGlobal(QPoint(at.x() < 0 ? area.right() + at.x() : area.left() + at.x(),
                                           at.y() < 0 ? area.bottom() + at.y() : area.top() + at.y()));
    if (where == "none")
        global = ws.mw.frameGeometry().bottomRight() + QPoint(60, 60);
    ws.tearOff();
    DockDragState& drag = DockDragState::instance();
    QVERIFY(drag.isDragging() && ws.a0->isWindow() && qAbs(ws.a0->windowOpacity() - 0.75) < 0.01);
    ws.send(QEvent::MouseMove, global - QPoint(1, 1));
    ws.send(QEvent::MouseMove, global);
    QTEST(drag.zone, "zone");
    QCOMPARE(ws.a0->pos(), global - ws.press);   // follows the cursor
    QCOMPARE(drag.hoveredDock.data(), where == "none" ? nullptr : target.data());
    QCOMPARE(drag.hoverWidget.isNull(), !split || where == "none");

    QMenu menu;
    menu.addAction("x");
    if (then == "escape")
        QTest::keyClick(ws.a->tabBar(), Qt::Key_Escape);
    else if (then == "grab")
        ws.b->stack()->grabMouse();
    else if (then == "popup")
        menu.popup(global);
    else if (then == "deleteSource")
        delete ws.a;
    else if (then == "closeSource")
        ws.a->close();
    else if (then == "deleteTarget")
        delete ws.b;
    else if (then == "deletePage")
        delete ws.a0.data();
    else if (then == "splitOff")
        ws.mw.setSplitPanelsByDragging(false);
    if (then == "deleteTarget" || then == "splitOff") {
        global = target ? global : source->stack()->mapToGlobal(source->stack()->rect().center());
        ws.send(QEvent::MouseMove, global);
        QVERIFY(drag.hoveredDock == (target ? target : source) && drag.hoverWidget.isNull() == bool(target));
    } else if (!then.isEmpty() && then != "ctrl") {
        QTRY_VERIFY(!drag.isDragging());
        menu.close();
        ws.b->stack()->releaseMouse();
    }
    if (source && source->isVisible())   // after an interruption the release changes nothing
        ws.send(QEvent::MouseButtonRelease, global, then == "ctrl" ? Qt::ControlModifier : Qt::NoModifier);
    flushDeletes();

    QFETCH(QString, result);
    QCOMPARE(ws.a0.isNull(), result.isEmpty());
    if (ws.a0) {
        Dock* to = Dock::dockForWidget(ws.a0);
        QVERIFY(to && to->currentWidget() == ws.a0 && ws.a0->isVisible() && !ws.a0->isWindow());
        QCOMPARE(ws.a0->windowOpacity(), 1.0);
        QCOMPARE(pages(to) + (to->window() != &ws.mw ? "*" : ""), result);
        if (then == "ctrl" || where == "none")   // the window lands where the page was seen
            QCOMPARE(to->window()->pos(), global - ws.press);
    }
    QTEST(shape(ws.mw.rootSplitter()), "tree");
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

void tst_DockDrag::emptiedFloatingSource_data()
{
    QTest::addColumn<bool>("targetInside");   // the target window is a child of the source window
    QTest::newRow("target in the main window") << false;
    QTest::newRow("target in a window inside the source window") << true;
}

// Tearing the only tab out of a floating window and dropping it elsewhere closes
// that window, but never when closing it would take the page's new dock along.
void tst_DockDrag::emptiedFloatingSource()
{
    QFETCH(bool, targetInside);
    Workspace ws(false);
    auto* f0 = new Page("f0");
    QPointer<DockWindow> source = ws.mw.addNewFloatingDock(f0);
    source->setGeometry(800, 100, 300, 200);
    DockTabBar* bar = Dock::dockForWidget(f0)->tabBar();
    Dock* target = ws.b;
    if (targetInside) {
        auto* inner = new DockWindow(&ws.mw, source);
        inner->addWidget(target = makeDock(&ws.mw, "c", {"c0"}));
        inner->setGeometry(800, 400, 300, 200);
        inner->show();
        ws.mw.setFloatingWindows(ws.mw.floatingWindows() << inner);
    }
    QVERIFY(QTest::qWaitForWindowExposed(target->window()) && QTest::qWaitForWindowExposed(source));
    const QPoint p = bar->dockTabRect(0).center();
    const QPoint over = bar->mapFromGlobal(target->stack()->mapToGlobal(QPoint(40, 40)));
    mouse(bar, QEvent::MouseButtonPress, p);
    mouse(bar, QEvent::MouseMove, p + QPoint(0, 80));
    mouse(bar, QEvent::MouseMove, over);
    mouse(bar, QEvent::MouseButtonRelease, over);
    flushDeletes();
    QCOMPARE(source.isNull(), !targetInside);
    QCOMPARE(Dock::dockForWidget(f0), target);
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

QTEST_MAIN(tst_DockDrag)
#include "tst_dockdrag.moc"
