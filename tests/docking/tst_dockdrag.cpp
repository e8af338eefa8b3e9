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
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, mods);
    QApplication::sendEvent(w, &e);
}

QString pages(const Dock* d)
{
    QStringList out;
    for (int i = 0; d && i < d->count(); ++i)
        out << d->widget(i)->objectName();
    return out.join(',');
}

// The main window holds [a | b]: a with pages a0 a1 a2, b with b0.
struct Workspace {
    TestWindow mw;
    Dock* a;
    Dock* b;
    explicit Workspace(bool split)
    {
        mw.setSplitPanelsByDragging(split);
        mw.setGeometry(100, 100, 640, 400);
        a = makeDock(&mw, "a", {"a0", "a1", "a2"});
        b = makeDock(&mw, "b", {"b0"});
        mw.addWidget(a);
        mw.addWidget(b);
        mw.rootSplitter()->setOrientation(Qt::Horizontal);
        mw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mw));
        a->setCurrentTab(0);
    }
    QPoint tabCentre(int i) const { return a->tabBar()->dockTabRect(i).center(); }
    // Presses tab 0 of a and drags it off the title bar.
    void tearOff()
    {
        mouse(a->tabBar(), QEvent::MouseButtonPress, tabCentre(0));
        mouse(a->tabBar(), QEvent::MouseMove, tabCentre(0) + QPoint(0, 80));
    }
    void moveTo(QPoint global) { mouse(a->tabBar(), QEvent::MouseMove, a->tabBar()->mapFromGlobal(global)); }
    void release(QPoint global, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        mouse(a->tabBar(), QEvent::MouseButtonRelease, a->tabBar()->mapFromGlobal(global), mods);
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
    void rules_data();
    void rules();
    void reorder_data();
    void reorder();
    void drop_data();
    void drop();
    void interrupted_data();
    void interrupted();
    void emptiedFloatingSource_data();
    void emptiedFloatingSource();
};

void tst_DockDrag::rules_data()
{
    // A title bar 0..199 x 0..23 whose tab bar sits at (22, 0): in tab-bar
    // coordinates it spans -22..177, and a tab tears off beyond 5 pixels of that.
    QTest::addColumn<QPoint>("mouse");
    QTest::addColumn<bool>("inside");
    QTest::newRow("left, 5 px out") << QPoint(-27, 10) << true;
    QTest::newRow("left, 6 px out") << QPoint(-28, 10) << false;
    QTest::newRow("right, 5 px out") << QPoint(182, 10) << true;
    QTest::newRow("right, 6 px out") << QPoint(183, 10) << false;
    QTest::newRow("below, 5 px out") << QPoint(50, 28) << true;
    QTest::newRow("above, 6 px out") << QPoint(50, -6) << false;
}

void tst_DockDrag::rules()
{
    QFETCH(QPoint, mouse);
    QFETCH(bool, inside);
    QCOMPARE(DockGeometry::TearOffRect(QRect(0, 0, 200, 24), QPoint(22, 0)).contains(mouse), inside);

    // Arming at twice the start distance; reordering at the exact edges of the
    // neighbours (tabs 0..49, 50..99, 100..149); the painted tab kept in the bar.
    QVERIFY(!DockGeometry::ArmsDrag(QPoint(5, 4), 5) && DockGeometry::ArmsDrag(QPoint(-6, 4), 5));
    const QRect t0(0, 0, 50, 20), t1(50, 0, 50, 20), t2(100, 0, 50, 20);
    QCOMPARE(DockGeometry::ReorderIndex(1, 3, t1.translated(-50, 0), t0, t2), 0);
    QCOMPARE(DockGeometry::ReorderIndex(1, 3, t1.translated(-49, 0), t0, t2), 1);
    QCOMPARE(DockGeometry::ReorderIndex(1, 3, t1.translated(50, 0), t0, t2), 2);
    QCOMPARE(DockGeometry::ReorderIndex(1, 3, t1.translated(49, 0), t0, t2), 1);
    QCOMPARE(DockGeometry::ReorderIndex(0, 3, t0.translated(-30, 0), QRect(), t1), 0);
    QCOMPARE(DockGeometry::ReorderIndex(2, 3, t2.translated(30, 0), t1, QRect()), 2);
    QCOMPARE(DockGeometry::DraggedTabRect(t1, -7, 120), t0);
    QCOMPARE(DockGeometry::DraggedTabRect(t1, 90, 120).right(), 120);
}

void tst_DockDrag::reorder_data()
{
    QTest::addColumn<int>("how");   // 0 moves by dx, 1 then Escape, 2 page removed after the press, 3 Ctrl-press
    QTest::addColumn<int>("dx");    // from tab 0's centre; 1000 + n: n px right of the title bar
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("torn");
    const int arm = 2 * QApplication::startDragDistance();
    QTest::newRow("short of arming") << 0 << arm - 1 << "a0,a1,a2" << false;
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
    QWidget* a0 = ws.a->widget(0);
    QSignalSpy added(&ws.mw, SIGNAL(widgetAdded(Quill::UI::Dock*,QWidget*)));
    QSignalSpy removed(&ws.mw, SIGNAL(widgetRemoved(Quill::UI::Dock*,QWidget*)));
    const QPoint start = ws.tabCentre(0);
    if (dx == -1 || dx == -2)   // the next tab's right edge, or a pixel short of it
        dx = bar->dockTabRect(1).right() - bar->dockTabRect(0).right() + dx + 1;
    else if (dx > 1000)
        dx = ws.a->titleBar()->width() - 1 - bar->x() + dx - 1000 - start.x();
    mouse(bar, QEvent::MouseButtonPress, start, how == 3 ? Qt::ControlModifier : Qt::NoModifier);
    if (how == 2) {
        ws.a->removeWidget(a0);
        a0->setParent(nullptr);
    }
    mouse(bar, QEvent::MouseMove, start + QPoint(dx / 2, 0));
    mouse(bar, QEvent::MouseMove, start + QPoint(dx, 0));
    QCOMPARE(DockDragState::instance().isDragging(), torn);
    if (how == 1)
        QTest::keyClick(bar, Qt::Key_Escape);
    mouse(bar, QEvent::MouseButtonRelease, start + QPoint(dx, 0));
    QCOMPARE(pages(ws.a), order);
    if (how == 0 && !torn) {
        QCOMPARE(ws.a->currentWidget(), a0);
        QCOMPARE(added.count() + removed.count(), 0);
    }
    if (how == 3)
        QVERIFY(ws.mw.floatingWindows().size() == 1 && Dock::dockForWidget(a0)->count() == 1);
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

void tst_DockDrag::drop_data()
{
    QTest::addColumn<bool>("split");
    QTest::addColumn<QString>("where");   // tab-bar or stack point of b, source, outside
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("mods");
    QTest::addColumn<DropZone>("zone");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("result");  // pages of the page's new dock
    QTest::newRow("before b0") << false << "tabs" << QPoint(3, 0) << 0 << DropZone::None << "H(a,b)" << "a0,b0";
    QTest::newRow("after b0") << false << "tabs" << QPoint(-3, 0) << 0 << DropZone::None << "H(a,b)" << "b0,a0";
    QTest::newRow("edge, split off") << false << "stack" << QPoint(5, 150) << 0 << DropZone::None << "H(a,b)" << "b0,a0";
    QTest::newRow("left, 29 px in") << true << "stack" << QPoint(29, 150) << 0 << DropZone::Left << "H(a,,b)" << "a0";
    QTest::newRow("left, 30 px in") << true << "stack" << QPoint(30, 150) << 0 << DropZone::None << "H(a,b)" << "b0,a0";
    QTest::newRow("right") << true << "stack" << QPoint(-5, 150) << 0 << DropZone::Right << "H(a,b,)" << "a0";
    QTest::newRow("top") << true << "stack" << QPoint(150, 5) << 0 << DropZone::Top << "H(a,V(,b))" << "a0";
    QTest::newRow("bottom") << true << "stack" << QPoint(150, -5) << 0 << DropZone::Bottom << "H(a,V(b,))" << "a0";
    QTest::newRow("Ctrl floats") << true << "stack" << QPoint(150, 150) << int(Qt::ControlModifier)
                                 << DropZone::None << "H(a,b)" << "a0";
    QTest::newRow("no dock floats") << false << "outside" << QPoint() << 0 << DropZone::None << "H(a,b)" << "a0";
    QTest::newRow("edge of a dock outside a splitter") << true << "loose" << QPoint(5, 150) << 0 << DropZone::Left
                                                       << "H(a,b)" << "c0,a0";
    QTest::newRow("back onto the source") << false << "source" << QPoint() << 0 << DropZone::None << "H(a,b)"
                                          << "a1,a2,a0";
}

void tst_DockDrag::drop()
{
    QFETCH(bool, split);
    QFETCH(QString, where);
    QFETCH(QPoint, at);
    QFETCH(int, mods);
    QFETCH(DropZone, zone);
    QFETCH(QString, tree);
    QFETCH(QString, result);
    Workspace ws(split);
    QWidget* a0 = ws.a->widget(0);
    const QPoint press = ws.tabCentre(0);
    Dock* target = ws.b;
    if (where == "loose") {   // a host's window holding a bare dock
        DockWindow* w = ws.mw.createWindow();
        target = makeDock(&ws.mw, "c", {"c0"});
        w->setCentralWidget(target);
        w->setGeometry(800, 100, 300, 300);
        w->show();
        ws.mw.setFloatingWindows({w});
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    ws.tearOff();
    DockDragState& drag = DockDragState::instance();
    QVERIFY(drag.isDragging() && a0->isWindow() && qAbs(a0->windowOpacity() - 0.75) < 0.01);

    // Negative coordinates count from the far edge; a tab-bar point is in b0's tab.
    QWidget* on = where == "tabs" ? static_cast<QWidget*>(ws.b->tabBar()) : target->stack();
    const QRect area = where == "tabs" ? ws.b->tabBar()->dockTabRect(0) : on->rect();
    QPoint local(at.x() < 0 ? area.right() + at.x() : area.left() + at.x(),
                 at.y() < 0 ? area.bottom() + at.y() : area.top() + (where == "tabs" ? 5 : at.y()));
    QPoint global = on->mapToGlobal(local);
    if (where == "outside")
        global = ws.mw.frameGeometry().bottomRight() + QPoint(60, 60);
    else if (where == "source")
        global = ws.a->stack()->mapToGlobal(ws.a->stack()->rect().center());
    ws.moveTo(global - QPoint(1, 1));
    ws.moveTo(global);
    QCOMPARE(drag.zone, zone);
    QCOMPARE(a0->pos(), global - press);   // follows the cursor
    if (where == "stack" || where == "tabs" || where == "loose") {
        QCOMPARE(drag.hoveredDock.data(), target);
        QCOMPARE(drag.hoverWidget.isNull(), !split);
    }
    ws.release(global, Qt::KeyboardModifiers(mods));

    Dock* to = Dock::dockForWidget(a0);
    QVERIFY(to);
    QCOMPARE(pages(to), result);
    QCOMPARE(shape(ws.mw.rootSplitter()), tree);
    QCOMPARE(to->currentWidget(), a0);
    QVERIFY(!a0->isWindow() && qFuzzyCompare(a0->windowOpacity(), 1.0));
    if (result == "a0") {
        DockWindow* window = to->dockWindow();
        QCOMPARE(window != &ws.mw, mods != 0 || where == "outside");
        if (window != &ws.mw)   // where the page was seen, not where the cursor grabbed it
            QCOMPARE(window->pos(), global - press);
    }
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

void tst_DockDrag::interrupted_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("pageIn");   // pages of the dock a0 ends in; empty: gone
    QTest::addColumn<bool>("floats");
    QTest::newRow("Escape") << "escape" << "a0,a1,a2" << false;
    QTest::newRow("grab taken") << "grab" << "a0,a1,a2" << false;
    QTest::newRow("popup") << "popup" << "a0,a1,a2" << false;
    QTest::newRow("source deleted") << "deleteSource" << "a0" << true;
    QTest::newRow("source closed") << "closeSource" << "a0" << true;
    QTest::newRow("target deleted") << "deleteTarget" << "a1,a2,a0" << false;
    QTest::newRow("page deleted") << "deletePage" << "" << false;
    QTest::newRow("split switched off") << "splitOff" << "b0,a0" << false;
}

void tst_DockDrag::interrupted()
{
    QFETCH(QString, what);
    QFETCH(QString, pageIn);
    QFETCH(bool, floats);
    Workspace ws(true);
    QPointer<QWidget> a0 = ws.a->widget(0);
    QPointer<Dock> a = ws.a;
    QPointer<Dock> b = ws.b;
    const QPoint overB = ws.b->stack()->mapToGlobal(ws.b->stack()->rect().center());
    ws.tearOff();
    ws.moveTo(overB);
    DockDragState& drag = DockDragState::instance();
    QVERIFY(drag.hoverWidget);
    QMenu menu;
    menu.addAction("x");
    if (what == "escape") {
        QTest::keyClick(ws.a->tabBar(), Qt::Key_Escape);
    } else if (what == "grab") {
        ws.b->stack()->grabMouse();
        QTRY_VERIFY(!drag.isDragging());
        ws.b->stack()->releaseMouse();
    } else if (what == "popup") {
        menu.popup(overB);
        QTRY_VERIFY(!drag.isDragging());
        menu.close();
    } else if (what == "deleteSource") {
        delete ws.a;
    } else if (what == "closeSource") {
        ws.a->close();
        QTRY_VERIFY(!drag.isDragging());
    } else if (what == "deleteTarget") {
        delete ws.b;
        QVERIFY(!drag.hoverWidget && !drag.hoveredDock);
    } else if (what == "deletePage") {
        delete a0.data();
        QVERIFY(!drag.isDragging());
    } else if (what == "splitOff") {
        ws.mw.setSplitPanelsByDragging(false);
        ws.moveTo(overB + QPoint(1, 0));
        QVERIFY(!drag.hoverWidget && b->isHover());
    }
    // The release of the mouse button ends nothing more.
    if (a && a->isVisible())
        ws.release(b ? overB : a->stack()->mapToGlobal(a->stack()->rect().center()));
    flushDeletes();
    QCOMPARE(a0.isNull(), pageIn.isEmpty());
    if (a0) {
        Dock* in = Dock::dockForWidget(a0);
        QVERIFY(in);
        QCOMPARE(pages(in), pageIn);
        QCOMPARE(in->dockWindow() != &ws.mw, floats);
        QVERIFY(a0->isVisible() && !a0->isWindow());
    }
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

void tst_DockDrag::emptiedFloatingSource_data()
{
    QTest::addColumn<bool>("targetInside");   // the target window is a child of the source window
    QTest::newRow("target in the main window") << false;
    QTest::newRow("target in a window inside the source window") << true;
}

void tst_DockDrag::emptiedFloatingSource()
{
    QFETCH(bool, targetInside);
    Workspace ws(false);
    auto* f0 = new Page("f0");
    QPointer<DockWindow> source = ws.mw.addNewFloatingDock(f0);
    source->setGeometry(800, 100, 300, 200);
    Dock* from = Dock::dockForWidget(f0);
    Dock* target = ws.b;
    if (targetInside) {
        auto* inner = new DockWindow(&ws.mw, source);
        target = makeDock(&ws.mw, "c", {"c0"});
        inner->addWidget(target);
        inner->setGeometry(800, 400, 300, 200);
        inner->show();
        ws.mw.setFloatingWindows(ws.mw.floatingWindows() << inner);
    }
    QVERIFY(QTest::qWaitForWindowExposed(target->window()) && QTest::qWaitForWindowExposed(source));
    const QPoint p = from->tabBar()->dockTabRect(0).center();
    mouse(from->tabBar(), QEvent::MouseButtonPress, p);
    mouse(from->tabBar(), QEvent::MouseMove, p + QPoint(0, 80));
    const QPoint over = target->stack()->mapToGlobal(QPoint(40, 40));
    mouse(from->tabBar(), QEvent::MouseMove, from->tabBar()->mapFromGlobal(over));
    mouse(from->tabBar(), QEvent::MouseButtonRelease, from->tabBar()->mapFromGlobal(over));
    flushDeletes();
    QCOMPARE(source.isNull(), !targetInside);
    QCOMPARE(Dock::dockForWidget(f0), target);
    QVERIFY2(leftovers(ws.mw).isEmpty(), qPrintable(leftovers(ws.mw)));
}

QTEST_MAIN(tst_DockDrag)
#include "tst_dockdrag.moc"
