// Painting and dragging costs of the sliders. A panel of 20 sliders must repaint well
// inside one frame, so one paint should stay under 0.2 ms.
#include "QtBenchmarkMain.h"
#include <sliders/LogSlider.h>
#include <sliders/Slider.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

using namespace Quill::UI;

namespace {

struct ScaleCase {
    const char* name;
    Slider::ValueType type;
    Slider::SliderMode mode;
    double minimum;
    double maximum;
    double value;
};

const ScaleCase kCases[] = {
    {"linear 0..1", Slider::kDouble, Slider::kLinear, 0, 1, 0.3},
    {"log 1..1000", Slider::kDouble, Slider::kLog, 1, 1000, 20},
    {"square 0..100", Slider::kDouble, Slider::kLog, 0, 100, 25},
    {"two-sided -25..100", Slider::kDouble, Slider::kLog, -25, 100, 10},
    {"mirrored -100..-1", Slider::kDouble, Slider::kLog, -100, -1, -10},
    {"int 0..100", Slider::kInt, Slider::kLinear, 0, 100, 42},
};

void BM_PaintSlider(benchmark::State& state)
{
    const ScaleCase& c = kCases[state.range(0)];
    const int dpr = int(state.range(1));
    state.SetLabel(QStringLiteral("%1 @%2x").arg(c.name).arg(dpr).toStdString());
    Slider slider(c.type, c.mode);
    slider.setRange(c.minimum, c.maximum);
    slider.setValue(c.value);
    slider.resize(300, 30);
    QImage image(slider.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    for (auto _ : state) {
        slider.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    // Shown as a duration: seconds per paint, printed with its unit.
    state.counters["per_paint"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PaintSlider)->ArgsProduct({{0, 1, 2, 3, 4, 5}, {1, 2}});

void BM_PaintLogSlider(benchmark::State& state)
{
    LogSlider slider(Qt::Horizontal);
    slider.setRealRange(-2, 4, 100);
    slider.setRealValue(3);
    slider.resize(300, 40);
    QImage image(slider.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        slider.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    // Shown as a duration: seconds per paint, printed with its unit.
    state.counters["per_paint"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PaintLogSlider);

// Press, 300 moves across the slot, release.
void BM_DragSlider(benchmark::State& state)
{
    const ScaleCase& c = kCases[state.range(0)];
    state.SetLabel(c.name);
    Slider slider(c.type, c.mode);
    slider.setRange(c.minimum, c.maximum);
    slider.resize(305, 30);
    const int kMoves = 300;
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 15), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&slider, &press);
        for (int i = 0; i < kMoves; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(2 + i, 15), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&slider, &move);
        }
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(302, 15), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&slider, &release);
        benchmark::DoNotOptimize(slider.value());
    }
    state.counters["per_move"] = benchmark::Counter(double(state.iterations()) * kMoves,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DragSlider)->DenseRange(0, 5);

} // namespace

QUILL_BENCHMARK_MAIN()
