#pragma once

#include <QuillCoreExport.h>

#include <QString>

namespace Quill {
namespace UI {

// Canonical absolute path of the running executable. The operating system is
// asked once (on Linux /proc/self/exe); when it gives no answer the path is derived
// from argv0: absolute as is, relative with a "/" against the current directory,
// otherwise searched along PATH. A successful answer is cached for the process; a
// failed derivation is retried on the next call. GUI thread (not locked).
QUILL_CORE_EXPORT QString ApplicationFilePath(const char* argv0);
// The directory part of ApplicationFilePath(argv0).
QUILL_CORE_EXPORT QString ApplicationDirPath(const char* argv0);

namespace detail {

// The process-wide cache, exposed so tests can drive the derivation with a chosen
// operating-system answer.
struct QUILL_CORE_EXPORT ApplicationPathCache {
    QString path;
    bool askOperatingSystem = true;
};

// One ApplicationFilePath step over an explicit cache: `osPath` is called (once per
// cache) for the operating system's answer, `pathEnv` stands for $PATH.
QUILL_CORE_EXPORT QString ApplicationFilePath(ApplicationPathCache& cache, QString (*osPath)(),
                            const char* argv0, const QByteArray& pathEnv);

// The operating system's answer on this platform, empty when it has none.
QUILL_CORE_EXPORT QString OperatingSystemExecutablePath();

} // namespace detail
} // namespace UI
} // namespace Quill
