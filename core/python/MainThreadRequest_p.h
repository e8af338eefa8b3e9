#pragma once

#include "PythonInclude_p.h"

#include <QuillCoreExport.h>

#include <QSemaphore>

namespace Quill {
namespace UI {
namespace Python {

// Where a caller of run_in_main_thread_with_result waits for its answer (on its
// own stack). Exactly one of: a result, a fetched exception, or discarded.
struct RequestResult {
    PyObject* result = nullptr;       // owned
    PyObject* type = nullptr;         // owned, with value and traceback: the exception raised
    PyObject* value = nullptr;        // (Python 3.12 and later: only value, the exception)
    PyObject* traceback = nullptr;
    bool discarded = false;           // the request was destroyed without running
    QSemaphore done;                  // one permit once the fields above are final
};

// Moves the pending exception into `result` / raises it again from there
// (handing over its references).
void fetchException(RequestResult* result);
void restoreException(RequestResult* result);

// One call of a Python callable on the GUI thread. Holds its own references to
// the callable and its arguments. Destroyed without having run, it marks its
// result discarded and wakes the waiting caller, so that no caller waits for a
// request that will never run; once the interpreter is finalised it touches no
// Python object (the references are abandoned with the interpreter).
class QUILL_CORE_AUTOTEST_EXPORT MainThreadRequest
{
public:
    // `args` is used as the positional arguments when it is a tuple, is passed
    // as the only argument otherwise, and means none when null; `kwargs` is a
    // dict or null. Needs the GIL.
    MainThreadRequest(PyObject* callable, PyObject* args, PyObject* kwargs, RequestResult* result);
    ~MainThreadRequest();
    MainThreadRequest(const MainThreadRequest&) = delete;
    MainThreadRequest& operator=(const MainThreadRequest&) = delete;

    // Calls the callable (taking the GIL). With a result, hands over the return
    // value or the exception; without one, an exception is reported through
    // sys.unraisablehook and cleared, so that it never surfaces in unrelated
    // code. Does nothing once the interpreter is finalised. Runs once.
    void run();

private:
    void releaseReferences();
    void finish(bool discarded);

    PyObject* m_callable;
    PyObject* m_args;
    PyObject* m_kwargs;
    RequestResult* m_result;   // not owned; null once the caller has been woken
};

} // namespace Python
} // namespace UI
} // namespace Quill
