// A host that drives the workspace with seeded random sequences of its public
// operations and checks it after every step against a small model of where each
// page should be. QUILL_RANDOM_SEED=N reruns one seed (QUILL_RANDOM_OPS sets the
// length); QUILL_RANDOM_SECONDS=S runs fresh seeds for S seconds.
#include "DockTestUtil.h"

#include <docking/DockWindow.h>
#include <docking/DockDragState_p.h>
#include <docking/HoverWidget.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QPointer>
#include <QRandomGenerator>
#include <QStackedWidget>

using namespace Quill::UI;

namespace {

enum Op {
    AddDock, AddPage, InsertPage, MovePage, ReAddDetached, Split, FloatPane, FloatTab, CloseTab,
    SoloTab, ClosePane, CloseWindow, Expand, Transpose, Fullscreen, Navigate, SetTab, FocusEdit,
    DeletePage, Hover, Flush, DeleteDock, SaveRestore, DragTab, OpCount
};
const char* const kOpNames[] = {
    "AddDock", "AddPage", "InsertPage", "MovePage", "ReAddDetached", "Split", "FloatPane", "FloatTab",
    "CloseTab", "SoloTab", "ClosePane", "CloseWindow", "Expand", "Transpose", "Fullscreen", "Navigate",
    "SetTab", "FocusEdit", "DeletePage", "Hover", "Flush", "DeleteDock", "SaveRestore", "DragTab"};

struct Step { int op, a, b; };

// One page as the host knows it.
struct Model {
    QPointer<Page> page;
    QPointer<QLineEdit> edit;
    enum { Docked, Detached, Closing, Gone } state = Docked;
    QPointer<Dock> dock;
    bool deleteOnClose = false;
};

// Gives a restored layout the host's own docked pages back by id, and the
// previous floating windows when told to.
struct PagesWindow : DockMainWindow {
    QList<Model>* pages = nullptr;
    QList<QPointer<DockWindow>> handBack;
    DockWindow* createWindow() override
    {
        while (!handBack.isEmpty()) {
            if (DockWindow* w = handBack.takeFirst())
                return w;
        }
        return DockMainWindow::createWindow();
    }
    QWidget* createPage(QString& id) override
    {
        const int i = id.mid(5).toInt();   // "page.N" is pages[N]
        return i < pages->size() && pages->at(i).state == Model::Docked ? pages->at(i).page.data() : DockMainWindow::createPage(id);
    }
};

class Host
{
public:
    explicit Host(bool splitByDragging)
        : mw(new PagesWindow)
    {
        static_cast<PagesWindow*>(mw.data())->pages = &pages;
        mw->setSplitPanelsByDragging(splitByDragging);
        mw->resize(800, 600);
        mw->show();
        mw->addWidget(mw->createDock());
    }

    // Applies one step; arguments are taken modulo the sizes they index. Returns
    // what went wrong, empty when the step's own promises hold.
    QString apply(const Step& s)
    {
        const QList<Dock*> docks = mw->docks();
        Dock* d = docks.isEmpty() ? nullptr : docks.at(s.a % docks.size());
        Model* m = pages.isEmpty() ? nullptr : &pages[s.b % pages.size()];
        switch (s.op) {
        case AddDock: mw->addWidget(mw->createDock()); break;
        case AddPage:
        case InsertPage:
            if (d) {
                Model nm = newPage(s.b);
                if (s.op == AddPage)
                    d->addWidget(nm.page, s.b % 2 == 0, false);
                else
                    d->insertWidget(s.b % (d->count() + 1), nm.page);
                nm.dock = d;
                pages.append(nm);
            }
            break;
        case MovePage:
        case ReAddDetached:
            if (d && m && (m->state == Model::Docked || (s.op == ReAddDetached && m->state == Model::Detached))) {
                d->addWidget(m->page, true, false);
                m->state = Model::Docked;
                m->dock = d;
            }
            break;
        case Split:
            if (d && d->split(s.b % 2 ? Qt::Horizontal : Qt::Vertical, s.b % 4 >= 2) == nullptr
                && dynamic_cast<DockSplitter*>(d->parentWidget()))
                return QStringLiteral("split refused a dock inside a splitter");
            break;
        case FloatPane:
        case FloatTab: {
            if (!d || d->count() == 0)
                break;
            QList<Model*> moving;
            for (Model& p : pages) {
                if (p.state == Model::Docked && p.dock == d && (s.op == FloatPane || p.page == d->currentWidget()))
                    moving.append(&p);
            }
            s.op == FloatPane ? d->floatDock() : d->floatActiveTab();
            Dock* to = Dock::dockForWidget(moving.first()->page);
            if (!to || to == d || !mw->floatingWindows().contains(to->dockWindow()) || !to->isVisible())
                return QStringLiteral("floated pages are not in a new floating dock");
            for (Model* p : moving)
                p->dock = to;
            break;
        }
        case CloseTab:
        case SoloTab:
            if (d && d->count() > 0) {
                QWidget* current = d->currentWidget();
                const int tab = s.b % d->count();
                QWidget* target = d->widget(tab);
                s.op == CloseTab ? d->closeTab(tab) : d->closeInactiveTabs();
                for (Model& p : pages) {
                    if (p.state == Model::Docked && p.dock == d && (s.op == CloseTab ? p.page == target : p.page != current))
                        closed(p);
                }
            }
            break;
        case ClosePane:
            if (d) {
                d->close();
                bool refused = false;
                for (Model& p : pages) {
                    if (p.state == Model::Docked && p.dock == d) {
                        refused |= p.page->refuse;
                        closed(p);
                    }
                }
                if (refused != mw->docks().contains(d))
                    return QStringLiteral("a closed pane is still listed, or a refusing one is not");
            }
            break;
        case CloseWindow: {
            const QList<DockWindow*> floating = mw->floatingWindows();
            if (floating.isEmpty())
                break;
            DockWindow* w = floating.at(s.b % floating.size());
            w->close();
            for (Model& p : pages) {
                if (p.state == Model::Docked && !p.page->refuse && p.dock && p.dock->dockWindow() == w)
                    closed(p);
            }
            break;
        }
        case Expand:
            if (d) {
                Dock* expanded = nullptr;
                for (Dock* x : docks)
                    expanded = x->isExpanded() ? x : expanded;
                (expanded ? expanded : d)->setExpanded(!expanded);
            }
            break;
        case Transpose: if (d) d->transposeDock(); break;
        case Fullscreen:
            if (d) {
                const bool was = d->isFullscreenDock();
                d->fullscreenDock();
                if (d->isFullscreenDock() == was)
                    return QStringLiteral("full screen did not toggle");
            }
            break;
        case Navigate: {
            const char* const navigation[] = {"nextDock", "prevDock", "nextTab", "prevTab"};
            QMetaObject::invokeMethod(mw, navigation[s.b % 4]);
            break;
        }
        case SetTab: if (d && d->count() > 0) d->setCurrentTab(s.b % d->count()); break;
        case FocusEdit:
            if (m && m->state == Model::Docked)
                m->edit->setFocus(Qt::OtherFocusReason);
            break;
        case DeletePage:
            if (m && (m->state == Model::Docked || m->state == Model::Detached)) {
                delete m->page.data();
                m->state = Model::Gone;
            }
            break;
        case Hover: if (d) d->setHover(!d->isHover()); break;
        case DeleteDock:
            // The host's own pages survive the dock, detached; the others go with it.
            for (Model& p : pages) {
                if (d && p.state == Model::Docked && p.dock == d) {
                    p.state = p.deleteOnClose ? Model::Gone : Model::Detached;
                    p.dock = nullptr;
                }
            }
            delete d;
            break;
        case SaveRestore: {
            QBuffer buffer;
            buffer.open(QIODevice::ReadWrite);
            mw->saveLayout(&buffer, nullptr);
            buffer.seek(0);
            auto* host = static_cast<PagesWindow*>(mw.data());
            for (DockWindow* w : mw->floatingWindows()) {
                if (s.a % 3 == 0)
                    host->handBack.append(w);
            }
            const bool restored = DockMainWindow::IsLayoutValid(&buffer) && mw->restoreLayout(&buffer, s.b % 2);
            host->handBack.clear();
            if (!restored)
                return QStringLiteral("a saved layout did not restore");
            for (Model& p : pages) {
                if (p.state == Model::Docked)
                    p.dock = Dock::dockForWidget(p.page);
            }
            break;
        }
        case DragTab:
            if (d && d->count() > 0 && d->tabBar()->isVisible())
                return dragTab(d, d->widget(s.b % d->count()), docks.at((s.a + s.b) % docks.size()), s.b);
            break;
        case Flush:
            if (s.b % 2)
                QCoreApplication::processEvents();
            else
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            break;
        }
        return {};
    }

    // The invariants that hold between any two steps.
    QString check() const
    {
        QString breach;
        if (!mw->checkSanity(&breach))
            return breach;
        const QList<Dock*> docks = mw->docks();
        for (const Model& p : pages) {
            int holders = 0;
            for (Dock* d : docks)
                holders += p.page && d->stack()->indexOf(p.page) != -1;
            switch (p.state) {
            case Model::Docked:
                if (!p.page || !p.dock || !docks.contains(p.dock) || p.dock->stack()->indexOf(p.page) == -1 || holders != 1)
                    return QStringLiteral("page %1 is not in exactly its dock").arg(p.page ? p.page->objectName() : "?");
                break;
            case Model::Detached:
                if (!p.page || p.page->parentWidget() || holders)
                    return QStringLiteral("detached page %1 is parented or docked").arg(p.page ? p.page->objectName() : "?");
                break;
            case Model::Closing:   // deletes itself once events run
            case Model::Gone:
                if (holders || (p.state == Model::Gone && p.page))
                    return QStringLiteral("a closed or deleted page is still around");
                break;
            }
        }
        for (Dock* d : docks) {
            for (int i = 0; i < d->count(); ++i) {
                if (d->tabBar()->tabText(i) != d->widget(i)->windowTitle())
                    return QStringLiteral("a tab does not name its page");
            }
        }
        QList<QWidget*> windows{mw};
        for (DockWindow* w : mw->floatingWindows())
            windows.append(w);
        bool anyExpanded = false;
        for (Dock* d : docks)
            anyExpanded |= d->isExpanded();
        for (QWidget* w : windows) {
            QWidget* focus = w->focusWidget();
            if (focus && focus != w && !w->isAncestorOf(focus))
                return QStringLiteral("a window's focus child lies outside it");
            for (DockSplitter* s : w->findChildren<DockSplitter*>()) {
                if (!anyExpanded && s->isExpanded())
                    return QStringLiteral("a splitter keeps remembered sizes with no pane expanded");
            }
        }
        return {};
    }

    // Ends the run in one of four orders, then expects no library widget left.
    QString teardown(int order)
    {
        if (order == 3) {
            mw->close();
            flushDeletes();
        } else if (order == 1) {
            for (DockWindow* w : mw->floatingWindows())
                delete w;
        } else if (order == 2) {
            for (Model& p : pages)
                delete p.page.data();
        }
        delete mw.data();
        for (Model& p : pages)
            delete p.page.data();
        flushDeletes();
        for (QWidget* w : QApplication::allWidgets()) {
            if (qobject_cast<Dock*>(w) || dynamic_cast<DockSplitter*>(w) || dynamic_cast<DockWindow*>(w)
                || dynamic_cast<HoverWidget*>(w) || dynamic_cast<Page*>(w))
                return QStringLiteral("a %1 outlived the workspace").arg(w->metaObject()->className());
        }
        return {};
    }

    QPointer<DockMainWindow> mw;
    QList<Model> pages;

private:
    // Drags the page's tab with the mouse onto a point of `to` picked by `salt`
    // (any zone), or off every dock, with or without Ctrl, or cancels with Escape.
    QString dragTab(Dock* from, QWidget* page, Dock* to, int salt)
    {
        DockTabBar* bar = from->tabBar();
        const QPoint press = bar->mapToGlobal(bar->dockTabRect(from->stack()->indexOf(page)).center());
        const QRect area(to->stack()->mapToGlobal(QPoint(0, 0)), to->stack()->size() + QSize(1, 1));
        const QPoint over = salt % 5 == 0 ? QPoint(-500, -500)
                                          : area.topLeft() + QPoint(salt * 7 % area.width(), salt * 13 % area.height());
        sendMouse(bar, QEvent::MouseButtonPress, press);
        sendMouse(bar, QEvent::MouseMove, press + QPoint(0, from->titleBar()->height() + 40));
        sendMouse(bar, QEvent::MouseMove, over);
        if (salt % 7 == 1)
            QTest::keyClick(bar, Qt::Key_Escape);
        if (bar->isVisible())
            sendMouse(bar, QEvent::MouseButtonRelease, over, salt % 11 == 0 ? Qt::ControlModifier : Qt::NoModifier);
        if (DockDragState::instance().isDragging() || QWidget::mouseGrabber())
            return QStringLiteral("a drag outlived its release");
        for (Model& p : pages)
            p.dock = p.page == page ? Dock::dockForWidget(page) : p.dock.data();   // checked as any page
        return {};
    }

    Model newPage(int salt)
    {
        Model m;
        m.deleteOnClose = salt % 3 == 0;
        m.page = new Page(QStringLiteral("page.%1").arg(pages.size()), m.deleteOnClose);
        m.page->refuse = salt % 7 == 3;
        auto* layout = new QVBoxLayout(m.page);
        m.edit = new QLineEdit(m.page);
        layout->addWidget(m.edit);
        return m;
    }

    // A page that accepted its close leaves: deleted later, or detached.
    void closed(Model& p)
    {
        if (p.page->refuse)
            return;
        p.state = p.deleteOnClose ? Model::Closing : Model::Detached;
        p.dock = nullptr;
    }
};

QString describe(const QList<Step>& steps)
{
    QStringList out;
    for (const Step& s : steps)
        out << QStringLiteral("%1(%2,%3)").arg(kOpNames[s.op]).arg(s.a).arg(s.b);
    return out.join(QLatin1Char(' '));
}

// Runs `steps`, checking after each; returns the failure with the steps so far.
QString run(const QList<Step>& steps, bool splitByDragging, int teardownOrder)
{
    Host host(splitByDragging);
    for (int i = 0; i < steps.size(); ++i) {
        QString error = host.apply(steps.at(i));
        if (error.isEmpty())
            error = host.check();
        if (!error.isEmpty()) {
            host.teardown(0);   // so that the next run starts clean
            return error + QStringLiteral("\n  after: ") + describe(steps.mid(0, i + 1));
        }
    }
    const QString error = host.teardown(teardownOrder);
    return error.isEmpty() ? error : error + QStringLiteral("\n  after: ") + describe(steps);
}

QList<Step> randomSteps(quint32 seed, int count)
{
    QRandomGenerator rng(seed);
    QList<Step> steps;
    for (int i = 0; i < count; ++i)
        steps.append({int(rng.bounded(int(OpCount))), int(rng.bounded(1000)), int(rng.bounded(1000))});
    return steps;
}

QString runSeed(quint32 seed, int count)
{
    const QString error = run(randomSteps(seed, count), seed % 2, seed % 4);
    return error.isEmpty() ? error : QStringLiteral("seed %1: %2").arg(seed).arg(error);
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class tst_DockRandom : public QObject
{
    Q_OBJECT
private slots:
    void regressions_data();
    void regressions();
    void seeds();
};

// Minimal sequences of faults found by random runs.
void tst_DockRandom::regressions_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<int>("teardown");
    // Page ids count from 0; b = 1 adds a page that neither deletes itself nor refuses.
    QTest::newRow("focus in a closed pane's page, page deleted, split")
        << QList<Step>{{AddDock, 0, 0}, {AddPage, 1, 1}, {FocusEdit, 0, 0}, {ClosePane, 1, 0},
                       {DeletePage, 0, 0}, {AddDock, 0, 0}, {Split, 0, 0}} << 0;
    QTest::newRow("focus in a delete-on-close page when the main window closes")
        << QList<Step>{{AddPage, 0, 1}, {FloatTab, 0, 0}, {Flush, 0, 1}, {AddPage, 0, 0},
                       {FocusEdit, 0, 1}} << 3;
    QTest::newRow("floated page keeps no focus pointer in its old window")
        << QList<Step>{{AddPage, 0, 1}, {AddPage, 0, 1}, {SetTab, 0, 1}, {FocusEdit, 0, 1},
                       {FloatTab, 0, 0}, {DeletePage, 0, 1}, {Split, 0, 0}} << 2;
    QTest::newRow("expanded nested pane closed")
        << QList<Step>{{Split, 0, 0}, {Split, 1, 1}, {Expand, 2, 0}, {ClosePane, 2, 0}} << 0;
    QTest::newRow("expanded nested pane deleted")
        << QList<Step>{{Split, 0, 0}, {Split, 1, 1}, {Expand, 2, 0}, {DeleteDock, 2, 0}} << 0;
    QTest::newRow("expanded pane emptied")
        << QList<Step>{{AddPage, 0, 1}, {Split, 0, 0}, {Expand, 0, 0}, {FloatTab, 0, 0}} << 1;
    QTest::newRow("hover overlay goes with the workspace")
        << QList<Step>{{AddPage, 0, 1}, {Hover, 0, 0}} << 0;
    QTest::newRow("closed pane unlisted at once")
        << QList<Step>{{AddDock, 0, 0}, {ClosePane, 0, 0}, {AddPage, 0, 1}} << 2;
}

void tst_DockRandom::regressions()
{
    QFETCH(QList<Step>, steps);
    QFETCH(int, teardown);
    const QString error = run(steps, true, teardown);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void tst_DockRandom::seeds()
{
    const QByteArray seedEnv = qgetenv("QUILL_RANDOM_SEED");
    const int ops = qEnvironmentVariableIsSet("QUILL_RANDOM_OPS") ? qEnvironmentVariableIntValue("QUILL_RANDOM_OPS") : 150;
    if (!seedEnv.isEmpty()) {
        const QString error = runSeed(seedEnv.toUInt(), ops);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        return;
    }
    const int seconds = qEnvironmentVariableIntValue("QUILL_RANDOM_SECONDS");
    if (seconds > 0) {
        QElapsedTimer clock;
        clock.start();
        quint32 seed = QRandomGenerator::global()->generate();
        int runs = 0;
        QStringList failures;
        for (; clock.elapsed() < seconds * 1000LL; ++runs, ++seed) {
            const QString error = runSeed(seed, ops);
            if (!error.isEmpty()) {
                failures << error;
                qWarning().noquote() << error;
            }
        }
        qInfo("%d runs of %d operations, %d failed", runs, ops, int(failures.size()));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
        return;
    }
    for (quint32 seed = 1; seed <= 24; ++seed) {
        const QString error = runSeed(seed, ops);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
}

QTEST_MAIN(tst_DockRandom)
#include "tst_dockrandom.moc"
