#include "PythonBridge.h"

#include "MainThreadRequest_p.h"
#include "ProgressTaskType_p.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMutex>
#include <QPointer>
#include <QThread>

#include <deque>
#include <memory>

namespace Quill {
namespace UI {
namespace Python {

namespace {

QEvent::Type requestEventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

class RequestEvent : public QEvent
{
public:
    explicit RequestEvent(std::unique_ptr<MainThreadRequest> request)
        : QEvent(requestEventType()), request(std::move(request))
    {
    }
    // Discarded undelivered (the handler or the application going), the
    // request wakes its caller as it is destroyed.
    std::unique_ptr<MainThreadRequest> request;
};

// Runs the posted requests on the application's thread. Python code on that
// thread may process events (ProgressTask.setProgress does), so requests that
// arrive while one runs are queued behind it: they run in the order posted and
// never inside one another.
class RequestHandler : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() != requestEventType())
            return QObject::event(event);
        m_queue.push_back(std::move(static_cast<RequestEvent*>(event)->request));
        if (m_running)
            return true;
        m_running = true;
        const QPointer<RequestHandler> alive(this);
        while (!m_queue.empty()) {
            std::unique_ptr<MainThreadRequest> request = std::move(m_queue.front());
            m_queue.pop_front();
            request->run();
            request.reset();
            if (!alive)   // the application went away inside the request
                return true;
        }
        m_running = false;
        return true;
    }

private:
    std::deque<std::unique_ptr<MainThreadRequest>> m_queue;   // destroyed undelivered with the handler
    bool m_running = false;
};

struct Bridge {
    QMutex mutex;
    RequestHandler* handler = nullptr;   // lives in `thread`
    QThread* thread = nullptr;           // the application's thread; null without an application
    bool closed = false;                 // the event loop has quit: no new handler until initialise()
};

Bridge& bridge()
{
    static Bridge instance;
    return instance;
}

void close(bool applicationGone)
{
    Bridge& b = bridge();
    RequestHandler* handler = nullptr;
    {
        QMutexLocker locker(&b.mutex);
        handler = b.handler;
        b.handler = nullptr;
        b.closed = true;
        if (applicationGone)
            b.thread = nullptr;
    }
    // Fails the queued and the still-posted requests: their callers wake up.
    delete handler;
}

void applicationDestroyed()
{
    close(true);
}

// Hold the bridge's mutex.
void createHandler(Bridge& b, QCoreApplication* app)
{
    b.thread = app->thread();
    b.closed = false;
    if (b.handler)
        return;
    // Created on whichever thread asks first, but always run by the application's.
    b.handler = new RequestHandler;
    b.handler->moveToThread(b.thread);
    QObject::connect(app, &QCoreApplication::aboutToQuit, b.handler, [] { close(false); });
    qRemovePostRoutine(applicationDestroyed);
    qAddPostRoutine(applicationDestroyed);
}

enum class Route { Inline, Posted, NoApplication, Closed };

// Decides where `request` runs; posts it (taking it) when that is another thread.
Route route(std::unique_ptr<MainThreadRequest>& request)
{
    Bridge& b = bridge();
    QMutexLocker locker(&b.mutex);
    if (!b.handler && !b.closed) {
        if (QCoreApplication* app = QCoreApplication::instance())
            createHandler(b, app);
    }
    if (!b.thread)
        return QCoreApplication::instance() ? Route::Closed : Route::NoApplication;
    if (QThread::currentThread() == b.thread)
        return Route::Inline;
    if (!b.handler)
        return Route::Closed;
    QCoreApplication::postEvent(b.handler, new RequestEvent(std::move(request)));
    return Route::Posted;
}

PyObject* routeError(Route route, const char* function)
{
    if (route == Route::NoApplication) {
        PyErr_Format(PyExc_RuntimeError,
                     "%s: there is no QApplication, so no main thread to run on", function);
    } else {
        PyErr_Format(PyExc_RuntimeError,
                     "%s: the application's event loop has quit; the main thread runs no more requests",
                     function);
    }
    return nullptr;
}

int toCallable(PyObject* object, void* out)
{
    if (!PyCallable_Check(object)) {
        PyErr_Format(PyExc_TypeError, "expected callable object, %.200s found", Py_TYPE(object)->tp_name);
        return 0;
    }
    *static_cast<PyObject**>(out) = object;
    return 1;
}

// The request for the call the arguments name, or null with a Python error set.
std::unique_ptr<MainThreadRequest> parseRequest(PyObject* args, PyObject* kwargs, const char* format,
                                                RequestResult* result)
{
    static const char* keywords[] = {"call", "args", "kwargs", nullptr};
    PyObject* call = nullptr;
    PyObject* callArgs = nullptr;
    PyObject* callKwargs = nullptr;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, format, const_cast<char**>(keywords), toCallable, &call,
                                     &callArgs, &PyDict_Type, &callKwargs))
        return nullptr;
    auto request = std::make_unique<MainThreadRequest>(call, callArgs, callKwargs, result);
    if (PyErr_Occurred())
        return nullptr;
    return request;
}

PyObject* runInMainThread(PyObject*, PyObject* args, PyObject* kwargs)
{
    auto request = parseRequest(args, kwargs, "O&|OO!:run_in_main_thread", nullptr);
    if (!request)
        return nullptr;
    // Posting keeps the GIL: it only takes locks the GUI thread never holds while it wants the GIL.
    const Route where = route(request);
    if (where == Route::Inline)
        request->run();
    else if (where != Route::Posted)
        return routeError(where, "run_in_main_thread");
    Py_RETURN_NONE;
}

PyObject* runInMainThreadWithResult(PyObject*, PyObject* args, PyObject* kwargs)
{
    RequestResult result;
    auto request = parseRequest(args, kwargs, "O&|OO!:run_in_main_thread_with_result", &result);
    if (!request)
        return nullptr;
    Route where = Route::Inline;
    // The GUI thread needs the GIL to run the request.
    Py_BEGIN_ALLOW_THREADS
    where = route(request);
    if (where == Route::Posted)
        result.done.acquire();
    Py_END_ALLOW_THREADS
    if (where == Route::Inline)
        request->run();
    request.reset();   // not posted: wakes nothing that waits
    if (where == Route::NoApplication || where == Route::Closed)
        return routeError(where, "run_in_main_thread_with_result");
    if (result.result)
        return result.result;
    if (result.value) {
        restoreException(&result);
    } else if (result.discarded) {
        PyErr_SetString(PyExc_RuntimeError,
                        "run_in_main_thread_with_result: the request was discarded before it ran "
                        "(the application is quitting)");
    } else {
        PyErr_SetString(PyExc_SystemError, "run_in_main_thread_with_result: the call returned no result");
    }
    return nullptr;
}

template <typename F>
PyCFunction asCFunction(F function)
{
    return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

PyMethodDef functions[] = {
    {"run_in_main_thread", asCFunction(runInMainThread), METH_VARARGS | METH_KEYWORDS,
     "run_in_main_thread(call, args=None, kwargs=None) -> None\n\n"
     "Calls call(*args, **kwargs) on the GUI thread without waiting for it: at once\n"
     "when called there. args is a tuple of arguments or a single argument. An\n"
     "exception it raises is reported through sys.unraisablehook.\n"},
    {"run_in_main_thread_with_result", asCFunction(runInMainThreadWithResult), METH_VARARGS | METH_KEYWORDS,
     "run_in_main_thread_with_result(call, args=None, kwargs=None) -> result\n\n"
     "Calls call(*args, **kwargs) on the GUI thread, waits for it and returns its\n"
     "result or raises its exception.\n"},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef moduleDef = {PyModuleDef_HEAD_INIT,
                         "quill_ui",
                         "Quill UI: running code on the GUI thread, and progress tasks.",
                         -1,
                         nullptr,
                         nullptr,
                         nullptr,
                         nullptr,
                         nullptr};

} // namespace

int addProgressTaskType(PyObject* module)
{
    if (!module || !PyModule_Check(module)) {
        PyErr_SetString(PyExc_TypeError, "addProgressTaskType: expected a module object");
        return -1;
    }
    PyTypeObject* type = progressTaskType();
    if (!type || PyModule_AddFunctions(module, functions) < 0)
        return -1;
    Py_INCREF(type);
    if (PyModule_AddObject(module, "ProgressTask", reinterpret_cast<PyObject*>(type)) < 0) {
        Py_DECREF(type);
        return -1;
    }
    return 0;
}

void initialise()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    Bridge& b = bridge();
    QMutexLocker locker(&b.mutex);
    createHandler(b, app);
}

} // namespace Python
} // namespace UI
} // namespace Quill

PyObject* PyInit_quill_ui()
{
    PyObject* module = PyModule_Create(&Quill::UI::Python::moduleDef);
    if (module && Quill::UI::Python::addProgressTaskType(module) < 0)
        Py_CLEAR(module);
    return module;
}
