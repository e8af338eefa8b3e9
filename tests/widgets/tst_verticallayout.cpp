#include <widgets/VerticalLayout.h>

#include <QSpacerItem>
#include <QWidget>
#include <QtTest>

#include <climits>

using namespace Quill::UI;

namespace {

int g_alive = 0;

// A fixed-size item (its minimum is its hint) that counts its lifetime.
struct Item : QSpacerItem {
    Item(int w, int h) : QSpacerItem(w, h, QSizePolicy::Fixed, QSizePolicy::Fixed) { ++g_alive; }
    ~Item() override { --g_alive; }
};

// Lays every item out 7 pixels high, whatever it asks for.
struct SevenLayout : VerticalLayout {
    using VerticalLayout::VerticalLayout;
    QSize calculateSize(QLayoutItem*) override { return QSize(0, 7); }
};

} // namespace

class tst_VerticalLayout : public QObject
{
    Q_OBJECT
private slots:
    void sizesAndPlacement_data()
    {
        QTest::addColumn<QList<int>>("heights");
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<QList<int>>("ys");   // last: size hint height
        QTest::newRow("three items") << QList<int>{10, 20, 30} << 0 << 5 << QList<int>{0, 15, 40, 75};
        QTest::newRow("zero-height head adds no spacing") << QList<int>{0, 20} << 0 << 5 << QList<int>{0, 5, 25};
        QTest::newRow("margins") << QList<int>{10, 10} << 3 << 2 << QList<int>{3, 15, 30};
        QTest::newRow("huge items saturate") << QList<int>{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX} << 0 << INT_MAX
                                             << QList<int>{0, INT_MAX / 2 - 200, QWIDGETSIZE_MAX};
    }

    // Items stacked at their hint heights and the full width; the hint sums them.
    void sizesAndPlacement()
    {
        QFETCH(QList<int>, heights);
        QFETCH(int, margin);
        QFETCH(int, spacing);
        QFETCH(QList<int>, ys);
        VerticalLayout layout(spacing);
        layout.setContentsMargins(margin, margin, margin, margin);
        for (int h : heights)
            layout.addItem(new Item(10 * layout.count() + 10, h));
        QCOMPARE(layout.sizeHint(), QSize(10 * heights.size() + 2 * margin, ys.last()));
        QCOMPARE(layout.minimumSize(), layout.sizeHint());
        layout.setGeometry(QRect(100, 200, 300, 400));
        for (int i = 0; i < heights.size(); ++i)
            QCOMPARE(layout.itemAt(i)->geometry(), QRect(100 + margin, 200 + ys[i], 300 - 2 * margin, heights[i]));
    }

    // Whatever the margins, spacing and item sizes, nothing overflows (UBSan) and
    // the hints stay within the largest widget size.
    void extremes()
    {
        for (int big : {QWIDGETSIZE_MAX, INT_MAX / 2, INT_MAX}) {
            VerticalLayout layout(big);
            layout.setContentsMargins(big, big, big, big);
            for (int i = 0; i < 200; ++i)
                layout.addItem(new Item(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            QCOMPARE(layout.sizeHint(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            layout.setGeometry(QRect(INT_MIN / 2, INT_MAX / 2, INT_MAX / 2, INT_MAX / 2));
            layout.expandSpace(true);
            layout.setGeometry(QRect(INT_MAX / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2));
        }
    }

    // expandSpace gives the first item the contents rectangle and leaves the others;
    // a subclass's calculateSize sizes the items; items are owned.
    void expandSpaceAndHook()
    {
        g_alive = 0;
        {
            SevenLayout layout(nullptr, 4, 3);
            layout.addItem(new Item(10, 10));
            layout.addItem(new Item(10, 10));
            layout.setGeometry(QRect(0, 0, 100, 100));
            QCOMPARE(layout.itemAt(1)->geometry(), QRect(4, 14, 92, 7));
            layout.expandSpace(true);
            layout.setGeometry(QRect(10, 20, 200, 150));
            QCOMPARE(layout.itemAt(0)->geometry(), QRect(14, 24, 192, 142));
            QCOMPARE(layout.itemAt(1)->geometry(), QRect(4, 14, 92, 7));
            QVERIFY(!layout.itemAt(-1) && !layout.itemAt(2) && !layout.takeAt(2));
            QCOMPARE(g_alive, 2);
        }
        QCOMPARE(g_alive, 0);
    }

    // Widgets inserted by index; a null item is refused, so deleting a widget still
    // takes it out of the layout.
    void widgetsAndNulls()
    {
        QWidget host;
        auto* layout = new VerticalLayout(&host, 5, 4);
        auto* first = new QWidget;
        auto* second = new QWidget;
        first->setFixedHeight(20);
        second->setFixedHeight(30);
        QTest::ignoreMessage(QtWarningMsg, "Quill::UI::VerticalLayout: cannot add a null item");
        layout->addItem(nullptr);
        layout->insertWidget(0, second);
        layout->insertWidget(0, first);
        QCOMPARE(layout->count(), 2);
        host.resize(200, 300);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QCOMPARE(first->geometry(), QRect(5, 5, 190, 20));
        QCOMPARE(second->geometry(), QRect(5, 29, 190, 30));
        delete second;
        QCOMPARE(layout->count(), 1);
        QCOMPARE(layout->sizeHint().height(), 5 + 20 + 4 + 5);
    }
};

QTEST_MAIN(tst_VerticalLayout)
#include "tst_verticallayout.moc"
