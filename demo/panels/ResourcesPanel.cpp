// Every compiled-in image of the library, at 1x and 2x, with its resource path.
#include "../GalleryPanel.h"

#include <QDir>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

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
        outer->addWidget(heading);

        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(18);
        grid->setVerticalSpacing(6);
        const int columns = 3;
        for (int i = 0; i < names.size(); ++i) {
            const QString path = root + names[i];
            const QIcon icon(path);
            auto* small = new QLabel(content);
            small->setPixmap(icon.pixmap(16, 16));
            small->setToolTip(path);
            auto* large = new QLabel(content);
            // Shown at its full 32 pixels, not scaled back to 16 logical pixels.
            QPixmap twice(root + QFileInfo(names[i]).completeBaseName() + QStringLiteral("@2x.png"));
            twice.setDevicePixelRatio(1.0);
            large->setPixmap(twice);
            auto* name = new QLabel(QFileInfo(names[i]).completeBaseName(), content);
            const int row = i / columns;
            const int col = (i % columns) * 3;
            grid->addWidget(small, row, col);
            grid->addWidget(large, row, col + 1);
            grid->addWidget(name, row, col + 2);
        }
        grid->setColumnStretch(columns * 3, 1);
        outer->addLayout(grid);
        outer->addStretch(1);
        setWidget(content);
        setWidgetResizable(true);
    }
};

} // namespace

QUILL_GALLERY_PANEL("resources", QObject::tr("Resources"), 10,
                    [](QWidget* p) -> QWidget* { return new ResourcesPanel(p); });
