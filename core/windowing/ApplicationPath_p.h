#pragma once

#include <QuillCoreExport.h>

#include <QByteArray>
#include <QString>

namespace Quill {
namespace UI {
namespace detail {

// The process-wide cache of ApplicationFilePath(), exposed so tests can drive the
// derivation with a chosen operating-system answer.
struct QUILL_CORE_AUTOTEST_EXPORT ApplicationPathCache {
    QString path;
    bool askOperatingSystem = true;
};

// One ApplicationFilePath step over an explicit cache: `osPath` is called (once per
// cache) for the operating system's answer, `pathEnv` stands for $PATH.
QUILL_CORE_AUTOTEST_EXPORT QString ApplicationFilePath(ApplicationPathCache& cache, QString (*osPath)(),
                                                       const char* argv0, const QByteArray& pathEnv);

// The operating system's answer on this platform, empty when it has none.
QString OperatingSystemExecutablePath();

} // namespace detail
} // namespace UI
} // namespace Quill
