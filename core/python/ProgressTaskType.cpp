#include "ProgressTaskType_p.h"

#include <progress/ProgressTask.h>

#include <QCoreApplication>
#include <QThread>

#include <new>

namespace Quill {
namespace UI {
namespace Python {

namespace {

struct TaskObject {
    PyObject_HEAD
    ProgressTask* task;   // owned
};

ProgressTask* taskOf(PyObject* self)
{
    return reinterpret_cast<TaskObject*>(self)->task;
}

// On the GUI thread a Python loop reporting progress holds up the event loop:
// let the dialog repaint. Requests posted meanwhile wait for the one running.
void processEventsOnGuiThread()
{
    if (onApplicationThread())
        QCoreApplication::processEvents();
}

PyObject* newTask(PyTypeObject* type, PyObject* args, PyObject* kwargs)
{
    if (kwargs && PyDict_Size(kwargs) > 0) {
        PyErr_SetString(PyExc_TypeError, "ProgressTask() takes no keyword arguments");
        return nullptr;
    }
    const char* name = nullptr;
    int maximum = 100;
    int flags = ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo;
    if (!PyArg_ParseTuple(args, "s|ii:ProgressTask:__new__", &name, &maximum, &flags))
        return nullptr;
    PyObject* self = type->tp_alloc(type, 0);
    if (!self)
        return nullptr;
    const QString title = QString::fromUtf8(name);
    ProgressTask* task = nullptr;
    // The manager's lock may be held by the GUI thread, which may want the GIL.
    Py_BEGIN_ALLOW_THREADS
    task = new (std::nothrow) ProgressTask(title, maximum, flags, nullptr, nullptr);
    Py_END_ALLOW_THREADS
    if (!task) {
        Py_DECREF(self);
        return PyErr_NoMemory();
    }
    reinterpret_cast<TaskObject*>(self)->task = task;
    return self;
}

void deleteTask(PyObject* self)
{
    ProgressTask* task = taskOf(self);
    Py_BEGIN_ALLOW_THREADS
    delete task;   // ends the task
    Py_END_ALLOW_THREADS
    Py_TYPE(self)->tp_free(self);
}

PyObject* setProgress(PyObject* self, PyObject* args)
{
    int progress = 0;
    if (!PyArg_ParseTuple(args, "i:setProgress", &progress))
        return nullptr;
    Py_BEGIN_ALLOW_THREADS
    taskOf(self)->setProgress(progress);
    processEventsOnGuiThread();
    Py_END_ALLOW_THREADS
    Py_RETURN_NONE;
}

PyObject* setMessage(PyObject* self, PyObject* args)
{
    const char* message = nullptr;
    if (!PyArg_ParseTuple(args, "s:setMessage", &message))
        return nullptr;
    const QString text = QString::fromUtf8(message);
    Py_BEGIN_ALLOW_THREADS
    taskOf(self)->setMessage(text);
    processEventsOnGuiThread();
    Py_END_ALLOW_THREADS
    Py_RETURN_NONE;
}

PyObject* isCancelled(PyObject* self, PyObject*)
{
    return PyBool_FromLong(taskOf(self)->isCancelled());
}

PyMethodDef methods[] = {
    {"setProgress", setProgress, METH_VARARGS,
     "self.setProgress(i) -> None.\n\ni is an integer representing the current progress\n"},
    {"setMessage", setMessage, METH_VARARGS,
     "self.setMessage(s) -> None.\n\nset the message for the progress task\n"},
    {"isCancelled", isCancelled, METH_NOARGS,
     "self.isCancelled() -> True if the user has requested the task to be cancelled.\n\n"},
    {nullptr, nullptr, 0, nullptr}};

const struct {
    const char* name;
    int value;
} constants[] = {
    {"kDelayedPopup", ProgressTask::kDelayedPopup},
    {"kUserCanCancel", ProgressTask::kUserCanCancel},
    {"kShowTimeToGo", ProgressTask::kShowTimeToGo},
    {"kKeepWhenFinished", ProgressTask::kKeepWhenFinished},
    {"kDisable", ProgressTask::kDisable},
    {"kModal", ProgressTask::kModal},
    {"kUserCanPause", ProgressTask::kUserCanPause},
};

PyObject* constantsDict()
{
    PyObject* dict = PyDict_New();
    for (const auto& constant : constants) {
        PyObject* value = dict ? PyLong_FromLong(constant.value) : nullptr;
        const int rc = value ? PyDict_SetItemString(dict, constant.name, value) : -1;
        Py_XDECREF(value);
        if (rc < 0) {
            Py_XDECREF(dict);
            return nullptr;
        }
    }
    return dict;
}

} // namespace

bool onApplicationThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

PyTypeObject* progressTaskType()
{
    // Filled and readied once: readying a type again would reset what Python
    // has since stored in it. Serialised by the GIL.
    static PyTypeObject type{};
    static bool ready = false;
    if (ready)
        return &type;
    if (!type.tp_dict) {
        Py_SET_REFCNT(reinterpret_cast<PyObject*>(&type), 1);
        type.tp_name = "ProgressTask";
        type.tp_basicsize = sizeof(TaskObject);
        type.tp_flags = Py_TPFLAGS_DEFAULT;
        type.tp_doc = "ProgressTask";
        type.tp_methods = methods;
        type.tp_new = newTask;
        type.tp_dealloc = deleteTask;
        type.tp_dict = constantsDict();
        if (!type.tp_dict)
            return nullptr;
    }
    if (PyType_Ready(&type) < 0)
        return nullptr;
    ready = true;
    return &type;
}

} // namespace Python
} // namespace UI
} // namespace Quill
