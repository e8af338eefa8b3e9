// Every compiled-in image of the library, at 1x and 2x, with its resource path.
#include "../GalleryPanel.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

class ResourcesPanel : public QScrollArea
{
public:
    explicit ResourcesPanel(QWidget* parent)
        : QScrollArea(parent)
    {
        auto* content = new QWidget(this);
        auto* outer = new QVBoxLayout(content);
        const QString root = QStringLiteral(":/ui/qrc/images/");
        QStringList names = QDir(root).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [](const QString& n) { return n.contains(QLatin1Char('@')); }),
                    names.end());

        auto* heading = new QLabel(
            tr("%n image(s) under <tt>%1</tt>, registered when the library loads.", nullptr,
               int(names.size())).arg(root),
            content);
        heading->setWordWrap(true);
        outer->addWidget(heading);

        m_grid = new QGridLayout;
        m_grid->setHorizontalSpacing(18);
        m_grid->setVerticalSpacing(6);
        for (const QString& file : names) {
            const QString name = QFileInfo(file).completeBaseName();
            const QString path = root + file;
            auto* small = new QLabel(content);
            small->setPixmap(QIcon(path).pixmap(16, 16));
            small->setToolTip(path);
            auto* large = new QLabel(content);
            // Shown at its full 32 pixels, not scaled back to 16 logical pixels.
            QPixmap twice(root + name + QStringLiteral("@2x.png"));
            twice.setDevicePixelRatio(1.0);
            large->setPixmap(twice);
            m_cells.append({small, large, new QLabel(name, content)});
        }
        arrange(3);
        outer->addLayout(m_grid);
        outer->addStretch(1);
        setWidget(content);
        setWidgetResizable(true);
    }

protected:
    // Reflow into as many columns as fit, so the panel also works in a narrow dock.
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        const int cellWidth = 16 + 32 + 170 + 3 * m_grid->horizontalSpacing();
        arrange(std::clamp(viewport()->width() / cellWidth, 1, 3));
    }

private:
    struct Cell {
        QLabel* small;
        QLabel* large;
        QLabel* name;
    };

    void arrange(int columns)
    {
        if (columns == m_columns)
            return;
        m_columns = columns;
        for (const Cell& cell : m_cells) {
            m_grid->removeWidget(cell.small);
            m_grid->removeWidget(cell.large);
            m_grid->removeWidget(cell.name);
        }
        for (int i = 0; i < m_cells.size(); ++i) {
            const int row = i / columns;
            const int col = (i % columns) * 3;
            m_grid->addWidget(m_cells[i].small, row, col);
            m_grid->addWidget(m_cells[i].large, row, col + 1);
            m_grid->addWidget(m_cells[i].name, row, col + 2);
        }
        for (int c = 0; c < 9; ++c)
            m_grid->setColumnStretch(c, 0);
        m_grid->setColumnStretch(columns * 3, 1);
        if (QWidget* content = widget()) {
            // Recompute the content's minimum size now and let the scroll area refit it.
            content->layout()->activate();
            setWidgetResizable(true);
        }
    }

    QGridLayout* m_grid = nullptr;
    QList<Cell> m_cells;
    int m_columns = 0;
};

} // namespace

QUILL_GALLERY_PANEL("resources", QObject::tr("Resources"), 10,
                    [](QWidget* p) -> QWidget* { return new ResourcesPanel(p); });
