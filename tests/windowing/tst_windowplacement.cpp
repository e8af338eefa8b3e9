#include <windowing/WidgetUtils.h>
#include <windowing/WindowPlacement_p.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QtTest>

using namespace Quill::UI;

Q_DECLARE_METATYPE(std::optional<QPoint>)

class tst_WindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void pullInside_data();
    void pullInside();
    void nearRect_data();
    void nearRect();
    void leaveFullscreen_data();
    void leaveFullscreen();

    void floatingWindowStyle();
    void fullscreenNullAndNoChange();
    void moveNotObscuring();
    void moveNearRectWidget();
};

void tst_WindowPlacement::pullInside_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1000, 800);
    QTest::newRow("inside") << QPoint(10, 10) << QSize(50, 50) << screen << QPoint(10, 10);
    QTest::newRow("past right") << QPoint(950, 100) << QSize(100, 50) << screen << QPoint(899, 100);
    QTest::newRow("past bottom") << QPoint(100, 780) << QSize(50, 40) << screen << QPoint(100, 759);
    QTest::newRow("past both") << QPoint(990, 790) << QSize(20, 20) << screen << QPoint(979, 779);
    QTest::newRow("left of screen stays") << QPoint(-50, -20) << QSize(50, 50) << screen << QPoint(-50, -20);
    QTest::newRow("offset screen")
        << QPoint(3150, 950) << QSize(100, 100) << QRect(1920, 100, 1280, 900) << QPoint(3099, 899);
    QTest::newRow("screen left of primary")
        << QPoint(-100, 1000) << QSize(200, 100) << QRect(-1280, 0, 1280, 1024) << QPoint(-201, 923);
}

void tst_WindowPlacement::pullInside()
{
    QFETCH(QPoint, pos);
    QFETCH(QSize, size);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowPlacement::PullInside(pos, size, available), expected);
}

void tst_WindowPlacement::nearRect_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<std::optional<QPoint>>("expected");

    const QRect screen(0, 0, 1000, 800);
    const QSize small(100, 60);
    const QSize wide(900, 100);
    const QSize huge(900, 760);

    QTest::newRow("left, third of height above margin")
        << small << QRect(400, 300, 50, 40) << screen << std::optional<QPoint>(QPoint(280, 260));
    QTest::newRow("left, pulled up off the bottom")
        << small << QRect(500, 780, 50, 10) << screen << std::optional<QPoint>(QPoint(380, 739));
    QTest::newRow("left, kept below the top strip")
        << small << QRect(500, 10, 50, 20) << screen << std::optional<QPoint>(QPoint(380, 26));
    QTest::newRow("clamped to the left edge but clear below")
        << small << QRect(50, 0, 50, 2) << screen << std::optional<QPoint>(QPoint(0, 26));
    QTest::newRow("rect at left edge goes right")
        << small << QRect(10, 300, 50, 40) << screen << std::optional<QPoint>(QPoint(79, 260));
    QTest::newRow("no room sideways goes below")
        << wide << QRect(300, 100, 100, 50) << screen << std::optional<QPoint>(QPoint(0, 169));
    QTest::newRow("no room sideways or below goes above")
        << wide << QRect(300, 700, 100, 50) << screen << std::optional<QPoint>(QPoint(0, 570));
    QTest::newRow("fits nowhere, 101+ px on the right")
        << huge << QRect(300, 300, 100, 100) << screen << std::optional<QPoint>(QPoint(419, 27));
    QTest::newRow("fits nowhere, little right, some below")
        << huge << QRect(850, 300, 100, 100) << screen << std::optional<QPoint>(QPoint(0, 419));
    QTest::newRow("fits nowhere at all stays put")
        << small << QRect(30, 30, 940, 760) << screen << std::optional<QPoint>();
    QTest::newRow("exactly 100 px right is too little")
        << huge << QRect(300, 300, 580, 480) << screen << std::optional<QPoint>();

    const QRect second(1920, 100, 1280, 900);
    QTest::newRow("offset screen, left")
        << small << QRect(2500, 500, 50, 40) << second << std::optional<QPoint>(QPoint(2380, 460));
    QTest::newRow("offset screen, at its left edge goes right")
        << small << QRect(1930, 500, 50, 40) << second << std::optional<QPoint>(QPoint(1999, 460));
    QTest::newRow("offset screen, top strip relative to screen top")
        << small << QRect(2500, 110, 50, 20) << second << std::optional<QPoint>(QPoint(2380, 126));
    QTest::newRow("screen left of primary")
        << small << QRect(-600, 400, 50, 40) << QRect(-1280, 0, 1280, 1024)
        << std::optional<QPoint>(QPoint(-720, 360));
}

void tst_WindowPlacement::nearRect()
{
    QFETCH(QSize, size);
    QFETCH(QRect, rect);
    QFETCH(QRect, available);
    QFETCH(std::optional<QPoint>, expected);

    const std::optional<QPoint> got = WindowPlacement::NearRect(size, rect, available);
    QCOMPARE(got.has_value(), expected.has_value());
    if (expected) {
        QCOMPARE(*got, *expected);
        // Whatever branch chose it, the widget never covers the rectangle itself.
        QVERIFY(!QRect(*got, size).intersects(rect));
    }
}

void tst_WindowPlacement::leaveFullscreen_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("framePos");
    QTest::addColumn<QSize>("size");

    const QRect screen(0, 0, 1000, 800);
    QTest::newRow("already inside")
        << QRect(100, 100, 820, 630) << QRect(110, 130, 800, 600) << screen
        << QPoint(100, 100) << QSize(800, 600);
    QTest::newRow("frame above the area")
        << QRect(0, -10, 820, 630) << QRect(10, 20, 800, 600) << screen
        << QPoint(0, 0) << QSize(800, 610);
    QTest::newRow("taller than the area")
        << QRect(0, -50, 820, 930) << QRect(10, -20, 800, 900) << screen
        << QPoint(0, 0) << QSize(800, 770);
    QTest::newRow("offset screen")
        << QRect(2000, 50, 820, 630) << QRect(2010, 80, 800, 600) << QRect(1920, 100, 1280, 900)
        << QPoint(2000, 100) << QSize(800, 650);
}

void tst_WindowPlacement::leaveFullscreen()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, geometry);
    QFETCH(QRect, available);
    QFETCH(QPoint, framePos);
    QFETCH(QSize, size);

    const WindowPlacement::FullscreenExit fit =
        WindowPlacement::LeaveFullscreen(frame, geometry, available);
    QCOMPARE(fit.framePos, framePos);
    QCOMPARE(fit.size, size);
    QVERIFY(fit.size.height() <= available.height() - (frame.height() - geometry.height()));
}

void tst_WindowPlacement::floatingWindowStyle()
{
    QWidget window;
    WidgetUtils::SetFloatingWindowStyle(&window, nullptr);
    QCOMPARE(int(window.windowFlags()), 0xF00B);
    QVERIFY(window.testAttribute(Qt::WA_MacAlwaysShowToolWindow));
    WidgetUtils::SetFloatingWindowStyle(nullptr, &window);   // must not crash
}

void tst_WindowPlacement::fullscreenNullAndNoChange()
{
    QVERIFY(!WidgetUtils::GetFullscreen(nullptr));
    WidgetUtils::SetFullscreen(nullptr, true, nullptr);
    WidgetUtils::ToggleFullscreen(nullptr, nullptr);

    QMainWindow window;
    window.setGeometry(50, 60, 300, 200);
    WidgetUtils::SetFullscreen(&window, true, nullptr);
    QVERIFY(WidgetUtils::GetFullscreen(&window));
    const QRect before = window.geometry();
    WidgetUtils::SetFullscreen(&window, true, nullptr);   // already on: nothing moves
    QCOMPARE(window.geometry(), before);
    WidgetUtils::ToggleFullscreen(&window, &window);
    QVERIFY(!WidgetUtils::GetFullscreen(&window));
}

void tst_WindowPlacement::moveNotObscuring()
{
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

    // Without an anchor it is only pulled back onto the screen.
    QWidget stray(nullptr, Qt::Tool);
    stray.resize(80, 40);
    stray.move(avail.right() - 10, avail.bottom() - 10);
    WidgetUtils::MoveWidgetNotObscuringWidget(&stray, nullptr);
    QCOMPARE(stray.pos(), WindowPlacement::PullInside(QPoint(avail.right() - 10, avail.bottom() - 10),
                                                      stray.size(), avail));
}

void tst_WindowPlacement::moveNearRectWidget()
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget popup(nullptr, Qt::Tool);
    popup.resize(100, 60);
    popup.move(avail.topLeft() + QPoint(5, 5));
    popup.show();

    QRect rect(avail.center(), QSize(40, 30));
    WidgetUtils::MoveWidgetNearRect(&popup, rect);
    QCOMPARE(popup.pos(), *WindowPlacement::NearRect(popup.size(), rect, avail));

    // Covering the whole screen leaves no room: the widget stays where it is.
    const QPoint before = popup.pos();
    QRect everything = avail;
    WidgetUtils::MoveWidgetNearRect(&popup, everything);
    QCOMPARE(popup.pos(), before);
}

QTEST_MAIN(tst_WindowPlacement)
#include "tst_windowplacement.moc"
