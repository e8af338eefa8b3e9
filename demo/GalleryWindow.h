#pragma once

#include <QMainWindow>

class QTabWidget;

// The gallery's main window: one tab per registered panel.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT
public:
    // onlyPanel: when non-empty, show just that panel (used for focused screenshots).
    explicit GalleryWindow(const QString& onlyPanel = QString(), QWidget* parent = nullptr);

    bool selectPanel(const QString& id);

private:
    QTabWidget* m_tabs;
};
