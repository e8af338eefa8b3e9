#include <windowing/FloatingWindowRegistry.h>
#include <windowing/WidgetUtils.h>
#include <windowing/WindowPlacement_p.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QtTest>

#include <climits>

using namespace Quill::UI;

namespace {

// One placement call. p: PullInside(pos, size); n: NearRect(size, rect); f: LeaveFullscreen(rect, geometry).
// expected: "x,y", "x,y w,h" or "none"; empty: only what the rules promise is checked.
struct Row { char rule; QPoint pos; QSize size; QRect rect, geometry, available; QString expected; };

QString Text(QPoint p) { return QStringLiteral("%1,%2").arg(p.x()).arg(p.y()); }

// Exposes the registry's list, which it deliberately offers no getter for.
struct ProbeRegistry : FloatingWindowRegistry {
    int countOf(QWidget* w) const { return m_windows.count(w); }
    int size() const { return m_windows.size(); }
};

struct ProbeWindow : QWidget { int destroyedReceivers() const { return receivers(SIGNAL(destroyed(QObject*))); } };

} // namespace

Q_DECLARE_METATYPE(Row)

class tst_WindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<Row>("row");
        const QRect s(0, 0, 1000, 800), offset(1920, 100, 1280, 900);
        const QSize small(100, 60), wide(900, 100), huge(900, 760);
        const Row rows[] = {
            // Past both edges; left of the screen stays; a screen left of the primary one.
            {'p', {990, 790}, {20, 20}, {}, {}, s, "979,779"}, {'p', {-50, -20}, {50, 50}, {}, {}, s, "-50,-20"},
            {'p', {-100, 1000}, {200, 100}, {}, {}, QRect(-1280, 0, 1280, 1024), "-201,923"},
            // Left, a third of its height above; pulled up off the bottom; kept below the top strip.
            {'n', {}, small, {400, 300, 50, 40}, {}, s, "280,260"}, {'n', {}, small, {500, 780, 50, 10}, {}, s, "380,739"},
            {'n', {}, small, {500, 10, 50, 20}, {}, s, "380,26"}, {'n', {}, small, {2500, 110, 50, 20}, {}, offset, "2380,126"},
            {'n', {}, small, {400, -100, 50, 10}, {}, s, "280,26"},   // target above the screen
            // Clamped left but clear below; no room left: right; nor sideways: below; nor below: above.
            {'n', {}, small, {50, 0, 50, 2}, {}, s, "0,26"}, {'n', {}, small, {10, 300, 50, 40}, {}, s, "79,260"},
            {'n', {}, wide, {300, 100, 100, 50}, {}, s, "0,169"}, {'n', {}, wide, {300, 700, 100, 50}, {}, s, "0,570"},
            // Fits nowhere: 101+ px on the right, little right but some below, exactly 100 px right is too little.
            {'n', {}, huge, {300, 300, 100, 100}, {}, s, "419,27"}, {'n', {}, huge, {850, 300, 100, 100}, {}, s, "0,419"},
            {'n', {}, huge, {300, 300, 580, 480}, {}, s, "none"}, {'n', {}, small, {30, 30, 940, 760}, {}, s, "none"},
            // Already inside; frame above the area; taller than the area; an offset screen.
            {'f', {}, {}, {100, 100, 820, 630}, {110, 130, 800, 600}, s, "100,100 800,600"},
            {'f', {}, {}, {0, -10, 820, 630}, {10, 20, 800, 600}, s, "0,0 800,610"},
            {'f', {}, {}, {0, -50, 820, 930}, {10, -20, 800, 900}, s, "0,0 800,770"},
            {'f', {}, {}, {2000, 50, 820, 630}, {2010, 80, 800, 600}, offset, "2000,100 800,650"},
        };
        for (const Row& r : rows)
            QTest::addRow("%c %s", r.rule, qPrintable(r.expected)) << r;
        // Every combination of coordinates and sizes at the int limits and the largest widget size.
        const int lo = INT_MIN, hi = INT_MAX;
        const QSize sizes[] = {{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX}, {0, 0}, {100, 60}};
        const QRect rects[] = {s, QRect(QPoint(lo, lo), QPoint(hi, hi)), QRect(QPoint(hi - 1999, hi - 999), QPoint(hi, hi)),
                               QRect(QPoint(lo, lo), QPoint(lo + 1999, lo + 999)), QRect(QPoint(lo, hi - 19), QPoint(hi - 5, hi))};
        for (const QRect& available : rects)
            for (const QRect& rect : rects) {
                for (const QSize& size : sizes) {
                    QTest::addRow("extreme") << Row{'p', rect.topLeft(), size, {}, {}, available, {}};
                    QTest::addRow("extreme") << Row{'p', rect.bottomRight(), size, {}, {}, available, {}};
                    QTest::addRow("extreme") << Row{'n', {}, size, rect, {}, available, {}};
                }
                for (const QRect& geometry : rects)
                    QTest::addRow("extreme") << Row{'f', {}, {}, rect, geometry, available, {}};
            }
    }

    // Exact places for ordinary screens; for every row what each rule promises, worked out in 64 bits.
    void placement()
    {
        QFETCH(Row, row);
        const QRect &a = row.available, &r = row.rect, &g = row.geometry;
        const qint64 w = row.size.width(), h = row.size.height();
        QString got;
        if (row.rule == 'p') {
            const QPoint p = WindowPlacement::PullInside(row.pos, row.size, a);
            got = Text(p);
            // Pulled left and up only, until the edges are on the area or the int range ends.
            QVERIFY(p.x() <= row.pos.x() && p.y() <= row.pos.y());
            QVERIFY((p.x() == INT_MIN || p.x() + w <= a.right()) && (p.y() == INT_MIN || p.y() + h <= a.bottom()));
        } else if (row.rule == 'n') {
            const std::optional<QPoint> p = WindowPlacement::NearRect(row.size, row.rect, a);
            got = p ? Text(*p) : QStringLiteral("none");
            // Wherever it goes, the widget never covers the rectangle.
            QVERIFY(!p || row.size.isEmpty() || p->x() + w <= r.left() || p->x() > r.right() || p->y() + h <= r.top() || p->y() > r.bottom());
        } else {
            const WindowPlacement::FullscreenExit fit = WindowPlacement::LeaveFullscreen(r, g, a);
            got = Text(fit.framePos) + ' ' + Text(QPoint(fit.size.width(), fit.size.height()));
            const qint64 room = (qint64(a.bottom()) - a.top()) - ((qint64(r.bottom()) - r.top()) - (qint64(g.bottom()) - g.top()));
            QVERIFY(fit.framePos.x() == r.left() && fit.framePos.y() >= a.top());
            QVERIFY(fit.size.height() <= std::max<qint64>(room + 1, INT_MIN));
        }
        if (!row.expected.isEmpty())
            QCOMPARE(got, row.expected);
    }

    void widgets()
    {
        QVERIFY(!WidgetUtils::GetFullscreen(nullptr));
        WidgetUtils::SetFullscreen(nullptr, true, nullptr);
        WidgetUtils::ToggleFullscreen(nullptr, nullptr);
        QMainWindow window;
        WidgetUtils::SetFullscreen(&window, true, nullptr);
        QVERIFY(WidgetUtils::GetFullscreen(&window));
        WidgetUtils::ToggleFullscreen(&window, &window);
        QVERIFY(!WidgetUtils::GetFullscreen(&window));

        // The rules are tested above; here that the widgets are moved and shown, and that
        // points far off every screen still find one (the widget's geometry itself must
        // fit in int, which Qt's own rectangles need).
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget anchor;
        anchor.setGeometry(avail.left() + 100, avail.top() + 100, 60, 20);
        anchor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&anchor));
        QWidget popup(nullptr, Qt::Tool);
        popup.resize(80, 40);
        WidgetUtils::MoveWidgetNotObscuringWidget(&popup, &anchor);
        QVERIFY(popup.isVisible());
        QCOMPARE(popup.pos(), anchor.mapToGlobal(QPoint(0, anchor.height())));
        QRect rect(avail.center(), QSize(40, 30));
        WidgetUtils::MoveWidgetNearRect(&popup, rect);
        QCOMPARE(popup.pos(), *WindowPlacement::NearRect(popup.size(), rect, avail));
        for (const QPoint far : {QPoint(INT_MAX - 100, INT_MAX - 100), QPoint(INT_MIN, INT_MAX - 100)}) {
            popup.move(far);
            WidgetUtils::MoveWidgetNotObscuringWidget(&popup, nullptr);
            QCOMPARE(popup.y() + popup.height(), avail.bottom());
            rect = QRect(far, QSize(5, 5));
            WidgetUtils::MoveWidgetNearRect(&popup, rect);
        }
    }

    // Added twice it is listed and connected once; removed, and removed again while
    // unknown, it is gone; added again it is back; destroyed, it leaves.
    void floatingWindowRegistry()
    {
        ProbeRegistry registry;
        QWidget other;
        registry.addWindow(&other);
        auto* window = new ProbeWindow;
        const QString ops = QStringLiteral("aarra");
        const QList<int> expected{1, 1, 0, 0, 1};
        for (int i = 0; i < ops.size(); ++i) {
            ops[i] == 'a' ? registry.addWindow(window) : registry.removeWindow(window);
            QCOMPARE(registry.countOf(window), expected[i]);
            QCOMPARE(window->destroyedReceivers(), expected[i]);
        }
        delete window;
        QCOMPARE(registry.size(), 1);
        QCOMPARE(registry.countOf(&other), 1);
        auto* dying = new ProbeRegistry;
        dying->addWindow(&other);
        delete dying;   // other's later destruction must not reach the dead registry
    }
};

QTEST_MAIN(tst_WindowPlacement)
#include "tst_windowplacement.moc"
