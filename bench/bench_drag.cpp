// Dragging a torn-off tab across a workspace of 50 docks: the cost of one mouse
// move (the page window follows the cursor, the dock and zone under it are found,
// the hover feedback changes, pending repaints run). The path either sweeps the
// window diagonally, as a hand does, or jumps so that nearly every move lands on
// another dock or zone, the worst case. Target: under 1 ms per move (wall clock),
// so that the page keeps up with the display.
// Run a Release build.

#include <docking/Dock.h>
#include <docking/DockMainWindow.h>
#include <docking/DockSplitter.h>
#include <docking/DockTabBar.h>
#include <docking/DockWindow.h>

#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <memory>

using namespace Quill::UI;

namespace {

constexpr int kDocks = 50;
constexpr int kMoves = 500;

QWidget* makePanel(int index)
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel.%1").arg(index));
    panel->setWindowTitle(QStringLiteral("Panel %1").arg(index));
    auto* grid = new QGridLayout(panel);
    for (int row = 0; row < 6; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Field %1").arg(row)), row, 0);
        grid->addWidget(new QLineEdit, row, 1);
    }
    return panel;
}

// `docks` docks of two pages each: 10 rows of 5 in the main window, or with
// `floating` 40 there and 5 floating windows of 2 beside it.
std::unique_ptr<DockMainWindow> makeWorkspace(bool split, bool floating)
{
    auto mw = std::make_unique<DockMainWindow>();
    mw->setSplitPanelsByDragging(split);
    mw->setGeometry(0, 0, 1600, 1000);
    DockSplitter* root = mw->rootSplitter();
    const int inMain = floating ? kDocks - 10 : kDocks;
    DockSplitter* row = nullptr;
    DockWindow* window = nullptr;
    for (int i = 0; i < kDocks; ++i) {
        Dock* d = mw->createDock();
        d->addWidget(makePanel(2 * i), true, false);
        d->addWidget(makePanel(2 * i + 1), false, false);
        if (i < inMain) {
            if (i % 5 == 0) {
                row = new DockSplitter(Qt::Horizontal);
                root->addWidget(row);
            }
            row->addWidget(d);
        } else {
            if ((i - inMain) % 2 == 0) {
                window = mw->addNewFloatingDock(nullptr);
                window->setGeometry(1000 + (i - inMain) * 40, 100 + (i - inMain) * 60, 400, 300);
                window->show();
            }
            window->addWidget(d);
        }
    }
    mw->show();
    QApplication::processEvents();
    return mw;
}

void send(QWidget* w, QEvent::Type type, QPoint pos)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Args: split-by-dragging (0/1), floating windows (0/1), path (0 sweep, 1 jumps).
void BM_DragMoves(benchmark::State& state)
{
    auto mw = makeWorkspace(state.range(0) != 0, state.range(1) != 0);
    Dock* source = mw->docks().first();
    DockTabBar* bar = source->tabBar();
    const QRect area = mw->geometry();
    for (auto _ : state) {
        const QPoint press = bar->dockTabRect(0).center();
        send(bar, QEvent::MouseButtonPress, press);
        send(bar, QEvent::MouseMove, press + QPoint(0, 80));
        for (int i = 0; i < kMoves; ++i) {
            const QPoint global = state.range(2)
                ? QPoint(area.left() + (i * 137) % area.width(), area.top() + (i * 211) % area.height())
                : area.topLeft() + QPoint(area.width() * i / kMoves, area.height() * i / kMoves);
            send(bar, QEvent::MouseMove, bar->mapFromGlobal(global));
            QApplication::processEvents();
        }
        // Escape puts the page back, so every iteration starts alike.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(bar, &escape);
        send(bar, QEvent::MouseButtonRelease, press);
        QApplication::processEvents();
    }
    state.counters["per_move"] =
        benchmark::Counter(kMoves, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DragMoves)
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
   ->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

QUILL_BENCHMARK_MAIN();
