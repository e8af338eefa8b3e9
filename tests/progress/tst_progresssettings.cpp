#include <progress/DialogProgressManager.h>
#include <progress/ProgressDialog.h>
#include <progress/ProgressTask.h>
#include <windowing/AppSettings.h>

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Quill::UI;

// restoreState() works once per process, so the round trip has a process of its own.
class TestProgressSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        AppSettings::SetName("QuillProgressSettingsTest");
    }

    void roundTrip()
    {
        const QRect saved(120, 90, 500, 210);
        {
            DialogProgressManager manager;
            QWidget* dialog = manager.progressWidget();
            dialog->resize(saved.size());
            dialog->move(saved.topLeft());
            manager.saveState();
        }
        {
            AppSettings settings;
            QCOMPARE(settings.value(QStringLiteral("Progress/WindowLocations/Progress")).toRect(), saved);
            QVERIFY(settings.fileName().startsWith(m_dir.path()));
        }

        DialogProgressManager manager;
        QWidget* dialog = manager.progressWidget();
        QVERIFY(dialog->size() != saved.size());
        QVERIFY(manager.restoreState());
        QCOMPARE(dialog->size(), saved.size());
        QCOMPARE(dialog->pos(), saved.topLeft());
        QVERIFY(!dialog->testAttribute(Qt::WA_Moved));
        QVERIFY(!manager.restoreState());   // once per process
        dialog->hide();

        // The dialog remembers where it was when it hides itself.
        dialog->move(150, 100);
        {
            ProgressTask task(QStringLiteral("t"), 10, 0);
            qobject_cast<ProgressDialog*>(dialog)->wake();
            QVERIFY(dialog->isVisible());
            dialog->move(160, 110);
        }
        qobject_cast<ProgressDialog*>(dialog)->wake();
        QVERIFY(!dialog->isVisible());
        AppSettings settings;
        QCOMPARE(settings.value(QStringLiteral("Progress/WindowLocations/Progress")).toRect().topLeft(),
                 QPoint(160, 110));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestProgressSettings)
#include "tst_progresssettings.moc"
