#include <windowing/WidgetUtils.h>
#include <windowing/WindowPlacement_p.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QtTest>

using namespace Quill::UI;
using OptPoint = std::optional<QPoint>;

Q_DECLARE_METATYPE(OptPoint)

class tst_WindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void pullInside_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1000, 800);
        QTest::newRow("inside") << QPoint(10, 10) << QSize(50, 50) << screen << QPoint(10, 10);
        QTest::newRow("past both") << QPoint(990, 790) << QSize(20, 20) << screen << QPoint(979, 779);
        QTest::newRow("left of screen stays") << QPoint(-50, -20) << QSize(50, 50) << screen << QPoint(-50, -20);
        QTest::newRow("screen left of primary") << QPoint(-100, 1000) << QSize(200, 100) << QRect(-1280, 0, 1280, 1024)
                                                << QPoint(-201, 923);
    }

    void pullInside()
    {
        QFETCH(QPoint, pos);
        QFETCH(QSize, size);
        QFETCH(QRect, available);
        QFETCH(QPoint, expected);
        QCOMPARE(WindowPlacement::PullInside(pos, size, available), expected);
    }

    void nearRect_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<OptPoint>("expected");
        const QRect screen(0, 0, 1000, 800);
        const QSize small(100, 60), wide(900, 100), huge(900, 760);
        QTest::newRow("left, third of height above margin") << small << QRect(400, 300, 50, 40) << screen << OptPoint(QPoint(280, 260));
        QTest::newRow("left, pulled up off the bottom") << small << QRect(500, 780, 50, 10) << screen << OptPoint(QPoint(380, 739));
        QTest::newRow("left, kept below the top strip") << small << QRect(500, 10, 50, 20) << screen << OptPoint(QPoint(380, 26));
        QTest::newRow("clamped to the left edge but clear below") << small << QRect(50, 0, 50, 2) << screen << OptPoint(QPoint(0, 26));
        QTest::newRow("rect at left edge goes right") << small << QRect(10, 300, 50, 40) << screen << OptPoint(QPoint(79, 260));
        QTest::newRow("no room sideways goes below") << wide << QRect(300, 100, 100, 50) << screen << OptPoint(QPoint(0, 169));
        QTest::newRow("no room sideways or below goes above") << wide << QRect(300, 700, 100, 50) << screen << OptPoint(QPoint(0, 570));
        QTest::newRow("fits nowhere, 101+ px on the right") << huge << QRect(300, 300, 100, 100) << screen << OptPoint(QPoint(419, 27));
        QTest::newRow("fits nowhere, little right, some below") << huge << QRect(850, 300, 100, 100) << screen << OptPoint(QPoint(0, 419));
        QTest::newRow("fits nowhere at all stays put") << small << QRect(30, 30, 940, 760) << screen << OptPoint();
        QTest::newRow("exactly 100 px right is too little") << huge << QRect(300, 300, 580, 480) << screen << OptPoint();
        QTest::newRow("offset screen, top strip relative to screen top")
            << small << QRect(2500, 110, 50, 20) << QRect(1920, 100, 1280, 900) << OptPoint(QPoint(2380, 126));
    }

    void nearRect()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, rect);
        QFETCH(QRect, available);
        QFETCH(OptPoint, expected);
        const OptPoint got = WindowPlacement::NearRect(size, rect, available);
        QCOMPARE(got, expected);
        // Whatever branch chose it, the widget never covers the rectangle itself.
        QVERIFY(!got || !QRect(*got, size).intersects(rect));
    }

    void leaveFullscreen_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");   // frame position, client size
        const QRect screen(0, 0, 1000, 800);
        QTest::newRow("already inside") << QRect(100, 100, 820, 630) << QRect(110, 130, 800, 600) << screen << QRect(100, 100, 800, 600);
        QTest::newRow("frame above the area") << QRect(0, -10, 820, 630) << QRect(10, 20, 800, 600) << screen << QRect(0, 0, 800, 610);
        QTest::newRow("taller than the area") << QRect(0, -50, 820, 930) << QRect(10, -20, 800, 900) << screen << QRect(0, 0, 800, 770);
        QTest::newRow("offset screen") << QRect(2000, 50, 820, 630) << QRect(2010, 80, 800, 600) << QRect(1920, 100, 1280, 900)
                                       << QRect(2000, 100, 800, 650);
    }

    void leaveFullscreen()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, geometry);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        const WindowPlacement::FullscreenExit fit = WindowPlacement::LeaveFullscreen(frame, geometry, available);
        QCOMPARE(QRect(fit.framePos, fit.size), expected);
        QVERIFY(fit.size.height() <= available.height() - (frame.height() - geometry.height()));
    }

    void fullscreenNullAndNoChange()
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

    // The placement rules are tested above; here only that the widgets are moved and shown.
    void movesWidgets()
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
        QRect rect(avail.center(), QSize(40, 30));
        WidgetUtils::MoveWidgetNearRect(&popup, rect);
        QCOMPARE(popup.pos(), *WindowPlacement::NearRect(popup.size(), rect, avail));
    }
};

QTEST_MAIN(tst_WindowPlacement)
#include "tst_windowplacement.moc"
