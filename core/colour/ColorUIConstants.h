#pragma once

#include <QuillCoreExport.h>

#include <QColor>

namespace Quill {
namespace UI {

// Shared constants of the colour widgets.
class QUILL_CORE_EXPORT ColorUIConstants
{
public:
    // The colour component a ColorSlider shows and edits. Values are fixed.
    enum Component {
        kRed = 0,
        kGreen = 1,
        kBlue = 2,
        kHue = 3,
        kSaturation = 4,
        kValue = 5,
        kTemperature = 6,
        kMagentaGreen = 7,
        kIntensity = 8,
        kAlpha = 9,
    };

    // Opaque track colours of the component sliders.
    static QColor red() { return QColor(195, 75, 75); }
    static QColor green() { return QColor(91, 156, 91); }
    static QColor blue() { return QColor(51, 103, 169); }
    static QColor grey() { return QColor(155, 149, 149); }
    static QColor orange() { return QColor(247, 147, 30); }
};

} // namespace UI
} // namespace Quill
