#pragma once

#include "PythonInclude_p.h"

namespace Quill {
namespace UI {
namespace Python {

// The Python type ProgressTask, readied on first use (with the GIL held);
// null with an exception set when readying fails. A borrowed reference that
// stays valid for the life of the interpreter.
PyTypeObject* progressTaskType();

// True on the thread of the QCoreApplication (false without one).
bool onApplicationThread();

} // namespace Python
} // namespace UI
} // namespace Quill
