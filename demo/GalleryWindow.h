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

protected:
    void showEvent(QShowEvent* e) override;

private slots:
    void resetLayout();
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

    QString m_onlyPanel;
    QHash<QString, QPointer<QWidget>> m_pages;
    bool m_floatingBuilt = false;
};
