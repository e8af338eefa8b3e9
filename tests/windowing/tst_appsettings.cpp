#include <windowing/AppSettings.h>
#include <windowing/ApplicationPath.h>
#include <windowing/ApplicationPath_p.h>

#include <QtTest>

using namespace Quill::UI;

static int g_osCalls = 0;
static QString g_osAnswer;
static QString FakeOs() { return ++g_osCalls, g_osAnswer; }

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
        QTest::addColumn<QString>("fields");   // the four fields, split at '|'
        QTest::newRow("system answer, null argv0") << "null||/os/said|/os/said"; QTest::newRow("system wins") << "%T/bin/tool||/os/said|/os/said";
        QTest::newRow("absolute") << "%T/bin/tool|||bin/tool"; QTest::newRow("through a link") << "%T/link/tool|||bin/tool";
        QTest::newRow("absolute, missing") << "%T/bin/nothing|||"; QTest::newRow("relative") << "../bin/tool|||bin/tool";
        QTest::newRow("dot slash") << "./tool|||bin/tool"; QTest::newRow("PATH search") << "tool|%T/dirs:%T/bin||bin/tool";
        QTest::newRow("PATH skips empty entries") << "tool|::%T/dirs||"; QTest::newRow("PATH only a directory") << "tool|%T/dirs||";
        QTest::newRow("PATH relative entry") << "tool|../dirs:../bin||bin/tool"; QTest::newRow("empty argv0") << "|%T/bin||";
    }

    // The system is asked once per process; a found path sticks whatever later callers
    // pass, and a failed search is tried again with the next caller's argv0.
    void derivation()
    {
        QFETCH(QString, fields);
        const QStringList row = fields.split('|');
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
