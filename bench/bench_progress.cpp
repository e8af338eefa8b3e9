// Progress reporting under load: worker threads flooding their tasks with
// updates while the GUI thread runs its event loop and the dialog refreshes.
#include "QtBenchmarkMain.h"
#include <progress/DialogProgressManager.h>
#include <progress/ProgressDialog.h>
#include <progress/ProgressManager.h>
#include <progress/ProgressTask.h>
#include <progress/ProgressWidget.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

using namespace Quill::UI;
using Clock = std::chrono::steady_clock;

namespace {

// Counts the refresh requests the manager receives (its only events of a
// registered, user-range type), seen from outside as a host would.
class RefreshCounter : public QObject
{
public:
    quint64 requests = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() >= QEvent::User)
            ++requests;
        return false;
    }
};

bool allFinalValuesShown(ProgressDialog* dialog, int tasks, int kUpdates)
{
    const QList<ProgressWidget*> widgets = dialog->progressWidgets();
    int done = 0;
    for (ProgressWidget* widget : widgets) {
        if (widget->task() && widget->progressBar()->value() == kUpdates)
            ++done;
    }
    return done == tasks;
}

// Each worker calls setProgress range(1) times on its own task; the GUI thread
// spins its event loop meanwhile. Reports the workers' throughput, the refresh
// requests that reached the GUI thread, and how long after the last update the
// final values showed.
void BM_FloodFromWorkers(benchmark::State& state)
{
    const int workers = int(state.range(0));
    const int kUpdates = int(state.range(1));
    DialogProgressManager manager;
    ProgressDialog* dialog = qobject_cast<ProgressDialog*>(manager.progressWidget());

    double updatesPerSecond = 0;
    double latencyMs = 0;
    double requestsPerSecond = 0;
    quint64 requests = 0;
    int rounds = 0;
    RefreshCounter counter;
    manager.installEventFilter(&counter);

    for (auto _ : state) {
        counter.requests = 0;
        std::atomic<int> ready{0};
        std::atomic<bool> go{false};
        std::atomic<int> finished{0};
        std::atomic<bool> release{false};
        std::vector<Clock::time_point> ends(static_cast<size_t>(workers));
        std::vector<std::thread> threads;
        for (int w = 0; w < workers; ++w) {
            threads.emplace_back([&, w]() {
                ProgressTask task(QStringLiteral("worker %1").arg(w), kUpdates, ProgressTask::kShowTimeToGo);
                ++ready;
                while (!go.load())
                    std::this_thread::yield();
                for (int i = 1; i <= kUpdates; ++i)
                    task.setProgress(i);
                ends[size_t(w)] = Clock::now();
                ++finished;
                while (!release.load())   // keep the task listed until its final value showed
                    std::this_thread::yield();
            });
        }
        while (ready.load() < workers)
            std::this_thread::yield();
        QCoreApplication::processEvents();

        const Clock::time_point start = Clock::now();
        go = true;
        Clock::time_point shownAt;
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&]() {
            if (finished.load() == workers && allFinalValuesShown(dialog, workers, kUpdates)) {
                shownAt = Clock::now();
                loop.quit();
            }
        });
        poll.start();
        loop.exec();
        poll.stop();

        const Clock::time_point lastUpdate = *std::max_element(ends.begin(), ends.end());
        const double workSeconds = std::chrono::duration<double>(lastUpdate - start).count();
        const double wallSeconds = std::chrono::duration<double>(shownAt - start).count();
        state.SetIterationTime(workSeconds);

        updatesPerSecond += double(workers) * kUpdates / workSeconds;
        latencyMs += std::chrono::duration<double, std::milli>(shownAt - lastUpdate).count();
        requestsPerSecond += double(counter.requests) / wallSeconds;
        requests += counter.requests;
        ++rounds;

        release = true;
        for (std::thread& thread : threads)
            thread.join();
        // Let the dialog drop the finished tasks before the next round.
        while (manager.tasksCount() > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    state.counters["updates_per_s"] = updatesPerSecond / rounds;
    state.counters["refresh_requests"] = double(requests) / rounds;
    state.counters["refresh_requests_per_s"] = requestsPerSecond / rounds;
    state.counters["final_shown_after_ms"] = latencyMs / rounds;
    state.SetItemsProcessed(int64_t(state.iterations()) * workers * kUpdates);
}
BENCHMARK(BM_FloodFromWorkers)
    ->Args({8, 100000})
    ->Args({1, 100000})
    ->Args({8, 2000000})
    ->UseManualTime()->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// One update on the calling thread with a dialog manager listening (the
// refresh request is coalesced, so this is mostly the signal emission).
void BM_SetProgressWithDialog(benchmark::State& state)
{
    DialogProgressManager manager;
    ProgressTask task(QStringLiteral("single"), 1 << 30, 0);
    int i = 0;
    for (auto _ : state)
        task.setProgress(++i);
    state.SetItemsProcessed(state.iterations());
    QCoreApplication::processEvents();
}
BENCHMARK(BM_SetProgressWithDialog);

// The same with the plain manager nobody listens to.
void BM_SetProgressPlainManager(benchmark::State& state)
{
    ProgressManager manager;
    ProgressTask task(QStringLiteral("single"), 1 << 30, 0);
    int i = 0;
    for (auto _ : state)
        task.setProgress(++i);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetProgressPlainManager);

// A full refresh of a dialog showing many tasks.
void BM_RefreshManyTasks(benchmark::State& state)
{
    DialogProgressManager manager;
    ProgressDialog* dialog = qobject_cast<ProgressDialog*>(manager.progressWidget());
    std::vector<std::unique_ptr<ProgressTask>> tasks;
    for (int i = 0; i < state.range(0); ++i)
        tasks.push_back(std::make_unique<ProgressTask>(QStringLiteral("task %1").arg(i), 100,
                                                       ProgressTask::kShowTimeToGo | ProgressTask::kUserCanCancel));
    dialog->wake();
    int p = 0;
    for (auto _ : state) {
        p = (p + 1) % 100;
        for (auto& task : tasks)
            task->setProgress(p);
        dialog->wake();
    }
    tasks.clear();
    dialog->wake();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_RefreshManyTasks)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

QUILL_BENCHMARK_MAIN()
