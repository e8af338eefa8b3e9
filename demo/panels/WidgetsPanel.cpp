// The general widgets in use: a bubble popped at a button, a search field filtering a
// list, flat icon buttons, nested disclosure groups, a file-name field and a list that
// takes dropped files.
#include "../GalleryPanel.h"

#include <widgets/BubbleWidget.h>
#include <widgets/DisclosureButton.h>
#include <widgets/DropAcceptingListWidget.h>
#include <widgets/FilenameField.h>
#include <widgets/FlatButton.h>
#include <widgets/SearchField.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

using namespace Quill::UI;

QIcon Image(const char* name)
{
    return QIcon(QStringLiteral(":/ui/qrc/images/") + QLatin1String(name));
}

QLabel* Note(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// A bubble shown in place, as a child, to show its outline with the pin on each side.
BubbleWidget* BubblePreview(Qt::Alignment side, const QString& text, QWidget* parent)
{
    auto* bubble = new BubbleWidget(parent);
    bubble->setWindowFlags(Qt::Widget);
    bubble->setPinAlignment(side);
    auto* layout = new QVBoxLayout(bubble);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(text, bubble));
    bubble->setFixedSize(bubble->sizeHint());
    return bubble;
}

class WidgetsPanel : public QWidget
{
public:
    explicit WidgetsPanel(QWidget* parent)
        : QWidget(parent)
    {
        auto* grid = new QGridLayout(this);
        grid->addWidget(bubbleBox(), 0, 0);
        grid->addWidget(searchBox(), 1, 0);
        grid->addWidget(disclosureBox(), 0, 1);
        grid->addWidget(fileBox(), 1, 1);
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(1, 1);
    }

private:
    QWidget* bubbleBox()
    {
        auto* box = new QGroupBox(tr("BubbleWidget"), this);
        auto* layout = new QVBoxLayout(box);
        auto* row = new QHBoxLayout;
        auto* side = new QComboBox(box);
        side->addItem(tr("Prefer above"), int(Qt::AlignBottom));
        side->addItem(tr("Prefer below"), int(Qt::AlignTop));
        side->addItem(tr("Prefer right"), int(Qt::AlignLeft));
        side->addItem(tr("Prefer left"), int(Qt::AlignRight));
        auto* movable = new QCheckBox(tr("Movable"), box);
        auto* pop = new QPushButton(tr("Pop a bubble"), box);
        pop->setObjectName(QStringLiteral("popBubbleButton"));
        row->addWidget(pop);
        row->addWidget(side);
        row->addWidget(movable);
        row->addStretch(1);
        layout->addLayout(row);
        layout->addWidget(Note(tr("The bubble opens on the preferred side when it fits, else on the opposite "
                                  "one or any other, and stays on the screen; its pin keeps pointing at the "
                                  "button. Move the window to a screen edge and try again."),
                               box));
        auto* previews = new QHBoxLayout;
        previews->addWidget(BubblePreview(Qt::AlignTop, tr("Pin on top"), box), 0, Qt::AlignBottom);
        previews->addWidget(BubblePreview(Qt::AlignBottom, tr("Pin below"), box), 0, Qt::AlignTop);
        previews->addWidget(BubblePreview(Qt::AlignLeft, tr("Pin left"), box));
        previews->addWidget(BubblePreview(Qt::AlignRight, tr("Pin right"), box));
        previews->addStretch(1);
        layout->addLayout(previews);
        layout->addStretch(1);

        connect(pop, &QPushButton::clicked, this, [this, pop, side, movable]() {
            // One bubble at a time; it deletes itself when closed.
            auto* bubble = new BubbleWidget(this);
            bubble->setAttribute(Qt::WA_DeleteOnClose);
            bubble->setMovable(movable->isChecked());
            bubble->setPinAlignment(Qt::Alignment(side->currentData().toInt()));
            auto* content = new QVBoxLayout(bubble);
            content->setContentsMargins(0, 0, 0, 0);
            content->addWidget(new QLabel(tr("<b>Bubble</b><br>Any content in an ordinary layout."), bubble));
            auto* slider = new QSlider(Qt::Horizontal, bubble);
            slider->setMinimumWidth(160);
            content->addWidget(slider);
            auto* close = new QPushButton(tr("Close"), bubble);
            content->addWidget(close, 0, Qt::AlignRight);
            connect(close, &QPushButton::clicked, bubble, &QWidget::close);
            bubble->popup(pop);
        });
        return box;
    }

    QWidget* searchBox()
    {
        auto* box = new QGroupBox(tr("SearchField and FlatButton"), this);
        auto* layout = new QVBoxLayout(box);
        auto* search = new SearchField(box);
        search->setObjectName(QStringLiteral("searchField"));
        auto* options = new FlatButton(Image("ColorSwatches.png"), search);
        options->setFixedSize(16, 16);
        options->setToolTip(tr("Search options"));
        search->setLeftWidget(options);
        search->setPrompt(tr("Filter colours"));
        search->setHasCancelButton(true);
        layout->addWidget(search);

        auto* list = new QListWidget(box);
        for (const QString& name : QColor::colorNames())
            list->addItem(name);
        layout->addWidget(list, 1);
        auto* status = new QLabel(box);
        layout->addWidget(status);
        auto filter = [list, status](const QString& text) {
            int shown = 0;
            for (int i = 0; i < list->count(); ++i) {
                const bool match = list->item(i)->text().contains(text, Qt::CaseInsensitive);
                list->item(i)->setHidden(!match);
                shown += match;
            }
            status->setText(tr("%1 of %2 colours").arg(shown).arg(list->count()));
        };
        connect(search, &QLineEdit::textChanged, list, filter);
        connect(search, &SearchField::cancelPressed, status, [status]() {
            status->setText(status->text() + tr(" (cleared)"));
        });
        filter(QString());

        // Icon-only buttons: normal, checkable (on/off), disabled.
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(new QLabel(tr("FlatButton:"), box));
        const char* icons[] = {"TCStart.png", "TCPlayBackward.png", "TCStop.png", "TCPlayForward.png", "TCEnd.png"};
        for (const char* icon : icons)
            buttons->addWidget(new FlatButton(Image(icon), box));
        auto* lock = new FlatButton(QIcon(), box);
        QIcon lockIcon = Image("Unlock.png");
        lockIcon.addFile(QStringLiteral(":/ui/qrc/images/Lock.png"), QSize(), QIcon::Normal, QIcon::On);
        lock->setIcon(lockIcon);
        lock->setCheckable(true);
        lock->setToolTip(tr("Checkable: click to lock"));
        buttons->addWidget(lock);
        auto* disabled = new FlatButton(Image("PlayRepeat.png"), box);
        disabled->setEnabled(false);
        buttons->addWidget(disabled);
        buttons->addStretch(1);
        layout->addLayout(buttons);
        return box;
    }

    QWidget* disclosureBox()
    {
        auto* box = new QGroupBox(tr("DisclosureButton"), this);
        auto* layout = new QVBoxLayout(box);
        auto* view = new DisclosureButton(box);
        view->setText(tr("View options"));
        layout->addWidget(view);
        auto* viewGroup = new QWidget(box);
        auto* viewLayout = new QVBoxLayout(viewGroup);
        viewLayout->setContentsMargins(20, 0, 0, 0);
        viewLayout->addWidget(new QCheckBox(tr("Show grid"), viewGroup));
        viewLayout->addWidget(new QCheckBox(tr("Show rulers"), viewGroup));
        layout->addWidget(viewGroup);

        // Nested: listed under the outer button, its own group follows both.
        auto* advanced = new DisclosureButton(box);
        advanced->setText(tr("Advanced"));
        auto* advancedRow = new QHBoxLayout;
        advancedRow->setContentsMargins(20, 0, 0, 0);
        advancedRow->addWidget(advanced);
        advancedRow->addStretch(1);
        layout->addLayout(advancedRow);
        auto* advancedGroup = new QWidget(box);
        auto* advancedLayout = new QVBoxLayout(advancedGroup);
        advancedLayout->setContentsMargins(40, 0, 0, 0);
        advancedLayout->addWidget(new QCheckBox(tr("Snap to pixels"), advancedGroup));
        advancedLayout->addWidget(new QCheckBox(tr("Antialias guides"), advancedGroup));
        layout->addWidget(advancedGroup);
        layout->addWidget(Note(tr("The inner group shows only while both buttons are open."), box));
        layout->addStretch(1);

        for (DisclosureButton* b : {view, advanced})
            connect(b, SIGNAL(toggled(bool)), b, SLOT(showOrHideWidgets()));
        view->addWidget(viewGroup);
        view->addWidget(advanced);
        advanced->addWidget(advancedGroup);
        // Open before the window first shows: both groups appear with it.
        view->setChecked(true);
        advanced->setChecked(true);
        return box;
    }

    QWidget* fileBox()
    {
        auto* box = new QGroupBox(tr("FilenameField and DropAcceptingListWidget"), this);
        auto* layout = new QVBoxLayout(box);
        auto* file = new FilenameField(box, QFileDialog::ExistingFile, false);
        file->setPrompt(tr("Type a path or choose a file"));
        layout->addWidget(file);
        auto* settled = new QLabel(tr("Settled name: (none)"), box);
        settled->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(settled);
        connect(file, &FilenameField::filenameSet, settled, [file, settled]() {
            settled->setText(tr("Settled name: %1").arg(file->filename()));
        });

        layout->addWidget(Note(tr("Drop files from a file manager on the list:"), box));
        auto* drops = new DropAcceptingListWidget(box);
        drops->setObjectName(QStringLiteral("dropList"));
        drops->setAcceptsDropsFlags(DropAcceptingListWidget::AcceptFileUrls);
        drops->addItem(tr("(dropped files are listed here)"));
        layout->addWidget(drops, 1);
        connect(drops, &DropAcceptingListWidget::droppedUrls, drops, [drops](const QStringList& paths) {
            for (const QString& path : paths)
                drops->addItem(path.isEmpty() ? tr("(not a local file)") : path);
        });
        return box;
    }
};

} // namespace

QUILL_GALLERY_PANEL("widgets", QObject::tr("Widgets"), 25,
                    [](QWidget* p) -> QWidget* { return new WidgetsPanel(p); });
