#include <progress/DialogProgressManager.h>
#include <progress/ProgressClock_p.h>
#include <progress/ProgressDialog.h>
#include <progress/ProgressRefreshStatistics_p.h>
#include <progress/ProgressRefresh_p.h>
#include <progress/ProgressTask.h>
#include <progress/ProgressText_p.h>
#include <progress/ProgressWidget.h>
#include <progress/ProgressWidgetLayout_p.h>
#include <windowing/AppSettings.h>

#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <thread>

using namespace Quill::UI;
using Action = ProgressRefresh::Action;
using State = ProgressRefresh::RecordState;
Q_DECLARE_METATYPE(Action)
using Input = ProgressWidgetLayout::Input;
Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(Input)

namespace {

std::atomic<qint64> g_now{1000000};
qint64 FakeNow() { return g_now.load(); }
void Advance(qint64 ms) { g_now.fetch_add(ms); }

// A task that records the hooks the dialog calls on it.
struct RecordingTask : ProgressTask {
    using ProgressTask::ProgressTask;
    std::atomic<int> cancelled{0}, paused{0}, resumed{0}, hides{0}, callbacks{0};
    bool hide = false;
    std::function<void()> onHide, onCancel;
    void taskCancelled() override { ++cancelled; if (onCancel) onCancel(); }
    void taskPaused() override { ++paused; }
    void taskResumed() override { ++resumed; }
    bool taskHide() override { ++hides; if (onHide) onHide(); return hide; }
    void doProgressCallback() override { ++callbacks; }
};

// A dialog manager and the lookups every dialog test needs.
struct Shown {
    DialogProgressManager manager;
    ProgressDialog* dialog() { return qobject_cast<ProgressDialog*>(manager.progressWidget()); }
    ProgressDialog* wake() { dialog()->wake(); return dialog(); }
    ProgressWidget* widget(const QString& title)
    {
        const QList<ProgressWidget*> all = dialog()->progressWidgets();
        const auto it = std::find_if(all.begin(), all.end(), [&](ProgressWidget* w) { return w->task() && w->task()->title() == title; });
        return it == all.end() ? nullptr : *it;
    }
    TaskPrivate* record(const QString& title)
    {
        QMutexLocker locker(manager.lock());
        const auto it = std::find_if(manager.tasks().begin(), manager.tasks().end(), [&](TaskPrivate* r) { return r->title() == title; });
        return it == manager.tasks().end() ? nullptr : *it;
    }
};

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
        AppSettings::SetName("QuillProgressTest");
        ProgressClock::SetSource(&FakeNow);
    }

    // First: restoreState() works once per process, and every dialog that shows calls it.
    void settingsRoundTrip()
    {
        const QRect saved(120, 90, 500, 210);
        auto first = std::make_unique<Shown>();
        first->dialog()->resize(saved.size());
        first->dialog()->move(saved.topLeft());
        first->manager.saveState();
        first.reset();
        Shown s;
        QVERIFY(s.dialog()->size() != saved.size() && s.manager.restoreState() && QRect(s.dialog()->pos(), s.dialog()->size()) == saved);
        QVERIFY(!s.dialog()->testAttribute(Qt::WA_Moved) && !s.manager.restoreState());
        auto task = std::make_unique<ProgressTask>(QStringLiteral("t"), 10, 0);
        s.wake()->move(160, 110);
        task.reset();   // the dialog remembers where it was when it hides itself
        QVERIFY(!s.wake()->isVisible());
        QCOMPARE(AppSettings().value(QStringLiteral("Progress/WindowLocations/Progress")).toRect().topLeft(), QPoint(160, 110));
    }

    void timeToGoText_data()
    {
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not started") << -1 << 100 << qint64(5000) << "Time to go: Awaiting Task";
        QTest::newRow("whole seconds, rounded") << 3 << 4 << qint64(5999) << "Time to go: 2 seconds.";
        QTest::newRow("1 s") << 50 << 100 << qint64(1000) << "Time to go: 1 seconds.";
        QTest::newRow("180 s") << 50 << 100 << qint64(180000) << "Time to go: 3 minutes.";
        QTest::newRow("61 min") << 50 << 100 << qint64(3660000) << "Time to go: 1 hour 1 minute.";
        QTest::newRow("2 h 2 min") << 50 << 100 << qint64(7320000) << "Time to go: 2 hours 2 minutes.";
        QTest::newRow("past maximum") << 150 << 100 << qint64(10000) << "Time to go: ?";
        QTest::newRow("saturates") << 1 << INT_MAX << qint64(1000000000) << "Time to go: 596523 hours 14 minutes.";
    }
    void timeToGoText()
    {
        QFETCH(int, progress);
        QFETCH(int, maximum);
        QFETCH(qint64, elapsedMs);
        QTEST(ProgressText::TimeToGo(progress, maximum, elapsedMs, false, false), "expected");
    }

    void refreshActions_data()
    {
        QTest::addColumn<State>("state");   // flags, finished, has widget, has owner, age
        QTest::addColumn<Action>("expected");
        const int keep = ProgressTask::kKeepWhenFinished, delayed = ProgressTask::kDelayedPopup;
        QTest::newRow("new") << State{0, false, false, true, 0} << Action::Create;
        QTest::newRow("shown") << State{keep, false, true, false, 0} << Action::Refresh;
        QTest::newRow("delayed, 2000 ms") << State{delayed, false, false, true, 2000} << Action::Wait;
        QTest::newRow("finished, shown") << State{0, true, true, false, 0} << Action::RemoveWidget;
        QTest::newRow("kept, owner") << State{keep, true, true, true, 0} << Action::Detach;
        QTest::newRow("kept, no owner") << State{keep, true, true, false, 0} << Action::DetachAndDrop;
        QTest::newRow("cleared, owner") << State{keep, true, false, true, 0} << Action::Keep;
        QTest::newRow("cleared, no owner") << State{keep, true, false, false, 0} << Action::Drop;
    }
    void refreshActions()
    {
        QFETCH(State, state);
        QTEST(ProgressRefresh::ActionFor(state), "expected");
    }

    void widgetGeometry_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<QList<QRect>>("expected");   // Cancel, Pause, bar, text
        // Widget 400 x 80, bar 120 x 24, buttons 80 x 30 (Cancel) and 90 x 30 (Pause).
        const QSize widget(400, 80), bar(120, 24), cancel(80, 30), pause(90, 30);
        QTest::newRow("Pause under Cancel, bar left of the wider") << Input{widget, cancel, pause, bar, false}
            << QList<QRect>{{315, 6, 80, 30}, {305, 41, 90, 30}, {170, 6, 120, 24}, {8, 6, 174, 67}};
        QTest::newRow("child: only the left edge moves") << Input{widget, cancel, {}, bar, true}
            << QList<QRect>{{315, 6, 80, 30}, {}, {180, 6, 120, 24}, {32, 6, 150, 67}};
    }
    void widgetGeometry()
    {
        QFETCH(Input, input);
        const ProgressWidgetLayout::Geometry g = ProgressWidgetLayout::Compute(input);
        QTEST((QList<QRect>{g.cancel, g.pause, g.bar, g.text}), "expected");
    }

    void tasksAndManager()
    {
        auto manager = std::make_unique<ProgressManager>();
        ProgressManager second;
        QSignalSpy wakes(manager.get(), SIGNAL(wake()));
        const int start = ProgressTask::kUserCanCancel | ProgressTask::kProgressCallback;
        auto task = std::make_unique<RecordingTask>(QStringLiteral("flags"), 100, start);
        const QExplicitlySharedDataPointer<TaskPrivate> record(manager->tasks().value(0));
        QVERIFY(ProgressManager::instance() == manager.get() && second.tasksCount() == 0 && record->progress() == -1);
        task->setFlag(ProgressTask::kModal, true);
        task->setFlag(ProgressTask::kModal, false);
        task->setProgress(4);
        QVERIFY(record->flags() == start && task->callbacks == 1);
        task->setErrorState(QStringLiteral("x"));
        QVERIFY(record->flags() == (start | 0x88008) && record->message() == QStringLiteral("x") && record->hasError());
        QCOMPARE(wakes.count(), 5);   // one per call, construction included
        task.reset();   // kKeepWhenFinished: stays listed, unfinished, ownerless
        QVERIFY(manager->tasksCount() == 1 && !record->isFinished() && !record->owner());
        manager.reset();
        QVERIFY(!ProgressManager::instance() && !record->manager());   // nothing dangles
    }

    void copiesAndLifetimes()
    {
        auto s = std::make_unique<Shown>();
        auto original = std::make_unique<ProgressTask>(QStringLiteral("shared"), 10, 0);
        ProgressTask copy(*original), second(copy), a(QStringLiteral("a"), 1, 0), b(QStringLiteral("b"), 1, 0);
        original.reset();   // the first copy gone ends the task and the dialog drops the record,
        a = b;              // as assigning over a task ends the task it held
        s->wake();
        QVERIFY(!s->record(QStringLiteral("shared")) && !s->record(QStringLiteral("a")) && s->record(QStringLiteral("b")));
        std::thread writer([&second]() {   // while the other copies, on two threads, write on
            for (int i = 0; i < 2000; ++i)
                second.setMessage(QString::number(i));
        });
        for (int i = 0; i < 2000; ++i)
            copy.setMessage(QString::number(i));
        writer.join();
        s.reset();   // tasks outlive their manager, listed nowhere
        a.setProgress(4);
        QVERIFY(a.tasksCount() == 0 && a.progress() == 4);
    }

    void statusLineAndPainting()
    {
        Shown s;
        auto task = std::make_unique<ProgressTask>(QStringLiteral("ttg"), 100, ProgressTask::kShowTimeToGo);
        s.wake();
        QPointer<ProgressWidget> widget = s.widget(QStringLiteral("ttg"));
        task->setProgress(50);
        Advance(100000);
        QVERIFY(s.wake() && widget->statusText() == QStringLiteral("Time to go: 1 minute 40 seconds."));
        task->setMaximum(0);   // unknown length: the bar shows activity
        QVERIFY(s.wake() && widget->progressBar()->maximum() == 0);
        task->setMaximum(40);   // past the maximum: the bar clamps instead of ignoring it
        QVERIFY(s.wake() && widget->progressBar()->value() == 40);
        // How high above a baseline the first dark pixel lies: the title on its
        // baseline, the status line one line height plus one line spacing (small
        // font) below it; once the task has gone, only the status line.
        const QRect area = ProgressWidgetLayout::Compute({widget->size(), {}, {}, widget->progressBar()->size()}).text;
        QFont title = widget->font(), small = widget->font();
        title.setPixelSize(12);
        small.setPixelSize(10);
        const QFontMetrics metrics(small);
        const int third = area.left() + area.width() / 3, baseline = area.top() + QFontMetrics(title).ascent();
        const int status = ProgressWidgetLayout::StatusBaseline(baseline, metrics.height(), metrics.lineSpacing());
        const auto inkAbove = [&](int base, int x0, int x1) {
            const QImage image = widget->grab().toImage();
            for (int y = base - metrics.capHeight() - 2; y <= base; ++y)
                for (int x = x0; x < x1; ++x)
                    if (qGray(image.pixel(x, y)) < 100)
                        return base - y;
            return -1;
        };
        QVERIFY(qAbs(inkAbove(status, third, area.right()) - metrics.capHeight()) <= 2 && inkAbove(baseline, area.left(), third) > 0);
        { ProgressTask ender(*task); }   // a copy ends the task...
        task->setFlag(ProgressTask::kKeepWhenFinished, true);   // ...which its owner keeps
        s.wake();
        QVERIFY(widget->statusText() == QStringLiteral("Completed.") && widget->cancelButton()->text() == QStringLiteral("Hide"));
        QVERIFY(inkAbove(baseline, area.left(), third) == -1 && inkAbove(status, third, area.right()) > 0);
        QTest::mouseClick(widget->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(!widget);
    }

    void dialogFlags_data()
    {
        QTest::addColumn<QList<int>>("tasks");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("modal");
        const int modal = ProgressTask::kModal, disable = ProgressTask::kDisable;
        QTest::newRow("plain and modal") << QList<int>{0, modal} << true << true;
        QTest::newRow("only disabled") << QList<int>{disable} << false << false;
        QTest::newRow("disabled modal and plain") << QList<int>{disable | modal, 0} << true << false;
    }
    void dialogFlags()
    {
        QFETCH(QList<int>, tasks);
        Shown s;
        std::vector<std::unique_ptr<ProgressTask>> running;
        for (int flags : tasks)
            running.push_back(std::make_unique<ProgressTask>(QString::number(running.size()), 10, flags));
        s.wake();
        QTEST(s.dialog()->isVisible(), "visible");
        QTEST(s.dialog()->isModal(), "modal");
        if (s.dialog()->isVisible() && !s.dialog()->isModal()) {   // made modal while shown
            running.back()->setFlag(ProgressTask::kModal, true);
            QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(s.wake()));
            running.back()->setFlag(ProgressTask::kModal, false);
        }
        for (int i = 0; i < tasks.size(); ++i)
            QCOMPARE(s.widget(QString::number(i))->isEnabled(), !(tasks[i] & ProgressTask::kDisable));
        QVERIFY(!s.dialog()->isVisible() || s.dialog()->windowType() == Qt::Tool);
        for (auto& task : running)   // kDisable set later stops keeping the dialog open
            task->setFlag(ProgressTask::kDisable, true);
        QVERIFY(!s.wake()->isVisible() && !s.widget(QStringLiteral("0"))->isEnabled());
        running.clear();
        QVERIFY(!s.wake()->isModal() && !s.dialog()->testAttribute(Qt::WA_MacAlwaysShowToolWindow));
    }

    void buttonClicks()
    {
        Shown s;
        RecordingTask task(QStringLiteral("click"), 100, ProgressTask::kUserCanCancel | ProgressTask::kUserCanPause | ProgressTask::kShowTimeToGo);
        ProgressTask child(QStringLiteral("child"), 10, 0, &task);
        RecordingTask later(QStringLiteral("later"), 100, ProgressTask::kDelayedPopup);
        task.setProgress(1);
        s.wake();
        ProgressWidget* widget = s.widget(QStringLiteral("click"));
        QPushButton *cancel = widget->cancelButton(), *pause = widget->pauseButton();
        QVERIFY(cancel->text() == QStringLiteral("Cancel") && pause->text() == QStringLiteral("Pause")
                && cancel->geometry().right() == widget->width() - 6 && pause->y() == 6 + cancel->height() + 5);
        QTest::mouseClick(pause, Qt::LeftButton);
        QVERIFY(task.isPaused() && task.paused == 1 && pause->text() == QStringLiteral("Resume "));
        QTest::mouseClick(pause, Qt::LeftButton);
        QVERIFY(!task.isPaused() && task.resumed == 1 && pause->text() == QStringLiteral("Pause "));
        QTest::qWait(50);   // no refresh left pending: the click itself must ask for one
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(task.cancelled == 1 && task.isCancelled() && !cancel->isEnabled());
        QTRY_COMPARE(widget->statusText(), QStringLiteral("Cancelling"));
        QVERIFY(!cancel->isEnabled() && child.isCancelled());   // children follow their parent
        ProgressTask shown(QStringLiteral("shown"), 10, 0);   // closing cancels every shown task, only those
        QVERIFY(s.wake()->close() && task.cancelled == 2 && shown.isCancelled() && later.cancelled == 0 && !later.isCancelled());
        Advance(2001);   // with nothing else happening, the dialog looks again when the delayed task is due
        QTRY_VERIFY(s.widget(QStringLiteral("later")) && s.dialog()->isVisible());
    }

    void errorState_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("cancelFirst");
        QTest::addColumn<bool>("replaceDialog");
        QTest::newRow("cancelled, then error") << int(ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo) << true << false;
        QTest::newRow("no Cancel button") << 0 << false << false;
        QTest::newRow("dialog replaced after the error showed") << int(ProgressTask::kUserCanCancel) << false << true;
    }
    void errorState()
    {
        QFETCH(int, flags);
        QFETCH(bool, cancelFirst);
        QFETCH(bool, replaceDialog);
        Shown s;
        auto task = std::make_unique<ProgressTask>(QStringLiteral("err"), 10, flags);
        s.wake();
        if (cancelFirst)
            QTest::mouseClick(s.widget(QStringLiteral("err"))->cancelButton(), Qt::LeftButton);
        task->setErrorState(QStringLiteral("disk full"));
        s.wake();
        if (replaceDialog && s.manager.createProgressWidget(nullptr))
            s.wake();
        QPointer<ProgressWidget> widget = s.widget(QStringLiteral("err"));
        QVERIFY(widget->errorShown() && widget->message() == QStringLiteral("disk full") && widget->statusText().isEmpty());
        QPushButton* clear = widget->cancelButton();
        task.reset();   // the error stays after the task object is gone...
        s.wake();
        QVERIFY(clear->text() == QStringLiteral("Clear") && clear->isEnabled() && s.dialog()->isVisible() && s.manager.tasksCount() == 1);
        QTest::mouseClick(clear, Qt::LeftButton);   // ...until the user clears it
        QTRY_VERIFY(!widget);
        QVERIFY(!s.wake()->isVisible() && s.manager.tasksCount() == 0);
    }

    void hooks()
    {
        Shown s;
        RecordingTask hidden(QStringLiteral("hidden"), 10, ProgressTask::kUserCanCancel);
        ProgressTask other(QStringLiteral("other"), 10, 0);
        hidden.hide = true;
        hidden.setProgress(1);
        // Hooks and repaints run during a refresh: none may deadlock, and a hook
        // spinning the event loop loses no update.
        hidden.onHide = [&]() {
            if (other.progress() < 4)
                other.setProgress(other.progress() + 1);
            QCOMPARE(hidden.tasksCount(), 2);
            s.dialog()->repaint();
            for (int i = 0; i < 4; ++i)
                QTest::qWait(20);
        };
        QVERIFY(s.wake() && s.widget(QStringLiteral("hidden"))->isHidden());
        QTRY_COMPARE(s.widget(QStringLiteral("other"))->progressBar()->value(), 4);
        hidden.onHide = nullptr;
        hidden.onCancel = [&]() { s.manager.deleteProgressWidget(); };   // takes the dialog down under its widget
        QTest::mouseClick(s.widget(QStringLiteral("hidden"))->cancelButton(), Qt::LeftButton);
        QVERIFY(!s.manager.progressWidget() && !s.record(QStringLiteral("hidden"))->widget());
        hidden.onCancel = nullptr;
        struct EarlyTask : RecordingTask {   // a subclass still being constructed is asked nothing
            EarlyTask(Shown& s) : RecordingTask(QStringLiteral("early"), 10, 0) { s.manager.createProgressWidget(nullptr); s.wake()->close(); }
        } early(s);
        QVERIFY(early.hides == 0 && early.cancelled == 0 && early.isCancelled());
    }

    void replacingTheDialog()
    {
        QWidget host;
        auto s = std::make_unique<Shown>();
        QSignalSpy created(&s->manager, SIGNAL(windowCreated(QWidget*)));
        QPointer<ProgressDialog> first = s->dialog();
        QVERIFY(first->objectName() == QStringLiteral("Progress.1") && first->windowTitle() == QStringLiteral("Progress"));
        auto task = std::make_unique<ProgressTask>(QStringLiteral("moving"), 10, ProgressTask::kUserCanCancel);
        QVERIFY(s->wake() && s->manager.createProgressWidget(nullptr, QStringLiteral("Jobs"), QStringLiteral("jobs")));
        QVERIFY(created.count() == 1 && s->dialog()->windowTitle() == QStringLiteral("Jobs") && s->dialog()->objectName() == QStringLiteral("jobs"));
        QVERIFY(!s->record(QStringLiteral("moving"))->widget());   // let go of the old widget
        QTRY_VERIFY(!first && s->widget(QStringLiteral("moving")) && s->dialog()->isVisible());   // the unparented old one goes
        QVERIFY(s->manager.deleteProgressWidget() && !s->manager.deleteProgressWidget() && !s->record(QStringLiteral("moving"))->widget());
        // A replaced dialog the host keeps takes no task back and outlives the manager.
        QVERIFY(s->manager.createProgressWidget(&host));
        QPointer<ProgressDialog> old = s->wake();
        QVERIFY(s->manager.createProgressWidget(nullptr));
        ProgressTask later(QStringLiteral("after"), 10, 0);
        old->wake();
        QVERIFY(!s->record(QStringLiteral("after"))->widget() && s->wake() && s->widget(QStringLiteral("after")));
        task.reset();
        s.reset();
        QPointer<ProgressWidget> leftover = old->progressWidgets().value(0);
        QVERIFY(old->progressWidgets().size() == 1 && !leftover->task());
        leftover->clear();
        QTRY_VERIFY(!leftover);
    }

    // Worker threads create, update, copy and end tasks at random while the GUI
    // thread clicks Pause and Cancel and replaces the dialog. Each worker keeps a
    // model of its tasks: the dialog must end up showing each as its model says,
    // with no thread stuck, no record left and at most one refresh pending at a time.
    void randomThreadsAgainstModel()
    {
        const quint32 seed = quint32(qEnvironmentVariableIntValue("QUILL_PROGRESS_SEED")) + 17u;
        struct Model { std::unique_ptr<ProgressTask> task; QString title, message; int progress; bool error; };
        std::vector<std::vector<Model>> models(4);
        std::atomic<int> done{0}, release{0};
        Shown s;
        ProgressRefreshStatistics::Reset();
        std::vector<std::thread> threads;
        for (quint32 t = 0; t < models.size(); ++t)
            threads.emplace_back([&, t]() {
                QRandomGenerator random(seed + t);
                for (int step = 0; step < 400; ++step, std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(400)))) {
                    std::vector<Model>& mine = models[t];
                    const int pick = random.bounded(8), flags = random.bounded(128) & ~(ProgressTask::kModal | ProgressTask::kKeepWhenFinished);
                    Model* m = mine.empty() ? nullptr : &mine[random.bounded(quint32(mine.size()))];
                    if (!m || (pick == 0 && mine.size() < 6)) {
                        const QString title = QStringLiteral("%1-%2").arg(t).arg(step);
                        mine.push_back({std::make_unique<ProgressTask>(title, 100, flags), title, QString(), -1, false});
                    } else if (m->task && pick == 1) {
                        ProgressTask(*m->task).setProgress(m->progress = 100);   // a copy ends the task
                        m->task.reset();
                        if (!m->error)
                            mine.erase(mine.begin() + (m - mine.data()));
                    } else if (m->task && pick == 2) {
                        m->task->setErrorState(m->message = QStringLiteral("failed %1").arg(step));
                        m->error = true;
                    } else if (m->task && pick < 5) {
                        m->task->setMessage(m->message = QStringLiteral("step %1").arg(step));
                    } else if (m->task) {
                        m->task->setProgress(m->progress = random.bounded(101));
                    }
                }
                ++done;
                while (!release.load())
                    std::this_thread::yield();
                models[t].clear();
            });
        QRandomGenerator random(seed);
        for (QDeadlineTimer deadline(60000); done.load() < 4 && !deadline.hasExpired(); Advance(300)) {
            QCoreApplication::processEvents();
            const int pick = random.bounded(20);
            ProgressWidget* w = s.dialog()->progressWidgets().value(random.bounded(s.dialog()->progressWidgets().size() + 1));
            if (QPushButton* button = !w || w->errorShown() || pick > 1 ? nullptr : pick ? w->cancelButton() : w->pauseButton())
                QTest::mouseClick(button, Qt::LeftButton);
            if (pick == 2)
                s.manager.createProgressWidget(nullptr);
        }
        QVERIFY2(done.load() == 4, "a worker thread is stuck");
        Advance(3000);
        QTRY_VERIFY(std::all_of(models.begin(), models.end(), [&](const std::vector<Model>& mine) {
            s.wake();
            return std::all_of(mine.begin(), mine.end(), [&](const Model& m) {
                ProgressWidget* w = s.widget(m.title);
                return w && w->message() == m.message && w->errorShown() == m.error
                    && w->progressBar()->value() == qMax(0, m.progress)
                    && w->isEnabled() != w->task()->hasFlag(ProgressTask::kDisable);
            });
        }));
        release = 1;
        for (std::thread& thread : threads)
            thread.join();
        for (ProgressWidget* w : s.wake()->progressWidgets())   // only errors stay, until cleared
            QVERIFY(w->errorShown() && (w->clear(), true));     // (a disabled task's Clear cannot be clicked)
        QTRY_COMPARE((s.wake(), s.manager.tasksCount()), 0);
        const ProgressRefreshStatistics::Counts counts = ProgressRefreshStatistics::Read();
        QVERIFY(counts.refreshes > 0 && counts.posted <= counts.refreshes + 1);
    }
};

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
