// libFuzzer entry for the layout reader. Any input must be read without a crash and
// at bounded cost; a layout that reads must write back to a document that reads to
// the same layout again, and its windows must be placed without overflow.
#include <docking/DockLayout_p.h>
#include <windowing/WindowPlacement_p.h>

#include <QBuffer>

#include <cstdlib>

using namespace Quill::UI;

namespace {

QByteArray written(const DockLayout::Layout& layout)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    DockLayout::Write(layout, &out);
    return out.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DockLayout::ReadResult read = DockLayout::Read(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    if (!read.ok())
        return 0;
    const QByteArray once = written(read.layout);
    const DockLayout::ReadResult again = DockLayout::Read(once);
    if (!again.ok() || written(again.layout) != once)
        std::abort();
    static const QVector<QRect> screens{{0, 0, 1920, 1080}, {1920, -200, 1280, 1024}};
    for (const DockLayout::Window& w : read.layout.windows) {
        for (bool fit : {false, true})
            WindowPlacement::PlaceRestored(w.x, w.y, w.w, w.h, w.screen, w.maximized, w.fullscreen, fit, screens);
    }
    return 0;
}
