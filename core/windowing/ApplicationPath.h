#pragma once

#include <QuillCoreExport.h>

#include <QString>

namespace Quill {
namespace UI {

// Canonical absolute path of the running executable. The operating system is
// asked once (on Linux /proc/self/exe); when it gives no answer the path is derived
// from argv0: absolute as is, relative with a "/" against the current directory,
// otherwise the first executable file of that name along PATH. A successful answer
// is cached for the process; a failed derivation is retried on the next call.
// GUI thread (not locked).
QUILL_CORE_EXPORT QString ApplicationFilePath(const char* argv0);
// The directory part of ApplicationFilePath(argv0).
QUILL_CORE_EXPORT QString ApplicationDirPath(const char* argv0);

} // namespace UI
} // namespace Quill
