#include <widgets/VerticalLayout.h>

#include <QtTest>

#include <climits>

using namespace Quill::UI;

namespace {

// A fixed-size item: its minimum is its hint.
struct Item : QSpacerItem {
    Item(int w, int h) : QSpacerItem(w, h, QSizePolicy::Fixed, QSizePolicy::Fixed) {}
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
        QTest::addColumn<QList<int>>("marginSpacing");
        QTest::addColumn<QList<int>>("ys");   // last: size hint height
        QTest::newRow("three items, margins") << QList<int>{10, 20, 30} << QList<int>{3, 5} << QList<int>{3, 18, 43, 81};
        QTest::newRow("zero-height head adds no spacing") << QList<int>{0, 20} << QList<int>{0, 5} << QList<int>{0, 5, 25};
        QTest::newRow("huge items saturate") << QList<int>{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX} << QList<int>{0, INT_MAX}
                                             << QList<int>{0, INT_MAX / 2 - 200, QWIDGETSIZE_MAX};
    }

    // Items stacked at their hint heights and the full width; the hint sums them.
    void sizesAndPlacement()
    {
        QFETCH(QList<int>, heights);
        QFETCH(QList<int>, marginSpacing);
        QFETCH(QList<int>, ys);
        const int margin = marginSpacing[0];
        VerticalLayout layout(marginSpacing[1]);
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
    // a subclass's calculateSize sizes the items (items it owns: LeakSanitizer checks).
    void expandSpaceAndHook()
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
    }

    // Widgets inserted by index; a null item is refused, so deleting a widget still
    // takes it out of the layout.
    void widgetsAndNulls()
    {
        QWidget host;
        auto* layout = new VerticalLayout(&host, 5, 4);
        auto* first = new QWidget(&host);
        auto* second = new QWidget(&host);
        QTest::ignoreMessage(QtWarningMsg, "Quill::UI::VerticalLayout: cannot add a null item");
        layout->addItem(nullptr);
        layout->insertWidget(0, second);
        layout->insertWidget(0, first);
        QCOMPARE(layout->itemAt(0)->widget(), first);
        delete second;
        QCOMPARE(layout->count(), 1);
    }
};

QTEST_MAIN(tst_VerticalLayout)
#include "tst_verticallayout.moc"
