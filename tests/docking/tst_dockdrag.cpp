// Tab dragging driven with synthetic mouse and key events sent to the tab bar that
// holds the grab. Runs offscreen as well as under X (the drag relies on Qt's own
// record of the grabber, and the xcb plugin trips the address sanitizer).
#include "DockTestUtil.h"

#include <docking/DockDragState_p.h>
#include <docking/DockWindow.h>

#include <QMenu>
#include <functional>
#include <QSignalSpy>
#include <QStackedWidget>

using namespace Quill::UI;

Q_DECLARE_METATYPE(Quill::UI::DropZone)

namespace {

QString pages(const Dock* d)
{
    QStringList out;
    for (int i = 0; d && i < d->count(); ++i)
        out << d->widget(i)->objectName();
    return out.join(',');
}

// The main window holds [a | b]: a with pages a0 a1 a2, b with b0. Drags start
// from `from` (a unless a test moves a0 elsewhere), whose tab bar keeps the mouse.
struct Workspace {
    TestWindow mw;
    Dock* a = makeDock(&mw, "a", {"a0", "a1", "a2"});
    Dock* b = makeDock(&mw, "b", {"b0"});
    QPointer<QWidget> a0 = a->widget(0);
    QPointer<Dock> from = a;
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
    // `at` in the coordinates of the tab bar.
    void send(QEvent::Type type, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        sendMouse(from->tabBar(), type, from->tabBar()->mapToGlobal(at), mods);
    }
    void tearOff()
    {
        send(QEvent::MouseButtonPress, press);
        send(QEvent::MouseMove, press + QPoint(0, 80));
    }
};

// Whatever ended the drag, nothing of it is left behind, and no floating window
// is left without a page (the workspace's own invariants are checked as it goes).
QString leftovers(const DockMainWindow& mw)
{
    const DockDragState& drag = DockDragState::instance();
    bool stray = drag.isDragging() || drag.hoverWidget || drag.hoveredDock || QWidget::mouseGrabber()
        || QWidget::keyboardGrabber();
    for (QWidget* w : QApplication::topLevelWidgets())
        stray |= dynamic_cast<Page*>(w) && w->isVisible();
    for (Dock* d : mw.docks())
        stray |= d->isHover() || d->titleBar()->isPressed();
    for (DockWindow* w : mw.floatingWindows())
        stray |= w->findChildren<Page*>().isEmpty();
    return stray ? QStringLiteral("a drag left something behind") : QString();
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
};

void tst_DockDrag::reorder_data()
{
    QTest::addColumn<int>("how");   // 0 moves, 1 then Escape, 2 page removed after the press, 3 Ctrl-press,
                                    // 4 press on a2, partly hidden in a narrow pane (Qt scrolls it into view)
    QTest::addColumn<int>("dx");    // -1/-2: to (a pixel short of) the next tab's right edge;
                                    // 1000 + n: n px right of the title bar
    QTest::addColumn<QString>("order");
    QTest::newRow("short of arming") << 0 << 2 * QApplication::startDragDistance() - 1 << "a0,a1,a2";
    QTest::newRow("right edge meets the next") << 0 << -1 << "a1,a0,a2";
    QTest::newRow("one pixel short") << 0 << -2 << "a0,a1,a2";
    QTest::newRow("Escape puts it back") << 1 << -1 << "a0,a1,a2";
    QTest::newRow("pressed page removed") << 2 << -1 << "a1,a2";
    QTest::newRow("5 px right of the title bar") << 0 << 1005 << "a1,a2,a0";
    QTest::newRow("6 px right of the title bar") << 0 << 1006 << "a1,a2";
    QTest::newRow("no drag from a Ctrl-press") << 3 << -1 << "a1,a2";   // it floats the tab
    QTest::newRow("a scrolled tab tears off its own page") << 4 << 1006 << "a0,a1";
}

void tst_DockDrag::reorder()
{
    QFETCH(int, how);
    QFETCH(int, dx);
    const bool torn = dx == 1006;
    Workspace ws(false);
    DockTabBar* bar = ws.a->tabBar();
    QSignalSpy added(&ws.mw, SIGNAL(widgetAdded(Quill::UI::Dock*,QWidget*)));
    QSignalSpy removed(&ws.mw, SIGNAL(widgetRemoved(Quill::UI::Dock*,QWidget*)));
    if (how == 4) {
        ws.mw.rootSplitter()->setSizes({150, 490});
        QTRY_VERIFY(bar->usesScrollButtons() && bar->dockTabRect(2).right() > bar->width());
        ws.press = QPoint(bar->dockTabRect(2).left() + 4, bar->dockTabRect(2).center().y());
    }
    if (dx < 0)
        dx = bar->dockTabRect(1).right() - bar->dockTabRect(0).right() + dx + 1;
    else if (dx > 1000)
        dx = ws.a->titleBar()->width() - 1 - bar->x() + dx - 1000 - ws.press.x();
    ws.send(QEvent::MouseButtonPress, ws.press, how == 3 ? Qt::ControlModifier : Qt::NoModifier);
    if (how == 2) {
        ws.a->removeWidget(ws.a0);
        ws.a0->setParent(nullptr);
    }
    ws.send(QEvent::MouseMove, ws.press + QPoint(dx / 2, 0));
    ws.send(QEvent::MouseMove, ws.press + QPoint(dx, 0));
    QCOMPARE(DockDragState::instance().isDragging(), torn);
    if (how == 1)
        QTest::keyClick(bar, Qt::Key_Escape);
    ws.send(QEvent::MouseButtonRelease, ws.press + QPoint(dx, 0));
    QTEST(pages(ws.a), "order");
    if (how == 0 && !torn)   // a reorder adds and removes nothing
        QVERIFY(ws.a->currentWidget() == ws.a0 && added.count() + removed.count() == 0);
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

void tst_DockDrag::drop_data()
{
    QTest::addColumn<bool>("split");
    QTest::addColumn<QString>("where");   // b's tab 0 or stack; a's stack; no dock; a bare dock, or a
                                          // dock in a window inside the source window: c
    QTest::addColumn<QPoint>("at");       // negative: from the far edge
    QTest::addColumn<QString>("then");    // what happens before the release (or the drag)
    QTest::addColumn<DropZone>("zone");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("result");  // pages of a0's dock, * when floating; empty: a0 gone
    const QPoint mid(150, 150);
    const DropZone none = DropZone::None;
    QTest::newRow("before b0") << false << "tabs" << QPoint(3, 5) << "" << none << "H(a,b)" << "a0,b0";
    QTest::newRow("after b0") << false << "tabs" << QPoint(-3, 5) << "" << none << "H(a,b)" << "b0,a0";
    QTest::newRow("edge, split off") << false << "stack" << QPoint(5, 150) << "" << none << "H(a,b)" << "b0,a0";
    QTest::newRow("left, 29 px in") << true << "stack" << QPoint(29, 150) << "" << DropZone::Left << "H(a,,b)" << "a0";
    QTest::newRow("right") << true << "stack" << QPoint(-5, 150) << "" << DropZone::Right << "H(a,b,)" << "a0";
    QTest::newRow("top") << true << "stack" << QPoint(150, 5) << "" << DropZone::Top << "H(a,V(,b))" << "a0";
    QTest::newRow("bottom") << true << "stack" << QPoint(150, -5) << "" << DropZone::Bottom << "H(a,V(b,))" << "a0";
    QTest::newRow("Ctrl floats") << true << "stack" << mid << "ctrl" << none << "H(a,b)" << "a0*";
    QTest::newRow("no dock floats") << false << "none" << QPoint() << "" << none << "H(a,b)" << "a0*";
    QTest::newRow("bare dock") << true << "bare" << QPoint(5, 150) << "" << DropZone::Left << "H(a,b)" << "c0,a0*";
    QTest::newRow("onto the source") << false << "source" << mid << "" << none << "H(a,b)" << "a1,a2,a0";
    // The emptied floating source window closes, unless that would take the page along.
    QTest::newRow("out of a floating window") << false << "stack" << mid << "float" << none << "H(a,b)" << "b0,a0";
    QTest::newRow("into a window inside it") << false << "inner" << mid << "float" << none << "H(a,b)" << "c0,a0*";
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
    QPointer<Dock> target = where == "source" ? ws.a : ws.b;
    if (then == "float") {   // the page alone in a floating window
        ws.a->floatActiveTab();
        ws.from = Dock::dockForWidget(ws.a0);
        ws.from->window()->setGeometry(800, 100, 300, 200);
    }
    if (where == "bare" || where == "inner") {   // a host's window, with a dock outside a splitter
        auto* w = new DockWindow(&ws.mw, where == "inner" ? ws.from->window() : &ws.mw);
        target = makeDock(&ws.mw, "c", {"c0"});
        where == "bare" ? w->setCentralWidget(target) : w->addWidget(target);
        w->setGeometry(800, 400, 300, 300);
        w->show();
        ws.mw.setFloatingWindows(ws.mw.floatingWindows() << w);
        QVERIFY(QTest::qWaitForWindowExposed(w) && QTest::qWaitForWindowExposed(ws.from->window()));
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
    sendMouse(ws.from->tabBar(), QEvent::MouseMove, global - QPoint(1, 1));
    sendMouse(ws.from->tabBar(), QEvent::MouseMove, global);
    QTEST(drag.zone, "zone");
    QCOMPARE(ws.a0->pos(), global - ws.press);   // follows the cursor
    QCOMPARE(drag.hoveredDock.data(), where == "none" ? nullptr : target.data());
    QCOMPARE(drag.hoverWidget.isNull(), !split || where == "none");

    QMenu menu;
    menu.addAction("x");
    const QHash<QString, std::function<void()>> interruptions{
        {"escape", [&] { QTest::keyClick(ws.a->tabBar(), Qt::Key_Escape); }},
        {"grab", [&] { ws.b->stack()->grabMouse(); }},
        {"popup", [&] { menu.popup(global); }},
        {"deleteSource", [&] { delete ws.a; }},
        {"closeSource", [&] { ws.a->close(); }},
        {"deleteTarget", [&] { delete ws.b; }},
        {"deletePage", [&] { delete ws.a0.data(); }},
        {"splitOff", [&] { ws.mw.setSplitPanelsByDragging(false); }}};
    if (interruptions.contains(then))
        interruptions[then]();
    if (then == "deleteTarget" || then == "splitOff") {   // the drag goes on
        QVERIFY(then != "deleteTarget" || !drag.hoverWidget);   // no overlay over nothing
        global = target ? global : ws.a->stack()->mapToGlobal(ws.a->stack()->rect().center());
        sendMouse(ws.from->tabBar(), QEvent::MouseMove, global);
        QVERIFY(drag.hoveredDock == (target ? target.data() : ws.a) && drag.hoverWidget.isNull() == bool(target));
    } else if (interruptions.contains(then)) {
        QTRY_VERIFY(!drag.isDragging());
        menu.close();
        ws.b->stack()->releaseMouse();
    }
    const Qt::KeyboardModifiers mods = then == "ctrl" ? Qt::ControlModifier : Qt::NoModifier;
    if (ws.from && ws.from->isVisible())   // after an interruption the release changes nothing
        sendMouse(ws.from->tabBar(), QEvent::MouseButtonRelease, global, mods);
    flushDeletes();

    QFETCH(QString, result);
    QCOMPARE(ws.a0.isNull(), result.isEmpty());
    if (ws.a0) {
        Dock* to = Dock::dockForWidget(ws.a0);
        // No native window lingers: it would go with another window and leave the page a dangling one.
        QVERIFY(to && to->currentWidget() == ws.a0 && ws.a0->isVisible() && !ws.a0->isWindow() && !ws.a0->windowHandle()
                && ws.a0->windowOpacity() == 1.0 && !(ws.a0->windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(pages(to) + (to->window() != &ws.mw ? "*" : ""), result);
        if (then == "ctrl" || where == "none")   // the window lands where the page was seen
            QCOMPARE(to->window()->pos(), global - ws.press);
    }
    QTEST(shape(ws.mw.rootSplitter()), "tree");
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

QTEST_MAIN(tst_DockDrag)
#include "tst_dockdrag.moc"
