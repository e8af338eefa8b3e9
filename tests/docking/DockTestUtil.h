#pragma once

#include <docking/Dock.h>
#include <docking/DockMainWindow.h>
#include <docking/DockSplitter.h>
#include <docking/DockTabBar.h>
#include <docking/DockTitleBar.h>

#include <QAction>

#include <QCloseEvent>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

// A page of the workspace: focusable, optionally refusing to close (unsaved work).
class Page : public QWidget
{
public:
    explicit Page(const QString& name, bool deleteOnClose = false, QWidget* parent = nullptr)
        : QWidget(parent)
    {
        setObjectName(name);
        setWindowTitle(name);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
    }
    bool refuse = false;
    int closeRequests = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++closeRequests;
        if (refuse)
            e->ignore();
        else
            e->accept();
    }
};

// The workspace of a test: its invariants are checked when the test is done with it.
class TestWindow : public Quill::UI::DockMainWindow
{
public:
    using DockMainWindow::saveLayoutIDs;
    ~TestWindow() override
    {
        QString breach;
        if (!checkSanity(&breach))
            QTest::qFail(qPrintable(breach), __FILE__, __LINE__);
    }
};

// Runs pending deferred deletions (docks, windows and splitters delete themselves later).
inline void flushDeletes()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Pages without Qt::WA_DeleteOnClose outlive their docks, detached: like a host,
// the test owns them and deletes the ones left over.
inline void deleteOrphanPages()
{
    flushDeletes();
    const QList<QWidget*> tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (dynamic_cast<Page*>(w) || (!w->parent() && w->inherits("QLineEdit")))
            delete w;
    }
    flushDeletes();
}

// The tree below a splitter as text: H(a,V(b,c)) with the docks' object names.
inline QString shape(const QSplitter* s)
{
    QStringList parts;
    for (int i = 0; i < s->count(); ++i) {
        QWidget* w = s->widget(i);
        if (auto* nested = dynamic_cast<Quill::UI::DockSplitter*>(w))
            parts << shape(nested);
        else
            parts << w->objectName();
    }
    return QString(s->orientation() == Qt::Horizontal ? "H(" : "V(") + parts.join(',') + ')';
}

// A dock named `name` holding pages with the given names.
inline Quill::UI::Dock* makeDock(Quill::UI::DockMainWindow* mw, const QString& name,
                                 const QStringList& pages = {})
{
    Quill::UI::Dock* d = mw->createDock();
    d->setObjectName(name);
    for (const QString& p : pages)
        d->addWidget(new Page(p), true, false);
    return d;
}

// A left-button press, move (button held) or release at `global`, sent to `w`.
inline void sendMouse(QWidget* w, QEvent::Type type, QPoint global, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, w->mapFromGlobal(global), global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, mods);
    QApplication::sendEvent(w, &e);
}
