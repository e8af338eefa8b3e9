#include "ApplicationPath.h"
#include "ApplicationPath_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

QString DeriveFromArgv0(const char* argv0, const QByteArray& pathEnv)
{
    const QString arg = QFile::decodeName(argv0 ? QByteArray(argv0) : QByteArray());
    if (!arg.isEmpty() && arg.startsWith(QLatin1Char('/')))
        return arg;
    if (arg.contains(QLatin1Char('/')))
        return QDir::current().absoluteFilePath(arg);
    if (arg.isEmpty())
        return QString();

    // Empty entries are skipped; with none left there is nothing to search (an
    // empty list would make findExecutable fall back to the real PATH).
    const QStringList entries =
        QString::fromLocal8Bit(pathEnv).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (entries.isEmpty())
        return QString();
    return QStandardPaths::findExecutable(arg, entries);
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

    const QString derived = QDir::cleanPath(DeriveFromArgv0(argv0, pathEnv));
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
