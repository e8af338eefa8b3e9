#include "DockTestUtil.h"

#include <docking/DockNameIndex.h>
#include <docking/DockWindow.h>

#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <memory>
#include <random>

using namespace Quill::UI;

class tst_DockNameIndex : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { DockTestDetail::installQuietHandler(); }
    void cleanup() { deleteOrphanPages(); }

    void compareSearchOrder_data();
    void compareSearchOrder();
    void scripted_data();
    void scripted();
    void randomEdits_data();
    void randomEdits();
    void standaloneIndex();
    void manyNamesChurn();
    void widgetTakenDuringTeardown_data();
    void widgetTakenDuringTeardown();
};

namespace {

QList<QWidget*> rootsOf(const DockMainWindow& mw)
{
    QList<QWidget*> out;
    for (DockWindow* w : mw.floatingWindows())
        out.append(w);
    return out;
}

QWidget* walk(const DockMainWindow& mw, const QString& name)
{
    return DockNameIndex::findByWalk(&mw, rootsOf(mw), name);
}

QString describe(const QWidget* w)
{
    if (!w)
        return QStringLiteral("(none)");
    QStringList path;
    for (const QObject* o = w; o; o = o->parent())
        path.prepend(QString::fromLatin1(o->metaObject()->className()) + ':' + o->objectName());
    return path.join(QStringLiteral(" / "));
}

// The index and the plain walk agree for every name, and so does findDockByName.
bool agrees(const DockMainWindow& mw, const QStringList& names, QString* why)
{
    for (const QString& n : names) {
        QWidget* indexed = mw.findWidgetByName(n);
        QWidget* walked = walk(mw, n);
        if (indexed != walked) {
            *why = QStringLiteral("name '%1': index %2, walk %3").arg(n, describe(indexed), describe(walked));
            return false;
        }
        Dock* expected = walked ? Dock::dockForWidget(walked) : nullptr;
        if (mw.findDockByName(n, true, false) != expected) {
            *why = QStringLiteral("findDockByName('%1') differs from the walk").arg(n);
            return false;
        }
    }
    return true;
}

QLabel* label(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(name, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

void tst_DockNameIndex::compareSearchOrder_data()
{
    QTest::addColumn<QVector<int>>("a");
    QTest::addColumn<QVector<int>>("b");
    QTest::addColumn<int>("expected");   // -1: a first, 1: b first, 0: same object

    QTest::newRow("same object") << QVector<int>{1, 2} << QVector<int>{1, 2} << 0;
    QTest::newRow("siblings by index") << QVector<int>{3} << QVector<int>{1} << 1;
    QTest::newRow("ancestor before descendant") << QVector<int>{2} << QVector<int>{2, 0, 4} << -1;
    QTest::newRow("descendant after ancestor") << QVector<int>{0, 1, 1} << QVector<int>{0, 1} << 1;
    QTest::newRow("direct child before deeper, lower index") << QVector<int>{0, 5} << QVector<int>{0, 7} << -1;
    QTest::newRow("direct child before deeper under lower index")
        << QVector<int>{4} << QVector<int>{0, 0} << -1;
    QTest::newRow("deeper loses to later direct child")
        << QVector<int>{1, 0, 0} << QVector<int>{1, 9} << 1;
    QTest::newRow("both deeper: branch index decides")
        << QVector<int>{2, 0} << QVector<int>{1, 5, 5, 5} << 1;
    QTest::newRow("both deeper, same branch, next level decides")
        << QVector<int>{1, 3, 0} << QVector<int>{1, 2, 7} << 1;
    QTest::newRow("top-level direct children") << QVector<int>{0} << QVector<int>{1} << -1;
}

void tst_DockNameIndex::compareSearchOrder()
{
    QFETCH(QVector<int>, a);
    QFETCH(QVector<int>, b);
    QFETCH(int, expected);
    QCOMPARE(DockNameIndex::compareSearchOrder(a, b), expected);
    QCOMPARE(DockNameIndex::compareSearchOrder(b, a), -expected);
}

// Edits named in the issue, each checked against the widget that should be found
// and against the walk.
void tst_DockNameIndex::scripted_data()
{
    QTest::addColumn<int>("scenario");
    QTest::newRow("rename after insertion") << 0;
    QTest::newRow("child label created later") << 1;
    QTest::newRow("duplicates: direct child first, then tree order") << 2;
    QTest::newRow("duplicates: raise reorders") << 3;
    QTest::newRow("page moved into a floating window") << 4;
    QTest::newRow("window parented elsewhere, then ours, then dropped") << 5;
    QTest::newRow("destroyed widgets and windows") << 6;
    QTest::newRow("subtree reparented out and back") << 7;
}

void tst_DockNameIndex::scripted()
{
    QFETCH(int, scenario);
    DockMainWindow mw;
    mw.setAttribute(Qt::WA_DeleteOnClose, false);
    Dock* a = makeDock(&mw, "a", {"A.1", "A.2"});
    Dock* b = makeDock(&mw, "b", {"B.1"});
    mw.addWidget(a);
    mw.addWidget(b);
    const QStringList names{"A.1", "A.2", "B.1", "x", "y", "a", "b", "W", ""};
    QString why;

    switch (scenario) {
    case 0: {
        auto* p = new Page(QString());
        a->addWidget(p, false, false);
        QCOMPARE(mw.findWidgetByName("late"), nullptr);
        p->setObjectName("late");
        QCOMPARE(mw.findWidgetByName("late"), static_cast<QWidget*>(p));
        QCOMPARE(mw.findDockByName("late", true, false), a);
        p->setObjectName("later");
        QCOMPARE(mw.findWidgetByName("late"), nullptr);
        QCOMPARE(mw.findWidgetByName("later"), static_cast<QWidget*>(p));
        break;
    }
    case 1: {
        QWidget* page = b->widget(0);
        QLabel* l = label("x", page);
        QCOMPARE(mw.findWidgetByName("x"), static_cast<QWidget*>(l));
        QCOMPARE(mw.findDockByName("x", true, false), b);
        QLabel* deeper = label("y", l);
        QCOMPARE(mw.findWidgetByName("y"), static_cast<QWidget*>(deeper));
        break;
    }
    case 2: {
        QLabel* inA = label("x", a->widget(1));
        QLabel* inB = label("x", b->widget(0));
        QWidget* first = walk(mw, "x");
        QVERIFY(first == inA || first == inB);
        QWidget* other = first == inA ? static_cast<QWidget*>(inB) : inA;
        QCOMPARE(mw.findWidgetByName("x"), first);
        // A direct child of the window is checked before anything deeper.
        QLabel* direct = label("x", &mw);
        QCOMPARE(mw.findWidgetByName("x"), static_cast<QWidget*>(direct));
        delete direct;
        QCOMPARE(mw.findWidgetByName("x"), first);
        delete first;
        QCOMPARE(mw.findWidgetByName("x"), other);
        // A dock named like a page's child comes first: it is higher in the tree.
        b->setObjectName("x");
        QCOMPARE(mw.findWidgetByName("x"), static_cast<QWidget*>(b));
        break;
    }
    case 3: {
        QLabel* first = label("x", a->widget(0));
        QLabel* second = label("x", a->widget(1));
        QCOMPARE(mw.findWidgetByName("x"), static_cast<QWidget*>(first));
        a->widget(0)->raise();   // to the end of the stack's children
        QCOMPARE(mw.findWidgetByName("x"), static_cast<QWidget*>(second));
        second->setParent(first->parentWidget());
        second->lower();
        QCOMPARE(mw.findWidgetByName("x"), static_cast<QWidget*>(second));
        break;
    }
    case 4: {
        QWidget* page = a->widget(1);
        DockWindow* w = mw.addNewFloatingDock(nullptr);
        Dock* f = makeDock(&mw, "f");
        w->addWidget(f);
        f->addWidget(page, true, false);
        QCOMPARE(mw.findDockByName("A.2", true, false), f);
        b->addWidget(page, true, false);
        QCOMPARE(mw.findDockByName("A.2", true, false), b);
        break;
    }
    case 5: {
        std::unique_ptr<DockWindow> apart(new DockWindow(&mw, nullptr));
        apart->setObjectName("W");
        Dock* d = makeDock(&mw, "d", {"y"});
        apart->addWidget(d);
        QCOMPARE(mw.findWidgetByName("y"), nullptr);   // not registered yet
        mw.setFloatingWindows({apart.get()});
        QCOMPARE(mw.findDockByName("y", true, false), d);
        QCOMPARE(mw.findWidgetByName("W"), nullptr);   // a window is not its own descendant
        QVERIFY(agrees(mw, names, &why));
        apart->setParent(&mw, Qt::Window);
        QCOMPARE(mw.findWidgetByName("W"), static_cast<QWidget*>(apart.get()));
        QVERIFY(agrees(mw, names, &why));
        apart->setParent(nullptr, Qt::Window);
        QCOMPARE(mw.findWidgetByName("W"), nullptr);
        QCOMPARE(mw.findDockByName("y", true, false), d);
        mw.setFloatingWindows({});
        QCOMPARE(mw.findWidgetByName("y"), nullptr);
        QVERIFY2(agrees(mw, names, &why), qPrintable(why));
        // Registered again, then destroyed while registered.
        mw.setFloatingWindows({apart.get()});
        QCOMPARE(mw.findDockByName("y", true, false), d);
        apart.reset();
        QCOMPARE(mw.findWidgetByName("y"), nullptr);
        QVERIFY(mw.floatingWindows().isEmpty());
        break;
    }
    case 6: {
        QLabel* l = label("x", b->widget(0));
        delete b->widget(0);   // the page and its label
        QCOMPARE(mw.findWidgetByName("x"), nullptr);
        QCOMPARE(mw.findWidgetByName("B.1"), nullptr);
        Q_UNUSED(l);
        DockWindow* w = mw.addNewFloatingDock(new Page("F.1"));
        QVERIFY(mw.findWidgetByName("F.1"));
        delete w;
        QCOMPARE(mw.findWidgetByName("F.1"), nullptr);
        delete a;
        QCOMPARE(mw.findWidgetByName("A.1"), nullptr);
        QCOMPARE(mw.findWidgetByName("a"), nullptr);
        break;
    }
    case 7: {
        auto* box = new QWidget(a->widget(0));
        box->setObjectName("x");
        QLabel* inner = label("y", box);
        box->setParent(nullptr);
        QCOMPARE(mw.findWidgetByName("x"), nullptr);
        QCOMPARE(mw.findWidgetByName("y"), nullptr);
        inner->setObjectName("y2");   // renamed while outside
        box->setParent(b->widget(0));
        QCOMPARE(mw.findWidgetByName("x"), box);
        QCOMPARE(mw.findWidgetByName("y2"), static_cast<QWidget*>(inner));
        QCOMPARE(mw.findDockByName("y2", true, false), b);
        break;
    }
    default:
        QFAIL("no such scenario");
    }
    QVERIFY2(agrees(mw, names, &why), qPrintable(why));
}

// Random edits of every kind, each followed by a comparison with the plain walk
// for every name in play (many duplicates).
void tst_DockNameIndex::randomEdits_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<bool>("mainWindowFirst");   // teardown order
    for (int seed = 1; seed <= 10; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed << (seed % 2 == 0);
}

void tst_DockNameIndex::randomEdits()
{
    QFETCH(int, seed);
    QFETCH(bool, mainWindowFirst);
    std::mt19937 rng(static_cast<unsigned>(seed));
    auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    const QStringList pool{"A", "B", "C", "V.1", "V.2", ""};
    const QStringList checked = QStringList(pool) << "missing";
    auto randomName = [&]() { return pool.at(pick(pool.size())); };

    auto* mw = new DockMainWindow;
    mw->setAttribute(Qt::WA_DeleteOnClose, false);
    QWidget host;                                   // parent of windows living elsewhere
    QList<QPointer<QWidget>> strays;                // outside every tree; the test deletes them
    QList<QPointer<DockWindow>> windows;            // every floating window made here

    auto makePage = [&]() {
        auto* page = new Page(randomName());
        page->setProperty("box", true);
        for (int i = 0, n = pick(4); i < n; ++i) {
            auto* child = new QWidget(page);
            child->setObjectName(randomName());
            child->setProperty("box", true);
            child->setProperty("item", true);
            if (pick(2)) {
                QLabel* l = label(randomName(), child);
                l->setProperty("item", true);
            }
        }
        return page;
    };
    for (int d = 0; d < 3; ++d) {
        Dock* dock = makeDock(mw, randomName());
        for (int p = 0; p < 3; ++p)
            dock->addWidget(makePage(), true, false);
        mw->addWidget(dock);
    }

    auto everything = [&]() {
        QList<QWidget*> out = mw->findChildren<QWidget*>();
        for (DockWindow* w : mw->floatingWindows())
            out += w->findChildren<QWidget*>();
        for (const QPointer<QWidget>& s : qAsConst(strays)) {
            if (s) {
                out.append(s);
                out += s->findChildren<QWidget*>();
            }
        }
        return out;
    };
    auto withProperty = [&](const char* property) {
        QList<QWidget*> out;
        for (QWidget* w : everything()) {
            if (w->property(property).toBool() && !out.contains(w))
                out.append(w);
        }
        return out;
    };

    // A second index over the same tree, to check its bookkeeping: it covers
    // exactly the widgets in scope, no more (nothing stale), no fewer.
    auto shadow = std::make_unique<DockNameIndex>(mw);
    auto inScope = [&]() {
        QSet<QWidget*> all;
        for (QWidget* w : mw->findChildren<QWidget*>())
            all.insert(w);
        for (DockWindow* f : mw->floatingWindows()) {
            for (QWidget* w : f->findChildren<QWidget*>())
                all.insert(w);
        }
        return all.size();
    };

    QString why;
    for (int step = 0; step < 500; ++step) {
        const int op = pick(12);
        const QList<Dock*> docks = mw->docks();
        QString what;
        switch (op) {
        case 0:
        case 1: {   // a new widget somewhere in a page, or loose in a window
            const QList<QWidget*> boxes = withProperty("box");
            QWidget* parent = boxes.isEmpty() || pick(8) == 0 ? static_cast<QWidget*>(mw) : boxes.at(pick(boxes.size()));
            QWidget* w = pick(2) ? static_cast<QWidget*>(new QLabel(parent)) : new QWidget(parent);
            w->setObjectName(randomName());
            w->setProperty("item", true);
            w->setProperty("box", w->metaObject() == &QWidget::staticMetaObject);
            what = "add";
            break;
        }
        case 2: {   // delete a widget, with its subtree
            const QList<QWidget*> items = withProperty("item");
            if (!items.isEmpty())
                delete items.at(pick(items.size()));
            what = "delete";
            break;
        }
        case 3:
        case 4: {   // rename anything, structure included
            const QList<QWidget*> all = everything();
            QWidget* w = pick(20) == 0 ? static_cast<QWidget*>(mw) : all.at(pick(all.size()));
            w->setObjectName(randomName());
            what = "rename";
            break;
        }
        case 5: {   // reparent a subtree: into another page, into the window, or out
            const QList<QWidget*> items = withProperty("item");
            const QList<QWidget*> boxes = withProperty("box");
            if (items.isEmpty())
                break;
            QWidget* w = items.at(pick(items.size()));
            QWidget* to = pick(5) == 0 ? nullptr : boxes.isEmpty() ? nullptr : boxes.at(pick(boxes.size()));
            if (to && (to == w || w->isAncestorOf(to) || w == to->parentWidget()))
                break;
            for (QObject* o = to; o; o = o->parent()) {
                if (o == w)
                    to = nullptr;
            }
            w->setParent(to);
            if (!to)
                strays.append(w);
            what = "reparent";
            break;
        }
        case 6: {   // reorder siblings
            const QList<QWidget*> items = withProperty("item");
            if (!items.isEmpty()) {
                QWidget* w = items.at(pick(items.size()));
                pick(2) ? w->raise() : w->lower();
            }
            what = "raise/lower";
            break;
        }
        case 7: {   // a page moves to another dock, maybe in another window
            if (docks.isEmpty())
                break;
            Dock* from = docks.at(pick(docks.size()));
            Dock* to = docks.at(pick(docks.size()));
            if (from->count() > 0)
                to->addWidget(from->widget(pick(from->count())), pick(2), false);
            what = "move page";
            break;
        }
        case 8: {   // new floating window, or an existing one goes elsewhere or comes back
            if (windows.size() < 4 && pick(2)) {
                DockWindow* w = mw->addNewFloatingDock(makePage());
                windows.append(w);
                what = "float";
            } else if (!mw->floatingWindows().isEmpty()) {
                DockWindow* w = mw->floatingWindows().at(pick(mw->floatingWindows().size()));
                QWidget* to = w->parentWidget() == mw ? (pick(2) ? &host : nullptr) : static_cast<QWidget*>(mw);
                w->setParent(to, Qt::Window);
                what = "window elsewhere/back";
            }
            break;
        }
        case 9: {   // the floating list rewritten: reordered, or one dropped
            QList<DockWindow*> list = mw->floatingWindows();
            std::shuffle(list.begin(), list.end(), rng);
            if (!list.isEmpty() && pick(3) == 0)
                list.removeAt(pick(list.size()));
            if (pick(4) == 0) {   // one dropped earlier comes back
                for (const QPointer<DockWindow>& w : qAsConst(windows)) {
                    if (w && !list.contains(w.data())) {
                        list.append(w.data());
                        break;
                    }
                }
            }
            mw->setFloatingWindows(list);
            what = "set floating list";
            break;
        }
        case 10: {   // a window or a page destroyed
            if (pick(2) && !windows.isEmpty()) {
                delete windows.at(pick(windows.size())).data();
                what = "delete window";
            } else if (!docks.isEmpty()) {
                Dock* d = docks.at(pick(docks.size()));
                if (d->count() > 0)
                    delete d->widget(pick(d->count()));
                what = "delete page";
            }
            break;
        }
        case 11: {   // a stray subtree comes back
            for (const QPointer<QWidget>& s : qAsConst(strays)) {
                const QList<QWidget*> boxes = withProperty("box");
                if (s && !s->parent() && !boxes.isEmpty()) {
                    QWidget* to = boxes.at(pick(boxes.size()));
                    if (to != s && !s->isAncestorOf(to) && to->window() != s)
                        s->setParent(to);
                    break;
                }
            }
            what = "stray back";
            break;
        }
        }
        if (!agrees(*mw, checked, &why))
            QFAIL(qPrintable(QStringLiteral("step %1 (%2): %3").arg(step).arg(what, why)));
        shadow->setRoots(rootsOf(*mw));
        QCOMPARE(shadow->trackedCount(), inScope());
        for (const QString& n : checked)
            QCOMPARE(shadow->find(n), walk(*mw, n));
    }
    shadow.reset();

    if (mainWindowFirst) {
        delete mw;
    } else {
        for (const QPointer<DockWindow>& w : qAsConst(windows))
            delete w.data();
        QVERIFY2(agrees(*mw, checked, &why), qPrintable(why));
        delete mw;
    }
    for (const QPointer<DockWindow>& w : qAsConst(windows))
        delete w.data();
    for (const QPointer<QWidget>& s : qAsConst(strays)) {
        if (s && !s->parent())
            delete s.data();
    }
}

// The index on its own: a plain widget tree, every indexed widget reported once,
// nothing kept after the tree goes.
void tst_DockNameIndex::standaloneIndex()
{
    auto root = std::make_unique<QWidget>();
    auto* a = new QWidget(root.get());
    auto* b = new QWidget(a);
    b->setObjectName("n");
    std::unique_ptr<DockNameIndex> index(new DockNameIndex(root.get()));
    QCOMPARE(index->trackedCount(), 2);
    QCOMPARE(index->find("n"), b);
    auto* c = new QWidget(root.get());
    c->setObjectName("n");
    QCOMPARE(index->find("n"), c);   // a direct child of the root comes first
    QCOMPARE(index->trackedCount(), 3);
    QWidget outside;
    auto* d = new QWidget(&outside);
    d->setObjectName("m");
    QCOMPARE(index->find("m"), nullptr);
    index->setRoots({&outside});
    QCOMPARE(index->find("m"), d);
    QCOMPARE(index->trackedCount(), 4);
    index->setRoots({});
    QCOMPARE(index->find("m"), nullptr);
    QCOMPARE(index->trackedCount(), 3);
    delete a;
    QCOMPARE(index->trackedCount(), 1);
    QCOMPARE(index->find("n"), c);
    c->setParent(nullptr);
    QCOMPARE(index->trackedCount(), 0);
    QCOMPARE(index->find("n"), nullptr);
    delete c;
}

// Hundreds of distinct names coming and going (the name table grows, and entries
// leave from the middle of collision runs): every name still resolves as the walk does.
void tst_DockNameIndex::manyNamesChurn()
{
    std::mt19937 rng(7);
    auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    auto name = [&]() { return QStringLiteral("n%1").arg(pick(300)); };
    QWidget root;
    DockNameIndex index(&root);
    QList<QWidget*> widgets;
    for (int i = 0; i < 400; ++i) {
        QWidget* parent = widgets.isEmpty() || pick(3) == 0 ? &root : widgets.at(pick(widgets.size()));
        auto* w = new QWidget(parent);
        w->setObjectName(name());
        widgets.append(w);
    }
    for (int step = 0; step < 3000; ++step) {
        QWidget* w = widgets.at(pick(widgets.size()));
        switch (pick(3)) {
        case 0:
            w->setObjectName(name());
            break;
        case 1: {   // replaced by a fresh widget under the root (its subtree goes too)
            const QList<QWidget*> gone = w->findChildren<QWidget*>() << w;
            for (QWidget* g : gone)
                widgets.removeOne(g);
            delete w;
            auto* fresh = new QWidget(&root);
            fresh->setObjectName(name());
            widgets.append(fresh);
            break;
        }
        default:
            w->setObjectName(QString());
            break;
        }
        if (step % 100 == 0) {
            for (int n = 0; n < 300; ++n) {
                const QString key = QStringLiteral("n%1").arg(n);
                QCOMPARE(index.find(key), DockNameIndex::findDescendantByWalk(&root, key));
            }
            QCOMPARE(index.trackedCount(), root.findChildren<QWidget*>().size());
        }
    }
}

namespace {
// On its way out, moves a sibling elsewhere: Qt then sends no ChildRemoved, since
// their parent is busy deleting its children.
class Kidnapper : public QWidget
{
public:
    Kidnapper(QWidget* parent, QWidget* destination)
        : QWidget(parent), m_destination(destination) {}
    QPointer<QWidget> victim;
    ~Kidnapper() override
    {
        if (victim)
            victim->setParent(m_destination);
    }
private:
    QWidget* m_destination;
};
} // namespace

void tst_DockNameIndex::widgetTakenDuringTeardown_data()
{
    QTest::addColumn<bool>("toOutside");
    QTest::newRow("to a widget outside") << true;
    QTest::newRow("to no parent") << false;
}

void tst_DockNameIndex::widgetTakenDuringTeardown()
{
    QFETCH(bool, toOutside);
    QWidget root;
    QWidget outside;
    DockNameIndex index(&root);
    auto* box = new QWidget(&root);
    auto* kidnapper = new Kidnapper(box, toOutside ? &outside : nullptr);   // deleted first
    auto* victim = new QWidget(box);
    victim->setObjectName("n");
    label("m", victim);
    kidnapper->victim = victim;
    QCOMPARE(index.find("m")->parentWidget(), victim);
    delete box;
    QPointer<QWidget> taken(victim);
    QVERIFY(taken);
    QCOMPARE(index.find("n"), nullptr);
    QCOMPARE(index.find("m"), nullptr);
    if (toOutside)
        QCOMPARE(index.trackedCount(), 0);
    taken->setParent(&root);   // and back in
    QCOMPARE(index.find("n"), taken.data());
    QVERIFY(index.find("m"));
    QCOMPARE(index.trackedCount(), 2);
    delete taken.data();
    QCOMPARE(index.trackedCount(), 0);
}

QTEST_MAIN(tst_DockNameIndex)
#include "tst_docknameindex.moc"
