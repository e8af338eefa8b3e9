#pragma once

#include <QWidget>

class QGridLayout;
class QLabel;
class QPlainTextEdit;

namespace Quill {
namespace UI {
class Slider;
}
}

// Gallery page for the double-valued Slider in every scale and value type, and for
// LogSlider, with a live read-out of values and signals.
class SlidersPanel : public QWidget
{
    Q_OBJECT
public:
    explicit SlidersPanel(QWidget* parent = nullptr);

private:
    // Connects the slider's four signals to its read-out and the signal log.
    void watch(Quill::UI::Slider* slider, const QString& name, QLabel* readout);
    // Adds `slider` as row `row` of `grid`: its name, the slider, a live read-out.
    void addRow(QGridLayout* grid, int row, const QString& name, Quill::UI::Slider* slider);
    void log(const QString& line);

    QPlainTextEdit* m_log;
};
