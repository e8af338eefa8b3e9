#include "DockTestUtil.h"

#include <docking/DockPlaceHolder.h>
#include <docking/DockWindow.h>
#include <docking/HoverWidget.h>

#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <docking/TitleBarButton.h>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

using namespace Quill::UI;

class tst_DockWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { DockTestDetail::installQuietHandler(); }
    void cleanup() { deleteOrphanPages(); }

    void freshWindow();
    void split_data();
    void split();
    void splitOutsideSplitter();
    void nestedSplittersCollapse();
    void expandRestore_data();
    void expandRestore();
    void splitterExpandSizes();
    void transpose();
    void dockOrder();
    void findDockByName_data();
    void findDockByName();
    void getDocksWithPrefix();
    void placeHolders();
    void addWidgetRules();
    void closeTab_data();
    void closeTab();
    void closePaneWithRefusingPage();
    void closeWindowsWithRefusingPages_data();
    void closeWindowsWithRefusingPages();
    void closeMainWindowClosesFloatingFirst();
    void floatPaneAndTab();
    void floatingListNeverDangles();
    void addNewFloatingDock();
    void signalOrder();
    void pageDestroyedWhileDocked();
    void teardown_data();
    void teardown();
    void hideSingleTabs();
    void pageMovesBetweenDocks();
    void badInput();
    void restorePlaceHolder();
};

// Exposes the layout snapshot that layout files take.
class SnapshotWindow : public DockMainWindow
{
public:
    using DockMainWindow::saveLayoutIDs;
};

void tst_DockWorkspace::freshWindow()
{
    DockMainWindow mw;
    QVERIFY(mw.hasPanelMenu());
    QVERIFY(!mw.hideSingleTabs());
    QVERIFY(!mw.splitPanelsByDragging());
    QVERIFY(!mw.highlightCurrentTab());
    QVERIFY(!mw.tabsAreClosable());
    QVERIFY(mw.docks().isEmpty());
    QCOMPARE(mw.getFocusPage(), QString());
    QVERIFY(mw.snapEnabled());
    QCOMPARE(mw.windowTitle(), QString(" "));
    QVERIFY(mw.rootSplitter());
    QCOMPARE(mw.centralWidget(), static_cast<QWidget*>(mw.rootSplitter()));
    QCOMPARE(mw.rootSplitter()->orientation(), Qt::Vertical);
    QCOMPARE(mw.metaObject()->className(), "Quill::UI::DockMainWindow");
    std::unique_ptr<Dock> d(mw.createDock());
    QCOMPARE(d->metaObject()->className(), "Quill::UI::Dock");
    QCOMPARE(d->controller(), &mw);
    QVERIFY(d->tabBar());
    QCOMPARE(d->tabBar()->metaObject()->className(), "Quill::UI::DockTabBar");
    // These classes have no meta-object of their own.
    DockSplitter s;
    QCOMPARE(s.metaObject(), &QSplitter::staticMetaObject);
    DockWindow* w = mw.createWindow();
    QCOMPARE(w->metaObject(), &QMainWindow::staticMetaObject);
    QVERIFY(!w->snapEnabled());
    QCOMPARE(w->parentWidget(), &mw);
    QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
    DockPlaceHolder ph;
    QCOMPARE(ph.metaObject(), &QWidget::staticMetaObject);
    auto ownMethods = [](const QMetaObject* mo) {
        QStringList out;
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i)
            out << QString::fromLatin1(mo->method(i).methodSignature());
        return out;
    };
    QCOMPARE(ownMethods(mw.metaObject()),
             (QStringList{"widgetAdded(Quill::UI::Dock*,QWidget*)", "widgetRemoved(Quill::UI::Dock*,QWidget*)",
                          "widgetActivated(Quill::UI::Dock*,QWidget*)", "updateVellumScriptName(QString)",
                          "nextDock()", "prevDock()", "nextTab()", "prevTab()", "focusChanged(QWidget*,QWidget*)"}));
    QCOMPARE(mw.metaObject()->method(mw.metaObject()->methodOffset()).parameterNames(),
             (QList<QByteArray>{"dock", "widget"}));
    QCOMPARE(ownMethods(d->metaObject()),
             (QStringList{"mouseOver(bool)", "splitHorizontal()", "splitVertical()", "floatDock()",
                          "floatActiveTab()", "closeActiveTab()", "closeInactiveTabs()", "closeTab(int)",
                          "removeTab(int)", "showTab(int)", "transposeDock()", "fullscreenDock()",
                          "dumpLayout()", "setTitleVisible(bool)", "updateTitles()", "nextTab()", "prevTab()"}));
    QCOMPARE(ownMethods(d->tabBar()->metaObject()), QStringList{"onMouseOverDock(bool)"});
    QCOMPARE(d->titleBar()->metaObject(), &QWidget::staticMetaObject);
    QCOMPARE(d->menuButton()->metaObject(), &QPushButton::staticMetaObject);
    HoverWidget overlay(d.get());
    QCOMPARE(overlay.metaObject(), &QWidget::staticMetaObject);
    QString id = "Viewer.1";
    std::unique_ptr<QWidget> page(mw.createPage(id));
    QVERIFY(dynamic_cast<DockPlaceHolder*>(page.get()));
    QCOMPARE(page->objectName(), id);
}

// Initial arrangement: "1" = root holds dock a only; "2H" = horizontal root with a, b.
void tst_DockWorkspace::split_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("before");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<bool>("outerKept");

    QTest::newRow("only child, H before") << "1" << "a" << int(Qt::Horizontal) << true << "H(new,a)" << false;
    QTest::newRow("only child, H after") << "1" << "a" << int(Qt::Horizontal) << false << "H(a,new)" << false;
    QTest::newRow("only child, V after") << "1" << "a" << int(Qt::Vertical) << false << "V(a,new)" << false;
    QTest::newRow("only child, V before") << "1" << "a" << int(Qt::Vertical) << true << "V(new,a)" << false;
    QTest::newRow("across, V after first") << "2H" << "a" << int(Qt::Vertical) << false << "H(V(a,new),b)" << true;
    QTest::newRow("across, V before second") << "2H" << "b" << int(Qt::Vertical) << true << "H(a,V(new,b))" << true;
    QTest::newRow("along, H after first") << "2H" << "a" << int(Qt::Horizontal) << false << "H(a,new,b)" << false;
    QTest::newRow("along, H before second") << "2H" << "b" << int(Qt::Horizontal) << true << "H(a,new,b)" << false;
}

void tst_DockWorkspace::split()
{
    QFETCH(QString, initial);
    QFETCH(QString, target);
    QFETCH(int, orientation);
    QFETCH(bool, before);

    DockMainWindow mw;
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
    QVERIFY(created);
    created->setObjectName("new");
    QCOMPARE(created->controller(), &mw);
    QTEST(shape(root), "shape");
    QCOMPARE(mw.rootSplitter(), root);
    QVERIFY(created->isVisible());
    QVERIFY(dock->isVisible());

    QFETCH(bool, outerKept);
    if (outerKept) {
        QCOMPARE(root->sizes(), outerBefore);
        auto* inner = dynamic_cast<DockSplitter*>(dock->parentWidget());
        QVERIFY(inner && inner != root);
        const QList<int> halves = inner->sizes();
        QCOMPARE(halves.size(), 2);
        QVERIFY2(qAbs(halves[0] - halves[1]) <= 1, qPrintable(QString("%1 %2").arg(halves[0]).arg(halves[1])));
    } else {
        // The split dock's extent is shared equally by it and the new dock; along
        // the same orientation the other docks keep theirs.
        const QList<int> now = root->sizes();
        const int i = root->indexOf(dock);
        const int j = root->indexOf(created);
        QVERIFY2(qAbs(now[i] - now[j]) <= 1, qPrintable(QString("%1 %2").arg(now[i]).arg(now[j])));
        if (initial == "2H") {
            const int other = target == "a" ? 2 : 0;
            const int old = outerBefore.value(target == "a" ? 0 : 1);
            QVERIFY2(qAbs(now[i] + now[j] - old) <= root->handleWidth() + 1,
                     qPrintable(QString("%1 + %2 vs %3").arg(now[i]).arg(now[j]).arg(old)));
            QVERIFY(qAbs(now[other] - outerBefore.value(target == "a" ? 1 : 0)) <= root->handleWidth() + 1);
        }
    }
}

void tst_DockWorkspace::splitOutsideSplitter()
{
    DockMainWindow mw;
    std::unique_ptr<Dock> loose(mw.createDock());
    QVERIFY(!loose->split(Qt::Horizontal, false));
    loose->transposeDock();   // nothing to flip; must not crash
    flushDeletes();
}

void tst_DockWorkspace::nestedSplittersCollapse()
{
    DockMainWindow mw;
    mw.resize(800, 600);
    Dock* a = makeDock(&mw, "a", {"pa"});
    mw.addWidget(a);
    mw.show();
    Dock* b = a->split(Qt::Horizontal, false);
    b->setObjectName("b");
    Dock* c = b->split(Qt::Vertical, false);
    c->setObjectName("c");
    Dock* d = c->split(Qt::Horizontal, false);
    d->setObjectName("d");
    DockSplitter* root = mw.rootSplitter();
    QCOMPARE(shape(root), QString("H(a,V(b,H(c,d)))"));
    QPointer<QSplitter> inner = qobject_cast<QSplitter*>(d->parentWidget());
    QPointer<QSplitter> middle = qobject_cast<QSplitter*>(b->parentWidget());

    // Closing c leaves the innermost splitter holding d alone: it stays.
    QVERIFY(c->close());
    flushDeletes();
    QCOMPARE(shape(root), QString("H(a,V(b,H(d)))"));
    // Closing d empties it: it leaves and is deleted, not just closed.
    QVERIFY(d->close());
    flushDeletes();
    QVERIFY(inner.isNull());
    QCOMPARE(shape(root), QString("H(a,V(b))"));
    QVERIFY(b->close());
    flushDeletes();
    QVERIFY(middle.isNull());
    QCOMPARE(shape(root), QString("H(a)"));
    // The root never leaves, even when empty.
    QVERIFY(a->close());
    flushDeletes();
    QCOMPARE(mw.rootSplitter(), root);
    QCOMPARE(mw.centralWidget(), static_cast<QWidget*>(root));
    QCOMPARE(root->count(), 0);
    QVERIFY(mw.docks().isEmpty());
}

void tst_DockWorkspace::expandRestore_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("deepest") << "d";
    QTest::newRow("middle level") << "b";
    QTest::newRow("top level") << "a";
}

void tst_DockWorkspace::expandRestore()
{
    QFETCH(QString, target);
    DockMainWindow mw;
    mw.resize(900, 700);
    Dock* a = makeDock(&mw, "a", {"pa"});
    mw.addWidget(a);
    mw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mw));
    Dock* b = a->split(Qt::Horizontal, false);
    b->setObjectName("b");
    Dock* c = b->split(Qt::Vertical, false);
    c->setObjectName("c");
    Dock* d = c->split(Qt::Horizontal, false);
    d->setObjectName("d");
    QCOMPARE(shape(mw.rootSplitter()), QString("H(a,V(b,H(c,d)))"));

    QList<QSplitter*> splitters;
    QList<QList<int>> before;
    splitters << mw.rootSplitter() << qobject_cast<QSplitter*>(b->parentWidget())
              << qobject_cast<QSplitter*>(d->parentWidget());
    for (QSplitter* s : splitters)
        before << s->sizes();

    Dock* dock = mw.findChild<Dock*>(target);
    dock->setExpanded(true);
    QVERIFY(dock->isExpanded());
    // The dock fills the window but for the collapsed splitter handles on its path.
    const int slack = 2 * mw.rootSplitter()->handleWidth();
    QVERIFY(dock->width() >= mw.rootSplitter()->width() - slack);
    QVERIFY(dock->height() >= mw.rootSplitter()->height() - slack);
    for (int i = 0; i < splitters.size(); ++i) {
        auto* s = static_cast<DockSplitter*>(splitters[i]);
        const bool onPath = s->isAncestorOf(dock);
        if (onPath) {
            QCOMPARE(s->realSizes(), before[i]);   // what a layout would save
            int nonZero = 0;
            for (int v : s->sizes())
                nonZero += v > 0;
            QCOMPARE(nonZero, 1);
        }
    }
    // Expanding again changes nothing (the saved sizes are not overwritten).
    dock->setExpanded(true);
    dock->setExpanded(false);
    QVERIFY(!dock->isExpanded());
    for (int i = 0; i < splitters.size(); ++i) {
        QCOMPARE(splitters[i]->sizes(), before[i]);
        QCOMPARE(static_cast<DockSplitter*>(splitters[i])->realSizes(), splitters[i]->sizes());
    }
}

void tst_DockWorkspace::splitterExpandSizes()
{
    QWidget host;
    host.resize(602 + 2 * 5, 100);
    auto* s = new DockSplitter(Qt::Horizontal);
    s->setParent(&host);
    s->setHandleWidth(1);
    s->setGeometry(0, 0, 602, 100);
    for (int i = 0; i < 3; ++i)
        s->addWidget(new QWidget);
    host.show();
    s->setSizes({200, 300, 100});
    QCOMPARE(s->sizes(), (QList<int>{200, 300, 100}));
    QCOMPARE(s->realSizes(), s->sizes());
    s->expand(1);
    QCOMPARE(s->sizes(), (QList<int>{0, 600, 0}));
    QCOMPARE(s->realSizes(), (QList<int>{200, 300, 100}));
    s->expand(-1);
    QCOMPARE(s->sizes(), (QList<int>{200, 300, 100}));
    QCOMPARE(s->realSizes(), s->sizes());
    // An empty splitter that is in no tree stays alive (nothing to leave).
    DockSplitter loose;
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(&loose, &request);
    flushDeletes();
    QCOMPARE(loose.count(), 0);
}

void tst_DockWorkspace::transpose()
{
    DockMainWindow mw;
    Dock* a = makeDock(&mw, "a", {"p"});
    mw.addWidget(a);
    a->transposeDock();
    QCOMPARE(mw.rootSplitter()->orientation(), Qt::Horizontal);
    a->transposeDock();
    QCOMPARE(mw.rootSplitter()->orientation(), Qt::Vertical);
}

void tst_DockWorkspace::dockOrder()
{
    DockMainWindow mw;
    mw.resize(800, 600);
    Dock* a = makeDock(&mw, "a", {"pa"});
    mw.addWidget(a);
    Dock* c = makeDock(&mw, "c", {"pc"});
    mw.addWidget(c);
    Dock* b = a->split(Qt::Horizontal, false);   // nested: V(H(a,b),c)
    b->setObjectName("b");
    QCOMPARE(shape(mw.rootSplitter()), QString("V(H(a,b),c)"));

    DockWindow* w1 = mw.addNewFloatingDock(new Page("f1"));
    DockWindow* w2 = mw.addNewFloatingDock(new Page("f2"));
    Dock* f1 = Dock::dockForWidget(w1->findChild<QWidget*>("f1"));
    Dock* f2 = Dock::dockForWidget(w2->findChild<QWidget*>("f2"));
    Dock* f1b = f1->split(Qt::Vertical, true);
    QCOMPARE(mw.docks(), (QList<Dock*>{a, b, c, f1b, f1, f2}));
    QCOMPARE(mw.floatingWindows(), (QList<DockWindow*>{w1, w2}));
    QVERIFY(w1->snapEnabled() && w2->snapEnabled());

    // Closing a floating window removes it, and its docks, from the workspace.
    QVERIFY(w1->close());
    flushDeletes();
    QCOMPARE(mw.floatingWindows(), (QList<DockWindow*>{w2}));
    QCOMPARE(mw.docks(), (QList<Dock*>{a, b, c, f2}));
}

void tst_DockWorkspace::findDockByName_data()
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
    QTest::newRow("prefix ends at last dot") << "a.b.c" << false << false << "side";
    QTest::newRow("page in window parented elsewhere") << "Apart.1" << true << false << "apart";
    QTest::newRow("prefix via window parented elsewhere") << "Apart.5" << false << true << "apart";
}

void tst_DockWorkspace::findDockByName()
{
    DockMainWindow mw;
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

void tst_DockWorkspace::getDocksWithPrefix()
{
    DockMainWindow mw;
    Dock* a = makeDock(&mw, "ViewerDock", {"Viewer.1", "Viewer.2", "Other"});
    Dock* b = makeDock(&mw, "b", {"Viewer.3"});
    mw.addWidget(a);
    mw.addWidget(b);
    // One entry per matching widget, the dock itself included.
    // Tree order follows Qt's child order; compare as a multiset.
    QList<Dock*> found = mw.getDocksWithPrefix("Viewer");
    QCOMPARE(found.size(), 4);
    QCOMPARE(found.count(a), 3);
    QCOMPARE(found.count(b), 1);
    QCOMPARE(mw.getDocksWithPrefix("Nope"), QList<Dock*>{});
    QVERIFY(mw.getDocksWithPrefix("").count(a) > 3);
}

void tst_DockWorkspace::placeHolders()
{
    DockMainWindow mw;
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

    // A placeholder inside a floating window is listed twice.
    QString fid = "far";
    DockWindow* w = mw.addNewFloatingDock(mw.createPage(fid));
    QCOMPARE(mw.placeHolders().size(), 2);
    QCOMPARE(mw.placeHolders().at(0), mw.placeHolders().at(1));
    Q_UNUSED(w);
}

void tst_DockWorkspace::addWidgetRules()
{
    DockMainWindow mw;
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

    // insertWidget moves a page that is already in the dock.
    a->insertWidget(0, x);
    QCOMPARE(a->widget(0), x);
    QCOMPARE(a->count(), 2);
    QCOMPARE(a->tabBar()->tabText(0), QString("x"));

    // setCurrentWidget(nullptr) returns to the previous tab.
    a->setCurrentTab(1);
    a->setCurrentTab(0);
    a->setCurrentWidget(nullptr);
    QCOMPARE(a->currentTab(), 1);
    // Tab cycling wraps both ways.
    a->nextTab();
    QCOMPARE(a->currentTab(), 0);
    a->prevTab();
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

void tst_DockWorkspace::closeTab_data()
{
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<bool>("deleteOnClose");
    QTest::addColumn<bool>("floating");
    QTest::addColumn<int>("countAfter");
    QTest::addColumn<bool>("pageAlive");
    QTest::addColumn<bool>("windowAlive");

    QTest::newRow("refuses: keeps its tab") << true << false << false << 1 << true << true;
    QTest::newRow("survives detached") << false << false << false << 0 << true << true;
    QTest::newRow("deletes itself") << false << true << false << 0 << false << true;
    QTest::newRow("last tab closes floating window") << false << false << true << 0 << true << false;
    QTest::newRow("last self-deleting tab closes floating window") << false << true << true << 0 << false << false;
    QTest::newRow("refusing last tab keeps floating window") << true << true << true << 1 << true << true;
}

void tst_DockWorkspace::closeTab()
{
    QFETCH(bool, refuse);
    QFETCH(bool, deleteOnClose);
    QFETCH(bool, floating);
    DockMainWindow mw;
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

void tst_DockWorkspace::closePaneWithRefusingPage()
{
    DockMainWindow mw;
    Dock* d = makeDock(&mw, "d", {"keep", "go"});
    mw.addWidget(d);
    auto* stubborn = static_cast<Page*>(d->widget(0));
    stubborn->refuse = true;
    QPointer<QWidget> go(d->widget(1));
    QVERIFY(!d->close());
    flushDeletes();
    QCOMPARE(mw.docks(), QList<Dock*>{d});
    QCOMPARE(d->count(), 1);
    QCOMPARE(d->widget(0), static_cast<QWidget*>(stubborn));
    QVERIFY(go);   // no WA_DeleteOnClose: detached, alive
    QCOMPARE(go->parentWidget(), nullptr);
    delete go.data();

    // Solo Tab closes the others and keeps the current one.
    d->addWidget(new Page("b"), false);
    d->addWidget(new Page("c"), false);
    stubborn->refuse = false;
    d->setCurrentTab(1);
    QWidget* current = d->currentWidget();
    QList<QPointer<QWidget>> others{d->widget(0), d->widget(2)};
    d->closeInactiveTabs();
    QCOMPARE(d->count(), 1);
    QCOMPARE(d->currentWidget(), current);
    for (auto& o : others) {
        QVERIFY(o);
        delete o.data();
    }
}

void tst_DockWorkspace::closeWindowsWithRefusingPages_data()
{
    QTest::addColumn<bool>("refuseInFloating");
    QTest::newRow("refusing page in floating window") << true;
    QTest::newRow("refusing page in main window") << false;
}

void tst_DockWorkspace::closeWindowsWithRefusingPages()
{
    QFETCH(bool, refuseInFloating);
    auto* mw = new DockMainWindow;
    QPointer<DockMainWindow> mwGuard(mw);
    Dock* main = makeDock(mw, "main", {"m1"});
    mw->addWidget(main);
    auto* unsaved = new Page("unsaved", true);
    unsaved->refuse = true;
    QPointer<Page> unsavedGuard(unsaved);
    QPointer<DockWindow> floating = mw->addNewFloatingDock(new Page("f1", true));
    if (refuseInFloating)
        Dock::dockForWidget(floating->findChild<QWidget*>("f1"))->addWidget(unsaved);
    else
        main->addWidget(unsaved);
    mw->show();

    QVERIFY(!mw->close());
    flushDeletes();
    QVERIFY(mwGuard);
    QVERIFY(unsavedGuard);
    QCOMPARE(floating.isNull(), !refuseInFloating);
    QVERIFY(Dock::dockForWidget(unsaved));

    unsaved->refuse = false;
    QVERIFY(mw->close());
    flushDeletes();
    QVERIFY(mwGuard.isNull());
    QVERIFY(unsavedGuard.isNull());
}

void tst_DockWorkspace::closeMainWindowClosesFloatingFirst()
{
    DockMainWindow mw;
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
    QVERIFY(mw.close());
    QCOMPARE(order, (QStringList{"float1", "float2", "main"}));
    flushDeletes();
    QVERIFY(mw.floatingWindows().isEmpty());
    qDeleteAll(pages);   // detached survivors belong to the host
}

void tst_DockWorkspace::floatPaneAndTab()
{
    DockMainWindow mw;
    mw.resize(600, 400);
    Dock* d = makeDock(&mw, "d", {"one", "two", "three"});
    mw.addWidget(d);
    mw.show();
    d->floatDock();
    QCOMPARE(d->count(), 0);
    QCOMPARE(mw.floatingWindows().size(), 1);
    Dock* f = mw.docks().last();
    QVERIFY(f != d);
    QStringList names;
    for (int i = 0; i < f->count(); ++i)
        names << f->widget(i)->objectName();
    QCOMPARE(names, (QStringList{"three", "two", "one"}));
    QCOMPARE(f->currentWidget()->objectName(), QString("one"));
    QCOMPARE(f->tabBar()->count(), 3);
    QVERIFY(mw.floatingWindows().first()->isVisible());

    // Floating an empty pane does nothing.
    d->floatDock();
    QCOMPARE(mw.floatingWindows().size(), 1);

    // Floating the only tab of a floating window moves it and closes the old window.
    f->closeInactiveTabs();
    QCOMPARE(f->count(), 1);
    QPointer<DockWindow> old = mw.floatingWindows().first();
    f->floatActiveTab();
    flushDeletes();
    QVERIFY(old.isNull());
    QCOMPARE(mw.floatingWindows().size(), 1);
    QCOMPARE(mw.docks().last()->currentWidget()->objectName(), QString("one"));
    // The two pages Solo Tab detached belong to the host now.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "two" || w->objectName() == "three")
            delete w;
    }
}

void tst_DockWorkspace::floatingListNeverDangles()
{
    DockMainWindow mw;
    DockWindow* a = mw.addNewFloatingDock(nullptr);
    DockWindow* b = mw.addNewFloatingDock(nullptr);
    QCOMPARE(mw.floatingWindows(), (QList<DockWindow*>{a, b}));

    // Destroyed after losing its controller: still leaves the list.
    a->disconnectController();
    delete a;
    QCOMPARE(mw.floatingWindows(), QList<DockWindow*>{b});
    QVERIFY(mw.docks().isEmpty());

    // Whatever setFloatingWindows was given: nulls and the main window are dropped,
    // and a window destroyed later leaves the list.
    DockWindow* c = mw.createWindow();
    mw.setFloatingWindows({nullptr, c, &mw, b});
    QCOMPARE(mw.floatingWindows(), (QList<DockWindow*>{c, b}));
    QVERIFY(!c->snapEnabled());   // setFloatingWindows touches no flag
    delete c;
    QCOMPARE(mw.floatingWindows(), QList<DockWindow*>{b});

    // A normal destruction unregisters and clears the flag first.
    QVERIFY(b->snapEnabled());
    b->close();
    flushDeletes();
    QVERIFY(mw.floatingWindows().isEmpty());
    QVERIFY(mw.snapEnabled());
}

void tst_DockWorkspace::addNewFloatingDock()
{
    DockMainWindow mw;
    DockWindow* empty = mw.addNewFloatingDock(nullptr);
    QVERIFY(empty->snapEnabled());
    QVERIFY(!empty->isVisible());
    QCOMPARE(empty->rootSplitter()->count(), 0);
    auto* p = new Page("p");
    DockWindow* w = mw.addNewFloatingDock(p);
    QVERIFY(w->isVisible());
    QCOMPARE(w->parentWidget(), &mw);
    QVERIFY(w->isWindow());
    Dock* d = Dock::dockForWidget(p);
    QVERIFY(d);
    QCOMPARE(d->dockWindow(), w);
    QCOMPARE(d->currentWidget(), static_cast<QWidget*>(p));
    QVERIFY(Dock::isTopLevel(d));
    QCOMPARE(mw.floatingWindows(), (QList<DockWindow*>{empty, w}));
}

void tst_DockWorkspace::signalOrder()
{
    DockMainWindow mw;
    QStringList log;
    auto record = [&log](const char* what) {
        return [&log, what](Dock* d, QWidget* w) {
            log << QString("%1 %2 %3").arg(what, d ? d->objectName() : "-", w ? w->objectName() : "-");
        };
    };
    connect(&mw, &DockMainWindow::widgetAdded, record("added"));
    connect(&mw, &DockMainWindow::widgetRemoved, record("removed"));
    connect(&mw, &DockMainWindow::widgetActivated, record("activated"));
    QSignalSpy name(&mw, SIGNAL(updateVellumScriptName(QString)));

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

    mw.emitUpdateVellumScriptName("script.py");
    QCOMPARE(name.count(), 1);
    QCOMPARE(name.at(0).at(0).toString(), QString("script.py"));

    // The last page leaving is no activation of "nothing".
    log.clear();
    d->closeActiveTab();
    QCOMPARE(log, QStringList{"removed d p2"});
}

void tst_DockWorkspace::pageDestroyedWhileDocked()
{
    DockMainWindow mw;
    mw.setHideSingleTabs(true);
    Dock* d = makeDock(&mw, "d");
    mw.addWidget(d);
    auto* a = new Page("a");
    auto* b = new Page("b");
    auto* c = new Page("c");
    d->addWidget(a, true, true);
    d->addWidget(b, true, true);
    d->addWidget(c, true, true);
    QVERIFY(d->titleVisible());
    d->setCurrentWidget(b);
    delete b;
    QCOMPARE(d->count(), 2);
    QCOMPARE(d->tabBar()->count(), 2);
    QCOMPARE(d->tabBar()->currentIndex(), d->currentTab());
    QCOMPARE(d->rememberedWidgets(), (QList<QWidget*>{a, c}));
    delete a;
    QCOMPARE(d->count(), 1);
    QCOMPARE(d->tabBar()->tabText(0), QString("c"));
    QVERIFY(!d->titleVisible());   // one page left: hidden title
    // The dock keeps working afterwards.
    d->nextTab();
    d->setCurrentWidget(nullptr);
    d->closeActiveTab();
    QCOMPARE(d->count(), 0);
    delete c;
    QVERIFY(d->rememberedWidgets().isEmpty());
}

void tst_DockWorkspace::teardown_data()
{
    QTest::addColumn<QString>("order");
    QTest::newRow("main window first") << "main";
    QTest::newRow("floating window first") << "floating";
    QTest::newRow("dock closed while focused") << "focusedDock";
    QTest::newRow("page deleted while docked") << "page";
    QTest::newRow("floating window disconnected, then main") << "disconnected";
}

void tst_DockWorkspace::teardown()
{
    QFETCH(QString, order);
    auto* mw = new DockMainWindow;
    mw->setHighlightCurrentTab(true);
    int signalsAfterDestruction = 0;
    bool destroying = false;
    connect(mw, &DockMainWindow::widgetRemoved, [&](Dock*, QWidget*) { signalsAfterDestruction += destroying; });
    Dock* main = makeDock(mw, "main");
    mw->addWidget(main);
    auto* kept = new Page("kept");            // survives: no WA_DeleteOnClose
    QPointer<Page> owned = new Page("owned", true);
    main->addWidget(kept);
    main->addWidget(owned);
    auto* floatKept = new Page("floatKept");
    DockWindow* fw = mw->addNewFloatingDock(floatKept);
    QPointer<DockWindow> fwGuard(fw);
    mw->show();
    QApplication::setActiveWindow(mw);
    owned->setFocus();

    if (order == "floating") {
        delete fw;
        QVERIFY(mw->floatingWindows().isEmpty());
    } else if (order == "focusedDock") {
        QVERIFY(main->close());
        flushDeletes();
        QVERIFY(mw->docks().size() == 1);
    } else if (order == "page") {
        delete owned.data();
        QCOMPARE(main->count(), 1);
    } else if (order == "disconnected") {
        fw->disconnectController();
    }
    destroying = true;
    delete mw;
    flushDeletes();
    QCOMPARE(signalsAfterDestruction, 0);
    QVERIFY(fwGuard.isNull());
    QVERIFY(owned.isNull());
    QCOMPARE(kept->parentWidget(), nullptr);
    QCOMPARE(floatKept->parentWidget(), nullptr);
    delete kept;
    delete floatKept;
}

void tst_DockWorkspace::hideSingleTabs()
{
    DockMainWindow mw;
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

void tst_DockWorkspace::pageMovesBetweenDocks()
{
    DockMainWindow mw;
    mw.setHideSingleTabs(true);
    Dock* a = makeDock(&mw, "a", {"p1", "p2"});
    Dock* b = makeDock(&mw, "b", {"q"});
    mw.addWidget(a);
    mw.addWidget(b);
    QVERIFY(a->titleVisible());
    QVERIFY(!b->titleVisible());
    QStringList log;
    connect(&mw, &DockMainWindow::widgetRemoved, [&](Dock* d, QWidget* w) { log << "removed " + d->objectName() + " " + w->objectName(); });
    connect(&mw, &DockMainWindow::widgetAdded, [&](Dock* d, QWidget* w) { log << "added " + d->objectName() + " " + w->objectName(); });
    QWidget* p2 = a->widget(1);
    b->addWidget(p2);
    QCOMPARE(log, (QStringList{"removed a p2", "added b p2"}));
    QCOMPARE(a->count(), 1);
    QCOMPARE(a->tabBar()->count(), 1);
    QVERIFY(!a->titleVisible());
    QVERIFY(b->titleVisible());
    log.clear();
    a->insertWidget(0, b->widget(0));
    QCOMPARE(log, (QStringList{"removed b q", "added a q"}));
    QCOMPARE(a->widget(0)->objectName(), QString("q"));
    QCOMPARE(b->tabBar()->count(), b->count());
}

void tst_DockWorkspace::badInput()
{
    DockMainWindow mw;
    Dock* d = makeDock(&mw, "d", {"a", "b"});
    mw.addWidget(d);
    QSignalSpy added(&mw, SIGNAL(widgetAdded(Quill::UI::Dock*,QWidget*)));
    QSignalSpy removed(&mw, SIGNAL(widgetRemoved(Quill::UI::Dock*,QWidget*)));
    d->addWidget(nullptr);
    d->addWidget(d);
    d->addWidget(&mw);
    d->addWidget(mw.rootSplitter());
    d->insertWidget(0, nullptr);
    d->insertWidget(0, d);
    d->insertWidget(QPoint(1, 1), &mw);
    Page stranger("stranger");
    d->removeWidget(&stranger);
    d->removeWidget(nullptr);
    d->setCurrentWidget(&stranger);
    d->setCurrentTab(-3);
    d->setCurrentTab(99);
    d->closeTab(99);
    d->closeTab(-1);
    QCOMPARE(d->restorePlaceHolderForWidget(nullptr), nullptr);
    QCOMPARE(added.count(), 0);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(d->count(), 2);
    QCOMPARE(d->tabBar()->count(), 2);
    QCOMPARE(d->parentWidget(), static_cast<QWidget*>(mw.rootSplitter()));
    QCOMPARE(mw.findDockByName(QString(), false, false), nullptr);
    mw.setRootSplitter(nullptr);   // a window without a splitter answers empty
    QVERIFY(mw.docks().isEmpty());
    QCOMPARE(mw.findDockWithPaneID("x", true), nullptr);
    Dock* again = makeDock(&mw, "again");
    mw.addWidget(again);   // a new root splitter takes it
    QVERIFY(mw.rootSplitter());
    QCOMPARE(mw.docks(), QList<Dock*>{again});
    QVERIFY(mw.close());
}

void tst_DockWorkspace::restorePlaceHolder()
{
    SnapshotWindow mw;
    Dock* d = makeDock(&mw, "d", {"kept", "leaving"});
    mw.addWidget(d);
    QWidget* leaving = d->widget(1);
    auto* unknown = new Page("unknown");
    QCOMPARE(d->restorePlaceHolderForWidget(leaving), nullptr);   // nothing saved yet
    mw.saveLayoutIDs();
    QVERIFY(mw.isInLayout("leaving"));
    QVERIFY(mw.isInLayout("d"));
    QVERIFY(!mw.isInLayout("Leaving"));
    QCOMPARE(d->restorePlaceHolderForWidget(unknown), nullptr);

    // The page leaves and a placeholder keeps its tab, at the end.
    DockPlaceHolder* ph = d->restorePlaceHolderForWidget(leaving);
    QVERIFY(ph);
    QCOMPARE(ph->objectName(), QString("leaving"));
    d->removeWidget(leaving);
    leaving->setParent(nullptr);
    QCOMPARE(d->count(), 2);
    QCOMPARE(d->widget(1), static_cast<QWidget*>(ph));
    QCOMPARE(d->tabBar()->tabText(1), QString("leaving"));
    d->updateTitles();
    QCOMPARE(d->tabBar()->tabText(1), QString("leaving"));
    // When it comes back it takes the placeholder's tab.
    d->addWidget(leaving, false, false);
    QCOMPARE(d->count(), 2);
    QCOMPARE(d->widget(1), leaving);
    QVERIFY(mw.placeHolders().isEmpty());
    delete unknown;
}

QTEST_MAIN(tst_DockWorkspace)
#include "tst_dockworkspace.moc"
