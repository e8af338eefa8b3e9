#include "GalleryWindow.h"
#include "GalleryPanel.h"

#include <docking/Dock.h>
#include <docking/DockSplitter.h>
#include <docking/DockWindow.h>

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QStackedWidget>

using Quill::UI::Dock;
using Quill::UI::DockSplitter;
using Quill::UI::DockWindow;

namespace {

// Where the known panels go. Anything else joins the main dock, whose panels
// (sliders, progress) each need most of a 1000 x 700 window to show all their
// controls, so they share it as tabs.
enum class Place { Main, Side, Bottom, Floating };

Place placeOf(const QString& id)
{
    static const QHash<QString, Place> places{
        {QStringLiteral("resources"), Place::Side},
        {QStringLiteral("layout"), Place::Floating},
    };
    return places.value(id, Place::Main);
}

} // namespace

GalleryWindow::GalleryWindow(const QString& onlyPanel, QWidget* parent)
    : DockMainWindow(parent)
    , m_onlyPanel(onlyPanel)
{
    setObjectName(QStringLiteral("GalleryWindow"));
    setWindowTitle(tr("Quill UI Gallery"));
    // A stack object in main(): it must not delete itself when closed.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setHighlightCurrentTab(true);
    buildMenu();
    buildArrangement();
    resize(1020, 720);
}

QWidget* GalleryWindow::createPage(QString& id)
{
    if (QWidget* existing = m_pages.value(id))
        return existing;
    const Gallery::PanelInfo* info = Gallery::findPanel(id);
    if (!info)
        return nullptr;
    QWidget* panel = info->create(nullptr);
    panel->setObjectName(id);
    panel->setWindowTitle(info->title);
    // Closing a tab really closes the panel; the workspace makes it again on reset.
    panel->setAttribute(Qt::WA_DeleteOnClose);
    m_pages.insert(id, panel);
    return panel;
}

void GalleryWindow::buildMenu()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Save Layout..."), this, SLOT(saveLayoutAs()), QKeySequence::Save);
    file->addAction(tr("&Restore Layout..."), this, SLOT(restoreLayoutFrom()), QKeySequence::Open);

    QMenu* menu = menuBar()->addMenu(tr("&Window"));
    menu->addAction(nextDockAction());
    menu->addAction(prevDockAction());
    menu->addAction(nextTabAction());
    menu->addAction(prevTabAction());
    menu->addSeparator();

    auto toggle = [&](const QString& text, bool on, const char* slot) {
        QAction* a = menu->addAction(text);
        a->setCheckable(true);
        a->setChecked(on);
        connect(a, SIGNAL(toggled(bool)), this, slot);
        return a;
    };
    toggle(tr("Hide Single Tabs"), hideSingleTabs(), SLOT(setHideSingleTabsOption(bool)));
    toggle(tr("Highlight Current Tab"), highlightCurrentTab(), SLOT(setHighlightOption(bool)));
    toggle(tr("Closable Tabs"), tabsAreClosable(), SLOT(setClosableTabsOption(bool)));
    toggle(tr("Panel Menu"), hasPanelMenu(), SLOT(setPanelMenuOption(bool)));
    // Found by name by the scripted drag (--demo-drag).
    toggle(tr("Split Panels by Dragging"), splitPanelsByDragging(), SLOT(setSplitByDraggingOption(bool)))
        ->setObjectName(QStringLiteral("splitPanelsByDragging"));
    menu->addSeparator();
    menu->addAction(tr("Reset Layout"), this, SLOT(resetLayout()));
    menu->addAction(tr("Check Workspace"), this, SLOT(reportSanity()));
}

void GalleryWindow::reportSanity()
{
    QString breach;
    const bool sane = checkSanity(&breach);
    statusBar()->showMessage(sane ? tr("Workspace consistent: %n pane(s)", nullptr, docks().size())
                                  : tr("Workspace broken: %1").arg(breach),
                             5000);
}

void GalleryWindow::buildArrangement()
{
    DockSplitter* root = rootSplitter();
    root->setOrientation(Qt::Horizontal);

    Dock* main = createDock();
    main->setObjectName(QStringLiteral("gallery.main"));
    Dock* side = createDock();
    side->setObjectName(QStringLiteral("gallery.side"));
    Dock* bottom = createDock();
    bottom->setObjectName(QStringLiteral("gallery.bottom"));

    for (const Gallery::PanelInfo& info : Gallery::panels()) {
        if (!m_onlyPanel.isEmpty() && info.id != m_onlyPanel)
            continue;
        const Place place = m_onlyPanel.isEmpty() ? placeOf(info.id) : Place::Main;
        if (place == Place::Floating)
            continue;   // made once the main window shows, so it can be placed beside it
        QString id = info.id;
        QWidget* page = createPage(id);
        if (!page)
            continue;
        Dock* dock = place == Place::Side ? side : place == Place::Bottom ? bottom : main;
        dock->addWidget(page, false, false);
    }

    // Nested splits: [ main | side over bottom ], leaving out docks that got
    // nothing. The main dock gets the whole height and most of the width.
    if (main->count() > 0 || (side->count() == 0 && bottom->count() == 0))
        root->addWidget(main);
    else
        delete main;
    auto* right = new DockSplitter(Qt::Vertical);
    root->addWidget(right);
    for (Dock* d : {side, bottom}) {
        if (d->count() > 0)
            right->addWidget(d);
        else
            delete d;
    }
    right->setSizes({420, 280});
    root->setSizes({720, 300});
    for (Dock* d : docks())
        d->setCurrentTab(0);
    right->updateDocks();
}

void GalleryWindow::buildFloatingWindow()
{
    m_floatingBuilt = true;
    if (!m_onlyPanel.isEmpty())
        return;
    DockWindow* window = nullptr;
    Dock* dock = nullptr;
    for (const Gallery::PanelInfo& info : Gallery::panels()) {
        if (placeOf(info.id) != Place::Floating)
            continue;
        QString id = info.id;
        QWidget* page = createPage(id);
        if (!page)
            continue;
        if (!window) {
            window = addNewFloatingDock(page);
            window->setWindowTitle(tr("Gallery: %1").arg(info.title));
            dock = Dock::dockForWidget(page);
        } else if (dock) {
            dock->addWidget(page, false, false);
        }
    }
    if (window) {
        window->resize(540, 420);
        const QRect frame = frameGeometry();
        window->move(frame.right() - window->width() - 40, frame.top() + 90);
    }
}

void GalleryWindow::showEvent(QShowEvent* e)
{
    DockMainWindow::showEvent(e);
    if (!m_floatingBuilt)
        buildFloatingWindow();
}

bool GalleryWindow::selectPanel(const QString& id)
{
    QWidget* page = m_pages.value(id);
    Dock* dock = page ? Dock::dockForWidget(page) : nullptr;
    if (!dock)
        return false;
    dock->setCurrentWidget(page);
    dock->makeActive();
    return true;
}

void GalleryWindow::rebuild()
{
    // Take the pages out of their docks first: the docks and windows go, the
    // pages stay (and keep their state).
    for (Dock* d : docks()) {
        while (d->count() > 0) {
            QWidget* page = d->widget(0);
            d->removeWidget(page);
            page->setParent(nullptr);
        }
    }
    const QList<DockWindow*> floating = floatingWindows();
    for (DockWindow* w : floating)
        delete w;
    auto* fresh = new DockSplitter(Qt::Horizontal);
    DockSplitter* old = rootSplitter();
    setRootSplitter(fresh);   // QMainWindow deletes the old central widget
    Q_UNUSED(old);
    buildArrangement();
    m_floatingBuilt = false;
    if (isVisible())
        buildFloatingWindow();
}

void GalleryWindow::resetLayout()
{
    rebuild();
}

void GalleryWindow::setHideSingleTabsOption(bool on)
{
    setHideSingleTabs(on);
    for (Dock* d : docks())
        d->setTitleVisible(!on || d->count() != 1);
}

void GalleryWindow::setHighlightOption(bool on)
{
    if (on == highlightCurrentTab())
        return;
    setHighlightCurrentTab(on);
    for (Dock* d : docks())
        d->updateTabs();
}

// Docks read these two when they are built, so the workspace is laid out again.
void GalleryWindow::setClosableTabsOption(bool on)
{
    setTabsAreClosable(on);
    rebuild();
}

void GalleryWindow::setPanelMenuOption(bool on)
{
    setHasPanelMenu(on);
    rebuild();
}

// --- layout files ----------------------------------------------------------------

bool GalleryWindow::saveLayoutFile(const QString& path)
{
    // Written aside and renamed into place: a failed save keeps the previous file.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        saveLayout(&file, nullptr);
        if (file.commit())
            return true;
    }
    QMessageBox::warning(this, tr("Save Layout"), tr("Cannot write %1:\n%2").arg(path, file.errorString()));
    return false;
}

bool GalleryWindow::restoreLayoutFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("Restore Layout"), tr("Cannot read %1:\n%2").arg(path, file.errorString()));
        return false;
    }
    // The floating window comes from the file (restoring shows this window).
    const bool floatingBuilt = m_floatingBuilt;
    m_floatingBuilt = true;
    if (!restoreLayout(&file, false)) {
        m_floatingBuilt = floatingBuilt;
        return false;
    }
    // Panels the file does not name (added to the gallery since) join the first pane.
    const QList<Dock*> all = docks();
    for (const Gallery::PanelInfo& info : Gallery::panels()) {
        QPointer<QWidget> existing = m_pages.value(info.id);
        if (all.isEmpty() || (existing && all.contains(Dock::dockForWidget(existing))))
            continue;
        QString id = info.id;
        if (QWidget* page = createPage(id))
            all.first()->addWidget(page, false, false);
    }
    return true;
}

bool GalleryWindow::restoreLastLayout()
{
    return !m_lastLayoutFile.isEmpty() && QFileInfo::exists(m_lastLayoutFile) && restoreLayoutFile(m_lastLayoutFile);
}

void GalleryWindow::saveLayoutAs()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Layout"), m_lastLayoutFile,
                                                      tr("Layout files (*.xml);;All files (*)"));
    if (!path.isEmpty())
        saveLayoutFile(path);
}

void GalleryWindow::restoreLayoutFrom()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Restore Layout"), m_lastLayoutFile,
                                                      tr("Layout files (*.xml);;All files (*)"));
    if (!path.isEmpty())
        restoreLayoutFile(path);
}

void GalleryWindow::closeEvent(QCloseEvent* e)
{
    // Before the floating windows close, so that they are saved too.
    if (!m_lastLayoutFile.isEmpty())
        saveLayoutFile(m_lastLayoutFile);
    DockMainWindow::closeEvent(e);
}

// Read at every move of a drag, so it applies at once, even to a drag under way.
void GalleryWindow::setSplitByDraggingOption(bool on)
{
    setSplitPanelsByDragging(on);
}
