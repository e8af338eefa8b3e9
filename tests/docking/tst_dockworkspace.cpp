#include "DockTestUtil.h"

#include <docking/DockPlaceHolder.h>
#include <docking/DockWindow.h>
#include <docking/HoverWidget.h>

#include <QSignalSpy>
#include <docking/TitleBarButton.h>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

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

class tst_DockWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { deleteOrphanPages(); }

    // Through the window's own actions, so that their wiring is checked too; the
    // choice of the next dock is tested on its own.
    void tabsRunThroughWholeWorkspace_data()
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

    void tabsRunThroughWholeWorkspace()
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

    void focusChangedReports()
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

    // Initial arrangement: "1" = root holds dock a only; "2H" = horizontal root with a, b.
    // The split plan's rules are tested on their own; here, that the tree follows it.
    // Initial arrangement: "1" = root holds dock a only; "2H" = horizontal root with a, b.
    void split_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("shape");
        QTest::newRow("only child, H before") << "1" << "a" << int(Qt::Horizontal) << true << "H(new,a)";
        QTest::newRow("only child, V after") << "1" << "a" << int(Qt::Vertical) << false << "V(a,new)";
        QTest::newRow("across, V after first") << "2H" << "a" << int(Qt::Vertical) << false << "H(V(a,new),b)";
        QTest::newRow("across, V before second") << "2H" << "b" << int(Qt::Vertical) << true << "H(a,V(new,b))";
        QTest::newRow("along, H before second") << "2H" << "b" << int(Qt::Horizontal) << true << "H(a,new,b)";
    }

    void split()
    {
        QFETCH(QString, initial);
        QFETCH(QString, target);
        QFETCH(int, orientation);
        QFETCH(bool, before);
        TestWindow mw;
        mw.resize(800, 600);
        DockSplitter* root = mw.rootSplitter();
        mw.addWidget(makeDock(&mw, "a", {"pa"}));
        if (initial == "2H") {
            root->setOrientation(Qt::Horizontal);
            mw.addWidget(makeDock(&mw, "b", {"pb"}));
        }
        mw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mw));
        root->setSizes(initial == "2H" ? QList<int>{500, 295} : QList<int>{600});
        const QList<int> outerBefore = root->sizes();
        Dock* dock = mw.findChild<Dock*>(target);
        Dock* created = dock->split(Qt::Orientation(orientation), before);
        QVERIFY(created && created->isVisible());
        created->setObjectName("new");
        QTEST(shape(root), "shape");
        // The split dock's extent is shared equally; a nested split keeps the outer sizes.
        auto* parent = static_cast<QSplitter*>(dock->parentWidget());
        const QList<int> now = parent->sizes();
        QVERIFY(qAbs(now[parent->indexOf(dock)] - now[parent->indexOf(created)]) <= 1);
        if (parent != root)
            QCOMPARE(root->sizes(), outerBefore);
    }

    void findDockByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exactOnly");
        QTest::addColumn<bool>("searchPaneIDs");
        QTest::addColumn<QString>("expected");   // dock object name, "" for none

        QTest::newRow("page name") << "Viewer.1" << false << false << "main";
        QTest::newRow("page name, exact") << "Viewer.1" << true << false << "main";
        QTest::newRow("dock name") << "main" << true << false << "main";
        QTest::newRow("page in floating window") << "Float.1" << true << false << "float";
        QTest::newRow("named widget outside docks") << "loose" << true << true << "";
        QTest::newRow("exact, no widget, no pane search") << "Pane.7" << true << false << "";
        QTest::newRow("exact, pane id") << "Pane.7" << true << true << "side";
        QTest::newRow("exact, pane id in floating") << "Remote.3" << true << true << "float";
        QTest::newRow("prefix via page") << "Viewer.3" << false << false << "main";
        QTest::newRow("prefix via pane id first") << "Viewer.9" << false << true << "side";
        QTest::newRow("prefix via floating page") << "Float.2" << false << false << "float";
        QTest::newRow("prefix, pane ids searched then pages") << "Float.9" << false << true << "float";
        QTest::newRow("no dot, no match") << "Nothing" << false << true << "";
        QTest::newRow("prefix without match") << "Other.1" << false << true << "";
        QTest::newRow("case-sensitive") << "viewer.1" << false << false << "";
        QTest::newRow("prefix keeps its dot") << "Notes.2" << false << false << "";
        QTest::newRow("prefix ends at last dot") << "a.b.c" << false << false << "side";
        QTest::newRow("page in window parented elsewhere") << "Apart.1" << true << false << "apart";
        QTest::newRow("prefix via window parented elsewhere") << "Apart.5" << false << true << "apart";
    }

    void findDockByName()
    {
        TestWindow mw;
        Dock* main = makeDock(&mw, "main", {"Viewer.1", "Notes"});
        mw.addWidget(main);
        Dock* side = makeDock(&mw, "side", {"Inspector", "a.b.x"});
        side->paneIDs() << "Pane.7" << "Viewer.8";
        mw.addWidget(side);
        auto* loose = new QWidget(&mw);
        loose->setObjectName("loose");
        DockWindow* w = mw.addNewFloatingDock(new Page("Float.1"));
        Dock* flt = Dock::dockForWidget(w->findChild<QWidget*>("Float.1"));
        flt->setObjectName("float");
        flt->paneIDs() << "Remote.3";
        // A registered window that is not our child is searched on its own.
        std::unique_ptr<DockWindow> apart(new DockWindow(&mw, nullptr));
        Dock* ad = makeDock(&mw, "apart", {"Apart.1"});
        apart->addWidget(ad);
        mw.setFloatingWindows(mw.floatingWindows() + QList<DockWindow*>{apart.get()});

        QFETCH(QString, name);
        QFETCH(bool, exactOnly);
        QFETCH(bool, searchPaneIDs);
        QFETCH(QString, expected);
        Dock* found = mw.findDockByName(name, exactOnly, searchPaneIDs);
        QCOMPARE(found ? found->objectName() : QString(), expected);
        if (!expected.isEmpty())
            QVERIFY(mw.docks().contains(found));
    }

    void placeHolders()
    {
        TestWindow mw;
        Dock* a = makeDock(&mw, "a", {"one"});
        mw.addWidget(a);
        QString id = "two";
        QWidget* ph = mw.createPage(id);
        a->addWidget(ph, false, false);
        a->addWidget(new Page("three"), false, false);
        QCOMPARE(a->count(), 3);
        QCOMPARE(mw.placeHolders(), (QList<DockPlaceHolder*>{static_cast<DockPlaceHolder*>(ph)}));

        // The returning page takes exactly the placeholder's place.
        QPointer<QWidget> stale(ph);
        auto* two = new Page("two");
        a->addWidget(two, true, false);
        QCOMPARE(a->count(), 3);
        QCOMPARE(a->widget(1), static_cast<QWidget*>(two));
        QCOMPARE(a->currentWidget(), static_cast<QWidget*>(two));
        QCOMPARE(a->tabBar()->count(), 3);
        QCOMPARE(a->tabBar()->tabText(1), QString("two"));
        QVERIFY(mw.placeHolders().isEmpty());
        flushDeletes();
        QVERIFY(stale.isNull());

        // A page leaving a saved layout leaves a placeholder with its tab; unknown
        // pages and unsaved layouts get none.
        QCOMPARE(a->restorePlaceHolderForWidget(two), nullptr);
        mw.saveLayoutIDs();
        QVERIFY(mw.isInLayout("two") && !mw.isInLayout("Two"));
        Page unknown("unknown");
        QCOMPARE(a->restorePlaceHolderForWidget(&unknown), nullptr);
        DockPlaceHolder* back = a->restorePlaceHolderForWidget(two);
        a->removeWidget(two);
        two->setParent(nullptr);
        QCOMPARE(a->widget(2), static_cast<QWidget*>(back));
        a->updateTitles();
        QCOMPARE(a->tabBar()->tabText(2), QString("two"));
        a->addWidget(two, false, false);
        QCOMPARE(a->widget(2), static_cast<QWidget*>(two));
        QCOMPARE(a->count(), 3);
    }

    void addWidgetRules()
    {
        TestWindow mw;
        Dock* a = makeDock(&mw, "a");
        mw.addWidget(a);

        // An unnamed widget takes the place of the first placeholder found.
        auto* ph = new DockPlaceHolder;
        ph->setObjectName("slot");
        a->addWidget(ph, true, false);
        a->addWidget(new Page("x"), false, false);
        auto* unnamed = new Page(QString());
        a->addWidget(unnamed, false, false);
        QCOMPARE(a->count(), 2);
        QCOMPARE(a->widget(0), static_cast<QWidget*>(unnamed));
        QCOMPARE(a->tabBar()->count(), 2);
        flushDeletes();

        // Adding a widget that is already there selects it and still remembers it.
        QWidget* x = a->widget(1);
        QSignalSpy added(&mw, SIGNAL(widgetAdded(Quill::UI::Dock*,QWidget*)));
        a->addWidget(x, true, true);
        a->addWidget(x, true, true);
        QCOMPARE(a->count(), 2);
        QCOMPARE(a->currentWidget(), x);
        QCOMPARE(added.count(), 0);
        QCOMPARE(a->rememberedWidgets(), QList<QWidget*>{x});

        // insertWidget moves a page that is already in the dock; setCurrentWidget(nullptr)
        // returns to the previous tab.
        a->insertWidget(0, x);
        QCOMPARE(a->widget(0), x);
        QCOMPARE(a->tabBar()->tabText(0), QString("x"));
        a->setCurrentTab(1);
        a->setCurrentTab(0);
        a->setCurrentWidget(nullptr);
        QCOMPARE(a->currentTab(), 1);
        // Tab icons only for widgets that set theirs.
        auto* iconic = new Page("iconic");
        QPixmap pm(16, 16);
        pm.fill(Qt::red);
        iconic->setWindowIcon(QIcon(pm));
        a->addWidget(iconic, false, false);
        a->addWidget(new Page("plain"), false, false);
        QVERIFY(!a->tabBar()->tabIcon(2).isNull());
        QVERIFY(a->tabBar()->tabIcon(3).isNull());
        iconic->setWindowTitle("renamed");
        a->updateTitles();
        QCOMPARE(a->tabBar()->tabText(2), QString("renamed"));
    }

    void closeTab_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("deleteOnClose");
        QTest::addColumn<bool>("floating");
        QTest::addColumn<int>("countAfter");
        QTest::addColumn<bool>("pageAlive");
        QTest::addColumn<bool>("windowAlive");

        // Refusing, detaching and self-deleting pages in the main window are the random
        // test's daily fare; here the floating window's fate.
        QTest::newRow("deletes itself") << false << true << false << 0 << false << true;
        QTest::newRow("last tab closes floating window") << false << false << true << 0 << true << false;
        QTest::newRow("last self-deleting tab closes floating window") << false << true << true << 0 << false << false;
        QTest::newRow("refusing last tab keeps floating window") << true << true << true << 1 << true << true;
    }

    void closeTab()
    {
        QFETCH(bool, refuse);
        QFETCH(bool, deleteOnClose);
        QFETCH(bool, floating);
        TestWindow mw;
        auto* page = new Page("p", deleteOnClose);
        page->refuse = refuse;
        QPointer<Page> guard(page);
        QPointer<DockWindow> window;
        Dock* dock;
        if (floating) {
            window = mw.addNewFloatingDock(page);
            dock = Dock::dockForWidget(page);
        } else {
            dock = makeDock(&mw, "d");
            mw.addWidget(dock);
            dock->addWidget(page);
            window = &mw;
        }
        QPointer<Dock> dockGuard(dock);
        dock->closeActiveTab();
        QCOMPARE(page ? page->closeRequests : 1, 1);
        QFETCH(int, countAfter);
        QCOMPARE(dock->count(), countAfter);
        QCOMPARE(dock->tabBar()->count(), countAfter);
        flushDeletes();
        QTEST(!guard.isNull(), "pageAlive");
        QTEST(!window.isNull(), "windowAlive");
        if (guard && countAfter == 0)
            QCOMPARE(guard->parentWidget(), nullptr);   // detached, owned by the host now
        if (window == &mw)
            QVERIFY(dockGuard);   // an empty dock in the main window stays
        delete guard.data();
    }

    void closeMainWindowClosesFloatingFirst()
    {
        TestWindow mw;
        QStringList order;
        class Recorder : public Page
        {
        public:
            Recorder(const QString& n, QStringList* log) : Page(n), log(log) {}
            QStringList* log;
        protected:
            void closeEvent(QCloseEvent* e) override { log->append(objectName()); Page::closeEvent(e); }
        };
        Dock* d = makeDock(&mw, "d");
        mw.addWidget(d);
        d->addWidget(new Recorder("main", &order));
        mw.addNewFloatingDock(new Recorder("float1", &order));
        mw.addNewFloatingDock(new Recorder("float2", &order));
        mw.setAttribute(Qt::WA_DeleteOnClose, false);
        QList<QWidget*> pages;
        for (Dock* dock : mw.docks())
            pages << dock->widget(0);
        auto* refusing = static_cast<Page*>(mw.floatingWindows().at(1)->findChild<QWidget*>("float2"));
        refusing->refuse = true;   // a floating page that refuses keeps the main window open
        QVERIFY(!mw.close());
        QCOMPARE(order, (QStringList{"float1", "float2", "main"}));
        refusing->refuse = false;
        QVERIFY(mw.close());
        flushDeletes();
        QVERIFY(mw.floatingWindows().isEmpty());
        qDeleteAll(pages);   // detached survivors belong to the host
    }

    void addNewFloatingDock()
    {
        TestWindow mw;
        DockWindow* empty = mw.addNewFloatingDock(nullptr);
        QVERIFY(empty->snapEnabled());
        QVERIFY(!empty->isVisible());
        QCOMPARE(empty->rootSplitter()->count(), 0);
        auto* p = new Page("p");
        DockWindow* w = mw.addNewFloatingDock(p);
        QVERIFY(w->isVisible() && w->isWindow());
        QCOMPARE(Dock::dockForWidget(p)->dockWindow(), w);
        // A window of no size would never be mapped: a small page still gets one.
        QVERIFY(w->width() >= 160 && w->height() >= 120);
        QCOMPARE(mw.floatingWindows(), (QList<DockWindow*>{empty, w}));
    }

    void signalOrder()
    {
        TestWindow mw;
        QStringList log;
        auto record = [&log](const char* what) {
            return [&log, what](Dock* d, QWidget* w) {
                log << QString("%1 %2 %3").arg(what, d ? d->objectName() : "-", w ? w->objectName() : "-");
            };
        };
        connect(&mw, &DockMainWindow::widgetAdded, record("added"));
        connect(&mw, &DockMainWindow::widgetRemoved, record("removed"));
        connect(&mw, &DockMainWindow::widgetActivated, record("activated"));

        Dock* d = makeDock(&mw, "d");
        mw.addWidget(d);
        d->addWidget(new Page("p1"), true, false);
        d->addWidget(new Page("p2"), false, false);
        d->setCurrentTab(1);
        QWidget* p1 = d->widget(0);
        d->removeWidget(p1);
        // The first page becomes current as its tab appears, before it is reported
        // added; a change of tab is reported by the tab change and by the call itself.
        QCOMPARE(log, (QStringList{"activated d p1", "added d p1", "added d p2",
                                   "activated d p2", "activated d p2",
                                   "activated d p2", "activated d p2", "removed d p1"}));
        delete p1;

        // The last page leaving is no activation of "nothing".
        log.clear();
        d->closeActiveTab();
        QCOMPARE(log, QStringList{"removed d p2"});
    }

    void hideSingleTabs()
    {
        TestWindow mw;
        mw.setHideSingleTabs(true);
        mw.resize(400, 300);
        Dock* d = makeDock(&mw, "d");
        mw.addWidget(d);
        mw.show();
        d->addWidget(new Page("one"));
        QVERIFY(!d->titleVisible());
        QVERIFY(!d->showTabsAction()->isChecked());
        QCOMPARE(d->stack()->y(), 3);
        QCOMPARE(d->titleBar()->height(), 3);
        QVERIFY(!d->tabBar()->isVisible());
        d->addWidget(new Page("two"));
        QVERIFY(d->titleVisible());
        QVERIFY(d->tabBar()->isVisible());
        QVERIFY(d->stack()->y() > 3);
        QVERIFY(d->showTabsAction()->isChecked());
        // The menu's Show Tabs entry drives the flag.
        d->showTabsAction()->trigger();
        QVERIFY(!d->titleVisible());
        delete d->widget(0);
        QVERIFY(!d->titleVisible());
    }

    void badInput()
    {
        TestWindow mw;
        Dock* d = makeDock(&mw, "d", {"a", "b"});
        mw.addWidget(d);
        QSignalSpy added(&mw, SIGNAL(widgetAdded(Quill::UI::Dock*,QWidget*)));
        QSignalSpy removed(&mw, SIGNAL(widgetRemoved(Quill::UI::Dock*,QWidget*)));
        d->addWidget(nullptr);
        d->addWidget(d);
        d->addWidget(&mw);
        d->addWidget(mw.rootSplitter());
        d->insertWidget(0, d);
        d->insertWidget(QPoint(1, 1), &mw);
        Page stranger("stranger");
        d->removeWidget(&stranger);
        d->setCurrentWidget(&stranger);
        d->setCurrentTab(99);
        d->closeTab(-1);
        QCOMPARE(d->restorePlaceHolderForWidget(nullptr), nullptr);
        QCOMPARE(added.count(), 0);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(d->count(), 2);
        QCOMPARE(d->tabBar()->count(), 2);
        QCOMPARE(d->parentWidget(), static_cast<QWidget*>(mw.rootSplitter()));
        QCOMPARE(mw.findDockByName(QString(), false, false), nullptr);
        mw.setRootSplitter(nullptr);   // a window without a splitter answers empty
        flushDeletes();
        QVERIFY(mw.docks().isEmpty());
        QCOMPARE(mw.findDockWithPaneID("x", true), nullptr);
        Dock* again = makeDock(&mw, "again");
        mw.addWidget(again);   // a new root splitter takes it
        QVERIFY(mw.rootSplitter());
        QCOMPARE(mw.docks(), QList<Dock*>{again});
        QVERIFY(mw.close());
    }
};

QTEST_MAIN(tst_DockWorkspace)
#include "tst_dockworkspace.moc"
