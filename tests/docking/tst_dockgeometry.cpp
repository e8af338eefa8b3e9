#include <docking/DockGeometry_p.h>
#include <docking/DockUtil_p.h>

#include <QRandomGenerator>
#include <QWidget>

#include <memory>
#include <vector>

#include <QtTest>

using namespace Quill::UI;

Q_DECLARE_METATYPE(DropZone)

class tst_DockGeometry : public QObject
{
    Q_OBJECT
private slots:
    // Rows along the parent's direction also pin the halving of sizes.
    void planSplit_data()
    {
        QTest::addColumn<int>("parent");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("nest");
        QTest::addColumn<int>("insertAt");
        QTest::addColumn<QList<int>>("after");
        const int H = Qt::Horizontal, V = Qt::Vertical;
        QTest::newRow("only child turns") << V << QList<int>{400} << 0 << H << false << false << 1 << QList<int>{200, 200};
        QTest::newRow("only child, before, odd") << V << QList<int>{301} << 0 << V << true << false << 0 << QList<int>{150, 150};
        QTest::newRow("along, middle") << H << QList<int>{100, 300, 100} << 1 << H << false << false << 2 << QList<int>{100, 150, 150, 100};
        QTest::newRow("along, last, before") << H << QList<int>{100, 50} << 1 << H << true << false << 1 << QList<int>{100, 25, 25};
        QTest::newRow("across nests after") << H << QList<int>{500, 295} << 0 << V << false << true << 1 << QList<int>{500, 295};
        QTest::newRow("across nests before") << H << QList<int>{500, 295} << 1 << V << true << true << 0 << QList<int>{500, 295};
        QTest::newRow("index past end") << H << QList<int>{10, 20} << 2 << H << false << false << 3 << QList<int>{10, 20};
    }

    void planSplit()
    {
        QFETCH(int, parent);
        QFETCH(QList<int>, sizes);
        QFETCH(int, index);
        QFETCH(int, orientation);
        QFETCH(bool, before);
        const DockGeometry::SplitPlan plan = DockGeometry::PlanSplit(Qt::Orientation(parent), sizes, index,
                                                                     Qt::Orientation(orientation), before);
        QTEST(plan.nest, "nest");
        QTEST(plan.insertAt, "insertAt");
        QTEST(plan.sizes, "after");
    }

    void nextDockIndex_data()
    {
        QTest::addColumn<QVector<bool>>("eligible");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expected");
        QTest::newRow("next") << QVector<bool>{true, true, true} << 0 << 1 << 1;
        QTest::newRow("wraps forward") << QVector<bool>{true, true, true} << 2 << 1 << 0;
        QTest::newRow("wraps backward") << QVector<bool>{true, true, true} << 0 << -1 << 2;
        QTest::newRow("skips ineligible") << QVector<bool>{true, false, false, true} << 0 << 1 << 3;
        QTest::newRow("skips backward over the wrap") << QVector<bool>{false, true, false, false} << 1 << -1 << 1;
        QTest::newRow("from an ineligible dock") << QVector<bool>{false, false, true} << 0 << 1 << 2;
        QTest::newRow("none eligible") << QVector<bool>{false, false} << 0 << 1 << -1;
        QTest::newRow("current outside") << QVector<bool>{true} << -1 << 1 << -1;
    }

    void nextDockIndex()
    {
        QFETCH(QVector<bool>, eligible);
        QFETCH(int, current);
        QFETCH(int, step);
        QTEST(DockGeometry::NextDockIndex(eligible, current, step), "expected");
    }

    // One walk answers what a findChild per name would: random trees with repeated
    // names, several roots, first hit wins.
    void nameMap()
    {
        for (quint32 seed = 1; seed <= 20; ++seed) {
            QRandomGenerator rng(seed);
            QList<QWidget*> all;
            QList<const QWidget*> roots;
            std::vector<std::unique_ptr<QWidget>> owners;
            for (int r = 0; r < 2; ++r) {
                owners.emplace_back(new QWidget);
                roots.append(owners.back().get());
                all.append(owners.back().get());
            }
            for (int i = 0; i < 60; ++i) {
                auto* w = new QWidget(all.at(rng.bounded(all.size())));
                w->setObjectName(QString::number(rng.bounded(12)));
                all.append(w);
            }
            const QHash<QString, QWidget*> map = DockUtil::NameMap(roots);
            for (int n = 0; n < 13; ++n) {
                const QString name = QString::number(n);
                QWidget* expected = roots.at(0)->findChild<QWidget*>(name);
                if (!expected)
                    expected = roots.at(1)->findChild<QWidget*>(name);
                QCOMPARE(map.value(name), expected);
                QCOMPARE(DockUtil::FindDescendant(roots.at(expected && roots.at(1)->isAncestorOf(expected)), name), expected);
            }
        }
    }

    // QSplitter scales the expanded child's value to the whole extent, the others get none.
    void expandedSizes()
    {
        QCOMPARE(DockGeometry::ExpandedSizes(3, 1), (QList<int>{0, DockGeometry::kExpandedSize, 0}));
        QCOMPARE(DockGeometry::ExpandedSizes(2, 5), (QList<int>{0, 0}));
    }

    void insertionIndex_data()
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

    void insertionIndex()
    {
        QFETCH(int, tab);
        QFETCH(QRect, rect);
        QFETCH(QPoint, pos);
        QFETCH(int, expected);
        QCOMPARE(DockGeometry::InsertionIndex(tab, rect, pos), expected);
    }

    // The tab being reordered follows the cursor but stays on its bar.
    void draggedTabRect()
    {
        const QRect tab(40, 0, 50, 20);
        QCOMPARE(DockGeometry::DraggedTabRect(tab, 70, 300), QRect(70, 0, 50, 20));
        QCOMPARE(DockGeometry::DraggedTabRect(tab, -15, 300), QRect(0, 0, 50, 20));
        QCOMPARE(DockGeometry::DraggedTabRect(tab, 280, 300), QRect(251, 0, 50, 20));
    }

    void layoutTitle_data()
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

    void layoutTitle()
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

    void dropZone_data()
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

    void dropZone()
    {
        QFETCH(QPoint, p);
        QFETCH(QSize, dock);
        QFETCH(DropZone, zone);
        const QRect stack = dock == QSize(300, 220) ? QRect(0, 20, 300, 200) : QRect(0, 0, 60, 60);
        QCOMPARE(DockGeometry::ZoneAt(p, stack, dock), zone);
    }

    void zoneOutline_data()
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

    void zoneOutline()
    {
        QFETCH(DropZone, zone);
        QFETCH(QRect, expected);
        QCOMPARE(DockGeometry::ZoneOutline(QRect(QPoint(1, 1), QPoint(98, 48)), zone), expected);
    }
};

QTEST_MAIN(tst_DockGeometry)
#include "tst_dockgeometry.moc"
