// Python bridge: a small console whose code runs on a worker thread with the
// quill_ui module available. The examples touch widgets only through
// run_in_main_thread and report progress through quill_ui.ProgressTask.
#include "../GalleryPanel.h"

#include <python/PythonBridge.h>
#include <progress/DialogProgressManager.h>
#include <progress/ProgressManager.h>

// Python.h names a struct member "slots", which Qt defines as a keyword macro.
#define PY_SSIZE_T_CLEAN
#pragma push_macro("slots")
#undef slots
#include <Python.h>
#pragma pop_macro("slots")

#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>
#include <memory>

namespace {

using Quill::UI::DialogProgressManager;
using Quill::UI::ProgressManager;

struct Example {
    const char* title;
    const char* code;
};

const Example kExamples[] = {
    {QT_TRANSLATE_NOOP("PythonPanel", "Update widgets from a worker thread"),
     "import time, gallery\n"
     "from quill_ui import run_in_main_thread\n\n"
     "# Widgets belong to the GUI thread: ask it to change them.\n"
     "for i in range(0, 101, 5):\n"
     "    run_in_main_thread(gallery.set_value, i)\n"
     "    run_in_main_thread(gallery.set_label, 'Step %d of 100' % i)\n"
     "    time.sleep(0.05)\n"
     "print('done')\n"},
    {QT_TRANSLATE_NOOP("PythonPanel", "Read a value on the GUI thread"),
     "import gallery, threading\n"
     "from quill_ui import run_in_main_thread_with_result\n\n"
     "value = run_in_main_thread_with_result(gallery.value)\n"
     "print('the bar shows', value, '- asked from', threading.current_thread().name)\n"},
    {QT_TRANSLATE_NOOP("PythonPanel", "Report progress"),
     "import time\n"
     "from quill_ui import ProgressTask\n\n"
     "task = ProgressTask('Counting sheep', 50,\n"
     "                    ProgressTask.kUserCanCancel | ProgressTask.kShowTimeToGo)\n"
     "for i in range(50):\n"
     "    if task.isCancelled():\n"
     "        print('cancelled at sheep', i)\n"
     "        break\n"
     "    task.setMessage('sheep %d' % (i + 1))\n"
     "    task.setProgress(i + 1)\n"
     "    time.sleep(0.1)\n"
     "else:\n"
     "    print('all sheep counted')\n"
     "del task\n"},
    {QT_TRANSLATE_NOOP("PythonPanel", "Exceptions come back to the caller"),
     "from quill_ui import run_in_main_thread_with_result\n\n"
     "try:\n"
     "    run_in_main_thread_with_result(int, 'not a number')\n"
     "except ValueError as error:\n"
     "    print('raised in the worker:', error)\n"},
};

class PythonPanel;
QPointer<PythonPanel> g_panel;   // GUI thread only

bool onGuiThread()
{
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

PyObject* notOnGuiThread()
{
    PyErr_SetString(PyExc_RuntimeError, "widgets belong to the GUI thread: call this through "
                                        "quill_ui.run_in_main_thread");
    return nullptr;
}

class PythonPanel : public QWidget
{
public:
    explicit PythonPanel(QWidget* parent)
        : QWidget(parent)
    {
        g_panel = this;
        startInterpreter();
        // Compact: the gallery shows this panel in a small dock.
        auto* outer = new QVBoxLayout(this);
        m_examples = new QComboBox(this);
        m_examples->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_examples->setMinimumContentsLength(12);
        for (const Example& example : kExamples)
            m_examples->addItem(tr(example.title));
        outer->addWidget(m_examples);

        // The run controls, and the widgets the examples drive.
        auto* bar = new QHBoxLayout;
        m_run = new QPushButton(tr("Run"), this);
        m_stop = new QPushButton(tr("Stop"), this);
        m_stop->setEnabled(false);
        m_label = new QLabel(tr("Ready"), this);
        m_label->setMinimumWidth(60);
        m_bar = new QProgressBar(this);
        m_bar->setValue(0);
        m_bar->setMaximumWidth(120);
        bar->addWidget(m_run);
        bar->addWidget(m_stop);
        bar->addWidget(m_label, 1);
        bar->addWidget(m_bar);
        outer->addLayout(bar);

        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        auto* split = new QSplitter(Qt::Vertical, this);
        m_editor = new QPlainTextEdit(split);
        m_editor->setFont(fixed);
        m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_output = new QPlainTextEdit(split);
        m_output->setFont(fixed);
        m_output->setReadOnly(true);
        split->setSizes({300, 140});
        outer->addWidget(split, 1);

        connect(m_examples, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this](int i) { m_editor->setPlainText(QString::fromUtf8(kExamples[i].code)); });
        connect(m_run, &QPushButton::clicked, this, &PythonPanel::run);
        connect(m_stop, &QPushButton::clicked, this, &PythonPanel::stop);
        m_editor->setPlainText(QString::fromUtf8(kExamples[0].code));
        append(tr("Python %1: the code runs on a worker thread; quill_ui and gallery can be imported.\n")
                   .arg(QString::fromUtf8(Py_GetVersion()).section(' ', 0, 0)));
    }

    ~PythonPanel() override
    {
        if (!m_worker)
            return;
        stop();
        // The bridge no longer runs requests once the event loop has quit, so
        // the script ends soon; one stuck in native code is left to the exit.
        if (!m_worker->wait(3000))
            m_worker->setParent(nullptr);
    }

    void append(const QString& text)
    {
        m_output->moveCursor(QTextCursor::End);
        m_output->insertPlainText(text);
        m_output->moveCursor(QTextCursor::End);
    }

    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;

private:
    static PyObject* write(PyObject*, PyObject* args)
    {
        const char* text = nullptr;
        if (!PyArg_ParseTuple(args, "s:write", &text))
            return nullptr;
        // Any thread: the text is appended on the GUI thread.
        QMetaObject::invokeMethod(qApp, [t = QString::fromUtf8(text)] {
            if (g_panel)
                g_panel->append(t);
        }, Qt::QueuedConnection);
        Py_RETURN_NONE;
    }

    static PyObject* setLabel(PyObject*, PyObject* args)
    {
        const char* text = nullptr;
        if (!PyArg_ParseTuple(args, "s:set_label", &text))
            return nullptr;
        if (!onGuiThread())
            return notOnGuiThread();
        if (g_panel)
            g_panel->m_label->setText(QString::fromUtf8(text));
        Py_RETURN_NONE;
    }

    static PyObject* setValue(PyObject*, PyObject* args)
    {
        int value = 0;
        if (!PyArg_ParseTuple(args, "i:set_value", &value))
            return nullptr;
        if (!onGuiThread())
            return notOnGuiThread();
        if (g_panel)
            g_panel->m_bar->setValue(value);
        Py_RETURN_NONE;
    }

    static PyObject* value(PyObject*, PyObject*)
    {
        if (!onGuiThread())
            return notOnGuiThread();
        return PyLong_FromLong(g_panel ? g_panel->m_bar->value() : 0);
    }

    static PyObject* createGalleryModule()
    {
        static PyMethodDef functions[] = {
            {"write", write, METH_VARARGS, "write(text): appends text to the console output (any thread)"},
            {"set_label", setLabel, METH_VARARGS, "set_label(text): GUI thread only"},
            {"set_value", setValue, METH_VARARGS, "set_value(i): sets the progress bar (GUI thread only)"},
            {"value", value, METH_NOARGS, "value() -> the progress bar's value (GUI thread only)"},
            {nullptr, nullptr, 0, nullptr}};
        static PyModuleDef module = {PyModuleDef_HEAD_INIT, "gallery", "The gallery's demo widgets.", -1,
                                     functions, nullptr, nullptr, nullptr, nullptr};
        return PyModule_Create(&module);
    }

    // The gallery embeds the interpreter the first time the panel is shown, and
    // keeps it for the rest of the process.
    static void startInterpreter()
    {
        if (Py_IsInitialized())
            return;
        PyImport_AppendInittab("quill_ui", PyInit_quill_ui);
        PyImport_AppendInittab("gallery", createGalleryModule);
        Py_InitializeEx(0);
        Quill::UI::Python::initialise();
        // threading is imported here so that the GUI thread is its main thread.
        PyRun_SimpleString("import sys, threading, gallery\n"
                           "class _Console:\n"
                           "    def write(self, text): gallery.write(text); return len(text)\n"
                           "    def flush(self): pass\n"
                           "sys.stdout = sys.stderr = _Console()\n");
        PyEval_SaveThread();   // Python threads run while Qt does
    }

    void run()
    {
        if (m_worker)
            return;
        // The progress example needs a dialog; the Progress panel normally provides it.
        if (!ProgressManager::instance())
            m_manager = std::make_unique<DialogProgressManager>();
        const QByteArray code = m_editor->toPlainText().toUtf8();
        append(QStringLiteral(">>> %1\n").arg(m_examples->currentText()));
        // The worker may outlive the panel (see the destructor): it shares only the id.
        m_worker = QThread::create([threadId = m_threadId, code] {
            const PyGILState_STATE gil = PyGILState_Ensure();
            *threadId = PyThread_get_thread_ident();
            PyObject* globals = PyDict_New();
            PyDict_SetItemString(globals, "__builtins__", PyEval_GetBuiltins());
            PyObject* result = PyRun_String(code.constData(), Py_file_input, globals, globals);
            if (result) {
                Py_DECREF(result);
            } else if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
                PyErr_Clear();   // ends the script, never the gallery
            } else {
                PyErr_Print();
            }
            Py_DECREF(globals);
            *threadId = 0;
            PyGILState_Release(gil);
        });
        m_worker->setParent(this);
        connect(m_worker, &QThread::finished, this, [this] {
            m_worker->deleteLater();
            m_worker = nullptr;
            m_run->setEnabled(true);
            m_stop->setEnabled(false);
        });
        m_run->setEnabled(false);
        m_stop->setEnabled(true);
        m_worker->start();
    }

    // Raises KeyboardInterrupt in the script at its next Python instruction.
    void stop()
    {
        const PyGILState_STATE gil = PyGILState_Ensure();
        if (const unsigned long id = *m_threadId)
            PyThreadState_SetAsyncExc(id, PyExc_KeyboardInterrupt);
        PyGILState_Release(gil);
    }

    QComboBox* m_examples = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_stop = nullptr;
    QPlainTextEdit* m_editor = nullptr;
    QPlainTextEdit* m_output = nullptr;
    QThread* m_worker = nullptr;
    // The running script's Python thread id, 0 when none.
    std::shared_ptr<std::atomic<unsigned long>> m_threadId = std::make_shared<std::atomic<unsigned long>>(0);
    std::unique_ptr<DialogProgressManager> m_manager;   // only when the gallery had none
};

} // namespace

QUILL_GALLERY_PANEL("python", QObject::tr("Python"), 60, [](QWidget* p) -> QWidget* { return new PythonPanel(p); });
