#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace UI {

// What the host implements to hear a ColorControl: user edits through any of the
// controller's widgets, and the start of a drag (for undo grouping, say). Host
// edits (ColorControl::setColorRGBA) are not reported back.
class QUILL_CORE_EXPORT IColorControlClient
{
public:
    IColorControlClient() = default;
    IColorControlClient(const IColorControlClient&) {}
    IColorControlClient& operator=(const IColorControlClient&) { return *this; }
    virtual ~IColorControlClient();

    virtual void colorChanged(float red, float green, float blue, float alpha) = 0;
    virtual void dragStarted() = 0;
};

} // namespace UI
} // namespace Quill
