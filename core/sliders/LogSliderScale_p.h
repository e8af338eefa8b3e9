#pragma once

#include <QuillCoreExport.h>

#include <QString>
#include <QVector>

#include <functional>

namespace Quill {
namespace UI {

// One mark of a LogSlider's scale: k times a power of ten, k = 1..10.
struct QUILL_CORE_AUTOTEST_EXPORT LogSliderMark {
    int pos = 0;               // pixel along the groove
    double value = 0.0;
    bool power = false;        // k is 1 or 10: drawn in the power-of-ten colour
    bool ticked = false;       // the tick table shows it (the handle may still cover it)
    QString label;             // empty: no label
    bool leftAligned = true;   // the label starts at pos; false: it ends there
};

// The arithmetic of a LogSlider: integer slider positions are the base-10 logarithm
// of the real value times the precision (positions per decade). Tick layout works
// on the slider's current integer range (sliderMinimum..sliderMaximum), which is
// minExp * precision .. maxExp * precision unless the caller changed it.
// A precision of 0 stands for "no real range yet": every function then returns a
// harmless value (documented below) instead of dividing by zero. Plain value; any
// thread may use its own copy.
class QUILL_CORE_AUTOTEST_EXPORT LogSliderScale
{
public:
    LogSliderScale(int minExp, int maxExp, int precision, int sliderMinimum, int sliderMaximum);

    int minExp() const { return m_minExp; }
    int maxExp() const { return m_maxExp; }
    int precision() const { return m_precision; }
    double minReal() const { return m_minReal; }
    double maxReal() const { return m_maxReal; }

    // 10 to the power (position / precision); 0 without a range.
    double realValue(int position) const;
    // (int)(log10(real clamped to minReal..maxReal) * precision), truncated toward
    // zero; a NaN counts as minReal. The slider minimum without a range.
    int sliderValue(double real) const;

    // Pixel of `real` along a groove of `length` pixels (negative when the groove
    // runs upwards) starting at `offset`; `offset` without a range or when the
    // slider range is empty.
    int tickPosition(double real, int offset, int length) const;

    // Which of the digits 1, 2, ..., 10 of a decade (table index 0..9) get a tick on
    // a groove of `length` pixels: 1 and 10 always, 5, 3, 7, 2, 4, 6, 8, 9 only when
    // more than `distance` pixels from their neighbours of the previous round.
    void preprocessTicks(bool visible[10], int length, int distance) const;

    // Every mark from 1 times 10^minExp to 10^maxExp along a groove of `length`
    // pixels from `start` (negative when it runs upwards), in painting order; `text`
    // formats a label, `width` measures one. Ticks follow preprocessTicks() with a
    // distance of 4 pixels; labels are thinned per decade to three times the width
    // of the decade's own label plus 2. In the last decade a label that would run
    // into the maximum's label is dropped, its power of ten included. A power of
    // ten inside the range is one mark, 1 of its decade, labelled to the right of
    // its tick: drawing it also as 10 of the decade below would put the same label
    // on both sides of the tick.
    QVector<LogSliderMark> marks(int start, int length, const std::function<QString(double)>& text,
                                 const std::function<int(const QString&)>& width) const;

    // Truncates toward zero, except that a number within 1e-9 (relative) of a whole
    // number counts as that number, so that log10(10^0.3) * 10 gives 3, not 2.
    // Non-finite and out-of-range values are limited to the int range (NaN gives 0).
    static int Truncate(double x);

private:
    int m_minExp;
    int m_maxExp;
    int m_precision;
    int m_sliderMinimum;
    int m_sliderMaximum;
    double m_minReal;
    double m_maxReal;
};

} // namespace UI
} // namespace Quill
