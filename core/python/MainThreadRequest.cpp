#include "MainThreadRequest_p.h"

namespace Quill {
namespace UI {
namespace Python {

void fetchException(RequestResult* result)
{
#if PY_VERSION_HEX >= 0x030C0000
    result->value = PyErr_GetRaisedException();
#else
    PyErr_Fetch(&result->type, &result->value, &result->traceback);
    // C code may raise a type without a value: the caller tests the value.
    PyErr_NormalizeException(&result->type, &result->value, &result->traceback);
#endif
}

void restoreException(RequestResult* result)
{
#if PY_VERSION_HEX >= 0x030C0000
    PyErr_SetRaisedException(result->value);
#else
    PyErr_Restore(result->type, result->value, result->traceback);
#endif
}

MainThreadRequest::MainThreadRequest(PyObject* callable, PyObject* args, PyObject* kwargs,
                                     RequestResult* result)
    : m_callable(callable), m_args(nullptr), m_kwargs(kwargs), m_result(result)
{
    Py_INCREF(m_callable);
    Py_XINCREF(m_kwargs);
    if (!args) {
        m_args = PyTuple_New(0);
    } else if (PyTuple_Check(args)) {
        Py_INCREF(args);
        m_args = args;
    } else {
        m_args = PyTuple_Pack(1, args);
    }
}

MainThreadRequest::~MainThreadRequest()
{
    releaseReferences();
    finish(true);
}

void MainThreadRequest::releaseReferences()
{
    if (!m_callable || !Py_IsInitialized())
        return;
    const PyGILState_STATE gil = PyGILState_Ensure();
    Py_CLEAR(m_callable);
    Py_CLEAR(m_args);
    Py_CLEAR(m_kwargs);
    PyGILState_Release(gil);
}

void MainThreadRequest::finish(bool discarded)
{
    RequestResult* result = m_result;
    if (!result)
        return;
    m_result = nullptr;
    result->discarded = discarded;
    // The caller owns `result` again from here on.
    result->done.release();
}

void MainThreadRequest::run()
{
    if (!m_callable || !Py_IsInitialized())
        return;
    const PyGILState_STATE gil = PyGILState_Ensure();
    // Only a failure to build the argument tuple leaves it null.
    PyObject* value = m_args ? PyObject_Call(m_callable, m_args, m_kwargs) : nullptr;
    if (m_result) {
        m_result->result = value;
        if (!value)
            fetchException(m_result);
    } else if (value) {
        Py_DECREF(value);
    } else {
        // Nobody can catch it: report it as Python reports exceptions it must
        // ignore, without ever treating SystemExit as a request to exit.
        PyErr_WriteUnraisable(m_callable);
    }
    Py_CLEAR(m_callable);
    Py_CLEAR(m_args);
    Py_CLEAR(m_kwargs);
    PyGILState_Release(gil);
    finish(false);
}

} // namespace Python
} // namespace UI
} // namespace Quill
