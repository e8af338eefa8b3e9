#include <windowing/AppSettings.h>
#include <windowing/ApplicationPath.h>
#include <windowing/ApplicationPath_p.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Quill::UI;

namespace {

int g_osCalls = 0;
QString g_osAnswer;
QString FakeOs()
{
    ++g_osCalls;
    return g_osAnswer;
}

} // namespace

class tst_AppSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_userDir.isValid() && m_systemDir.isValid() && m_tree.isValid());
        // Keep the tests away from the user's real settings.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_userDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, m_systemDir.path());
        m_oldCwd = QDir::currentPath();
        // bin/tool an executable, link/tool a symbolic link to it, dirs/tool a directory.
        const QDir root(m_tree.path());
        QVERIFY(root.mkpath("bin") && root.mkpath("link") && root.mkpath("dirs/tool"));
        QFile f(root.filePath("bin/tool"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("#!/bin/sh\n") > 0);
        f.close();
        QVERIFY(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
        QVERIFY(QFile::link(root.filePath("bin/tool"), root.filePath("link/tool")));
    }

    void cleanup() { QDir::setCurrent(m_oldCwd); }

    // Every AppSettings of the process shares one INI file named at construction,
    // without falling back to the system scope.
    void sharedFile()
    {
        const QString fileStem = QStringLiteral("Caf\u00e9");   // the name's bytes are Latin-1
        AppSettings::SetName("Earlier");
        AppSettings earlier;
        AppSettings::SetName("Caf\xe9");
        {
            QSettings system(QSettings::IniFormat, QSettings::SystemScope, fileStem);
            system.setValue("onlyInSystem", 1);
            AppSettings writer;
            writer.setValue("Group/key", 42);
            writer.sync();
            QCOMPARE(writer.status(), QSettings::NoError);
            QCOMPARE(QFileInfo(writer.fileName()).fileName(), fileStem + ".ini");
            QCOMPARE(writer.format(), QSettings::IniFormat);
        }
        AppSettings reader;
        QCOMPARE(reader.value("Group/key").toInt(), 42);
        QVERIFY(!reader.contains("onlyInSystem"));
        QVERIFY(earlier.fileName() != reader.fileName());
    }

    void derivation_data()
    {
        QTest::addColumn<QString>("argv0");      // %T is replaced by the temporary tree; "null": none
        QTest::addColumn<QString>("cwd");        // relative to the tree
        QTest::addColumn<QString>("pathEnv");    // %T is replaced by the tree
        QTest::addColumn<QString>("osAnswer");   // what the system says
        QTest::addColumn<QString>("expected");   // relative to the tree; empty: nothing found
        const QString os = QStringLiteral("/opt/os/said/this");
        QTest::newRow("system answer, null argv0") << "null" << "" << "" << os << os;
        QTest::newRow("system answer wins") << "%T/bin/tool" << "" << "" << os << os;
        QTest::newRow("absolute") << "%T/bin/tool" << "" << "" << "" << "bin/tool";
        QTest::newRow("absolute through a link") << "%T/link/tool" << "" << "" << "" << "bin/tool";
        QTest::newRow("absolute, missing") << "%T/bin/nothing" << "" << "" << "" << "";
        QTest::newRow("relative with slash") << "bin/tool" << "." << "" << "" << "bin/tool";
        QTest::newRow("dot slash") << "./tool" << "bin" << "" << "" << "bin/tool";
        QTest::newRow("PATH search") << "tool" << "." << "%T/dirs:%T/bin" << "" << "bin/tool";
        QTest::newRow("PATH skips empty entries") << "tool" << "bin" << "::%T/dirs" << "" << "";
        QTest::newRow("PATH relative entry") << "tool" << "." << "dirs:bin" << "" << "bin/tool";
        QTest::newRow("PATH only a directory") << "tool" << "." << "%T/dirs" << "" << "";
        QTest::newRow("empty argv0") << "" << "." << "%T/bin" << "" << "";
    }

    // The system is asked once per process; a found path sticks whatever later callers
    // pass, and a failed search is tried again with the next caller's argv0.
    void derivation()
    {
        QFETCH(QString, argv0);
        QFETCH(QString, cwd);
        QFETCH(QString, pathEnv);
        QFETCH(QString, osAnswer);
        QFETCH(QString, expected);
        const QDir tree(QFileInfo(m_tree.path()).canonicalFilePath());
        argv0.replace("%T", tree.path());
        pathEnv.replace("%T", tree.path());
        if (!cwd.isEmpty())
            QVERIFY(QDir::setCurrent(tree.filePath(cwd)));
        const QByteArray arg = QFile::encodeName(argv0);
        const QString tool = tree.filePath("bin/tool");
        detail::ApplicationPathCache cache;
        g_osCalls = 0;
        g_osAnswer = osAnswer;
        const QString got = detail::ApplicationFilePath(cache, &FakeOs, argv0 == "null" ? nullptr : arg.constData(),
                                                        pathEnv.toLocal8Bit());
        QCOMPARE(got, expected.isEmpty() ? QString() : tree.filePath(expected));
        const QString next = got.isEmpty() ? tool : got;
        QCOMPARE(detail::ApplicationFilePath(cache, &FakeOs, QFile::encodeName(tool).constData(), QByteArray()), next);
        QCOMPARE(detail::ApplicationFilePath(cache, &FakeOs, "unknown-tool", QByteArray("/nowhere")), next);
        QCOMPARE(g_osCalls, 1);
        // The real process asks the real system.
        QCOMPARE(ApplicationDirPath(nullptr), QFileInfo(QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath()).path());
    }


private:
    QTemporaryDir m_userDir;
    QTemporaryDir m_systemDir;
    QTemporaryDir m_tree;
    QString m_oldCwd;
};

QTEST_MAIN(tst_AppSettings)
#include "tst_appsettings.moc"
