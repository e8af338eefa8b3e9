#include "ApplicationPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Quill {
namespace UI {
namespace detail {

QString OperatingSystemExecutablePath()
{
#if defined(Q_OS_LINUX)
    // The kernel's link to the running image; empty when /proc is not mounted.
    const QString link = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return link;
#else
    return QString();
#endif
}

namespace {

QString deriveFromArgv0(const char* argv0, const QByteArray& pathEnv)
{
    const QString arg = QFile::decodeName(argv0 ? QByteArray(argv0) : QByteArray());
    if (!arg.isEmpty() && arg.startsWith(QLatin1Char('/')))
        return arg;
    if (arg.contains(QLatin1Char('/')))
        return QDir::current().absoluteFilePath(arg);
    if (arg.isEmpty())
        return QString();

    const QString path = QString::fromLocal8Bit(pathEnv);
    const QStringList entries = path.split(QLatin1Char(':'));
    for (const QString& entry : entries) {
        if (entry.isEmpty())
            continue;
        const QString candidate =
            QDir::current().absoluteFilePath(entry + QLatin1Char('/') + arg);
        const QFileInfo info(candidate);
        if (info.exists() && !info.isDir())
            return candidate;
    }
    return QString();
}

} // namespace

QString ApplicationFilePath(ApplicationPathCache& cache, QString (*osPath)(),
                            const char* argv0, const QByteArray& pathEnv)
{
    if (cache.askOperatingSystem) {
        cache.askOperatingSystem = false;
        cache.path = osPath ? osPath() : QString();
    }
    if (!cache.path.isEmpty())
        return cache.path;

    const QString derived = QDir::cleanPath(deriveFromArgv0(argv0, pathEnv));
    const QFileInfo info(derived);
    cache.path = (!derived.isEmpty() && info.exists()) ? info.canonicalFilePath() : QString();
    return cache.path;
}

} // namespace detail

QString ApplicationFilePath(const char* argv0)
{
    static detail::ApplicationPathCache cache;
    return detail::ApplicationFilePath(cache, &detail::OperatingSystemExecutablePath, argv0,
                                       qgetenv("PATH"));
}

QString ApplicationDirPath(const char* argv0)
{
    return QFileInfo(ApplicationFilePath(argv0)).path();
}

} // namespace UI
} // namespace Quill
