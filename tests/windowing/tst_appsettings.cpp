#include <windowing/AppSettings.h>
#include <windowing/ApplicationPath.h>
#include <windowing/ApplicationPath_p.h>

#include <QtTest>

using namespace Quill::UI;

namespace {

int g_osCalls = 0;
QString g_osAnswer;
QString FakeOs() { return ++g_osCalls, g_osAnswer; }

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
        // bin/tool an executable, link/tool a symbolic link to it, dirs/tool a directory.
        const QDir root(m_tree.path());
        QVERIFY(root.mkpath("bin") && root.mkpath("link") && root.mkpath("dirs/tool"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), root.filePath("bin/tool")));
        QVERIFY(QFile::link(root.filePath("bin/tool"), root.filePath("link/tool")));
    }

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
        // argv0 ("null": none) and PATH with %T for the tree, run from the tree's bin;
        // what the system says; what is found, relative to the tree (empty: nothing).
        QTest::addColumn<QStringList>("row");
        const QString os = QStringLiteral("/opt/os/said/this");
        QTest::newRow("system answer, null argv0") << QStringList{"null", "", os, os};
        QTest::newRow("system answer wins") << QStringList{"%T/bin/tool", "", os, os};
        QTest::newRow("absolute") << QStringList{"%T/bin/tool", "", "", "bin/tool"};
        QTest::newRow("absolute through a link") << QStringList{"%T/link/tool", "", "", "bin/tool"};
        QTest::newRow("absolute, missing") << QStringList{"%T/bin/nothing", "", "", ""};
        QTest::newRow("relative with slash") << QStringList{"../bin/tool", "", "", "bin/tool"};
        QTest::newRow("dot slash") << QStringList{"./tool", "", "", "bin/tool"};
        QTest::newRow("PATH search") << QStringList{"tool", "%T/dirs:%T/bin", "", "bin/tool"};
        QTest::newRow("PATH skips empty entries") << QStringList{"tool", "::%T/dirs", "", ""};
        QTest::newRow("PATH relative entry") << QStringList{"tool", "../dirs:../bin", "", "bin/tool"};
        QTest::newRow("PATH only a directory") << QStringList{"tool", "%T/dirs", "", ""};
        QTest::newRow("empty argv0") << QStringList{"", "%T/bin", "", ""};
    }

    // The system is asked once per process; a found path sticks whatever later callers
    // pass, and a failed search is tried again with the next caller's argv0.
    void derivation()
    {
        QFETCH(QStringList, row);
        const QDir tree(QFileInfo(m_tree.path()).canonicalFilePath());
        QVERIFY(QDir::setCurrent(tree.filePath("bin")));
        const QByteArray arg = QFile::encodeName(QString(row[0]).replace("%T", tree.path()));
        const QString tool = tree.filePath("bin/tool");
        detail::ApplicationPathCache cache;
        g_osCalls = 0;
        g_osAnswer = row[2];
        const QString got = detail::ApplicationFilePath(cache, &FakeOs, row[0] == "null" ? nullptr : arg.constData(),
                                                        QString(row[1]).replace("%T", tree.path()).toLocal8Bit());
        QCOMPARE(got, row[3].isEmpty() ? QString() : tree.filePath(row[3]));
        const QString next = got.isEmpty() ? tool : got;
        QCOMPARE(detail::ApplicationFilePath(cache, &FakeOs, QFile::encodeName(tool).constData(), QByteArray()), next);
        QCOMPARE(detail::ApplicationFilePath(cache, &FakeOs, "unknown-tool", QByteArray("/nowhere")), next);
        QCOMPARE(g_osCalls, 1);
        // The real process asks the real system.
        QCOMPARE(ApplicationDirPath(nullptr), QFileInfo(QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath()).path());
    }

private:
    QTemporaryDir m_userDir, m_systemDir, m_tree;
};

QTEST_MAIN(tst_AppSettings)
#include "tst_appsettings.moc"
