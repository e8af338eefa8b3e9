// The bridge inside an embedded interpreter: the GUI thread is the test's main
// thread, which holds no GIL while Qt runs; Python code runs on it and on
// Python and native threads.
#include <python/PythonBridge.h>
#include <python/PythonInclude_p.h>
#include <progress/ProgressManager.h>
#include <progress/TaskPrivate.h>

#include <QtTest>

#include <atomic>
#include <thread>

using namespace Quill::UI;

namespace {

PyObject* g_globals = nullptr;

const char* const kPrelude = R"(
import quill_ui, sys, threading, time
from quill_ui import ProgressTask, run_in_main_thread, run_in_main_thread_with_result
MAIN = threading.get_ident()
RES = object()
seen, reported, results = [], [], {}
sys.unraisablehook = lambda u: reported.append(u.exc_type.__name__)
def echo(*a, **k):
    seen.append((a, k, threading.get_ident() == MAIN))
    return seen[-1]
def boom(*a): raise ValueError('boom')
def report(): return ','.join(repr(s) for s in seen) + ' | ' + ','.join(sorted(set(reported)))
def refcheck(n=50):
    ok = lambda *a, **k: RES
    def bad(*a, **k): raise ValueError('x')
    args, kwargs = (1, 2), {'x': 1}
    objects = (ok, bad, args, kwargs, RES)
    before = [sys.getrefcount(o) for o in objects]
    for i in range(n):
        run_in_main_thread(ok, args, kwargs)
        run_in_main_thread(bad, args, kwargs)
        run_in_main_thread_with_result(ok, args, kwargs)
        try: run_in_main_thread_with_result(bad, args, kwargs)
        except ValueError: pass
    run_in_main_thread_with_result(ok)  # the posted calls ahead of it have run
    return [sys.getrefcount(o) for o in objects] == before
def start(key, expr):
    def body(): results[key] = outcome(expr)
    threading.Thread(target=body).start()
def outcome(expr):  # a string value, another value's repr, or 'Type: message'
    try: return (lambda r: r if isinstance(r, str) else repr(r))(eval(expr, globals()))
    except BaseException as e: return '%s: %s' % (type(e).__name__, e)
)";

// Evaluates `code` on the calling thread through outcome(), or runs statements.
QString py(const QString& code, int mode = Py_eval_input)
{
    const PyGILState_STATE gil = PyGILState_Ensure();
    PyObject* value = mode == Py_eval_input
        ? PyObject_CallFunction(PyDict_GetItemString(g_globals, "outcome"), "s", code.toUtf8().constData())
        : PyRun_String(code.toUtf8().constData(), mode, g_globals, g_globals);
    const QString text = value && PyUnicode_Check(value) ? QString::fromUtf8(PyUnicode_AsUTF8(value)) : QString();
    if (!value)
        PyErr_Print();
    Py_XDECREF(value);
    PyGILState_Release(gil);
    return text;
}

QString quoted(const QString& text)
{
    return QStringLiteral("'%1'").arg(QString(text).replace('\'', QStringLiteral("\\'")));
}

// `expr`'s outcome on the main thread, a Python thread or a native thread, with
// the main thread running its event loop meanwhile.
QString evalOn(const QString& caller, const QString& expr)
{
    if (caller == "main")
        return py(expr);
    if (caller == "python") {
        py(QStringLiteral("start('r', %1)").arg(quoted(expr)), Py_file_input);
        QString result;
        (void)QTest::qWaitFor([&] { return (result = py("results.pop('r', '-')")) != "-"; }, 10000);
        return result;
    }
    std::atomic<bool> done{false};
    QString result;
    std::thread native([&] {
        result = py(expr);
        done = true;
    });
    (void)QTest::qWaitFor([&] { return done.load(); }, 10000);
    native.join();
    return result;
}

} // namespace

class TestPython : public QObject
{
    Q_OBJECT
private slots:
    void calls_data();
    void calls();
    void postedRequestsRunInOrder();
    void progressTask();
    void shutdownFailsWaitingCallers();

private:
    ProgressManager m_manager;
};

void TestPython::calls_data()
{
    QTest::addColumn<QString>("caller");
    QTest::addColumn<QString>("expr");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<QString>("ran");        // what echo saw
    QTest::addColumn<QString>("reported");   // exceptions sent to sys.unraisablehook
    const struct {
        const char *expr, *returned, *ran, *reported;
    } rows[] = {
        {"run_in_main_thread(echo)", "None", "((), {}, True)", ""},
        {"run_in_main_thread(echo, 5)", "None", "((5,), {}, True)", ""},
        {"run_in_main_thread(echo, (1, 2), {'k': 3})", "None", "((1, 2), {'k': 3}, True)", ""},
        {"run_in_main_thread(kwargs={'k': 3}, call=echo)", "None", "((), {'k': 3}, True)", ""},
        {"run_in_main_thread(boom)", "None", "", "ValueError"},
        {"run_in_main_thread(sys.exit, 3)", "None", "", "SystemExit"},
        {"run_in_main_thread(5)", "TypeError: expected callable object, int found", "", ""},
        {"run_in_main_thread(echo, (), [])", "TypeError: run_in_main_thread() argument 3 must be dict, not list", "", ""},
        {"run_in_main_thread_with_result(echo, None)", "((None,), {}, True)", "((None,), {}, True)", ""},
        {"run_in_main_thread_with_result(echo, (1,), {'k': 3})", "((1,), {'k': 3}, True)", "((1,), {'k': 3}, True)", ""},
        {"run_in_main_thread_with_result(boom)", "ValueError: boom", "", ""},
        {"run_in_main_thread_with_result(next, iter(()))", "StopIteration: ", "", ""},   // raised without a value
        {"run_in_main_thread_with_result(len, 'x', 1)",
         "TypeError: run_in_main_thread_with_result() argument 3 must be dict, not int", "", ""},
        {"refcheck()", "True", "", "ValueError"},
    };
    for (const char* caller : {"main", "python", "native"}) {
        for (const auto& row : rows)
            QTest::addRow("%s: %s", caller, row.expr) << caller << row.expr << row.returned << row.ran << row.reported;
    }
}

void TestPython::calls()
{
    QFETCH(QString, caller);
    QFETCH(QString, expr);
    QFETCH(QString, returned);
    QFETCH(QString, ran);
    QFETCH(QString, reported);
    py("seen.clear(); reported.clear()", Py_file_input);
    QCOMPARE(evalOn(caller, expr), returned);
    QTRY_COMPARE(py("report()"), ran + " | " + reported);
    // Nothing is left pending on the main thread's Python state either.
    QCOMPARE(py("sys.exc_info()"), QStringLiteral("(None, None, None)"));
}

void TestPython::postedRequestsRunInOrder()
{
    // The first request reports progress, which processes events while the
    // others are already posted: they must still wait their turn.
    py(R"(
order, posted = [], threading.Event()
task = ProgressTask('order')
def step(i):
    order.append(('start', i))
    if i == 0:
        posted.wait(5)
        task.setProgress(1)
    order.append(('end', i))
def poster():
    for i in range(20): run_in_main_thread(step, i)
    posted.set()
    run_in_main_thread_with_result(step, 20)
threading.Thread(target=poster).start()
)", Py_file_input);
    QTRY_COMPARE(py("len(order)"), QStringLiteral("42"));
    QCOMPARE(py("order == [(e, i) for i in range(21) for e in ('start', 'end')]"), QStringLiteral("True"));
    py("del task", Py_file_input);
}

void TestPython::progressTask()
{
    // Construction: arguments reach the listed record, or fail clearly.
    const struct {
        const char *expr, *result;
        int maximum, flags;
    } rows[] = {
        {"ProgressTask('Export')", "Export", 100, 6},
        {"ProgressTask('Über', 10, ProgressTask.kModal | ProgressTask.kUserCanPause)", "Über", 10, 96},
        {"ProgressTask()", "TypeError: ProgressTask:__new__() takes at least 1 argument (0 given)", 0, 0},
        {"ProgressTask('x', maximum=5)", "TypeError: ProgressTask() takes no keyword arguments", 0, 0},
        {"ProgressTask('x', 'y')", "TypeError: 'str' object cannot be interpreted as an integer", 0, 0},
    };
    for (const auto& row : rows) {
        const int before = m_manager.tasksCount();
        const QString result = py(QStringLiteral("(t := %1)").arg(row.expr));
        if (!row.maximum) {
            QCOMPARE(result, QString::fromUtf8(row.result));
            QCOMPARE(m_manager.tasksCount(), before);
            continue;
        }
        QCOMPARE(m_manager.tasksCount(), before + 1);
        TaskPrivate* record = m_manager.tasks().last();
        QCOMPARE(record->title(), QString::fromUtf8(row.result));
        QCOMPARE(record->maximum(), row.maximum);
        QCOMPARE(record->flags(), row.flags);
    }
    QCOMPARE(py("[getattr(ProgressTask, n) for n in ('kDelayedPopup', 'kUserCanCancel', 'kShowTimeToGo', "
                "'kKeepWhenFinished', 'kDisable', 'kModal', 'kUserCanPause')]"),
             QStringLiteral("[1, 2, 4, 8, 16, 32, 64]"));

    // Methods, from the main thread (which processes events) and from a Python thread.
    TaskPrivate* record = m_manager.tasks().last();
    bool delivered = false;
    QTimer::singleShot(0, this, [&] { delivered = true; });
    QCOMPARE(py("t.setProgress(7)"), QStringLiteral("None"));
    QVERIFY(delivered);
    QCOMPARE(record->progress(), 7);
    QCOMPARE(evalOn("python", "t.setMessage('Größe'), t.setProgress(9), t.isCancelled()"),
             QStringLiteral("(None, None, False)"));
    QCOMPARE(record->message(), QStringLiteral("Größe"));
    QCOMPARE(record->progress(), 9);
    record->setCancelled(true);
    QCOMPARE(py("t.isCancelled()"), QStringLiteral("True"));
    QCOMPARE(py("t.setProgress(1.5)"), QStringLiteral("TypeError: 'float' object cannot be interpreted as an integer"));
    py("del t", Py_file_input);
    QVERIFY(record->isFinished());

    // Registration readies the type once and adds it to any module.
    py("import types; other = types.ModuleType('other'); count = sys.getrefcount(ProgressTask)", Py_file_input);
    const PyGILState_STATE gil = PyGILState_Ensure();
    PyObject* other = PyDict_GetItemString(g_globals, "other");
    QCOMPARE(Python::addProgressTaskType(other), 0);
    QCOMPARE(Python::addProgressTaskType(other), 0);
    QCOMPARE(Python::addProgressTaskType(g_globals), -1);
    QVERIFY(PyErr_ExceptionMatches(PyExc_TypeError));
    PyErr_Clear();
    PyGILState_Release(gil);
    QCOMPARE(py("(other.ProgressTask is ProgressTask, sys.getrefcount(ProgressTask) - count, "
                "other.run_in_main_thread_with_result(len, 'ab'))"),
             QStringLiteral("(True, 1, 2)"));
}

void TestPython::shutdownFailsWaitingCallers()
{
    // Callers wait on requests the main thread has not run when the event loop quits.
    py("for key in 'abc': start(key, 'run_in_main_thread_with_result(echo)')", Py_file_input);
    QThread::msleep(300);
    QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
    QTRY_COMPARE(py("len(results)"), QStringLiteral("3"));
    QCOMPARE(py("all(r.startswith('RuntimeError: run_in_main_thread_with_result: ') for r in results.values())"),
             QStringLiteral("True"));
    QCOMPARE(py("seen"), QStringLiteral("[]"));
    QCOMPARE(evalOn("native", "run_in_main_thread(echo)"),
             QStringLiteral("RuntimeError: run_in_main_thread: the application's event loop has quit; "
                            "the main thread runs no more requests"));
    py("results.clear()", Py_file_input);
    std::thread([] { Python::initialise(); }).join();   // re-opened from another thread, still run by this one
    QCOMPARE(evalOn("python", "run_in_main_thread_with_result(len, 'abc')"), QStringLiteral("3"));
}

int main(int argc, char** argv)
{
    PyImport_AppendInittab("quill_ui", PyInit_quill_ui);
    Py_Initialize();
    g_globals = PyDict_New();
    PyDict_SetItemString(g_globals, "__builtins__", PyEval_GetBuiltins());
    PyObject* prelude = PyRun_String(kPrelude, Py_file_input, g_globals, g_globals);
    if (!prelude) {
        PyErr_Print();
        return 1;
    }
    Py_DECREF(prelude);
    // Without an application there is no main thread to run on.
    const QString noApp = py("run_in_main_thread(echo)");
    if (noApp != "RuntimeError: run_in_main_thread: there is no QApplication, so no main thread to run on") {
        qCritical("without an application: %s", qPrintable(noApp));
        return 1;
    }

    // Qt's plain Unix dispatcher delivers posted events inside nested event
    // processing (GLib's does not): the case requests must be guarded against.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    Python::initialise();
    PyThreadState* mainState = PyEval_SaveThread();
    TestPython test;
    const int failures = QTest::qExec(&test, argc, argv);

    // Requests still posted when the interpreter is finalised never run and
    // touch no Python object when Qt discards them.
    py("t = threading.Thread(target=lambda: [run_in_main_thread(len, ((),)) for i in range(3)]); t.start(); t.join()",
       Py_file_input);
    PyEval_RestoreThread(mainState);
    Py_CLEAR(g_globals);
    Py_FinalizeEx();
    QCoreApplication::processEvents();
    return failures;
}

#include "tst_python.moc"
