// Progress reporting: example tasks running on worker threads, shown by the
// progress dialog, either embedded in the panel or in its own tool window.
#include "../GalleryPanel.h"

#include <progress/DialogProgressManager.h>
#include <progress/ProgressDialog.h>
#include <progress/ProgressManager.h>
#include <progress/ProgressTask.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <thread>

namespace {

using Quill::UI::DialogProgressManager;
using Quill::UI::ProgressDialog;
using Quill::UI::ProgressManager;
using Quill::UI::ProgressTask;

using Stop = std::atomic<bool>;

// Sleeps in small steps, honouring pause and the panel going away.
// Returns false when the work should stop.
bool waitStep(int ms, const ProgressTask& task, const Stop& stop)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until || task.isPaused()) {
        if (stop.load() || task.isCancelled())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !stop.load() && !task.isCancelled();
}

void plainTask(const Stop& stop, int durationMs)
{
    ProgressTask task(QObject::tr("Rendering preview"), 100, ProgressTask::kShowTimeToGo);
    for (int i = 1; i <= 100; ++i) {
        if (!waitStep(durationMs / 100, task, stop))
            return;
        task.setProgress(i);
        if (i % 10 == 0)
            task.setMessage(QObject::tr("Frame %1 of 100").arg(i));
    }
}

void cancellableTask(const Stop& stop, int durationMs)
{
    ProgressTask task(QObject::tr("Baking lighting"), 200,
                      ProgressTask::kUserCanCancel | ProgressTask::kUserCanPause | ProgressTask::kShowTimeToGo);
    task.setMessage(QObject::tr("Pause or cancel me"));
    for (int i = 1; i <= 200; ++i) {
        if (!waitStep(durationMs / 200, task, stop))
            return;
        task.setProgress(i);
    }
}

void delayedQuickTask(const Stop& stop)
{
    // Ends before the 2 s popup delay: never shown.
    ProgressTask task(QObject::tr("Quick autosave"), 10, ProgressTask::kDelayedPopup | ProgressTask::kShowTimeToGo);
    for (int i = 1; i <= 10; ++i) {
        if (!waitStep(80, task, stop))
            return;
        task.setProgress(i);
    }
}

void modalTask(const Stop& stop)
{
    ProgressTask task(QObject::tr("Upgrading the library"), 50,
                      ProgressTask::kModal | ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo);
    task.setMessage(QObject::tr("The dialog is modal while this runs"));
    for (int i = 1; i <= 50; ++i) {
        if (!waitStep(80, task, stop))
            return;
        task.setProgress(i);
    }
}

void parentWithChildren(const Stop& stop, int stepMs)
{
    ProgressTask parent(QObject::tr("Exporting project"), 3,
                        ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo);
    parent.setProgress(0);
    for (int layer = 0; layer < 3; ++layer) {
        ProgressTask child(QObject::tr("Layer %1").arg(layer + 1), 40, ProgressTask::kShowTimeToGo, &parent);
        for (int i = 1; i <= 40; ++i) {
            // Cancelling the parent cancels its children too.
            if (!waitStep(stepMs, child, stop))
                return;
            child.setProgress(i);
        }
        parent.setProgress(layer + 1);
    }
}

void failingTask(const Stop& stop, int stepMs)
{
    ProgressTask task(QObject::tr("Writing cache"), 100, ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo);
    for (int i = 1; i <= 60; ++i) {
        if (!waitStep(stepMs, task, stop))
            return;
        task.setProgress(i);
    }
    // Stays on screen with a Clear button after the task object is gone.
    task.setErrorState(QObject::tr("Disk full while writing frame 61"));
}

void floodTask(const Stop& stop, int worker)
{
    constexpr int kUpdates = 5000000;
    ProgressTask task(QObject::tr("Flood %1").arg(worker), kUpdates, ProgressTask::kUserCanCancel);
    QElapsedTimer timer;
    timer.start();
    int i = 1;
    for (; i <= kUpdates && !stop.load() && !task.isCancelled(); ++i)
        task.setProgress(i);
    task.setMessage(QObject::tr("%1 updates in %2 ms").arg(i - 1).arg(timer.elapsed()));
    waitStep(1500, task, stop);
}

class ProgressPanel : public QWidget
{
public:
    explicit ProgressPanel(QWidget* parent)
        : QWidget(parent)
    {
        // The gallery has no manager of its own: the panel provides one.
        if (!ProgressManager::instance())
            m_manager = std::make_unique<DialogProgressManager>();
        m_dialogManager = qobject_cast<DialogProgressManager*>(ProgressManager::instance());

        auto* outer = new QVBoxLayout(this);
        auto* intro = new QLabel(tr("Every button starts a task on a worker thread. The progress dialog "
                                    "lists running tasks; it stays responsive however fast the workers report."),
                                 this);
        intro->setWordWrap(true);
        outer->addWidget(intro);

        auto* buttons = new QGroupBox(tr("Start"), this);
        auto* grid = new QGridLayout(buttons);
        addButton(grid, 0, 0, tr("Plain task with time to go"), [](const Stop& s) { plainTask(s, 10000); });
        addButton(grid, 0, 1, tr("Cancellable and pausable"), [](const Stop& s) { cancellableTask(s, 20000); });
        addButton(grid, 0, 2, tr("Delayed, ends quickly"), [](const Stop& s) { delayedQuickTask(s); });
        addButton(grid, 1, 0, tr("Modal task"), [](const Stop& s) { modalTask(s); });
        addButton(grid, 1, 1, tr("Parent with children"), [](const Stop& s) { parentWithChildren(s, 60); });
        addButton(grid, 1, 2, tr("Ends in an error"), [](const Stop& s) { failingTask(s, 40); });
        auto* flood = new QPushButton(tr("Flood of tiny updates"), buttons);
        connect(flood, &QPushButton::clicked, this, [this]() {
            for (int w = 1; w <= 4; ++w)
                spawn([w](const Stop& s) { floodTask(s, w); });
        });
        grid->addWidget(flood, 2, 0);
        m_embed = new QCheckBox(tr("Show the dialog inside this panel"), buttons);
        m_embed->setChecked(true);
        grid->addWidget(m_embed, 2, 1, 1, 2);
        outer->addWidget(buttons);

        m_status = new QLabel(this);
        outer->addWidget(m_status);
        m_dialogArea = new QVBoxLayout;
        outer->addLayout(m_dialogArea, 1);

        connect(m_embed, &QCheckBox::toggled, this, [this](bool on) { placeDialog(on); });
        if (m_dialogManager)
            placeDialog(true);
        else
            m_embed->setEnabled(false);

        // Reap finished workers and show what the dialog is doing.
        auto* tick = new QTimer(this);
        connect(tick, &QTimer::timeout, this, [this]() { updateStatus(); });
        tick->start(250);
        updateStatus();

        // A few examples right away, so the panel has something to show.
        spawn([](const Stop& s) { plainTask(s, 3000); });
        spawn([](const Stop& s) { cancellableTask(s, 60000); });
        spawn([](const Stop& s) { parentWithChildren(s, 400); });
        spawn([](const Stop& s) { failingTask(s, 0); });
    }

    ~ProgressPanel() override
    {
        // Every task must end before its manager goes.
        m_stop = true;
        for (Worker& worker : m_workers)
            worker.thread.join();
        m_workers.clear();
        if (m_embedded) {
            if (m_manager)
                m_manager->deleteProgressWidget();
            else if (m_dialogManager)   // the host's manager gets a free-standing dialog back
                m_dialogManager->createProgressWidget(nullptr);
        }
    }

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    void addButton(QGridLayout* grid, int row, int column, const QString& text, std::function<void(const Stop&)> job)
    {
        auto* button = new QPushButton(text, grid->parentWidget());
        connect(button, &QPushButton::clicked, this, [this, job]() { spawn(job); });
        grid->addWidget(button, row, column);
    }

    void spawn(std::function<void(const Stop&)> job)
    {
        auto done = std::make_shared<std::atomic<bool>>(false);
        Worker worker;
        worker.done = done;
        worker.thread = std::thread([this, job, done]() {
            job(m_stop);
            done->store(true);
        });
        m_workers.push_back(std::move(worker));
    }

    void placeDialog(bool embed)
    {
        if (!m_dialogManager)
            return;
        if (embed) {
            m_dialogManager->createProgressWidget(this);
            auto* dialog = qobject_cast<ProgressDialog*>(m_dialogManager->progressWidget());
            dialog->setWindowFlags(Qt::Widget);
            m_dialogArea->addWidget(dialog);
            dialog->show();
            m_embedded = dialog;
        } else {
            QPointer<QWidget> old = m_embedded;
            m_dialogManager->createProgressWidget(nullptr);
            delete old.data();   // parented to the panel, so not deleted by the manager
            m_embedded = nullptr;
        }
    }

    void updateStatus()
    {
        for (auto it = m_workers.begin(); it != m_workers.end();) {
            if (it->done->load()) {
                it->thread.join();
                it = m_workers.erase(it);
            } else {
                ++it;
            }
        }
        QString text = tr("Worker threads running: %1").arg(m_workers.size());
        if (m_dialogManager)
            text += tr("    tasks listed: %1").arg(m_dialogManager->tasksCount());
        m_status->setText(text);
    }

    std::unique_ptr<DialogProgressManager> m_manager;   // only when the host had none
    DialogProgressManager* m_dialogManager = nullptr;   // not owned when the host made it
    QPointer<QWidget> m_embedded;
    QCheckBox* m_embed = nullptr;
    QLabel* m_status = nullptr;
    QVBoxLayout* m_dialogArea = nullptr;
    std::list<Worker> m_workers;
    Stop m_stop{false};
};

} // namespace

QUILL_GALLERY_PANEL("progress", QObject::tr("Progress"), 50, [](QWidget* p) -> QWidget* { return new ProgressPanel(p); });
