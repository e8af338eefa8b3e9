// Round trips of run_in_main_thread_with_result from Python threads to the GUI
// thread running its event loop. Target: at most 50 us per round trip from one
// thread. The GUI thread must stay responsive meanwhile: it takes the GIL only
// to run a request, never while idle, so its event latency stays well under the
// interpreter's 5 ms switch interval even while Python threads keep the GIL busy.
#include <python/PythonBridge.h>
#include <python/PythonInclude_p.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

QEventLoop* g_loop = nullptr;
std::atomic<int> g_running{0};

// Called by each Python worker as it ends, on its own thread: the GUI thread
// takes no GIL for it.
PyObject* workerDone(PyObject*, PyObject*)
{
    if (--g_running == 0)
        QMetaObject::invokeMethod(g_loop, "quit", Qt::QueuedConnection);
    Py_RETURN_NONE;
}

PyMethodDef g_doneDef = {"done", workerDone, METH_NOARGS, nullptr};

const char* const kWorkers = R"(
import threading, quill_ui
def work(calls, busy, trips):
    f = lambda: None
    n = 0
    for i in range(calls):
        if trips: quill_ui.run_in_main_thread_with_result(f)
        for j in range(busy): n += j   # pure Python work holding the GIL
    done()
def start(threads, calls, busy, trips):
    for t in range(threads):
        threading.Thread(target=work, args=(calls, busy, trips)).start()
)";

PyObject* g_globals = nullptr;

// A 1 ms timer on the GUI thread that records how late it fires at worst.
class LatenessProbe
{
public:
    explicit LatenessProbe(qint64* worstLateUs)
    {
        m_tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_tick, &QTimer::timeout, [this, worstLateUs] {
            *worstLateUs = std::max(*worstLateUs, m_sinceTick.nsecsElapsed() / 1000 - 1000);
            m_sinceTick.start();
        });
    }
    void start()
    {
        m_sinceTick.start();
        m_tick.start(1);
    }

private:
    QElapsedTimer m_sinceTick;
    QTimer m_tick;
};

// Runs `threads` Python threads of `calls` round trips each while the GUI
// thread spins its event loop and measures how late a 1 ms timer fires.
void runWorkers(benchmark::State& state, int busy, bool trips)
{
    const int threads = int(state.range(0));
    const int calls = (trips ? 10000 : 1000) / threads;
    double seconds = 0;
    qint64 worstLateUs = 0;
    for (auto _ : state) {
        QEventLoop loop;
        g_loop = &loop;
        g_running = threads;
        LatenessProbe probe(&worstLateUs);
        QElapsedTimer elapsed;
        elapsed.start();
        const PyGILState_STATE gil = PyGILState_Ensure();
        PyObject* start = PyDict_GetItemString(g_globals, "start");
        Py_XDECREF(PyObject_CallFunction(start, "iiii", threads, calls, busy, int(trips)));
        PyGILState_Release(gil);
        probe.start();
        loop.exec();
        seconds += elapsed.nsecsElapsed() / 1e9;
        g_loop = nullptr;
    }
    if (trips) {
        const double total = double(state.iterations()) * calls * threads;
        state.counters["us_per_round_trip"] = seconds * 1e6 / total;
        state.counters["us_per_round_trip_per_thread"] = seconds * 1e6 * threads / total;
    }
    state.counters["gui_worst_timer_late_us"] = double(worstLateUs);
}

// Trivial callables: the bridge's own cost.
void BM_RoundTrips(benchmark::State& state) { runWorkers(state, 0, true); }
// Python work between the calls: with several threads the GUI thread waits for
// the GIL to run a request (up to the switch interval), never otherwise.
void BM_RoundTripsWithBusyPython(benchmark::State& state) { runWorkers(state, 2000, true); }
// Python threads busy without requests: the idle GUI thread never needs the GIL.
void BM_GuiIdleWhilePythonBusy(benchmark::State& state) { runWorkers(state, 20000, false); }

// Baseline for the above: one native thread keeping one core as busy as the
// GIL-serialised Python threads do. Similar lateness means the GIL is not the cause.
void BM_GuiIdleWhileNativeBusy(benchmark::State& state)
{
    qint64 worstLateUs = 0;
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        std::thread spinner([&] {
            volatile unsigned n = 0;
            while (!stop.load(std::memory_order_relaxed))
                n = n + 1;
        });
        QEventLoop loop;
        LatenessProbe probe(&worstLateUs);
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        probe.start();
        loop.exec();
        stop = true;
        spinner.join();
    }
    state.counters["gui_worst_timer_late_us"] = double(worstLateUs);
}

BENCHMARK(BM_RoundTrips)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RoundTripsWithBusyPython)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GuiIdleWhilePythonBusy)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GuiIdleWhileNativeBusy)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PyImport_AppendInittab("quill_ui", PyInit_quill_ui);
    Py_Initialize();
    Quill::UI::Python::initialise();
    g_globals = PyDict_New();
    PyDict_SetItemString(g_globals, "__builtins__", PyEval_GetBuiltins());
    PyObject* done = PyCFunction_New(&g_doneDef, nullptr);
    PyDict_SetItemString(g_globals, "done", done);
    Py_DECREF(done);
    PyObject* r = PyRun_String(kWorkers, Py_file_input, g_globals, g_globals);
    if (!r) {
        PyErr_Print();
        return 1;
    }
    Py_DECREF(r);
    PyThreadState* mainState = PyEval_SaveThread();   // Python threads run while Qt does
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    PyEval_RestoreThread(mainState);
    Py_FinalizeEx();
    return 0;
}
