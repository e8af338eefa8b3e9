#include "SliderTicks_p.h"

#include "SliderScale_p.h"
#include "Pow10_p.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Quill {
namespace UI {

namespace {

// Decimal exponents beyond these have no finite, non-zero double anyway; clamping
// to them bounds every decade loop.
constexpr int kLowestExponent = -330;
constexpr int kHighestExponent = 330;

// (int)x for a double known to be whole or to be truncated, limited to lo..hi;
// NaN gives lo. Keeps every integer conversion defined.
int ToInt(double x, int lo, int hi)
{
    if (!(x >= lo))
        return lo;
    if (x > hi)
        return hi;
    return static_cast<int>(x);
}

// n * 10^e, dividing by the exact power for negative exponents so that 3 * 10^-1
// is the double nearest 0.3.
double Decimal(double n, int e)
{
    return e >= 0 ? n * Pow10(e) : n / Pow10(-e);
}

bool FarFromEnds(int pixel, const SliderTicks::Slot& slot, int sep)
{
    return std::abs(pixel - slot.start) >= sep && std::abs(pixel - slot.end) >= sep;
}

} // namespace

SliderTicks::Slot SliderTicks::FromTickRect(const QRect& ticks, Qt::Orientation orientation)
{
    Slot slot;
    slot.vertical = orientation == Qt::Vertical;
    if (slot.vertical) {
        slot.start = ticks.bottom();
        slot.end = ticks.top();
        slot.cross = ticks.right() - ticks.left() + 1;
    } else {
        slot.start = ticks.left();
        slot.end = ticks.right();
        slot.cross = ticks.bottom() - ticks.top() + 1;
    }
    return slot;
}

int SliderTicks::Place(const SliderScale& scale, const Slot& slot, double value)
{
    const double p = scale.valueToPosition(value, true);   // 0..1, never NaN
    return static_cast<int>((1.0 - p) * slot.start + slot.end * p);
}

QVector<SliderTick> SliderTicks::Linear(const SliderScale& scale, const Slot& slot, int separation)
{
    QVector<SliderTick> ticks;
    const int sep = std::max(1, separation);
    const int len = slot.length();
    const double minimum = scale.minimum();
    const double maximum = scale.maximum();
    const double range = maximum - minimum;
    if (range == 0.0 || len <= 0)
        return ticks;

    const double vpp = range / len;
    const double ppv = len / range;
    // The direct formulas work unless the range overflows or is so small that its
    // reciprocal does; the fallback works on halved values and logarithms.
    const bool direct = std::isfinite(range) && std::isfinite(ppv) && sep * vpp > 0.0;
    const double halfRange = maximum * 0.5 - minimum * 0.5;
    auto pixels = [&](double v) {
        return direct ? (v - minimum) * ppv : (v * 0.5 - minimum * 0.5) / halfRange * len;
    };

    const double lg = direct ? std::log10(sep * vpp)
                             : std::log10(double(sep)) + std::log10(halfRange)
                                   + std::log10(2.0) - std::log10(double(len));
    int e = ToInt(std::floor(lg), kLowestExponent, kHighestExponent) + 1;
    if (scale.isInteger() && e < 0)
        e = 0;
    const double unit = Pow10(e);
    if (!(unit > 0.0) || !std::isfinite(unit))
        return ticks;

    const double spacing = std::floor(direct ? unit * ppv : unit * 0.5 / halfRange * len);
    if (!(spacing >= 1.0))
        return ticks;
    const int labelDivisor = spacing > 25 ? 1 : spacing > 12 ? 2 : spacing > 6 ? 5 : 100;

    const double scaledMinimum = e < 0 ? minimum * Pow10(-e) : minimum / Pow10(e);
    const double firstIndex = std::floor(scaledMinimum) + 1.0;
    const int last = slot.vertical ? slot.end + sep / 2 : slot.end - sep / 2;
    const int across = slot.cross;

    // Ticks are more than `sep` pixels apart, so at most len / sep + 1 fit; the
    // bound also stops the loop when huge indices no longer change under + 1.
    const int maxCount = len / sep + 2;
    double previous = 0.0;
    for (int k = 0; k < maxCount; ++k) {
        const double n = firstIndex + k;
        if (k > 0 && n == previous)
            break;
        previous = n;
        const double v = Decimal(n, e);
        const double x = pixels(v);
        if (!(x <= len + 1.0))
            break;
        const double along = std::max(x, -1.0);
        const int pixel = slot.vertical ? static_cast<int>(std::floor(slot.start - along))
                                        : static_cast<int>(std::floor(slot.start + along));
        if (slot.vertical ? pixel < last : pixel > last)
            break;
        const bool major = std::fmod(n, 10.0) == 0.0;
        SliderTick tick;
        tick.pixel = pixel;
        tick.length = major ? across : across / 2;
        tick.value = v;
        tick.labelled = major || std::fmod(n, double(labelDivisor)) == 0.0;
        ticks.append(tick);
    }
    return ticks;
}

void SliderTicks::LogTables(double pixelsPerLn, int separation, bool tick[10], bool label[10])
{
    const int sep = std::max(1, separation);
    double gap[11] = {};
    for (int d = 1; d <= 10; ++d)
        gap[d] = pixelsPerLn * std::log(double(d + 1) / d);

    std::fill(tick, tick + 10, false);
    std::fill(label, label + 10, false);
    tick[1] = label[1] = true;
    for (int d = 9; d >= 2; --d) {
        // Pixels from d to the next digit already shown (or to the next decade),
        // summed in single precision like the rest of the scale's layout.
        float sum = 0.0f;
        for (int j = d;; ++j) {
            sum += float(gap[j]);
            if (j == 10 || (j > d && tick[j]))
                break;
        }
        tick[d] = sum > sep;
        // A label needs 25 pixels up to the next labelled digit (or the next decade,
        // whose 1 is always labelled); the distance is measured afresh so that
        // labels such as "400" and "500" cannot run into each other.
        float room = 0.0f;
        for (int j = d; j < 10; ++j) {
            room += float(gap[j]);
            if (j + 1 < 10 && label[j + 1])
                break;
        }
        label[d] = tick[d] && room > 25;
    }
}

QVector<SliderTick> SliderTicks::Log(const SliderScale& scale, const Slot& slot, int separation,
                                     bool tick[10], bool label[10])
{
    QVector<SliderTick> ticks;
    std::fill(tick, tick + 10, false);
    std::fill(label, label + 10, false);
    const int sep = std::max(1, separation);
    const int len = slot.length();
    if (scale.maximum() == scale.minimum() || len <= 0)
        return ticks;

    const bool mirrored = scale.maximum() < 0.0;
    const double lo = mirrored ? -scale.maximum() : scale.minimum();
    const double hi = mirrored ? -scale.minimum() : scale.maximum();
    if (!(lo > 0.0))
        return ticks;

    const int eLo = ToInt(std::floor(std::log10(lo)), kLowestExponent, kHighestExponent);
    const int eHi = ToInt(std::floor(std::log10(hi)), kLowestExponent, kHighestExponent);
    const double ratio = hi / lo;
    const double lnRatio = std::isfinite(ratio) ? std::log(ratio) : std::log(hi) - std::log(lo);
    if (!(lnRatio > 0.0))
        return ticks;
    const double ppd = len / lnRatio;
    const int decadeStep = std::max(1, ToInt(std::floor(sep / ppd), 1, kHighestExponent - kLowestExponent));

    LogTables(ppd, sep, tick, label);

    for (int e = eLo; e <= eHi; e += decadeStep) {
        for (int d = 1; d <= 9; ++d) {
            if (!tick[d])
                continue;
            const double v = Decimal(mirrored ? -d : d, e);
            const int pixel = Place(scale, slot, v);
            if (!FarFromEnds(pixel, slot, sep))
                continue;
            SliderTick t;
            t.pixel = pixel;
            t.length = d == 1 ? slot.cross : slot.cross / 2;
            t.value = v;
            t.labelled = label[d];
            ticks.append(t);
        }
    }
    return ticks;
}

QVector<SliderTick> SliderTicks::Square(const SliderScale& scale, const Slot& slot, int separation)
{
    QVector<SliderTick> ticks;
    const int sep = std::max(1, separation);
    const int len = slot.length();
    const double minimum = scale.minimum();
    const double maximum = scale.maximum();
    if (maximum == minimum || len <= 0)
        return ticks;

    const double z = scale.valueToPosition(0.0, false);
    if (minimum != 0.0 && maximum != 0.0 && z >= 0.0 && z <= 1.0) {
        const int pixel = static_cast<int>((1.0 - z) * slot.start + slot.end * z);
        if (std::abs(pixel - slot.start) > sep && std::abs(pixel - slot.end) > sep) {
            SliderTick t;
            t.pixel = pixel;
            t.length = slot.cross;
            t.value = 0.0;
            t.labelled = true;
            ticks.append(t);
        }
    }

    // Smallest magnitude worth ticking: the value `sep` pixels beyond zero. When
    // zero sits at the maximum (a range ending at 0) look the other way instead.
    // Measured on the unrounded curve: an integer scale would round it to 0 and
    // show no ticks at all; it ticks whole numbers only instead.
    const SliderScale curve(minimum, maximum, false, scale.isNonLinear());
    auto magnitudeAt = [&](double pixels) {
        double m = std::fabs(curve.positionToValue(z + pixels / len));
        if (!(m > 0.0) && minimum < 0.0)
            m = std::fabs(curve.positionToValue(z - pixels / len));
        return m;
    };
    const double s1 = magnitudeAt(sep);
    if (!(s1 > 0.0))
        return QVector<SliderTick>();
    int eMin = ToInt(std::ceil(std::log10(s1)), kLowestExponent, kHighestExponent);
    if (scale.isInteger())
        eMin = std::max(eMin, 0);
    // A range below zero (mirrored logarithmic) starts inside the decade of its
    // maximum: tick the rest of that decade too, or -100..-25 would show nothing.
    if (maximum < 0.0)
        eMin = ToInt(std::floor(std::log10(-maximum)), kLowestExponent, kHighestExponent);
    const double labelMagnitude = magnitudeAt(25);
    const int eLabel = labelMagnitude > 0.0
        ? ToInt(std::ceil(std::log10(labelMagnitude)), kLowestExponent, kHighestExponent)
        : kHighestExponent + 1;

    const double extents[2] = {-minimum, maximum};
    const double signs[2] = {-1.0, 1.0};
    for (int side = 0; side < 2; ++side) {
        const double extent = extents[side];
        const double sign = signs[side];
        if (!(extent > 0.0))
            continue;
        const int eMax = ToInt(std::floor(std::log10(extent)), kLowestExponent, kHighestExponent);
        for (int e = eMin; e <= eMax; ++e) {
            // Pixel width of the last digit step of this decade, times ten: measured
            // on the side being drawn, whose scale may differ from the other's.
            const double span = std::fabs(scale.valueToPosition(Decimal(sign * 10.0, e), false)
                                          - scale.valueToPosition(Decimal(sign * 9.0, e), false))
                                * len * 10.0;
            const int n = ToInt(span / sep, 0, 10);
            const int tickDivisor = 10 / (n < 2 ? 1 : n);
            const int m = ToInt(span / 25.0, 0, 10);
            const int labelDivisor = 10 / (m > 1 ? m : 1);
            for (int d = 1; d <= 9; ++d) {
                if (d != 1 && d % tickDivisor != 0)
                    continue;
                const double v = Decimal(sign * d, e);
                const int pixel = Place(scale, slot, v);
                if (!FarFromEnds(pixel, slot, sep))
                    continue;
                SliderTick t;
                t.pixel = pixel;
                t.length = (e == eMin || d != 1) ? slot.cross / 2 : slot.cross;
                t.value = v;
                t.labelled = (d == 1 && e >= eLabel) || (10 - d) % labelDivisor == 0;
                ticks.append(t);
            }
        }
    }
    return ticks;
}

bool SliderTicks::LabelClearOfEnds(int pixel, QSize textSize, const QRect& labels, QSize minimumSize,
                                   QSize maximumSize, bool vertical, int gap)
{
    if (vertical) {
        // Labels sit on their tick, bottom at the pixel; minimum at the bottom of
        // the slot, maximum at its top.
        const int top = pixel - textSize.height() + 1;
        return pixel <= labels.bottom() - minimumSize.height() - gap
               && top >= labels.top() + maximumSize.height() + gap;
    }
    const int right = pixel + textSize.width() - 1;
    return pixel >= labels.left() + minimumSize.width() + gap
           && right <= labels.right() - maximumSize.width() - gap;
}

} // namespace UI
} // namespace Quill
