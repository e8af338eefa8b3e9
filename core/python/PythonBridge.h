#pragma once

#include <QuillCoreExport.h>

// CPython's own spelling, so that this header needs no Python headers.
typedef struct _object PyObject;

// Python access to the GUI thread and to progress reporting, for hosts that embed
// CPython 3. The module "quill_ui" holds:
//
//     run_in_main_thread(call, args=None, kwargs=None)               -> None
//     run_in_main_thread_with_result(call, args=None, kwargs=None)   -> call's result
//     ProgressTask(name, maximum=100, flags=kUserCanCancel | kShowTimeToGo)
//
// Set-up, on the GUI thread after the QApplication exists:
//
//     PyImport_AppendInittab("quill_ui", PyInit_quill_ui);   // before Py_Initialize()
//     Py_Initialize();
//     Quill::UI::Python::initialise();
//     PyEval_SaveThread();   // let Python threads run while the GUI thread is in Qt
//
// Requests posted from other threads run on the GUI thread one at a time, in the
// order they were posted. Once the application's event loop has quit (or the
// application is destroyed) posting fails with RuntimeError, and callers still
// waiting for a result get RuntimeError instead of waiting for ever; call
// initialise() again before running another event loop.
extern "C" QUILL_CORE_EXPORT PyObject* PyInit_quill_ui();

namespace Quill {
namespace UI {
namespace Python {

// Adds run_in_main_thread, run_in_main_thread_with_result and the ProgressTask
// type to `module` (the type is readied once and shared by every module it is
// added to). Returns 0, or -1 with a Python exception set. Call with the GIL held.
QUILL_CORE_EXPORT int addProgressTaskType(PyObject* module);

// Makes the GUI thread accept requests from other threads: creates the object
// that runs them in the QCoreApplication's thread. Does nothing without a
// QCoreApplication. Calling it again is harmless; after the event loop has
// quit it re-opens the bridge.
QUILL_CORE_EXPORT void initialise();

} // namespace Python
} // namespace UI
} // namespace Quill
