#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace UI {

// Mix-in carrying one flag: whether the window takes part in the workspace's
// window snapping. The docking workspace keeps it true exactly for its main window
// and the floating windows it has registered.
class QUILL_CORE_EXPORT SnappableWindow
{
public:
    SnappableWindow() = default;
    SnappableWindow(const SnappableWindow&) = default;
    SnappableWindow& operator=(const SnappableWindow&) = default;
    virtual ~SnappableWindow();

    void setSnapEnabled(bool enabled) { m_snapEnabled = enabled; }
    bool snapEnabled() const { return m_snapEnabled; }

private:
    bool m_snapEnabled = true;
};

} // namespace UI
} // namespace Quill
