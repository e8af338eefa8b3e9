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
    void cleanup() { deleteOrphanPages(); }

    void tabsRunThroughWholeWorkspace_data();
    void tabsRunThroughWholeWorkspace();
    void focusChangedReports();
};






// Through the window's own actions, so that their wiring is checked too; the
// choice of the next dock is tested on its own.
void tst_DockNavigation::tabsRunThroughWholeWorkspace_data()
{
    QTest::addColumn<QString>("start");   // page to focus, or "Y" for the empty dock
    QTest::addColumn<int>("action");      // 0 next pane, 1 previous pane, 2 next tab, 3 previous tab
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("hideFloating");
    // Y is empty and passed over; F is in the floating window.
    QTest::newRow("next tab from the first page") << "x1" << 2 << QStringList{"x2", "z1", "f1", "f2", "x1"} << false;
    QTest::newRow("previous tab from the first page") << "x1" << 3 << QStringList{"f2", "f1", "z1", "x2", "x1"} << false;
    QTest::newRow("next tab from an empty dock") << "Y" << 2 << QStringList{"z1", "f1"} << false;
    // An empty dock moves on backwards too, to the last page of the dock before it.
    QTest::newRow("previous tab from an empty dock") << "Y" << 3 << QStringList{"x2", "x1", "f2"} << false;
    // A hidden window cannot take the focus: it is passed over like an empty dock.
    QTest::newRow("next tab passes a hidden window") << "z1" << 2 << QStringList{"x1", "x2"} << true;
    QTest::newRow("next pane") << "x1" << 0 << QStringList{"z1", "f1", "x1"} << false;
    QTest::newRow("previous pane passes a hidden window") << "x1" << 1 << QStringList{"z1", "x1"} << true;
}

void tst_DockNavigation::tabsRunThroughWholeWorkspace()
{
    QFETCH(QString, start);
    QFETCH(int, action);
    QFETCH(QStringList, pages);
    Workspace ws;
    QFETCH(bool, hideFloating);
    if (hideFloating)
        ws.floating->hide();
    ws.x->setCurrentTab(0);
    QAction* actions[] = {ws.mw.nextDockAction(), ws.mw.prevDockAction(), ws.mw.nextTabAction(),
                          ws.mw.prevTabAction()};
    QWidget* first = start == "Y" ? static_cast<QWidget*>(ws.y) : ws.page(qPrintable(start));
    first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), first);
    QSignalSpy activated(&ws.mw, SIGNAL(widgetActivated(Quill::UI::Dock*,QWidget*)));
    for (const QString& name : pages) {
        actions[action]->trigger();
        QTRY_COMPARE(ws.mw.activeTab() ? ws.mw.activeTab()->objectName() : QString(), name);
        // The focus really moved: its window is active, so the next step goes on from here.
        QTRY_COMPARE(QApplication::activeWindow(), ws.mw.activeDock()->window());
        if (action >= 2) {
            QCOMPARE(activated.last().at(0).value<Dock*>(), ws.mw.activeDock());
            QCOMPARE(activated.last().at(1).value<QWidget*>(), ws.mw.activeTab());
        }
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
