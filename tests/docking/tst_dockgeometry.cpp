#include <docking/DockGeometry_p.h>

#include <QtTest>

using namespace Quill::UI;

Q_DECLARE_METATYPE(DropZone)

class tst_DockGeometry : public QObject
{
    Q_OBJECT
private slots:
    void splitSizes_data();
    void splitSizes();
    void expandedSizes_data();
    void expandedSizes();
    void tabRect_data();
    void tabRect();
    void insertionIndex_data();
    void insertionIndex();
    void narrowTitle_data();
    void narrowTitle();
    void layoutTitle_data();
    void layoutTitle();
    void layoutTitleRightToLeft();
    void dropZone_data();
    void dropZone();
    void zoneOutline_data();
    void zoneOutline();
};

void tst_DockGeometry::splitSizes_data()
{
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("only child") << QList<int>{400} << 0 << QList<int>{200, 200};
    QTest::newRow("odd size rounds down") << QList<int>{301} << 0 << QList<int>{150, 150};
    QTest::newRow("middle of three") << QList<int>{100, 300, 100} << 1 << QList<int>{100, 150, 150, 100};
    QTest::newRow("last") << QList<int>{100, 50} << 1 << QList<int>{100, 25, 25};
    QTest::newRow("zero size") << QList<int>{0, 10} << 0 << QList<int>{0, 0, 10};
    QTest::newRow("index past end unchanged") << QList<int>{10, 20} << 2 << QList<int>{10, 20};
    QTest::newRow("negative index unchanged") << QList<int>{10} << -1 << QList<int>{10};
    QTest::newRow("empty") << QList<int>{} << 0 << QList<int>{};
}

void tst_DockGeometry::splitSizes()
{
    QFETCH(QList<int>, sizes);
    QFETCH(int, index);
    QFETCH(QList<int>, expected);
    QCOMPARE(DockGeometry::SplitSizes(sizes, index), expected);
}

void tst_DockGeometry::expandedSizes_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("middle of three") << 3 << 1 << QList<int>{0, 100, 0};
    QTest::newRow("first") << 2 << 0 << QList<int>{100, 0};
    QTest::newRow("single") << 1 << 0 << QList<int>{100};
    QTest::newRow("out of range: all zero") << 3 << 5 << QList<int>{0, 0, 0};
    QTest::newRow("no children") << 0 << 0 << QList<int>{};
}

void tst_DockGeometry::expandedSizes()
{
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QList<int>, expected);
    QCOMPARE(DockGeometry::ExpandedSizes(count, index), expected);
}

void tst_DockGeometry::tabRect_data()
{
    QTest::addColumn<QRect>("style");
    QTest::addColumn<int>("lineSpacing");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("style taller") << QRect(10, 2, 50, 24) << 16 << QRect(10, 2, 50, 24);
    QTest::newRow("font taller") << QRect(10, 2, 50, 12) << 17 << QRect(10, 2, 50, 17);
    QTest::newRow("equal") << QRect(0, 0, 40, 20) << 20 << QRect(0, 0, 40, 20);
    QTest::newRow("no tab") << QRect() << 15 << QRect(0, 0, 0, 15);
}

void tst_DockGeometry::tabRect()
{
    QFETCH(QRect, style);
    QFETCH(int, lineSpacing);
    QFETCH(QRect, expected);
    QCOMPARE(DockGeometry::TabRect(style, lineSpacing), expected);
}

void tst_DockGeometry::insertionIndex_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("expected");
    // Tab 2 spans x 100..149: middle (100 + 149) / 2 = 124.
    const QRect r(100, 0, 50, 20);
    QTest::newRow("no tab appends") << -1 << QRect() << QPoint(5, 5) << -1;
    QTest::newRow("left edge") << 2 << r << QPoint(100, 5) << 2;
    QTest::newRow("on middle stays before") << 2 << r << QPoint(124, 5) << 2;
    QTest::newRow("right of middle goes after") << 2 << r << QPoint(125, 5) << 3;
    QTest::newRow("right edge") << 2 << r << QPoint(149, 5) << 3;
    QTest::newRow("first tab, left half") << 0 << QRect(0, 0, 30, 20) << QPoint(3, 0) << 0;
}

void tst_DockGeometry::insertionIndex()
{
    QFETCH(int, tab);
    QFETCH(QRect, rect);
    QFETCH(QPoint, pos);
    QFETCH(int, expected);
    QCOMPARE(DockGeometry::InsertionIndex(tab, rect, pos), expected);
}

void tst_DockGeometry::narrowTitle_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("reserve");
    QTest::addColumn<bool>("fit");
    // Two 20-pixel buttons with a 3-pixel margin need 46 pixels, 68 with the menu.
    QTest::newRow("exactly wide enough") << 46 << 0 << true;
    QTest::newRow("one pixel short") << 45 << 0 << false;
    QTest::newRow("menu reserve counts") << 67 << 22 << false;
    QTest::newRow("menu reserve fits") << 68 << 22 << true;
    QTest::newRow("zero width") << 0 << 0 << false;
}

void tst_DockGeometry::narrowTitle()
{
    QFETCH(int, width);
    QFETCH(int, reserve);
    QFETCH(bool, fit);
    QCOMPARE(DockGeometry::TitleButtonsFit(width, 20, 20, 3, reserve), fit);
}

void tst_DockGeometry::layoutTitle_data()
{
    QTest::addColumn<bool>("titleVisible");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<int>("width");
    QTest::addColumn<QRect>("titleBar");
    QTest::addColumn<QRect>("tabBar");
    QTest::addColumn<QRect>("closeButton");
    QTest::addColumn<QRect>("floatButton");
    QTest::addColumn<QRect>("stack");
    QTest::addColumn<bool>("buttonsVisible");

    // Buttons 20x20, margin 3, line spacing 15, tab bar hint 120x26, dock height 300.
    // h = 20, provisional title height 20 + 6 + 2 = 28 > 26, centre (0 + 27) / 2 = 13.
    QTest::newRow("hidden title is a 3-pixel strip")
        << false << true << true << 200 << QRect(0, 0, 200, 3) << QRect() << QRect() << QRect()
        << QRect(0, 3, 200, 297) << false;
    QTest::newRow("menu and buttons")
        << true << true << true << 200 << QRect(0, 0, 200, 28) << QRect(22, 0, 120, 28)
        << QRect(176, 3, 20, 20) << QRect(155, 3, 20, 20) << QRect(0, 28, 200, 272) << true;
    QTest::newRow("tabs clipped by buttons")
        << true << true << true << 150 << QRect(0, 0, 150, 28) << QRect(22, 0, 85, 28)
        << QRect(126, 3, 20, 20) << QRect(105, 3, 20, 20) << QRect(0, 28, 150, 272) << true;
    QTest::newRow("no buttons (closable tabs)")
        << true << true << false << 200 << QRect(0, 0, 200, 26) << QRect(22, 0, 120, 26)
        << QRect() << QRect() << QRect(0, 26, 200, 274) << false;
    QTest::newRow("no menu")
        << true << false << true << 200 << QRect(0, 0, 200, 28) << QRect(0, 0, 120, 28)
        << QRect(176, 3, 20, 20) << QRect(155, 3, 20, 20) << QRect(0, 28, 200, 272) << true;
    QTest::newRow("tall tab bar: buttons centred on it")
        << true << true << true << 200 << QRect(0, 0, 200, 40) << QRect(22, 0, 120, 40)
        << QRect(176, 9, 20, 20) << QRect(155, 9, 20, 20) << QRect(0, 40, 200, 260) << true;
    QTest::newRow("narrow: buttons hidden, room goes to the tabs")
        << true << true << true << 67 << QRect(0, 0, 67, 28) << QRect(22, 0, 44, 28)
        << QRect() << QRect() << QRect(0, 28, 67, 272) << false;
}

void tst_DockGeometry::layoutTitle()
{
    QFETCH(bool, titleVisible);
    QFETCH(bool, menu);
    QFETCH(bool, buttons);
    QFETCH(int, width);
    DockGeometry::TitleMetrics m;
    m.dock = QSize(width, 300);
    m.titleVisible = titleVisible;
    m.margin = 3;
    m.hasMenuButton = menu;
    m.hasButtons = buttons;
    m.closeHint = m.floatHint = QSize(20, 20);
    m.lineSpacing = 15;
    m.tabBarHint = QSize(120, QByteArray(QTest::currentDataTag()).startsWith("tall") ? 40 : 26);
    const DockGeometry::TitleLayout l = DockGeometry::LayoutTitle(m);
    QTEST(l.titleBar, "titleBar");
    QTEST(l.tabBar, "tabBar");
    QTEST(l.closeButton, "closeButton");
    QTEST(l.floatButton, "floatButton");
    QTEST(l.stack, "stack");
    QTEST(l.buttonsVisible, "buttonsVisible");
}

void tst_DockGeometry::layoutTitleRightToLeft()
{
    DockGeometry::TitleMetrics m;
    m.dock = QSize(200, 100);
    m.margin = 3;
    m.hasMenuButton = true;
    m.hasButtons = true;
    m.closeHint = m.floatHint = QSize(20, 20);
    m.lineSpacing = 15;
    m.tabBarHint = QSize(50, 20);
    m.direction = Qt::RightToLeft;
    const DockGeometry::TitleLayout l = DockGeometry::LayoutTitle(m);
    // Mirrored: close at the far left, float right of it, the tabs right of them
    // and left of the menu button's room.
    QCOMPARE(l.closeButton, QRect(4, 3, 20, 20));
    QCOMPARE(l.floatButton, QRect(25, 3, 20, 20));
    QCOMPARE(l.tabBar, QRect(128, 0, 50, 28));
}

void tst_DockGeometry::dropZone_data()
{
    QTest::addColumn<QPoint>("p");
    QTest::addColumn<QSize>("dock");
    QTest::addColumn<DropZone>("zone");
    // Stack 0..299 x 20..219 (300x200) in a dock of 300x220: margins 30 and 30.
    const QSize big(300, 220);
    QTest::newRow("centre") << QPoint(150, 120) << big << DropZone::None;
    QTest::newRow("above the stack") << QPoint(5, 10) << big << DropZone::None;
    QTest::newRow("left edge") << QPoint(5, 120) << big << DropZone::Left;
    QTest::newRow("right edge") << QPoint(295, 120) << big << DropZone::Right;
    QTest::newRow("top edge") << QPoint(150, 25) << big << DropZone::Top;
    QTest::newRow("bottom edge") << QPoint(150, 215) << big << DropZone::Bottom;
    QTest::newRow("inner boundary is inside") << QPoint(30, 120) << big << DropZone::None;
    QTest::newRow("just outside inner rect") << QPoint(29, 120) << big << DropZone::Left;
    QTest::newRow("corner tie left/top goes to top") << QPoint(5, 25) << big << DropZone::Top;
    QTest::newRow("corner tie right/bottom goes to bottom") << QPoint(294, 214) << big << DropZone::Bottom;
    // A small dock: 60x60 gives margins of 20.
    QTest::newRow("small dock margin is a third") << QPoint(25, 30) << QSize(60, 60) << DropZone::None;
    QTest::newRow("small dock edge") << QPoint(15, 40) << QSize(60, 60) << DropZone::Left;
}

void tst_DockGeometry::dropZone()
{
    QFETCH(QPoint, p);
    QFETCH(QSize, dock);
    QFETCH(DropZone, zone);
    const QRect stack = dock == QSize(300, 220) ? QRect(0, 20, 300, 200) : QRect(0, 0, 60, 60);
    QCOMPARE(DockGeometry::ZoneAt(p, stack, dock), zone);
}

void tst_DockGeometry::zoneOutline_data()
{
    QTest::addColumn<DropZone>("zone");
    QTest::addColumn<QRect>("expected");
    // 1..98 x 1..48: middles 49 and 24.
    QTest::newRow("none") << DropZone::None << QRect(QPoint(1, 1), QPoint(98, 48));
    QTest::newRow("left") << DropZone::Left << QRect(QPoint(1, 1), QPoint(49, 48));
    QTest::newRow("right") << DropZone::Right << QRect(QPoint(49, 1), QPoint(98, 48));
    QTest::newRow("top") << DropZone::Top << QRect(QPoint(1, 1), QPoint(98, 24));
    QTest::newRow("bottom") << DropZone::Bottom << QRect(QPoint(1, 24), QPoint(98, 48));
}

void tst_DockGeometry::zoneOutline()
{
    QFETCH(DropZone, zone);
    QFETCH(QRect, expected);
    QCOMPARE(DockGeometry::ZoneOutline(QRect(QPoint(1, 1), QPoint(98, 48)), zone), expected);
}

QTEST_APPLESS_MAIN(tst_DockGeometry)
#include "tst_dockgeometry.moc"
