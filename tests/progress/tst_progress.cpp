#include <progress/DialogProgressManager.h>
#include <progress/ProgressClock.h>
#include <progress/ProgressDialog.h>
#include <progress/ProgressManager.h>
#include <progress/ProgressRefresh.h>
#include <progress/ProgressTask.h>
#include <progress/ProgressText.h>
#include <progress/ProgressWidget.h>
#include <progress/ProgressWidgetLayout.h>
#include <progress/TaskPrivate.h>
#include <windowing/AppSettings.h>

#include <progress/ProgressLocker.h>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <climits>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace Quill::UI;
using Action = ProgressRefresh::Action;
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(const QMetaObject*)

namespace {

std::atomic<qint64> g_now{1000000};
qint64 fakeNow() { return g_now.load(); }
void advance(qint64 ms) { g_now.fetch_add(ms); }

// A task that records the hooks the dialog calls on it.
class RecordingTask : public ProgressTask
{
public:
    using ProgressTask::ProgressTask;
    std::atomic<int> cancelledCalls{0};
    int pausedCalls = 0;
    int resumedCalls = 0;
    int callbacks = 0;
    int wakesAtCallback = -1;
    std::atomic<int>* wakeCounter = nullptr;
    bool hide = false;
    std::function<void()> onHide;
    std::function<void()> onCancel;

    void taskCancelled() override
    {
        ++cancelledCalls;
        if (onCancel)
            onCancel();
    }
    void taskPaused() override { ++pausedCalls; }
    void taskResumed() override { ++resumedCalls; }
    bool taskHide() override
    {
        if (onHide)
            onHide();
        return hide;
    }
    void doProgressCallback() override
    {
        ++callbacks;
        if (wakeCounter)
            wakesAtCallback = wakeCounter->load();
    }
};

ProgressDialog* dialogOf(ProgressManager& manager)
{
    return qobject_cast<ProgressDialog*>(manager.progressWidget());
}

ProgressWidget* widgetFor(ProgressDialog* dialog, const QString& title)
{
    for (ProgressWidget* widget : dialog->progressWidgets()) {
        if (widget->task() && widget->task()->title == title)
            return widget;
    }
    return nullptr;
}

TaskPrivate* recordFor(ProgressManager& manager, const QString& title)
{
    ProgressLocker locker(manager.lock());
    for (TaskPrivate* record : manager.tasks()) {
        if (record->title == title)
            return record;
    }
    return nullptr;
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void timeToGoText_data();
    void timeToGoText();
    void refreshActions_data();
    void refreshActions();
    void cancelButtonRule_data();
    void cancelButtonRule();
    void widgetGeometry_data();
    void widgetGeometry();
    void metaObjects_data();
    void metaObjects();

    void taskWithoutManager();
    void managerInstance();
    void flagsAndErrorState();
    void progressCallbackAfterWake();
    void copiesShareOneRecord();
    void taskOutlivesManager();

    void delayedPopup_data();
    void delayedPopup();
    void timeToGoInDialog();
    void dialogFlags_data();
    void dialogFlags();
    void buttonClicks();
    void errorState_data();
    void errorState();
    void hideButtonOnKeptRecord();
    void childTasks();
    void taskHideHook();
    void closingCancelsShownTasks();
    void hooksMayUseTasksDuringRefresh();
    void replacingAndDeletingTheDialog();
    void hostOwnedDialogs();

    void manyThreads();
    void floodIsCoalesced();

private:
    QTemporaryDir m_settingsDir;
};

void TestProgress::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_settingsDir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    AppSettings::SetName("QuillProgressTest");
    ProgressClock::setSource(&fakeNow);
}

void TestProgress::cleanupTestCase()
{
    ProgressClock::setSource(nullptr);
}

void TestProgress::init()
{
    QVERIFY(!ProgressManager::instance());
}

// --- pure functions -------------------------------------------------------------

void TestProgress::timeToGoText_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("expected");

    QTest::newRow("not started") << -1 << 100 << qint64(5000) << false << false << "Time to go: Awaiting Task";
    QTest::newRow("zero") << 0 << 100 << qint64(5000) << false << false << "Time to go: Calculating";
    QTest::newRow("10 s") << 50 << 100 << qint64(10000) << false << false << "Time to go: 10 seconds.";
    QTest::newRow("whole seconds only") << 50 << 100 << qint64(10999) << false << false << "Time to go: 10 seconds.";
    QTest::newRow("100 s") << 50 << 100 << qint64(100000) << false << false << "Time to go: 1 minute 40 seconds.";
    QTest::newRow("1800 s") << 50 << 100 << qint64(1800000) << false << false << "Time to go: 30 minutes.";
    QTest::newRow("3660 s") << 50 << 100 << qint64(3660000) << false << false << "Time to go: 1 hour 1 minute.";
    QTest::newRow("59 s") << 50 << 100 << qint64(59000) << false << false << "Time to go: 59 seconds.";
    QTest::newRow("60 s") << 50 << 100 << qint64(60000) << false << false << "Time to go: 1 minute 0 seconds.";
    QTest::newRow("179 s") << 50 << 100 << qint64(179000) << false << false << "Time to go: 2 minutes 59 seconds.";
    QTest::newRow("180 s") << 50 << 100 << qint64(180000) << false << false << "Time to go: 3 minutes.";
    QTest::newRow("60 min") << 50 << 100 << qint64(3600000) << false << false << "Time to go: 1 hour 0 minutes.";
    QTest::newRow("2 h 2 min") << 50 << 100 << qint64(7320000) << false << false << "Time to go: 2 hours 2 minutes.";
    QTest::newRow("rounded") << 3 << 4 << qint64(5000) << false << false << "Time to go: 2 seconds.";
    QTest::newRow("done") << 100 << 100 << qint64(5000) << false << false << "Time to go: 0 seconds.";
    QTest::newRow("past maximum") << 150 << 100 << qint64(10000) << false << false << "Time to go: ?";
    QTest::newRow("huge estimate saturates") << 1 << INT_MAX << qint64(1000000000) << false << false
                                             << "Time to go: 596523 hours 14 minutes.";
    QTest::newRow("negative maximum") << 1 << INT_MIN << qint64(10000) << false << false << "Time to go: ?";
    QTest::newRow("cancelled") << 50 << 100 << qint64(10000) << true << false << "Cancelling";
    QTest::newRow("error") << 50 << 100 << qint64(10000) << true << true << "";
}

void TestProgress::timeToGoText()
{
    QFETCH(int, progress);
    QFETCH(int, maximum);
    QFETCH(qint64, elapsedMs);
    QFETCH(bool, cancelled);
    QFETCH(bool, error);
    QFETCH(QString, expected);
    QCOMPARE(ProgressText::timeToGo(progress, maximum, elapsedMs, cancelled, error), expected);
}

void TestProgress::refreshActions_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<bool>("hasWidget");
    QTest::addColumn<bool>("hasOwner");
    QTest::addColumn<qint64>("age");
    QTest::addColumn<Action>("expected");

    const int keep = ProgressTask::kKeepWhenFinished;
    const int delayed = ProgressTask::kDelayedPopup;
    QTest::newRow("new task") << 0 << false << false << true << qint64(0) << Action::Create;
    QTest::newRow("shown task") << 0 << false << true << true << qint64(0) << Action::Refresh;
    QTest::newRow("delayed, 2000 ms") << delayed << false << false << true << qint64(2000) << Action::Wait;
    QTest::newRow("delayed, 2001 ms") << delayed << false << false << true << qint64(2001) << Action::Create;
    QTest::newRow("finished with widget") << 0 << true << true << false << qint64(0) << Action::RemoveWidget;
    QTest::newRow("finished unseen") << delayed << true << false << false << qint64(10) << Action::Drop;
    QTest::newRow("kept, widget, owner") << keep << true << true << true << qint64(0) << Action::Detach;
    QTest::newRow("kept, widget, no owner") << keep << true << true << false << qint64(0) << Action::DetachAndDrop;
    QTest::newRow("cleared, owner lives") << keep << true << false << true << qint64(0) << Action::Keep;
    QTest::newRow("cleared, owner gone") << keep << true << false << false << qint64(0) << Action::Drop;
    QTest::newRow("kept, running") << keep << false << true << false << qint64(0) << Action::Refresh;
}

void TestProgress::refreshActions()
{
    QFETCH(int, flags);
    QFETCH(bool, finished);
    QFETCH(bool, hasWidget);
    QFETCH(bool, hasOwner);
    QFETCH(qint64, age);
    QFETCH(Action, expected);
    ProgressRefresh::RecordState state;
    state.flags = flags;
    state.finished = finished;
    state.hasWidget = hasWidget;
    state.hasOwner = hasOwner;
    state.startMs = 5000;
    QCOMPARE(ProgressRefresh::actionFor(state, 5000 + age), expected);
}

void TestProgress::cancelButtonRule_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<bool>("errorShown");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("cancellable") << int(ProgressTask::kUserCanCancel) << false << false << true;
    QTest::newRow("cancelled") << int(ProgressTask::kUserCanCancel) << true << false << false;
    QTest::newRow("flag removed") << 0 << false << false << false;
    QTest::newRow("error after cancel: Clear usable") << int(ProgressTask::kUserCanCancel) << true << true << true;
    QTest::newRow("error without cancel flag") << 0 << false << true << true;
}

void TestProgress::cancelButtonRule()
{
    QFETCH(int, flags);
    QFETCH(bool, cancelled);
    QFETCH(bool, errorShown);
    QFETCH(bool, enabled);
    QCOMPARE(ProgressRefresh::cancelButtonEnabled(flags, cancelled, errorShown), enabled);
}

void TestProgress::widgetGeometry_data()
{
    QTest::addColumn<QSize>("cancel");
    QTest::addColumn<QSize>("pause");
    QTest::addColumn<bool>("child");
    QTest::addColumn<QRect>("cancelRect");
    QTest::addColumn<QRect>("pauseRect");
    QTest::addColumn<QRect>("bar");
    QTest::addColumn<QRect>("text");
    // Widget 400 x 80, bar 120 x 24, buttons 80 x 30 (Cancel) and 90 x 30 (Pause).
    const QSize cancel(80, 30), pause(90, 30), none;
    QTest::newRow("no buttons") << none << none << false << QRect() << QRect()
                                << QRect(185, 6, 120, 24) << QRect(8, 6, 179, 67);
    QTest::newRow("Cancel") << cancel << none << false << QRect(315, 6, 80, 30) << QRect()
                            << QRect(180, 6, 120, 24) << QRect(8, 6, 174, 67);
    QTest::newRow("Pause alone sits at the top") << none << pause << false << QRect() << QRect(305, 6, 90, 30)
                                                 << QRect(170, 6, 120, 24) << QRect(8, 6, 164, 67);
    QTest::newRow("both: Pause under Cancel, bar left of the wider")
        << cancel << pause << false << QRect(315, 6, 80, 30) << QRect(305, 41, 90, 30)
        << QRect(170, 6, 120, 24) << QRect(8, 6, 174, 67);
    QTest::newRow("child: only the left edge moves") << cancel << none << true << QRect(315, 6, 80, 30) << QRect()
                                                     << QRect(180, 6, 120, 24) << QRect(32, 6, 150, 67);
}

void TestProgress::widgetGeometry()
{
    QFETCH(QSize, cancel);
    QFETCH(QSize, pause);
    QFETCH(bool, child);
    ProgressWidgetLayout::Input input;
    input.widget = QSize(400, 80);
    input.cancel = cancel;
    input.pause = pause;
    input.bar = QSize(120, 24);
    input.child = child;
    const ProgressWidgetLayout::Geometry g = ProgressWidgetLayout::compute(input);
    QTEST(g.cancel, "cancelRect");
    QTEST(g.pause, "pauseRect");
    QTEST(g.bar, "bar");
    QTEST(g.text, "text");
}

// Hosts connect to these by their string signatures: names, order and kinds are
// part of the interface.
void TestProgress::metaObjects_data()
{
    QTest::addColumn<const QMetaObject*>("meta");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("methods");
    QTest::newRow("manager") << &ProgressManager::staticMetaObject << "Quill::UI::ProgressManager"
                             << QStringList{"signal wake()", "signal windowCreated(QWidget*)",
                                            "signal progressDialogVisibilityChanged(bool)"};
    QTest::newRow("dialog manager") << &DialogProgressManager::staticMetaObject
                                    << "Quill::UI::DialogProgressManager" << QStringList();
    QTest::newRow("dialog") << &ProgressDialog::staticMetaObject << "Quill::UI::ProgressDialog"
                            << QStringList{"signal closing()", "signal visibilityChanged(bool)", "slot wake()"};
    QTest::newRow("widget") << &ProgressWidget::staticMetaObject << "Quill::UI::ProgressWidget"
                            << QStringList{"slot togglePause()", "slot cancel()", "slot clear()"};
}

void TestProgress::metaObjects()
{
    QFETCH(const QMetaObject*, meta);
    QStringList methods;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const char* kind = method.methodType() == QMetaMethod::Signal ? "signal "
            : method.methodType() == QMetaMethod::Slot                ? "slot "
                                                                       : "method ";
        methods << QLatin1String(kind) + QString::fromLatin1(method.methodSignature());
    }
    QTEST(QString::fromLatin1(meta->className()), "className");
    QTEST(methods, "methods");
    QCOMPARE(meta->propertyCount(), meta->propertyOffset());
}

// --- tasks and the manager -----------------------------------------------------

void TestProgress::taskWithoutManager()
{
    ProgressTask task(QStringLiteral("alone"), 10, ProgressTask::kUserCanCancel);
    task.setProgress(3);
    task.setMessage(QStringLiteral("m"));
    task.setErrorState(QStringLiteral("e"));
    task.setFlag(ProgressTask::kModal, true);
    task.setCancelled(true);
    QCOMPARE(task.progress(), 3);
    QVERIFY(task.isCancelled());
    QCOMPARE(task.tasksCount(), 0);
}

void TestProgress::managerInstance()
{
    auto first = std::make_unique<ProgressManager>();
    {
        ProgressManager second;
        QCOMPARE(ProgressManager::instance(), first.get());
        ProgressTask task(QStringLiteral("t"), 1, 0);
        QCOMPARE(task.tasksCount(), 1);
        QCOMPARE(second.tasksCount(), 0);
    }
    QCOMPARE(ProgressManager::instance(), first.get());
    first.reset();
    QVERIFY(!ProgressManager::instance());   // never a dangling instance
    ProgressManager next;
    QCOMPARE(ProgressManager::instance(), &next);
}

void TestProgress::flagsAndErrorState()
{
    ProgressManager manager;
    QSignalSpy wakes(&manager, SIGNAL(wake()));
    const int start = ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo;
    auto task = std::make_unique<ProgressTask>(QStringLiteral("flags"), 100, start);
    TaskPrivate* record = recordFor(manager, QStringLiteral("flags"));
    QVERIFY(record);
    QCOMPARE(record->progress.load(), -1);
    QCOMPARE(wakes.count(), 1);

    task->setFlag(ProgressTask::kModal, true);
    QCOMPARE(record->flags.load(), start | ProgressTask::kModal);
    task->setFlag(ProgressTask::kModal, false);
    QCOMPARE(record->flags.load(), start);

    task->setErrorState(QStringLiteral("x"));
    QCOMPARE(record->flags.load() & 0x88008, 0x88008);
    QCOMPARE(record->message, QStringLiteral("x"));
    QVERIFY(record->error.load());
    QCOMPARE(wakes.count(), 4);

    record->retain();
    task.reset();   // kKeepWhenFinished: stays listed, unfinished, ownerless
    QCOMPARE(manager.tasksCount(), 1);
    QVERIFY(!record->finished.load());
    QVERIFY(!record->owner.load());
    TaskPrivate::release(record);
}

void TestProgress::progressCallbackAfterWake()
{
    ProgressManager manager;
    std::atomic<int> wakes{0};
    connect(&manager, &ProgressManager::wake, this, [&wakes]() { ++wakes; }, Qt::DirectConnection);
    RecordingTask task(QStringLiteral("cb"), 10, ProgressTask::kProgressCallback);
    task.wakeCounter = &wakes;
    const int before = wakes.load();
    task.setProgress(4);
    QCOMPARE(task.callbacks, 1);
    QCOMPARE(task.wakesAtCallback, before + 1);
    task.setFlag(ProgressTask::kProgressCallback, false);
    task.setProgress(5);
    QCOMPARE(task.callbacks, 1);
}

void TestProgress::copiesShareOneRecord()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    auto original = std::make_unique<ProgressTask>(QStringLiteral("shared"), 10, ProgressTask::kUserCanCancel);
    auto copy = std::make_unique<ProgressTask>(*original);
    dialog->wake();
    QVERIFY(widgetFor(dialog, QStringLiteral("shared")));
    copy->setProgress(7);
    QCOMPARE(original->progress(), 7);

    original.reset();           // the first copy gone ends the task
    dialog->wake();             // the dialog drops the record...
    QCOMPARE(manager.tasksCount(), 0);
    copy->setProgress(8);       // ...but the other copy still owns its share
    copy->setMessage(QStringLiteral("late"));
    QCOMPARE(copy->progress(), 8);
    copy.reset();
    dialog->wake();
    QCOMPARE(manager.tasksCount(), 0);

    // Assigning over a task ends the task it held.
    ProgressTask a(QStringLiteral("a"), 1, 0);
    ProgressTask b(QStringLiteral("b"), 1, 0);
    dialog->wake();
    a = b;
    dialog->wake();
    QVERIFY(!recordFor(manager, QStringLiteral("a")));
    QVERIFY(recordFor(manager, QStringLiteral("b")));
    a = a;
    QCOMPARE(manager.tasksCount(), 1);
}

void TestProgress::taskOutlivesManager()
{
    auto manager = std::make_unique<DialogProgressManager>();
    ProgressTask task(QStringLiteral("orphan"), 10, ProgressTask::kUserCanCancel);
    dialogOf(*manager)->wake();
    manager.reset();
    QVERIFY(!ProgressManager::instance());
    task.setProgress(4);
    task.setMessage(QStringLiteral("still fine"));
    QCOMPARE(task.tasksCount(), 0);
    QCOMPARE(task.progress(), 4);

    // A copy whose record the dialog already dropped outlives the manager too.
    auto second = std::make_unique<DialogProgressManager>();
    auto original = std::make_unique<ProgressTask>(QStringLiteral("first"), 10, 0);
    ProgressTask copy(*original);
    original.reset();
    dialogOf(*second)->wake();
    QCOMPARE(second->tasksCount(), 0);
    second.reset();
    copy.setProgress(5);
    copy.setErrorState(QStringLiteral("late"));
    QCOMPARE(copy.tasksCount(), 0);
}

// --- the dialog ----------------------------------------------------------------

void TestProgress::delayedPopup_data()
{
    QTest::addColumn<qint64>("endsAfter");
    QTest::addColumn<bool>("shown");
    QTest::newRow("ends within 2000 ms") << qint64(1990) << false;
    QTest::newRow("ends at 2000 ms") << qint64(2000) << false;
    QTest::newRow("still running at 2001 ms") << qint64(2001) << true;
}

void TestProgress::delayedPopup()
{
    QFETCH(qint64, endsAfter);
    QFETCH(bool, shown);
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    QSignalSpy visibility(dialog, SIGNAL(visibilityChanged(bool)));
    {
        ProgressTask task(QStringLiteral("quick"), 10, ProgressTask::kDelayedPopup);
        dialog->wake();
        // Nothing else may happen before the delay is over: the dialog looks
        // again by itself when the task is due.
        bool armed = false;
        for (QTimer* timer : dialog->findChildren<QTimer*>())
            armed = armed || (timer->isActive() && timer->remainingTime() > 1900 && timer->remainingTime() <= 2200);
        QVERIFY(armed);
        for (qint64 t = 0; t < endsAfter; t += 500) {
            dialog->wake();
            QVERIFY(!widgetFor(dialog, QStringLiteral("quick")));
            advance(qMin<qint64>(500, endsAfter - t));
        }
        dialog->wake();
        QCOMPARE(widgetFor(dialog, QStringLiteral("quick")) != nullptr, shown);
        QCOMPARE(dialog->isVisible(), shown);
    }
    dialog->wake();
    QCOMPARE(manager.tasksCount(), 0);
    QCOMPARE(visibility.count(), shown ? 2 : 0);
    QVERIFY(!dialog->isVisible());
}

void TestProgress::timeToGoInDialog()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    ProgressTask task(QStringLiteral("ttg"), 100, ProgressTask::kShowTimeToGo);
    dialog->wake();
    ProgressWidget* widget = widgetFor(dialog, QStringLiteral("ttg"));
    QVERIFY(widget);
    QCOMPARE(widget->statusText(), QStringLiteral("Time to go: Awaiting Task"));
    {
        // Painted one line height plus one line spacing (small font) below the
        // title's baseline, in the column the (empty) message leaves free.
        ProgressWidgetLayout::Input input;
        input.widget = widget->size();
        input.bar = widget->progressBar()->size();
        const QRect area = ProgressWidgetLayout::compute(input).text;
        QFont title = widget->font(), small = widget->font();
        title.setPixelSize(12);
        small.setPixelSize(10);
        const QFontMetrics smallMetrics(small);
        const int baseline = area.top() + QFontMetrics(title).ascent() + smallMetrics.height()
            + smallMetrics.lineSpacing();
        const QImage image = widget->grab().toImage();
        int top = -1;
        for (int y = 0; y < image.height() && top < 0; ++y) {
            for (int x = area.left() + area.width() / 3; x < area.right() && top < 0; ++x) {
                if (qGray(image.pixel(x, y)) < 100)
                    top = y;
            }
        }
        QVERIFY2(qAbs(top - (baseline - smallMetrics.capHeight())) <= 2,
                 qPrintable(QStringLiteral("text top %1, baseline %2").arg(top).arg(baseline)));
    }
    task.setProgress(0);
    dialog->wake();
    QCOMPARE(widget->statusText(), QStringLiteral("Time to go: Calculating"));
    QCOMPARE(widget->progressBar()->value(), 0);
    task.setProgress(50);
    advance(100000);
    dialog->wake();
    QCOMPARE(widget->statusText(), QStringLiteral("Time to go: 1 minute 40 seconds."));
    QCOMPARE(widget->progressBar()->value(), 50);
    task.setMaximum(200);
    task.setProgress(250);   // past the maximum: the bar clamps instead of ignoring it
    dialog->wake();
    QCOMPARE(widget->progressBar()->maximum(), 200);
    QCOMPARE(widget->progressBar()->value(), 200);
    QCOMPARE(widget->statusText(), QStringLiteral("Time to go: ?"));
}

void TestProgress::dialogFlags_data()
{
    QTest::addColumn<QList<int>>("tasks");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("modal");
    const int modal = ProgressTask::kModal;
    const int disable = ProgressTask::kDisable;
    QTest::newRow("plain") << QList<int>{0} << true << false;
    QTest::newRow("modal") << QList<int>{modal} << true << true;
    QTest::newRow("plain and modal") << QList<int>{0, modal} << true << true;
    QTest::newRow("only disabled") << QList<int>{disable} << false << false;
    QTest::newRow("disabled modal does not count") << QList<int>{disable | modal} << false << false;
    QTest::newRow("disabled modal and plain") << QList<int>{disable | modal, 0} << true << false;
    QTest::newRow("no task") << QList<int>{} << false << false;
}

void TestProgress::dialogFlags()
{
    QFETCH(QList<int>, tasks);
    QFETCH(bool, visible);
    QFETCH(bool, modal);
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    std::vector<std::unique_ptr<ProgressTask>> running;
    for (int flags : tasks)
        running.push_back(std::make_unique<ProgressTask>(QStringLiteral("t%1").arg(running.size()), 10,
                                                         flags | ProgressTask::kUserCanCancel | ProgressTask::kUserCanPause));
    dialog->wake();
    QCOMPARE(dialog->isVisible(), visible);
    QCOMPARE(dialog->isModal(), modal);
    int index = 0;
    for (int flags : tasks) {
        ProgressWidget* widget = widgetFor(dialog, QStringLiteral("t%1").arg(index++));
        QVERIFY(widget);
        QCOMPARE(widget->isEnabled(), !(flags & ProgressTask::kDisable));
        QVERIFY(widget->cancelButton());
        QVERIFY(widget->pauseButton());
    }
    if (visible)
        QCOMPARE(dialog->windowType(), Qt::Tool);

    // A modal task that goes makes the dialog modeless again; the last one hides it.
    running.clear();
    dialog->wake();
    QVERIFY(!dialog->isModal());
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->testAttribute(Qt::WA_MacAlwaysShowToolWindow));
    QCoreApplication::sendPostedEvents(dialog, 0);
    QVERIFY(dialog->progressWidgets().isEmpty());
}

void TestProgress::buttonClicks()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    RecordingTask task(QStringLiteral("click"), 100,
                       ProgressTask::kUserCanCancel | ProgressTask::kUserCanPause | ProgressTask::kShowTimeToGo);
    ProgressTask plain(QStringLiteral("plain"), 100, 0);
    dialog->wake();
    ProgressWidget* widget = widgetFor(dialog, QStringLiteral("click"));
    QVERIFY(widget);
    QVERIFY(!widgetFor(dialog, QStringLiteral("plain"))->cancelButton());
    QPushButton* cancel = widget->cancelButton();
    QPushButton* pause = widget->pauseButton();
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(pause->text(), QStringLiteral("Pause"));
    // The widget lays its buttons out as computed.
    QCOMPARE(cancel->geometry().right(), widget->width() - 6);
    QCOMPARE(pause->y(), 6 + cancel->height() + 5);

    QTest::mouseClick(pause, Qt::LeftButton);
    QVERIFY(task.isPaused());
    QCOMPARE(task.pausedCalls, 1);
    QCOMPARE(pause->text(), QStringLiteral("Resume "));
    QTest::mouseClick(pause, Qt::LeftButton);
    QVERIFY(!task.isPaused());
    QCOMPARE(task.resumedCalls, 1);
    QCOMPARE(pause->text(), QStringLiteral("Pause "));

    QTest::qWait(50);   // no refresh left pending: the click itself must ask for one
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(task.cancelledCalls.load(), 1);
    QVERIFY(task.isCancelled());
    QVERIFY(!cancel->isEnabled());
    QTRY_COMPARE(widget->statusText(), QStringLiteral("Cancelling"));
    QVERIFY(!cancel->isEnabled());
    QVERIFY(!plain.isCancelled());
}

void TestProgress::errorState_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("cancelFirst");
    QTest::newRow("cancellable") << int(ProgressTask::kUserCanCancel) << false;
    QTest::newRow("cancelled, then error") << int(ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo) << true;
    QTest::newRow("no Cancel button") << 0 << false;
}

void TestProgress::errorState()
{
    QFETCH(int, flags);
    QFETCH(bool, cancelFirst);
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    auto task = std::make_unique<ProgressTask>(QStringLiteral("err"), 10, flags);
    dialog->wake();
    QPointer<ProgressWidget> widget = widgetFor(dialog, QStringLiteral("err"));
    QVERIFY(widget);
    if (cancelFirst) {
        QTest::mouseClick(widget->cancelButton(), Qt::LeftButton);
        dialog->wake();
    }
    task->setErrorState(QStringLiteral("disk full"));
    dialog->wake();
    QVERIFY(widget->errorShown());
    QCOMPARE(widget->message(), QStringLiteral("disk full"));
    QCOMPARE(widget->statusText(), QString());
    QPushButton* clear = widget->cancelButton();
    QVERIFY(clear);
    QCOMPARE(clear->text(), QStringLiteral("Clear"));
    QVERIFY(clear->isEnabled());
    dialog->wake();   // later refreshes keep it usable
    QVERIFY(clear->isEnabled());

    // The error stays after the task object is gone...
    task.reset();
    dialog->wake();
    QVERIFY(widget);
    QVERIFY(dialog->isVisible());
    QCOMPARE(manager.tasksCount(), 1);
    // ...until the user clears it; then the record goes too.
    QTest::mouseClick(clear, Qt::LeftButton);
    QTRY_VERIFY(!widget);
    dialog->wake();
    QCOMPARE(manager.tasksCount(), 0);
    QVERIFY(!dialog->isVisible());
}

void TestProgress::hideButtonOnKeptRecord()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    ProgressTask task(QStringLiteral("kept"), 10, ProgressTask::kUserCanCancel);
    {
        ProgressTask copy(task);
        dialog->wake();
    }   // the copy ends the task...
    task.setFlag(ProgressTask::kKeepWhenFinished, true);   // ...which its owner then keeps
    dialog->wake();
    QPointer<ProgressWidget> widget;
    for (ProgressWidget* w : dialog->progressWidgets())
        widget = w;
    QVERIFY(widget);
    QVERIFY(!widget->task());
    QCOMPARE(widget->statusText(), QStringLiteral("Completed."));
    QCOMPARE(widget->cancelButton()->text(), QStringLiteral("Hide"));
    QVERIFY(widget->cancelButton()->isEnabled());
    QCOMPARE(manager.tasksCount(), 0);
    QTest::mouseClick(widget->cancelButton(), Qt::LeftButton);
    QTRY_VERIFY(!widget);
}

void TestProgress::childTasks()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    auto parent = std::make_unique<RecordingTask>(QStringLiteral("parent"), 10, ProgressTask::kUserCanCancel);
    ProgressTask child(QStringLiteral("child"), 10, 0, parent.get());
    ProgressTask other(QStringLiteral("other"), 10, 0);
    dialog->wake();
    QCOMPARE(dialog->progressWidgets().size(), 3);
    QVERIFY(recordFor(manager, QStringLiteral("child"))->parent == recordFor(manager, QStringLiteral("parent")));

    QTest::mouseClick(widgetFor(dialog, QStringLiteral("parent"))->cancelButton(), Qt::LeftButton);
    QCOMPARE(parent->cancelledCalls.load(), 1);
    dialog->wake();
    QVERIFY(child.isCancelled());
    QVERIFY(!other.isCancelled());

    // A child may outlive its parent task: its record keeps the parent's alive.
    parent.reset();
    dialog->wake();
    QVERIFY(!recordFor(manager, QStringLiteral("parent")));
    child.setProgress(5);
    dialog->wake();
    QCOMPARE(widgetFor(dialog, QStringLiteral("child"))->progressBar()->value(), 5);
}

void TestProgress::taskHideHook()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    RecordingTask hidden(QStringLiteral("hidden"), 10, 0);
    hidden.hide = true;
    ProgressTask shown(QStringLiteral("shown"), 10, 0);
    dialog->wake();
    QVERIFY(widgetFor(dialog, QStringLiteral("hidden"))->isHidden());
    QVERIFY(!widgetFor(dialog, QStringLiteral("shown"))->isHidden());
    hidden.hide = false;
    dialog->wake();
    QVERIFY(!widgetFor(dialog, QStringLiteral("hidden"))->isHidden());

    // kDisable set later disables the widget too, and it stops keeping the dialog open.
    hidden.setFlag(ProgressTask::kDisable, true);
    shown.setFlag(ProgressTask::kDisable, true);
    dialog->wake();
    QVERIFY(!widgetFor(dialog, QStringLiteral("shown"))->isEnabled());
    QVERIFY(!dialog->isVisible());
}

void TestProgress::closingCancelsShownTasks()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    RecordingTask a(QStringLiteral("a"), 10, ProgressTask::kUserCanCancel);
    RecordingTask b(QStringLiteral("b"), 10, 0);
    RecordingTask later(QStringLiteral("later"), 10, ProgressTask::kDelayedPopup);
    dialog->wake();
    QVERIFY(dialog->isVisible());
    QSignalSpy closing(dialog, SIGNAL(closing()));
    QVERIFY(dialog->close());
    QCOMPARE(closing.count(), 1);
    QCOMPARE(a.cancelledCalls.load(), 1);
    QCOMPARE(b.cancelledCalls.load(), 1);
    QVERIFY(a.isCancelled() && b.isCancelled());
    QCOMPARE(later.cancelledCalls.load(), 0);   // not shown yet
    QVERIFY(!later.isCancelled());
}

void TestProgress::hooksMayUseTasksDuringRefresh()
{
    // Hooks and synchronous repaints run while a refresh is in progress: none
    // of them may deadlock on the manager's lock.
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    RecordingTask task(QStringLiteral("busy"), 10, ProgressTask::kUserCanCancel | ProgressTask::kModal);
    int hideCalls = 0;
    task.onHide = [&]() {
        ++hideCalls;
        task.setMessage(QStringLiteral("message %1").arg(hideCalls));
        QCOMPARE(task.tasksCount(), 1);
        dialog->repaint();
        if (ProgressWidget* widget = widgetFor(dialog, QStringLiteral("busy")))
            widget->repaint();
        QCoreApplication::processEvents();
    };
    task.onCancel = [&]() { task.setMessage(QStringLiteral("stopping")); };
    dialog->wake();
    dialog->wake();
    QVERIFY(hideCalls >= 2);
    QVERIFY(widgetFor(dialog, QStringLiteral("busy"))->message().startsWith(QStringLiteral("message ")));
    QTest::mouseClick(widgetFor(dialog, QStringLiteral("busy"))->cancelButton(), Qt::LeftButton);
    QVERIFY(task.isCancelled());
    task.onHide = nullptr;

    // A hook may even take the dialog down under the widget that called it.
    RecordingTask drastic(QStringLiteral("drastic"), 10, ProgressTask::kUserCanCancel | ProgressTask::kUserCanPause);
    dialog->wake();
    drastic.onCancel = [&]() { manager.deleteProgressWidget(); };
    QTest::mouseClick(widgetFor(dialog, QStringLiteral("drastic"))->cancelButton(), Qt::LeftButton);
    QVERIFY(!manager.progressWidget());
    QVERIFY(!recordFor(manager, QStringLiteral("drastic"))->widget);
}

void TestProgress::replacingAndDeletingTheDialog()
{
    DialogProgressManager manager;
    QSignalSpy created(&manager, SIGNAL(windowCreated(QWidget*)));
    QPointer<ProgressDialog> first = dialogOf(manager);
    QCOMPARE(first->objectName(), QStringLiteral("Progress.1"));
    QCOMPARE(first->windowTitle(), QStringLiteral("Progress"));
    ProgressTask task(QStringLiteral("moving"), 10, ProgressTask::kUserCanCancel);
    first->wake();
    QPointer<ProgressWidget> oldWidget = widgetFor(first, QStringLiteral("moving"));
    QVERIFY(oldWidget);

    QVERIFY(manager.createProgressWidget(nullptr, QStringLiteral("Jobs"), QStringLiteral("jobs")));
    QCOMPARE(created.count(), 1);
    ProgressDialog* second = dialogOf(manager);
    QVERIFY(second != first);
    QCOMPARE(second->windowTitle(), QStringLiteral("Jobs"));
    QCOMPARE(second->objectName(), QStringLiteral("jobs"));
    QVERIFY(!recordFor(manager, QStringLiteral("moving"))->widget);   // let go of the old widget
    QTRY_VERIFY(!first);                                               // the unparented old dialog goes
    QTRY_VERIFY(widgetFor(second, QStringLiteral("moving")));
    QVERIFY(second->isVisible());

    QVERIFY(manager.deleteProgressWidget());
    QVERIFY(!manager.progressWidget());
    QVERIFY(!recordFor(manager, QStringLiteral("moving"))->widget);
    QVERIFY(!manager.deleteProgressWidget());
    task.setProgress(3);     // no dialog: nothing to refresh, nothing breaks
    QTest::qWait(30);
    QVERIFY(manager.createProgressWidget(nullptr));
    QTRY_VERIFY(widgetFor(dialogOf(manager), QStringLiteral("moving")));
}

void TestProgress::hostOwnedDialogs()
{
    // The host deletes the dialog before the manager goes.
    {
        auto host = std::make_unique<QWidget>();
        DialogProgressManager manager(host.get());
        ProgressTask task(QStringLiteral("hosted"), 10, 0);
        dialogOf(manager)->wake();
        host.reset();   // deletes the dialog with it
        QVERIFY(!manager.progressWidget());
        QVERIFY(!recordFor(manager, QStringLiteral("hosted"))->widget);
        task.setProgress(1);
        QTest::qWait(30);
    }

    // A replaced dialog the host keeps takes no task back and outlives the manager.
    auto host = std::make_unique<QWidget>();
    auto manager = std::make_unique<DialogProgressManager>(host.get());
    QPointer<ProgressDialog> old = dialogOf(*manager);
    auto task = std::make_unique<ProgressTask>(QStringLiteral("before"), 10, ProgressTask::kUserCanCancel);
    old->wake();
    QVERIFY(manager->createProgressWidget(nullptr));
    QVERIFY(old);
    auto later = std::make_unique<ProgressTask>(QStringLiteral("after"), 10, 0);
    old->wake();
    QVERIFY(!recordFor(*manager, QStringLiteral("after"))->widget);
    dialogOf(*manager)->wake();
    QVERIFY(widgetFor(dialogOf(*manager), QStringLiteral("after")));
    task.reset();
    later.reset();
    manager.reset();
    old->show();
    old->hide();
    const QList<ProgressWidget*> leftovers = old->progressWidgets();
    QCOMPARE(leftovers.size(), 1);
    QPointer<ProgressWidget> leftover = leftovers.first();
    leftover->clear();
    QTRY_VERIFY(!leftover);
}

// --- threads -------------------------------------------------------------------

void TestProgress::manyThreads()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    constexpr int kThreads = 6;
    constexpr int kTasksPerThread = 40;
    std::atomic<int> done{0};
    std::atomic<int> maxListed{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t]() {
            for (int i = 0; i < kTasksPerThread; ++i) {
                const int flags = (i % 3 == 0 ? ProgressTask::kDelayedPopup : 0) | ProgressTask::kUserCanCancel
                    | ProgressTask::kShowTimeToGo | (i % 7 == 0 ? ProgressTask::kDisable : 0);
                ProgressTask task(QStringLiteral("w%1-%2").arg(t).arg(i), 50, flags);
                ProgressTask child(QStringLiteral("c%1-%2").arg(t).arg(i), 5, 0, &task);
                for (int p = 0; p <= 50; ++p) {
                    task.setProgress(p);
                    if (p % 10 == 0) {
                        task.setMessage(QStringLiteral("step %1").arg(p));
                        child.setProgress(p / 10);
                        task.setFlag(ProgressTask::kModal, p % 20 == 0);
                    }
                    if (task.isCancelled())
                        break;
                }
                int listed = task.tasksCount();
                int seen = maxListed.load();
                while (listed > seen && !maxListed.compare_exchange_weak(seen, listed)) {
                }
                ProgressTask copy(task);
                copy.setProgress(50);
            }
            ++done;
        });
    }
    // The GUI thread keeps refreshing (and moving the clock past popup delays).
    while (done.load() < kThreads) {
        advance(700);
        QCoreApplication::processEvents();
        dialog->wake();
    }
    for (std::thread& thread : threads)
        thread.join();
    QVERIFY(maxListed.load() >= 2);
    QTRY_COMPARE(manager.tasksCount(), 0);
    QTRY_VERIFY(!dialog->isVisible());
    QTRY_VERIFY(dialog->progressWidgets().isEmpty());
}

void TestProgress::floodIsCoalesced()
{
    DialogProgressManager manager;
    ProgressDialog* dialog = dialogOf(manager);
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    ProgressTask* shared = nullptr;
    std::thread worker([&]() {
        ProgressTask task(QStringLiteral("flood"), 200000, ProgressTask::kShowTimeToGo);
        shared = &task;
        started = true;
        for (int i = 1; i <= 200000; ++i)
            task.setProgress(i);
        task.setMessage(QStringLiteral("last"));
        finished = true;
        while (finished.load())   // keep the task alive until the GUI has looked
            std::this_thread::yield();
    });
    while (!started.load())
        std::this_thread::yield();
    manager.resetRefreshStatistics();
    QTRY_VERIFY(finished.load());
    QTRY_VERIFY(widgetFor(dialog, QStringLiteral("flood")));
    ProgressWidget* widget = widgetFor(dialog, QStringLiteral("flood"));
    QTRY_COMPARE(widget->progressBar()->value(), 200000);
    QTRY_COMPARE(widget->message(), QStringLiteral("last"));
    const DialogProgressManager::RefreshStatistics stats = manager.refreshStatistics();
    QVERIFY2(stats.maxPending <= 1, qPrintable(QString::number(stats.maxPending)));
    QVERIFY(stats.refreshes < 1000);
    QVERIFY(stats.posted <= stats.refreshes + 1);
    finished = false;
    worker.join();
    Q_UNUSED(shared);
    QTRY_COMPARE(manager.tasksCount(), 0);

    // A change made while the dialog refreshes is shown by the next refresh.
    RecordingTask during(QStringLiteral("during"), 10, 0);
    during.onHide = [&during]() {
        if (during.progress() < 7)
            during.setProgress(7);
    };
    const auto showsSeven = [dialog]() {
        ProgressWidget* widget = widgetFor(dialog, QStringLiteral("during"));
        return widget && widget->progressBar()->value() == 7;
    };
    QTRY_VERIFY(showsSeven());
}

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
