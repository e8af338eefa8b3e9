#include "DockTestUtil.h"

#include <docking/DockWindow.h>

#include <QSignalSpy>
#include <QtTest>

using namespace Quill::UI;

// Workspace for navigation: main window with docks X (2 pages), Y (empty) and
// Z (1 page), and a floating window with dock F (2 pages).
struct Workspace {
    TestWindow mw;
    Dock* x = nullptr;
    Dock* y = nullptr;
    Dock* z = nullptr;
    Dock* f = nullptr;
    DockWindow* floating = nullptr;

    explicit Workspace(bool withFloating = true)
    {
        mw.resize(800, 600);
        x = makeDock(&mw, "X", {"x1", "x2"});
        y = makeDock(&mw, "Y");
        z = makeDock(&mw, "Z", {"z1"});
        mw.addWidget(x);
        mw.addWidget(y);
        mw.addWidget(z);
        mw.show();
        if (withFloating) {
            floating = mw.addNewFloatingDock(new Page("f1"));
            f = Dock::dockForWidget(floating->findChild<QWidget*>("f1"));
            f->setObjectName("F");
            f->addWidget(new Page("f2"), false);
        }
        activate(&mw);
    }
    static void activate(QWidget* w)
    {
        // Through the window system, as a user's click would.
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w);
    }
    QWidget* page(const char* name) const { return mw.findChild<QWidget*>(name); }
};

class tst_DockNavigation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { DockTestDetail::installQuietHandler(); }
    void cleanup() { deleteOrphanPages(); }

    void actions_data();
    void actions();
    void tabsRunThroughWholeWorkspace_data();
    void tabsRunThroughWholeWorkspace();
    void focusChangedReports();
};

void tst_DockNavigation::actions_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("name");
    QTest::newRow("next pane") << 0 << "Next Pane" << "Ctrl+Alt+`" << "quill.application.focusNextPane";
    QTest::newRow("previous pane") << 1 << "Previous Pane" << "Ctrl+Shift+Alt+`" << "quill.application.focusPreviousPane";
    QTest::newRow("next tab") << 2 << "Next Tab" << "Ctrl+Shift+]" << "quill.application.focusNextTab";
    QTest::newRow("previous tab") << 3 << "Previous Tab" << "Ctrl+Shift+[" << "quill.application.focusPreviousTab";
}

void tst_DockNavigation::actions()
{
    QFETCH(int, which);
    Workspace ws;
    auto make = [&]() -> QAction* {
        switch (which) {
        case 0: return ws.mw.nextDockAction();
        case 1: return ws.mw.prevDockAction();
        case 2: return ws.mw.nextTabAction();
        default: return ws.mw.prevTabAction();
        }
    };
    QAction* a = make();
    QTEST(a->text(), "text");
    QTEST(a->objectName(), "name");
    QFETCH(QString, shortcut);
    QCOMPARE(a->shortcut(), QKeySequence::fromString(shortcut, QKeySequence::NativeText));

    // Triggering runs the slot: from x1, every action moves somewhere.
    ws.page("x2")->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ws.page("x2"));
    a->trigger();
    QTRY_VERIFY(QApplication::focusWidget() != ws.page("x2") || ws.x->currentTab() != 1);
}




void tst_DockNavigation::tabsRunThroughWholeWorkspace_data()
{
    QTest::addColumn<QString>("start");   // page to focus, or "Y" for the empty dock
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("hideFloating");
    // Y is empty and passed over; F is in the floating window.
    QTest::newRow("next from the first page")
        << "x1" << true << QStringList{"x2", "z1", "f1", "f2", "x1"} << false;
    QTest::newRow("previous from the first page")
        << "x1" << false << QStringList{"f2", "f1", "z1", "x2", "x1"} << false;
    QTest::newRow("next from an empty dock") << "Y" << true << QStringList{"z1", "f1"} << false;
    // An empty dock moves on backwards too, to the last page of the dock before it.
    QTest::newRow("previous from an empty dock") << "Y" << false << QStringList{"x2", "x1", "f2"} << false;
    // A hidden window cannot take the focus: it is passed over like an empty dock.
    QTest::newRow("next passes a hidden window") << "z1" << true << QStringList{"x1", "x2"} << true;
    QTest::newRow("previous passes a hidden window") << "x1" << false << QStringList{"z1", "x2"} << true;
}

void tst_DockNavigation::tabsRunThroughWholeWorkspace()
{
    QFETCH(QString, start);
    QFETCH(bool, forward);
    QFETCH(QStringList, pages);
    Workspace ws;
    QFETCH(bool, hideFloating);
    if (hideFloating)
        ws.floating->hide();
    ws.x->setCurrentTab(0);
    QWidget* first = start == "Y" ? static_cast<QWidget*>(ws.y) : ws.page(qPrintable(start));
    first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), first);
    QSignalSpy activated(&ws.mw, SIGNAL(widgetActivated(Quill::UI::Dock*,QWidget*)));
    for (const QString& name : pages) {
        forward ? ws.mw.nextTab() : ws.mw.prevTab();
        QTRY_COMPARE(ws.mw.activeTab() ? ws.mw.activeTab()->objectName() : QString(), name);
        // The focus really moved: its window is active, so the next step goes on from here.
        QTRY_COMPARE(QApplication::activeWindow(), ws.mw.activeDock()->window());
        QVERIFY(!activated.isEmpty());
        QCOMPARE(activated.last().at(0).value<Dock*>(), ws.mw.activeDock());
        QCOMPARE(activated.last().at(1).value<QWidget*>(), ws.mw.activeTab());
    }
}


void tst_DockNavigation::focusChangedReports()
{
    Workspace ws(false);
    auto* inner = new QLineEdit(ws.page("x1"));
    ws.x->setCurrentTab(0);
    QSignalSpy activated(&ws.mw, SIGNAL(widgetActivated(Quill::UI::Dock*,QWidget*)));
    ws.page("x1")->setFocus();
    QTRY_COMPARE(ws.mw.activeDock(), ws.x);
    // Tracking is off by default.
    ws.page("z1")->setFocus();
    QTRY_COMPARE(ws.mw.activeDock(), ws.z);
    QCOMPARE(activated.count(), 0);

    ws.mw.setHighlightCurrentTab(true);
    ws.page("x1")->setFocus();
    QTRY_COMPARE(activated.count(), 1);
    QCOMPARE(activated.last().at(0).value<Dock*>(), ws.x);
    // Within the same dock nothing is reported.
    inner->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(inner));
    QCOMPARE(activated.count(), 1);

    // Two connections report twice; one call with false removes both.
    ws.mw.setHighlightCurrentTab(true);
    activated.clear();
    ws.page("z1")->setFocus();
    QTRY_COMPARE(activated.count(), 2);
    ws.mw.setHighlightCurrentTab(false);
    activated.clear();
    ws.page("x1")->setFocus();
    QTRY_COMPARE(ws.mw.activeDock(), ws.x);
    QCOMPARE(activated.count(), 0);
}

QTEST_MAIN(tst_DockNavigation)
#include "tst_docknavigation.moc"
