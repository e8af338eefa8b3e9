// Docking workspace at scale: building N pages into 10-page docks arranged in a
// nested splitter tree plus one floating window, and the queries and navigation a host runs over it.
// Counters report the cost per page; it should stay flat as N grows.

#include <docking/Dock.h>
#include <docking/DockMainWindow.h>
#include <docking/DockSplitter.h>
#include <docking/DockWindow.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QElapsedTimer>

#include <memory>

using namespace Quill::UI;

namespace {

constexpr int kPagesPerDock = 10;

// A realistic panel: 30 child widgets (labels with editors) in a grid.
QWidget* makePanel(int index)
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel.%1").arg(index));
    panel->setWindowTitle(QStringLiteral("Panel %1").arg(index));
    panel->setFocusPolicy(Qt::StrongFocus);
    auto* grid = new QGridLayout(panel);
    for (int row = 0; row < 10; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Field %1").arg(row)), row, 0);
        switch (row % 3) {
        case 0: grid->addWidget(new QLineEdit, row, 1); break;
        case 1: grid->addWidget(new QSpinBox, row, 1); break;
        default: grid->addWidget(new QComboBox, row, 1); break;
        }
        grid->addWidget(new QCheckBox(QStringLiteral("On")), row, 2);
    }
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

std::unique_ptr<DockMainWindow> buildWorkspace(int pages)
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
    // The last dock floats (when there is more than one), as a host's do.
    Dock* floating = docks.size() > 1 ? docks.takeLast() : nullptr;
    mw->rootSplitter()->setOrientation(Qt::Horizontal);
    arrange(mw->rootSplitter(), docks);
    if (floating) {
        DockWindow* window = mw->addNewFloatingDock(nullptr);
        window->addWidget(floating);
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

// range(1): 0 = existing pages by name (eight, spread evenly over the workspace,
// since a hit's cost depends on where the page sits in the search order; the
// counter is per lookup), 1 = a name found only by its prefix, 2 = a name
// without a dot that matches nothing (a full search of the tree).
void BM_FindDockByName(benchmark::State& state)
{
    const int pages = int(state.range(0));
    ShownWorkspace ws(pages);
    const int which = int(state.range(1));
    QStringList names;
    if (which == 0) {
        for (int k = 0; k < 8; ++k)
            names << QStringLiteral("Panel.%1").arg(k * pages / 8);
    } else {
        names << (which == 1 ? QStringLiteral("Panel.none") : QStringLiteral("Missing"));
    }
    for (auto _ : state) {
        for (const QString& name : qAsConst(names))
            benchmark::DoNotOptimize(ws.mw->findDockByName(name, which == 0, true));
    }
    setPerPage(state, pages * names.size());
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
BENCHMARK(BM_FindDockByName)->ArgsProduct({{10, 100, 1000}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NavigateAllTabs)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NavigateAllPanes)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
