// Colour controls: a ColorControl with its embedded wheel and component sliders, a
// larger wheel whose look can be switched, the client's colour in a swatch, and a
// default colour that control-click on a slider restores.
#include "../GalleryPanel.h"

#include <colour/ColorControl.h>
#include <colour/ColorSlider.h>
#include <colour/ColorWheel.h>
#include <colour/IColorControlClient.h>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {

using Quill::Colour::Color4;
using Quill::UI::ColorControl;
using Quill::UI::ColorSlider;
using Quill::UI::ColorWheel;

QString Describe(const Color4& c)
{
    return QStringLiteral("R %1  G %2  B %3  A %4")
        .arg(double(c.red), 0, 'f', 3)
        .arg(double(c.green), 0, 'f', 3)
        .arg(double(c.blue), 0, 'f', 3)
        .arg(double(c.alpha), 0, 'f', 3);
}

QColor ToQColor(const Color4& c)
{
    Color4 shown = c;
    shown.clamp();
    return QColor::fromRgbF(double(shown.red), double(shown.green), double(shown.blue));
}

void Paint(QLabel* swatch, const Color4& c)
{
    swatch->setStyleSheet(QStringLiteral("background: %1; border: 1px solid palette(dark);")
                              .arg(ToQColor(c).name()));
}

class ColourPanel : public QWidget, public Quill::UI::IColorControlClient
{
public:
    explicit ColourPanel(QWidget* parent)
        : QWidget(parent), m_control(std::make_unique<ColorControl>(this))
    {
        auto* outer = new QHBoxLayout(this);

        // The controller's own picker: embedded wheel, RGBA sliders, vertical ones.
        auto* pickerBox = new QGroupBox(tr("ColorControl"), this);
        auto* picker = new QGridLayout(pickerBox);
        ColorWheel* embedded = m_control->createColorWheel();
        picker->addWidget(embedded, 0, 0, Qt::AlignTop | Qt::AlignHCenter);
        auto* verticals = new QGridLayout;
        ColorSlider* vertical[] = {m_control->createVerticalValueSlider(),
                                   m_control->createVerticalIntensitySlider(),
                                   m_control->createVerticalTemperatureSlider(),
                                   m_control->createVerticalMagentaGreenSlider()};
        const QString verticalNames[] = {tr("V"), tr("I"), tr("T"), tr("MG")};
        for (int k = 0; k < 4; ++k) {
            vertical[k]->setMinimumSize(44, 200);
            verticals->addWidget(vertical[k], 0, k);
            verticals->addWidget(new QLabel(verticalNames[k], pickerBox), 1, k, Qt::AlignHCenter);
        }
        picker->addLayout(verticals, 0, 1);
        const QString names[] = {tr("Red"), tr("Green"), tr("Blue"), tr("Alpha")};
        ColorSlider* rgba[] = {m_control->createRedSlider(Qt::Horizontal),
                               m_control->createGreenSlider(Qt::Horizontal),
                               m_control->createBlueSlider(Qt::Horizontal),
                               m_control->createAlphaSlider(Qt::Horizontal)};
        for (int k = 0; k < 4; ++k) {
            picker->addWidget(new QLabel(names[k], pickerBox), 2 + k, 0);
            rgba[k]->setMinimumWidth(160);
            picker->addWidget(rgba[k], 2 + k, 1);
        }
        picker->setRowStretch(6, 1);
        outer->addWidget(pickerBox);

        // A larger wheel following the same colour.
        auto* wheelBox = new QGroupBox(tr("ColorWheel"), this);
        auto* wheelLayout = new QVBoxLayout(wheelBox);
        auto* modes = new QComboBox(wheelBox);
        modes->addItems({tr("Wheel"), tr("Ring and square"), tr("Wheel with value ring")});
        wheelLayout->addWidget(modes);
        m_wheel = new ColorWheel(nullptr, ColorWheel::kWheel);
        m_wheel->setParent(wheelBox);
        m_wheel->setMinimumSize(200, 200);
        wheelLayout->addWidget(m_wheel, 1);
        wheelLayout->addWidget(new QLabel(tr("Right drag: value. Alt drag: pan. Scroll or middle drag: zoom;\n"
                                             "a middle click resets the view."), wheelBox));
        connect(modes, QOverload<int>::of(&QComboBox::currentIndexChanged), m_wheel,
                [this](int mode) { m_wheel->setDisplayMode(ColorWheel::DisplayMode(mode)); });
        connect(m_wheel, &ColorWheel::draggingSignal, this, [this] {
            float h, s, v;
            m_wheel->getHSV(h, s, v);
            m_control->hsvChanged(h, s, v);
        });
        connect(m_wheel, &ColorWheel::startDragSignal, this, [this] { m_control->dragStarted(); });
        outer->addWidget(wheelBox, 1);

        // What the client hears, and the default colour.
        auto* clientBox = new QGroupBox(tr("Client"), this);
        auto* client = new QVBoxLayout(clientBox);
        m_swatch = new QLabel(clientBox);
        m_swatch->setFixedSize(120, 80);
        m_readout = new QLabel(clientBox);
        m_defaultSwatch = new QLabel(clientBox);
        m_defaultSwatch->setFixedSize(120, 24);
        auto* setDefault = new QPushButton(tr("Current as default"), clientBox);
        m_log = new QPlainTextEdit(clientBox);
        m_log->setReadOnly(true);
        m_log->setMaximumBlockCount(100);
        m_log->setPlaceholderText(tr("Drag the wheel or a slider."));
        client->addWidget(new QLabel(tr("Client colour"), clientBox));
        client->addWidget(m_swatch);
        client->addWidget(m_readout);
        client->addWidget(new QLabel(tr("Default (control-click a slider)"), clientBox));
        client->addWidget(m_defaultSwatch);
        client->addWidget(setDefault);
        client->addWidget(m_log, 1);
        connect(setDefault, &QPushButton::clicked, this, [this] {
            const Color4 c = m_control->getColor();
            m_control->setDefaultColorRGBA(c.red, c.green, c.blue, c.alpha);
            Paint(m_defaultSwatch, m_control->getDefaultColor());
        });
        outer->addWidget(clientBox);

        m_control->setDefaultColorRGBA(0.2, 0.4, 0.6, 1.0);
        m_control->setColorRange(0.0, 1.0);
        m_control->setColorRGBA(0.85f, 0.45f, 0.2f, 1.0f);
        Paint(m_defaultSwatch, m_control->getDefaultColor());
        showColour(m_control->getColor());
    }

    void colorChanged(float red, float green, float blue, float alpha) override
    {
        const Color4 c(red, green, blue, alpha);
        showColour(c);
        m_log->appendPlainText(QStringLiteral("colorChanged: ") + Describe(c));
    }

    void dragStarted() override { m_log->appendPlainText(QStringLiteral("dragStarted")); }

private:
    void showColour(const Color4& c)
    {
        Paint(m_swatch, c);
        m_readout->setText(Describe(c));
        float h, s, v;
        c.getHSV(&h, &s, &v);
        float wh, ws, wv;
        m_wheel->getHSV(wh, ws, wv);
        m_wheel->setHSV(s != 0.0f ? h : wh, s, v);
    }

    std::unique_ptr<ColorControl> m_control;
    ColorWheel* m_wheel = nullptr;
    QLabel* m_swatch = nullptr;
    QLabel* m_readout = nullptr;
    QLabel* m_defaultSwatch = nullptr;
    QPlainTextEdit* m_log = nullptr;
};

} // namespace

QUILL_GALLERY_PANEL("colour", QObject::tr("Colour"), 35, [](QWidget* p) -> QWidget* { return new ColourPanel(p); });
