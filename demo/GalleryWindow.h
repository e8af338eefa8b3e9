#pragma once

#include <docking/DockMainWindow.h>

#include <QHash>
#include <QPointer>
#include <QString>

class QAction;

// The gallery's main window: a docking workspace whose pages are the registered
// gallery panels. Known panels get a place in a fixed arrangement (several docks,
// nested splits and one floating window); panels it does not know yet go into the
// main dock. The "Window" menu holds the navigation actions and the workspace
// options.
class GalleryWindow : public Quill::UI::DockMainWindow
{
    Q_OBJECT
public:
    // onlyPanel: when non-empty, show just that panel (used for focused screenshots).
    explicit GalleryWindow(const QString& onlyPanel = QString(), QWidget* parent = nullptr);

    // Makes the panel current in its dock and gives its dock the focus.
    bool selectPanel(const QString& id);

    // The panel for `id`: the one already made, or a new one from the registry;
    // null for an id the registry does not know.
    QWidget* createPage(QString& id) override;

    // The file the arrangement is kept in between runs: restored from here by
    // restoreLastLayout() and written on close. Empty (the default) keeps nothing.
    void setLastLayoutFile(const QString& path) { m_lastLayoutFile = path; }
    // Restores the last arrangement when there is one; a damaged file is reported
    // and the default arrangement stays.
    bool restoreLastLayout();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private slots:
    void resetLayout();
    void saveLayoutAs();
    void restoreLayoutFrom();
    // Runs the workspace's own consistency check and shows the answer.
    void reportSanity();
    void setHideSingleTabsOption(bool on);
    void setHighlightOption(bool on);
    void setClosableTabsOption(bool on);
    void setPanelMenuOption(bool on);
    void setSplitByDraggingOption(bool on);

private:
    void buildMenu();
    // Takes every page out of the current arrangement and lays the workspace out
    // afresh; pages keep their state.
    void rebuild();
    void buildArrangement();
    void buildFloatingWindow();
    bool saveLayoutFile(const QString& path);
    bool restoreLayoutFile(const QString& path);

    QString m_onlyPanel;
    QHash<QString, QPointer<QWidget>> m_pages;
    bool m_floatingBuilt = false;
    QString m_lastLayoutFile;
};
