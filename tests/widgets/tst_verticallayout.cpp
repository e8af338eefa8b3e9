#include <widgets/VerticalLayout.h>

#include <QWidget>
#include <QtTest>

using namespace Quill::UI;

namespace {

int g_itemsAlive = 0;

// A layout item with independent hint and minimum sizes that counts its lifetime.
class FakeItem : public QLayoutItem
{
public:
    FakeItem(QSize hint, QSize minimum) : m_hint(hint), m_min(minimum) { ++g_itemsAlive; }
    ~FakeItem() override { --g_itemsAlive; }
    QSize sizeHint() const override { return m_hint; }
    QSize minimumSize() const override { return m_min; }
    QSize maximumSize() const override { return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); }
    Qt::Orientations expandingDirections() const override { return {}; }
    bool isEmpty() const override { return false; }
    void setGeometry(const QRect& r) override { m_geometry = r; }
    QRect geometry() const override { return m_geometry; }

private:
    QSize m_hint, m_min;
    QRect m_geometry;
};

// Lays every item out at a fixed height, whatever it asks for.
class FixedRowLayout : public VerticalLayout
{
public:
    using VerticalLayout::VerticalLayout;
protected:
    QSize calculateSize(QLayoutItem*) override { return QSize(0, 7); }
};

using Heights = QList<int>;

} // namespace

class tst_VerticalLayout : public QObject
{
    Q_OBJECT
private slots:
    void sizesAndPlacement_data();
    void sizesAndPlacement();
    void expandSpace();
    void calculateSizeOverride();
    void indexing();
    void destructorDeletesEveryItem();
    void insideAWidget();
};

void tst_VerticalLayout::sizesAndPlacement_data()
{
    QTest::addColumn<Heights>("hints");
    QTest::addColumn<Heights>("minimums");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QSize>("sizeHint");
    QTest::addColumn<QSize>("minimumSize");
    QTest::addColumn<Heights>("ys");

    // Widths of item i are 10 * (i + 1) for hints and 5 * (i + 1) for minimums.
    QTest::newRow("three items")
        << Heights{10, 20, 30} << Heights{1, 2, 3} << 0 << 5
        << QSize(30, 75) << QSize(15, 21) << Heights{0, 15, 40};
    QTest::newRow("zero-height head adds no spacing")
        << Heights{0, 20} << Heights{0, 0} << 0 << 5
        << QSize(20, 25) << QSize(10, 0) << Heights{0, 5};
    QTest::newRow("margins")
        << Heights{10, 10} << Heights{4, 4} << 3 << 2
        << QSize(26, 30) << QSize(16, 18) << Heights{3, 15};
    QTest::newRow("empty")
        << Heights{} << Heights{} << 4 << 6 << QSize(8, 8) << QSize(8, 8) << Heights{};
}

void tst_VerticalLayout::sizesAndPlacement()
{
    QFETCH(Heights, hints);
    QFETCH(Heights, minimums);
    QFETCH(int, margin);
    QFETCH(int, spacing);
    QFETCH(QSize, sizeHint);
    QFETCH(QSize, minimumSize);
    QFETCH(Heights, ys);

    VerticalLayout layout(spacing);
    layout.setContentsMargins(margin, margin, margin, margin);
    QList<FakeItem*> items;
    for (int i = 0; i < hints.size(); ++i) {
        items << new FakeItem(QSize(10 * (i + 1), hints[i]), QSize(5 * (i + 1), minimums[i]));
        layout.addItem(items.last());
    }
    QCOMPARE(layout.sizeHint(), sizeHint);
    QCOMPARE(layout.minimumSize(), minimumSize);
    QCOMPARE(layout.expandingDirections(), Qt::Orientations());

    const QRect area(100, 200, 300, 400);
    layout.setGeometry(area);
    for (int i = 0; i < items.size(); ++i) {
        const QRect g = items[i]->geometry();
        QCOMPARE(g.y(), area.y() + ys[i]);
        QCOMPARE(g.x(), area.x() + margin);
        QCOMPARE(g.width(), area.width() - 2 * margin);
        QCOMPARE(g.height(), hints[i]);   // never stretched
    }
}

void tst_VerticalLayout::expandSpace()
{
    VerticalLayout layout(nullptr, 4, 3);
    auto* first = new FakeItem(QSize(10, 10), QSize(1, 1));
    auto* second = new FakeItem(QSize(10, 10), QSize(1, 1));
    layout.addItem(first);
    layout.addItem(second);
    layout.setGeometry(QRect(0, 0, 100, 100));
    const QRect secondBefore = second->geometry();

    layout.expandSpace(true);
    layout.setGeometry(QRect(10, 20, 200, 150));
    QCOMPARE(first->geometry(), QRect(14, 24, 192, 142));
    QCOMPARE(second->geometry(), secondBefore);

    layout.expandSpace(false);
    layout.setGeometry(QRect(10, 20, 200, 150));
    QCOMPARE(second->geometry(), QRect(14, 37, 192, 10));
}

void tst_VerticalLayout::calculateSizeOverride()
{
    FixedRowLayout layout(2);
    auto* a = new FakeItem(QSize(10, 30), QSize(1, 1));
    auto* b = new FakeItem(QSize(10, 30), QSize(1, 1));
    layout.addItem(a);
    layout.addItem(b);
    layout.setGeometry(QRect(0, 0, 50, 100));
    QCOMPARE(a->geometry(), QRect(0, 0, 50, 7));
    QCOMPARE(b->geometry(), QRect(0, 9, 50, 7));
}

void tst_VerticalLayout::indexing()
{
    VerticalLayout layout(0);
    auto* a = new FakeItem(QSize(1, 1), QSize(1, 1));
    auto* b = new FakeItem(QSize(1, 2), QSize(1, 1));
    auto* c = new FakeItem(QSize(1, 3), QSize(1, 1));
    layout.addItem(a);
    layout.addItem(c);
    layout.insertItem(1, b);
    QCOMPARE(layout.count(), 3);
    QCOMPARE(layout.itemAt(0), a);
    QCOMPARE(layout.itemAt(1), b);
    QCOMPARE(layout.itemAt(2), c);
    QVERIFY(!layout.itemAt(-1));
    QVERIFY(!layout.itemAt(layout.count()));
    QVERIFY(!layout.takeAt(-1));
    QVERIFY(!layout.takeAt(3));
    QLayoutItem* taken = layout.takeAt(0);
    QCOMPARE(taken, a);
    QCOMPARE(layout.count(), 2);
    delete taken;
}

void tst_VerticalLayout::destructorDeletesEveryItem()
{
    g_itemsAlive = 0;
    {
        VerticalLayout layout(1);
        layout.addItem(new FakeItem(QSize(1, 1), QSize(1, 1)));
        layout.addItem(nullptr);
        layout.addItem(new FakeItem(QSize(1, 1), QSize(1, 1)));
        QCOMPARE(g_itemsAlive, 2);
    }
    QCOMPARE(g_itemsAlive, 0);
}

void tst_VerticalLayout::insideAWidget()
{
    QWidget host;
    auto* layout = new VerticalLayout(&host, 5, 4);
    QWidget* first = new QWidget;
    first->setFixedHeight(20);
    QWidget* second = new QWidget;
    second->setFixedHeight(30);
    layout->insertWidget(0, second);
    layout->insertWidget(0, first);
    QCOMPARE(first->parentWidget(), &host);
    host.resize(200, 300);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCOMPARE(first->geometry(), QRect(5, 5, 190, 20));
    QCOMPARE(second->geometry(), QRect(5, 29, 190, 30));
    QCOMPARE(host.sizeHint().height(), 5 + 20 + 4 + 30 + 4 + 5);
}

QTEST_MAIN(tst_VerticalLayout)
#include "tst_verticallayout.moc"
