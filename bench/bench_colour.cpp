// Colour wheel and colour slider costs. Targets, per operation at 400 px:
//   first paint of the first wheel, texture build included      <= 10 ms
//   repaint with nothing changed, every look, 1x and 2x          <= 0.25 ms
//   hue change plus repaint                                      <= 1 ms
//   one wheel drag move, three attached sliders repainted        <= 2 ms
//   ColorSlider repaint, 300 px                                  <= 0.05 ms
#include "QtBenchmarkMain.h"
#include <colour/ColorControl.h>
#include <colour/ColorSlider.h>
#include <colour/ColorWheel.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <ctime>
#include <memory>

using namespace Quill::UI;

namespace {

const char* const kModeNames[] = {"wheel", "ring and square", "value ring", "embedded"};

void PerOperation(benchmark::State& state, const char* name, double perIteration = 1.0)
{
    state.counters[name] = benchmark::Counter(double(state.iterations()) * perIteration,
                                              benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

QImage Target(QWidget& w, int dpr)
{
    QImage image(w.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

// A wheel for one WheelCases row (mode, side, pixel ratio), labelled, with its target image.
struct WheelCase {
    ColorWheel wheel;
    QImage image;
    explicit WheelCase(benchmark::State& state)
        : wheel(nullptr, ColorWheel::DisplayMode(state.range(0)))
    {
        const int mode = int(state.range(0)), side = int(state.range(1)), dpr = int(state.range(2));
        state.SetLabel(QStringLiteral("%1 %2 px @%3x").arg(kModeNames[mode]).arg(side).arg(dpr).toStdString());
        if (mode != ColorWheel::kEmbedded)
            wheel.resize(side, side);
        image = Target(wheel, dpr);
    }
};

// Must run first: the texture is built once per process, at the first paint.
void BM_FirstPaintWithTexture(benchmark::State& state)
{
    // Qt's own first-use costs (fonts, painter set-up) are paid by another widget.
    ColorSlider warmUp(ColorUIConstants::kHue, Qt::Horizontal);
    QImage warmUpImage = Target(warmUp, 1);
    warmUp.render(&warmUpImage);
    for (auto _ : state) {
        ColorWheel wheel(nullptr);
        wheel.resize(400, 400);
        QImage image = Target(wheel, 1);
        // Thread CPU time: on a shared machine wall time measures the neighbours.
        timespec start{}, end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        wheel.render(&image);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        state.SetIterationTime(double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) * 1e-9);
    }
}
BENCHMARK(BM_FirstPaintWithTexture)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// A wheel's first paint once the texture exists: its disc and shading are drawn.
void BM_FirstPaint(benchmark::State& state)
{
    WheelCase c(state);
    ColorWheel& wheel = c.wheel;
    QImage& image = c.image;
    float rotation = 0;
    for (auto _ : state) {
        wheel.setHueRotation(rotation += 0.01f);   // a new disc every time
        wheel.render(&image);
    }
    PerOperation(state, "per_paint");
}

void BM_RepaintUnchanged(benchmark::State& state)
{
    WheelCase c(state);
    ColorWheel& wheel = c.wheel;
    QImage& image = c.image;
    wheel.setHSV(0.3f, 0.6f, 0.8f);
    wheel.render(&image);
    for (auto _ : state)
        wheel.render(&image);
    PerOperation(state, "per_paint");
}

void BM_HueChange(benchmark::State& state)
{
    WheelCase c(state);
    ColorWheel& wheel = c.wheel;
    QImage& image = c.image;
    wheel.setHSV(0.3f, 0.6f, 0.8f);
    wheel.render(&image);
    float hue = 0;
    for (auto _ : state) {
        wheel.setHue(hue += 0.013f);
        wheel.render(&image);
    }
    PerOperation(state, "per_change");
}

void WheelCases(benchmark::internal::Benchmark* b)
{
    for (int mode : {0, 1, 2})
        for (int side : {200, 400})
            for (int dpr : {1, 2})
                b->Args({mode, side, dpr});
    b->Args({3, 89, 1})->Args({3, 89, 2});
}
BENCHMARK(BM_FirstPaint)->Apply(WheelCases);
BENCHMARK(BM_RepaintUnchanged)->Apply(WheelCases);
BENCHMARK(BM_HueChange)->Apply(WheelCases);

// 300 moves across a 400 px wheel (hue and saturation) driving a controller with
// three sliders; after each move the wheel and the sliders repaint.
void BM_DragWithSliders(benchmark::State& state)
{
    const int dpr = int(state.range(0));
    ColorControl control(nullptr);
    ColorWheel wheel(nullptr);
    wheel.resize(400, 400);
    QObject::connect(&wheel, SIGNAL(hsvChanged(float, float, float)), &control, SLOT(hsvChanged(float, float, float)));
    std::unique_ptr<ColorSlider> sliders[] = {
        std::unique_ptr<ColorSlider>(control.createRedSlider(Qt::Horizontal)),
        std::unique_ptr<ColorSlider>(control.createVerticalValueSlider()),
        std::unique_ptr<ColorSlider>(control.createVerticalTemperatureSlider())};
    QImage images[4];
    images[0] = Target(wheel, dpr);
    for (int k = 0; k < 3; ++k) {
        sliders[k]->resize(k == 0 ? QSize(300, 30) : QSize(40, 300));
        images[k + 1] = Target(*sliders[k], dpr);
    }
    const int kMoves = 300;
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(60, 200), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&wheel, &press);
        for (int i = 0; i < kMoves; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(60 + i, 200 - i / 3), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(&wheel, &move);
            wheel.render(&images[0]);
            for (int k = 0; k < 3; ++k)
                sliders[k]->render(&images[k + 1]);
        }
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(360, 100), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&wheel, &release);
    }
    PerOperation(state, "per_move", kMoves);
}
BENCHMARK(BM_DragWithSliders)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ColorSliderPaint(benchmark::State& state)
{
    const auto component = ColorUIConstants::Component(state.range(0));
    const int dpr = int(state.range(1));
    ColorSlider slider(component, Qt::Horizontal);
    slider.resize(300, 30);
    slider.setValue(0.4);
    state.SetLabel(QStringLiteral("component %1 @%2x").arg(int(component)).arg(dpr).toStdString());
    QImage image = Target(slider, dpr);
    for (auto _ : state)
        slider.render(&image);
    PerOperation(state, "per_paint");
}
BENCHMARK(BM_ColorSliderPaint)->ArgsProduct({{ColorUIConstants::kRed, ColorUIConstants::kHue, ColorUIConstants::kTemperature}, {1, 2}});

} // namespace

QUILL_BENCHMARK_MAIN()
