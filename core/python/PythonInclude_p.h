#pragma once

// Python.h names a struct member "slots", which Qt defines as a keyword macro.
#define PY_SSIZE_T_CLEAN
#pragma push_macro("slots")
#undef slots
#include <Python.h>
#pragma pop_macro("slots")
