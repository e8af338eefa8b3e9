#include <windowing/AppSettings.h>
#include <windowing/ApplicationPath.h>
#include <windowing/ApplicationPath_p.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Quill::UI;

namespace {

class NamedSettings : public AppSettings
{
public:
    static std::string currentName() { return _name; }
};

int g_osCalls = 0;
QString g_osAnswer;
QString fakeOs()
{
    ++g_osCalls;
    return g_osAnswer;
}

bool touchExecutable(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("#!/bin/sh\n");
    f.close();
    return f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

} // namespace

class tst_AppSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void sharedFile_data();
    void sharedFile();
    void nameReadAtConstruction();
    void noFallbacks();

    void operatingSystemAnswerWins_data();
    void operatingSystemAnswerWins();
    void derivation_data();
    void derivation();
    void failedDerivationRetries();
    void realExecutable();

private:
    QTemporaryDir m_userDir;
    QTemporaryDir m_systemDir;
    QTemporaryDir m_tree;
    QString m_oldCwd;
};

void tst_AppSettings::initTestCase()
{
    QVERIFY(m_userDir.isValid() && m_systemDir.isValid() && m_tree.isValid());
    // Keep the tests away from the user's real settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_userDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, m_systemDir.path());
    m_oldCwd = QDir::currentPath();

    // A small tree for the path derivation:
    //   bin/tool        executable
    //   link/tool ->    bin/tool (symbolic link)
    //   dirs/tool/      a directory of the same name (never accepted)
    const QDir root(m_tree.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("link"))
            && root.mkpath(QStringLiteral("dirs/tool")));
    QVERIFY(touchExecutable(root.filePath(QStringLiteral("bin/tool"))));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("bin/tool")),
                        root.filePath(QStringLiteral("link/tool"))));
}

void tst_AppSettings::cleanup()
{
    QDir::setCurrent(m_oldCwd);
}

void tst_AppSettings::sharedFile_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("fileStem");
    QTest::newRow("plain") << QByteArray("QuillTest") << QStringLiteral("QuillTest");
    QTest::newRow("latin-1 bytes") << QByteArray("Caf\xe9") << QStringLiteral("Caf\u00e9");
    QTest::newRow("spaces") << QByteArray("My Suite") << QStringLiteral("My Suite");
}

void tst_AppSettings::sharedFile()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, fileStem);

    AppSettings::SetName(name.toStdString());
    {
        AppSettings writer;
        writer.setValue(QStringLiteral("Group/key"), 42);
        writer.sync();
        QCOMPARE(writer.status(), QSettings::NoError);
        QCOMPARE(QFileInfo(writer.fileName()).fileName(), fileStem + QStringLiteral(".ini"));
        QCOMPARE(writer.format(), QSettings::IniFormat);
    }
    AppSettings reader;
    QCOMPARE(reader.value(QStringLiteral("Group/key")).toInt(), 42);
    QVERIFY(QFile::exists(reader.fileName()));
}

void tst_AppSettings::nameReadAtConstruction()
{
    AppSettings::SetName(std::string());
    AppSettings before;
    AppSettings::SetName("LaterName");
    AppSettings after;
    QVERIFY(before.fileName() != after.fileName());
    QVERIFY(before.organizationName().isEmpty());
    QCOMPARE(after.organizationName(), QStringLiteral("LaterName"));
    QCOMPARE(NamedSettings::currentName(), std::string("LaterName"));
}

void tst_AppSettings::noFallbacks()
{
    AppSettings::SetName("FallbackProbe");
    {
        QSettings system(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("FallbackProbe"));
        system.setValue(QStringLiteral("onlyInSystem"), 1);
        system.sync();
    }
    AppSettings settings;
    QVERIFY(!settings.fallbacksEnabled());
    QVERIFY(!settings.contains(QStringLiteral("onlyInSystem")));
}

void tst_AppSettings::operatingSystemAnswerWins_data()
{
    QTest::addColumn<QByteArray>("argv0");
    QTest::addColumn<bool>("nullArgv0");
    QTest::newRow("null") << QByteArray() << true;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("unrelated") << QByteArray("/no/such/thing") << false;
}

void tst_AppSettings::operatingSystemAnswerWins()
{
    QFETCH(QByteArray, argv0);
    QFETCH(bool, nullArgv0);

    detail::ApplicationPathCache cache;
    g_osCalls = 0;
    g_osAnswer = QStringLiteral("/opt/os/said/this");
    const char* arg = nullArgv0 ? nullptr : argv0.constData();
    QCOMPARE(detail::ApplicationFilePath(cache, &fakeOs, arg, QByteArray()), g_osAnswer);
    QCOMPARE(detail::ApplicationFilePath(cache, &fakeOs, "other", QByteArray()), g_osAnswer);
    QCOMPARE(g_osCalls, 1);   // the system is asked once per process
}

void tst_AppSettings::derivation_data()
{
    QTest::addColumn<QString>("argv0");      // %T is replaced by the temporary tree
    QTest::addColumn<QString>("cwd");        // relative to the tree
    QTest::addColumn<QString>("pathEnv");    // %T is replaced by the tree
    QTest::addColumn<QString>("expected");   // relative to the tree; empty: nothing found

    QTest::newRow("absolute") << "%T/bin/tool" << "" << "" << "bin/tool";
    QTest::newRow("absolute through a link") << "%T/link/tool" << "" << "" << "bin/tool";
    QTest::newRow("absolute, unclean") << "%T/bin/../bin/./tool" << "" << "" << "bin/tool";
    QTest::newRow("absolute, missing") << "%T/bin/nothing" << "" << "" << "";
    QTest::newRow("relative with slash") << "bin/tool" << "." << "" << "bin/tool";
    QTest::newRow("dot slash") << "./tool" << "bin" << "" << "bin/tool";
    QTest::newRow("relative, missing") << "nope/tool" << "." << "%T/bin" << "";
    QTest::newRow("PATH search") << "tool" << "." << "%T/dirs:%T/bin" << "bin/tool";
    QTest::newRow("PATH skips empty entries") << "tool" << "bin" << "::%T/dirs" << "";
    QTest::newRow("PATH relative entry") << "tool" << "." << "dirs:bin" << "bin/tool";
    QTest::newRow("PATH only a directory") << "tool" << "." << "%T/dirs" << "";
    QTest::newRow("PATH, not found") << "tool" << "." << "%T/none:" << "";
    QTest::newRow("empty argv0") << "" << "." << "%T/bin" << "";
}

void tst_AppSettings::derivation()
{
    QFETCH(QString, argv0);
    QFETCH(QString, cwd);
    QFETCH(QString, pathEnv);
    QFETCH(QString, expected);

    const QString tree = QFileInfo(m_tree.path()).canonicalFilePath();
    argv0.replace(QStringLiteral("%T"), tree);
    pathEnv.replace(QStringLiteral("%T"), tree);
    if (!cwd.isEmpty())
        QVERIFY(QDir::setCurrent(QDir(tree).filePath(cwd)));

    detail::ApplicationPathCache cache;
    g_osAnswer.clear();
    const QString got = detail::ApplicationFilePath(cache, &fakeOs, QFile::encodeName(argv0).constData(),
                                                    pathEnv.toLocal8Bit());
    QCOMPARE(got, expected.isEmpty() ? QString() : QDir(tree).filePath(expected));
}

void tst_AppSettings::failedDerivationRetries()
{
    const QString tree = QFileInfo(m_tree.path()).canonicalFilePath();
    const QString tool = QDir(tree).filePath(QStringLiteral("bin/tool"));
    detail::ApplicationPathCache cache;
    g_osAnswer.clear();
    g_osCalls = 0;

    QCOMPARE(detail::ApplicationFilePath(cache, &fakeOs, "unknown-tool", QByteArray("/nowhere")), QString());
    // The next call searches again with its own argv0 ...
    QCOMPARE(detail::ApplicationFilePath(cache, &fakeOs, QFile::encodeName(tool).constData(), QByteArray()), tool);
    // ... and a success sticks, whatever later callers pass.
    QCOMPARE(detail::ApplicationFilePath(cache, &fakeOs, "unknown-tool", QByteArray()), tool);
    QCOMPARE(g_osCalls, 1);
}

void tst_AppSettings::realExecutable()
{
    const QString expected = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    QCOMPARE(ApplicationFilePath(nullptr), expected);
    QCOMPARE(ApplicationFilePath("whatever"), expected);
    QCOMPARE(ApplicationDirPath(""), QFileInfo(expected).path());
}

QTEST_MAIN(tst_AppSettings)
#include "tst_appsettings.moc"
