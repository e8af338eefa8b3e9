#include "GalleryWindow.h"
#include "GalleryPanel.h"

#include <QTabWidget>

GalleryWindow::GalleryWindow(const QString& onlyPanel, QWidget* parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("GalleryWindow"));
    setWindowTitle(tr("Quill UI Gallery"));
    m_tabs->setDocumentMode(true);
    for (const Gallery::PanelInfo& info : Gallery::panels()) {
        if (!onlyPanel.isEmpty() && info.id != onlyPanel)
            continue;
        QWidget* panel = info.create(m_tabs);
        panel->setObjectName(info.id);
        m_tabs->addTab(panel, info.title);
    }
    setCentralWidget(m_tabs);
    resize(1000, 720);
}

bool GalleryWindow::selectPanel(const QString& id)
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->widget(i)->objectName() == id) {
            m_tabs->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}
