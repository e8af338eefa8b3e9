// VerticalLayout stacking items at their preferred heights, and window placement
// beside a rectangle.
#include "../GalleryPanel.h"

#include <widgets/VerticalLayout.h>
#include <windowing/WidgetUtils.h>

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

using Quill::UI::VerticalLayout;
using Quill::UI::WidgetUtils;

QFrame* Block(const QString& text, int height, const QColor& colour, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, colour);
    frame->setPalette(pal);
    auto* label = new QLabel(text, frame);
    auto* l = new QHBoxLayout(frame);
    l->setContentsMargins(6, 0, 6, 0);
    l->addWidget(label);
    frame->setMinimumHeight(height);
    frame->setFixedHeight(height);
    return frame;
}

class LayoutPanel : public QWidget
{
public:
    explicit LayoutPanel(QWidget* parent)
        : QWidget(parent)
    {
        auto* row = new QHBoxLayout(this);

        // Left: a VerticalLayout in a frame, with controls for spacing and expand mode.
        auto* stackBox = new QGroupBox(tr("VerticalLayout"), this);
        auto* stackOuter = new QVBoxLayout(stackBox);
        auto* controls = new QHBoxLayout;
        auto* spacing = new QSpinBox(stackBox);
        spacing->setRange(0, 40);
        spacing->setValue(6);
        spacing->setPrefix(tr("spacing "));
        auto* expand = new QCheckBox(tr("expand first item"), stackBox);
        controls->addWidget(spacing);
        controls->addWidget(expand);
        controls->addStretch(1);
        stackOuter->addLayout(controls);

        auto* host = new QFrame(stackBox);
        host->setFrameShape(QFrame::Box);
        host->setMinimumHeight(260);
        auto* stack = new VerticalLayout(host, 8, 6);
        stack->addWidget(Block(tr("24 px"), 24, QColor(0xcfe2f3), host));
        stack->addWidget(Block(tr("48 px"), 48, QColor(0xd9ead3), host));
        stack->addWidget(Block(tr("32 px"), 32, QColor(0xfff2cc), host));
        stack->addWidget(Block(tr("20 px"), 20, QColor(0xf4cccc), host));
        stackOuter->addWidget(host);
        stackOuter->addWidget(new QLabel(tr("Items keep their preferred height; the rest of the frame stays empty."),
                                         stackBox));
        stackOuter->addStretch(1);
        connect(spacing, QOverload<int>::of(&QSpinBox::valueChanged), host, [stack](int v) {
            stack->setSpacing(v);
        });
        connect(expand, &QCheckBox::toggled, host, [stack, host](bool on) {
            stack->expandSpace(on);
            if (!on) {
                // Bring the fixed heights back after the first item was stretched.
                if (QWidget* w = stack->itemAt(0)->widget())
                    w->setFixedHeight(24);
            } else if (QWidget* w = stack->itemAt(0)->widget()) {
                w->setMinimumHeight(0);
                w->setMaximumHeight(QWIDGETSIZE_MAX);
            }
            stack->invalidate();
            stack->setGeometry(host->rect());
        });
        row->addWidget(stackBox, 1);

        // Right: pop a small window beside a button without covering it.
        auto* placeBox = new QGroupBox(tr("Window placement"), this);
        auto* placeLayout = new QVBoxLayout(placeBox);
        placeLayout->addWidget(new QLabel(tr("MoveWidgetNearRect puts a window next to a rectangle,\n"
                                             "20 pixels clear of it, on whichever side has room."),
                                          placeBox));
        auto* button = new QPushButton(tr("Pop a window beside me"), placeBox);
        button->setObjectName(QStringLiteral("popNearButton"));
        placeLayout->addWidget(button, 0, Qt::AlignLeft);
        auto* below = new QPushButton(tr("Pop a window below me"), placeBox);
        placeLayout->addWidget(below, 0, Qt::AlignLeft);
        placeLayout->addStretch(1);
        connect(button, &QPushButton::clicked, this, [this, button]() {
            QRect rect(button->mapToGlobal(QPoint(0, 0)), button->size());
            QWidget* popup = makePopup(tr("Beside the button"));
            WidgetUtils::MoveWidgetNearRect(popup, rect);
            popup->show();
        });
        connect(below, &QPushButton::clicked, this, [this, below]() {
            WidgetUtils::MoveWidgetNotObscuringWidget(makePopup(tr("Below the button")), below);
        });
        row->addWidget(placeBox, 1);
    }

private:
    QWidget* makePopup(const QString& text)
    {
        // Owned by the panel; closing deletes it.
        auto* popup = new QWidget(this, Qt::Tool);
        popup->setAttribute(Qt::WA_DeleteOnClose);
        popup->setWindowTitle(text);
        auto* l = new QVBoxLayout(popup);
        l->addWidget(new QLabel(text, popup));
        auto* close = new QPushButton(tr("Close"), popup);
        l->addWidget(close);
        connect(close, &QPushButton::clicked, popup, &QWidget::close);
        popup->resize(180, 90);
        return popup;
    }
};

} // namespace

QUILL_GALLERY_PANEL("layout", QObject::tr("Layout"), 20,
                    [](QWidget* p) -> QWidget* { return new LayoutPanel(p); });
