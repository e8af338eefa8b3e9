// Docking workspace at scale: building N pages into 10-page docks arranged in a
// nested splitter tree plus floating windows, showing it, and the queries and
// navigation a host runs over it. Counters report the cost per page; it should stay
// flat as N grows. Run a Release build.

#include <docking/Dock.h>
#include <docking/DockMainWindow.h>
#include <docking/DockSplitter.h>
#include <docking/DockWindow.h>

#include "BenchPanel.h"
#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <memory>

using namespace Quill::UI;

namespace {

constexpr int kPagesPerDock = 10;

QWidget* makePanel(int index)
{
    QWidget* panel = MakeBenchPanel(QStringLiteral("Panel.%1").arg(index), QStringLiteral("Panel %1").arg(index));
    panel->setFocusPolicy(Qt::StrongFocus);
    return panel;
}

// Fills `splitter` with `docks` docks as a balanced tree of alternating splitters.
void arrange(DockSplitter* splitter, const QList<Dock*>& docks)
{
    if (docks.size() <= 3) {
        for (Dock* d : docks)
            splitter->addWidget(d);
        return;
    }
    const Qt::Orientation inner = splitter->orientation() == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal;
    const int half = docks.size() / 2;
    for (const QList<Dock*>& part : {docks.mid(0, half), docks.mid(half)}) {
        auto* child = new DockSplitter(inner);
        splitter->addWidget(child);
        arrange(child, part);
    }
}

enum class Shape { Balanced, Deep };

// Each dock splits the previous one, alternating the orientation, so that every
// dock but the first two opens a new nesting level: the tree is as deep as there
// are docks.
void arrangeDeep(DockSplitter* root, const QList<Dock*>& docks)
{
    if (docks.isEmpty())
        return;
    root->addWidget(docks.first());
    for (int i = 1; i < docks.size(); ++i) {
        const Qt::Orientation o = i % 2 ? Qt::Horizontal : Qt::Vertical;
        Dock* previous = docks.at(i - 1);
        auto* parent = static_cast<DockSplitter*>(previous->parentWidget());
        if (parent->count() > 1 && parent->orientation() != o) {
            auto* child = new DockSplitter(o);
            parent->insertWidget(parent->indexOf(previous), child);
            child->addWidget(previous);
            parent = child;
        }
        parent->setOrientation(o);
        parent->insertWidget(parent->indexOf(previous) + 1, docks.at(i));
    }
}

// `floating` of the docks (the last ones, never all of them) go into floating
// windows of their own, as a host's do.
std::unique_ptr<DockMainWindow> buildWorkspace(int pages, Shape shape = Shape::Balanced,
                                               int floating = 1)
{
    auto mw = std::make_unique<DockMainWindow>();
    mw->setAttribute(Qt::WA_DeleteOnClose, false);
    QList<Dock*> docks;
    for (int i = 0; i < pages; ++i) {
        if (i % kPagesPerDock == 0) {
            docks.append(mw->createDock());
            docks.last()->setObjectName(QStringLiteral("Dock.%1").arg(docks.size()));
        }
        QWidget* panel = makePanel(i);
        panel->setAttribute(Qt::WA_DeleteOnClose);   // the workspace owns them here
        docks.last()->addWidget(panel, false, false);
    }
    QList<Dock*> floatingDocks;
    while (floatingDocks.size() < floating && docks.size() > 1)
        floatingDocks.prepend(docks.takeLast());
    mw->rootSplitter()->setOrientation(Qt::Horizontal);
    if (shape == Shape::Deep)
        arrangeDeep(mw->rootSplitter(), docks);
    else
        arrange(mw->rootSplitter(), docks);
    for (Dock* dock : qAsConst(floatingDocks)) {
        DockWindow* window = mw->addNewFloatingDock(nullptr);
        window->addWidget(dock);
    }
    return mw;
}

void setPerPage(benchmark::State& state, int pages)
{
    state.counters["per_page"] = benchmark::Counter(
        double(pages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_BuildWorkspace(benchmark::State& state)
{
    const int pages = int(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<DockMainWindow> mw = buildWorkspace(pages);
        benchmark::DoNotOptimize(mw.get());
        state.PauseTiming();
        mw.reset();
        state.ResumeTiming();
    }
    setPerPage(state, pages);
}

// Shown and active, so that navigation has a real focus widget to start from.
struct ShownWorkspace {
    std::unique_ptr<DockMainWindow> mw;
    explicit ShownWorkspace(int pages)
        : mw(buildWorkspace(pages))
    {
        mw->resize(1600, 1000);
        mw->show();
        for (DockWindow* w : mw->floatingWindows()) {
            w->resize(400, 300);
            w->show();
        }
        mw->activateWindow();
        QElapsedTimer waited;
        waited.start();
        while (QApplication::activeWindow() != mw.get() && waited.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        Dock* first = mw->docks().first();
        first->setCurrentTab(0);
        first->currentWidget()->setFocus();
        QApplication::processEvents();
    }
};

void BM_Docks(benchmark::State& state)
{
    const int pages = int(state.range(0));
    ShownWorkspace ws(pages);
    for (auto _ : state)
        benchmark::DoNotOptimize(ws.mw->docks());
    setPerPage(state, pages);
}

// range(1): 0 = every page's name looked up once (the counter is the total over N,
// the cost of one hit); misses, one lookup per iteration, of a name no widget
// bears: 1 = exact (then the docks' pane ids are searched), 2 = not exact, with a
// dot (then every dock's pages are searched by prefix, necessarily O(N)), 3 = not
// exact, without a dot (nothing after the name lookup). per_lookup is the cost of
// one call; per_page divides it by N.
void BM_FindDockByName(benchmark::State& state)
{
    const int pages = int(state.range(0));
    ShownWorkspace ws(pages);
    const int which = int(state.range(1));
    QStringList names;
    if (which == 0) {
        for (int k = 0; k < pages; ++k)
            names << QStringLiteral("Panel.%1").arg(k);
    } else {
        names << (which == 3 ? QStringLiteral("Missing") : QStringLiteral("Missing.1"));
    }
    const bool exact = which <= 1;
    for (const QString& name : qAsConst(names)) {
        if ((ws.mw->findDockByName(name, exact, true) != nullptr) != (which == 0)) {
            state.SkipWithError("unexpected lookup result");
            return;
        }
    }
    for (auto _ : state) {
        for (const QString& name : qAsConst(names))
            benchmark::DoNotOptimize(ws.mw->findDockByName(name, exact, true));
    }
    state.counters["per_lookup"] = benchmark::Counter(
        double(names.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    setPerPage(state, which == 0 ? pages : pages * names.size());
}

// Destroying the workspace. The events its construction posted (polish and layout
// requests) are delivered first, as the host's event loop would have done: Qt
// removes a dying object's pending events by scanning the whole posted-event
// queue, which with ~35,000 undelivered events makes teardown quadratic.
void BM_DestroyWorkspace(benchmark::State& state)
{
    const int pages = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<DockMainWindow> mw = buildWorkspace(pages);
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
        mw.reset();
    }
    setPerPage(state, pages);
}

// From nothing to a workspace on screen: built, the main window and its three
// floating windows shown, and every event that caused delivered. range(1): 0 = the
// balanced tree, 1 = the deep one. The teardown is not timed.
void BM_WorkspaceReady(benchmark::State& state)
{
    const int pages = int(state.range(0));
    const Shape shape = state.range(1) ? Shape::Deep : Shape::Balanced;
    for (auto _ : state) {
        std::unique_ptr<DockMainWindow> mw = buildWorkspace(pages, shape, 3);
        mw->resize(1600, 1000);
        mw->show();
        for (DockWindow* w : mw->floatingWindows()) {
            w->resize(400, 300);
            w->show();
        }
        // Layout requests posted while one round is delivered are delivered by the next.
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::sendPostedEvents();
            QApplication::processEvents();
        }
        state.PauseTiming();
        mw.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    setPerPage(state, pages);
}

// One full round of nextTab through every page of the workspace.
void BM_NavigateAllTabs(benchmark::State& state)
{
    const int pages = int(state.range(0));
    ShownWorkspace ws(pages);
    for (auto _ : state) {
        for (int i = 0; i < pages; ++i) {
            ws.mw->nextTab();
            // As between two key presses: window activation is delivered here.
            QApplication::processEvents();
        }
    }
    setPerPage(state, pages);
}

void BM_NavigateAllPanes(benchmark::State& state)
{
    const int pages = int(state.range(0));
    ShownWorkspace ws(pages);
    const int docks = (pages + kPagesPerDock - 1) / kPagesPerDock;
    for (auto _ : state) {
        for (int i = 0; i < docks; ++i) {
            ws.mw->nextDock();
            QApplication::processEvents();
        }
    }
    setPerPage(state, pages);
}

} // namespace

BENCHMARK(BM_BuildWorkspace)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Docks)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DestroyWorkspace)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkspaceReady)->ArgsProduct({{10, 100, 1000}, {0, 1}})->ArgNames({"pages", "deep"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindDockByName)->ArgsProduct({{10, 100, 1000}, {0, 1, 2, 3}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NavigateAllTabs)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NavigateAllPanes)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

QUILL_BENCHMARK_MAIN()
