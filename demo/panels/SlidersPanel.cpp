// Slider in its linear, logarithmic, square-root, two-sided and mirrored scales, as
// integer and double, horizontal and vertical, enabled and disabled; and LogSlider.
#include "SlidersPanel.h"

#include "../GalleryPanel.h"

#include <sliders/LogSlider.h>
#include <sliders/Slider.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using Quill::UI::LogSlider;
using Quill::UI::Slider;

namespace {

QString Number(double v)
{
    return QString::number(v, 'g', 6);
}

QLabel* Readout(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setMinimumWidth(70);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

SlidersPanel::SlidersPanel(QWidget* parent)
    : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    outer->addLayout(top, 1);

    // Horizontal sliders, one per scale and value type.
    auto* box = new QGroupBox(tr("Slider"), this);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(10);

    struct Row {
        QString name;
        Slider::ValueType type;
        Slider::SliderMode mode;
        double minimum;
        double maximum;
        double value;
    };
    const Row rows[] = {
        {tr("Linear 0..1"), Slider::kDouble, Slider::kLinear, 0, 1, 0.25},
        {tr("Log 1..1000"), Slider::kDouble, Slider::kLog, 1, 1000, 20},
        {tr("Square root 0..100"), Slider::kDouble, Slider::kLog, 0, 100, 25},
        {tr("Two-sided -25..100"), Slider::kDouble, Slider::kLog, -25, 100, 0},
        {tr("Mirrored -100..-1"), Slider::kDouble, Slider::kLog, -100, -1, -10},
        {tr("Integer 0..100"), Slider::kInt, Slider::kLinear, 0, 100, 42},
    };
    int r = 0;
    for (const Row& row : rows) {
        auto* slider = new Slider(row.type, row.mode, Qt::Horizontal, box);
        slider->setObjectName(row.name);
        slider->setRange(row.minimum, row.maximum);
        slider->setValue(row.value);
        slider->setMinimumWidth(320);
        addRow(grid, r++, row.name, slider);
    }

    // A gradient groove, a value outside the range, and a disabled slider.
    auto* gradientSlider = new Slider(Slider::kDouble, Slider::kLinear, Qt::Horizontal, box);
    gradientSlider->setRange(0, 1);
    gradientSlider->setValue(0.6);
    addRow(grid, r++, tr("Gradient groove"), gradientSlider);

    auto* outside = new Slider(Slider::kDouble, Slider::kLinear, Qt::Horizontal, box);
    outside->setValue(1.4);
    addRow(grid, r++, tr("Value above range"), outside);

    auto* disabled = new Slider(Slider::kDouble, Slider::kLinear, Qt::Horizontal, box);
    disabled->setValue(0.7);
    disabled->setEnabled(false);
    addRow(grid, r++, tr("Disabled"), disabled);
    grid->setRowStretch(r, 1);
    top->addWidget(box, 1);

    // A vertical slider.
    auto* verticalBox = new QGroupBox(tr("Vertical"), this);
    auto* verticalLayout = new QVBoxLayout(verticalBox);
    auto* vertical = new Slider(Slider::kDouble, Slider::kLinear, Qt::Vertical, verticalBox);
    vertical->setRange(-1, 1);
    vertical->setValue(0.25);
    vertical->setMinimumWidth(44);
    auto* verticalReadout = Readout(verticalBox);
    verticalLayout->addWidget(vertical, 1, Qt::AlignHCenter);
    verticalLayout->addWidget(verticalReadout);
    watch(vertical, tr("Vertical -1..1"), verticalReadout);
    top->addWidget(verticalBox);

    // The gradient needs the final width; the slider paints it in its own pixels.
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0.0, QColor(40, 40, 40));
    gradient.setColorAt(0.5, QColor(230, 120, 30));
    gradient.setColorAt(1.0, QColor(250, 240, 120));
    gradientSlider->setColor(gradient);

    // LogSlider over six decades.
    auto* logBox = new QGroupBox(tr("LogSlider"), this);
    auto* logLayout = new QHBoxLayout(logBox);
    auto* logSlider = new LogSlider(Qt::Horizontal, logBox);
    logSlider->setRealRange(-2, 4, 100);
    logSlider->setRealValue(3);
    auto* logReadout = Readout(logBox);
    logLayout->addWidget(new QLabel(tr("0.01..10000"), logBox));
    logLayout->addWidget(logSlider, 1);
    logLayout->addWidget(logReadout);
    auto showReal = [logSlider, logReadout] {
        logReadout->setText(QStringLiteral("%1 (%2)").arg(Number(logSlider->realValue())).arg(logSlider->value()));
    };
    showReal();
    connect(logSlider, &QAbstractSlider::valueChanged, logReadout, showReal);
    outer->addWidget(logBox);

    // Signal log.
    m_log = new QPlainTextEdit(this);
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(200);
    m_log->setPlaceholderText(tr("Drag a slider: its signals appear here."));
    m_log->setFixedHeight(90);
    outer->addWidget(m_log);
}

void SlidersPanel::addRow(QGridLayout* grid, int row, const QString& name, Slider* slider)
{
    QWidget* box = grid->parentWidget();
    QLabel* readout = Readout(box);
    grid->addWidget(new QLabel(name, box), row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(readout, row, 2);
    watch(slider, name, readout);
}

void SlidersPanel::watch(Slider* slider, const QString& name, QLabel* readout)
{
    readout->setText(Number(slider->value()));
    connect(slider, &Slider::valueChanged, readout, [readout](double v) { readout->setText(Number(v)); });
    connect(slider, &Slider::sliderPressed, this, [this, name] { log(name + QStringLiteral(": sliderPressed()")); });
    connect(slider, &Slider::valueChanged, this,
            [this, name](double v) { log(name + QStringLiteral(": valueChanged(%1)").arg(Number(v))); });
    connect(slider, &Slider::sliderMoved, this,
            [this, name](double v) { log(name + QStringLiteral(": sliderMoved(%1)").arg(Number(v))); });
    connect(slider, &Slider::sliderReleased, this, [this, name] { log(name + QStringLiteral(": sliderReleased()")); });
}

void SlidersPanel::log(const QString& line)
{
    m_log->appendPlainText(line);
}

QUILL_GALLERY_PANEL("sliders", QObject::tr("Sliders"), 40, [](QWidget* p) -> QWidget* { return new SlidersPanel(p); });
