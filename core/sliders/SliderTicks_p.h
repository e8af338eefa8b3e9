#pragma once

#include <QuillCoreExport.h>

#include <QRect>
#include <QSize>
#include <QVector>
#include <Qt>

namespace Quill {
namespace UI {

class SliderScale;

// One tick of a slider's scale: where it goes, how long it is and whether its value
// gets a label.
struct QUILL_CORE_AUTOTEST_EXPORT SliderTick {
    int pixel = 0;          // along the slider's axis (x when horizontal, y when vertical)
    int length = 0;         // pixels across the tick slot
    double value = 0.0;     // what the label shows
    bool labelled = false;

    bool operator==(const SliderTick& o) const
    {
        return pixel == o.pixel && length == o.length && value == o.value && labelled == o.labelled;
    }
};

// Which values of a slider's scale get a tick, which of them get a label and at
// which pixel, for the three kinds of scale. Pure functions of the scale, the tick
// slot and the minimum pixel distance between ticks (`separation`; values below 1
// act as 1). Every routine runs in bounded time for any finite range, however huge
// or tiny, and never converts a non-finite number to an integer. Tick values are
// computed from their index, so long scales show exact decimals. Any thread.
class QUILL_CORE_AUTOTEST_EXPORT SliderTicks
{
public:
    // The tick slot along the slider's axis.
    struct Slot {
        int start = 0;          // pixel of the minimum: slot left, or bottom when vertical
        int end = 0;            // pixel of the maximum: slot right, or top when vertical
        int cross = 0;          // pixels across the slot
        bool vertical = false;

        // Pixels along the slot (right - left + 1 or bottom - top + 1); 0 or less
        // for a slot too small to hold ticks.
        int length() const { return vertical ? start - end + 1 : end - start + 1; }
    };

    static Slot FromTickRect(const QRect& ticks, Qt::Orientation orientation);

    // Pixel of `value` clamped into the slot: (int)((1 - p) * start + end * p).
    static int Place(const SliderScale& scale, const Slot& slot, double value);

    // Linear scale: ticks at whole multiples of the smallest power of ten that spans
    // more than `separation` pixels, strictly above the minimum and ending
    // separation / 2 pixels short of the slot end; every tenth multiple is a major
    // (full-length, labelled) tick; the other labels are thinned so they have room.
    static QVector<SliderTick> Linear(const SliderScale& scale, const Slot& slot, int separation);

    // Which leading digits 1..9 of each decade get a tick and a label on a
    // logarithmic scale with `pixelsPerLn` pixels per unit of natural logarithm: a
    // digit is ticked when the pixels from it past the next ticked digit exceed the
    // separation, and labelled when it is ticked and lies more than 25 pixels below
    // the next labelled digit (or the next decade).
    // Indexed by digit; index 0 is unused and left false; 1 is always set.
    static void LogTables(double pixelsPerLn, int separation, bool tick[10], bool label[10]);

    // Logarithmic scale (both ends on the same side of zero): digits 1..9 of each
    // decade as LogTables() allows, whole decades thinned when they are narrower
    // than the separation. Ticks closer than `separation` to either end are left
    // out. `tick` and `label` receive the tables used. A range that touches or
    // crosses zero has no logarithmic ticks (empty result, tables cleared).
    static QVector<SliderTick> Log(const SliderScale& scale, const Slot& slot, int separation,
                                   bool tick[10], bool label[10]);

    // Square-root scale from zero, two-sided across zero, or a mirrored negative
    // range: a labelled "0" where zero lies inside the slot, then per decade of
    // each side the digits its pixel width has room for (whole numbers only on an
    // integer scale).
    static QVector<SliderTick> Square(const SliderScale& scale, const Slot& slot, int separation);

    // Whether a tick label of `textSize` placed at `pixel` (starting there when
    // horizontal, ending there when vertical) keeps clear of the minimum's and the
    // maximum's labels at the ends of the label slot `labels`, whose texts measure
    // `minimumSize` and `maximumSize`; `gap` pixels must stay free between them.
    static bool LabelClearOfEnds(int pixel, QSize textSize, const QRect& labels, QSize minimumSize,
                                 QSize maximumSize, bool vertical, int gap = 2);
};

} // namespace UI
} // namespace Quill
