#pragma once

#include <QuillCoreExport.h>

#include <QRect>

class QMainWindow;
class QString;
class QWidget;

namespace Quill {
namespace UI {

// Static helpers that place top-level widgets on screen, switch full-screen mode and
// give floating windows their style. GUI thread only. The geometry decisions live in
// WindowPlacement (pure functions) so that they can be tested without a screen.
class QUILL_CORE_EXPORT WidgetUtils
{
public:
    // Not read by the library; kept so hosts can record which flavour of floating
    // window they asked for.
    enum FloatingWindowHint {
        kFloatingWindowDefault = 0,
        kFloatingWindowTool = 1,
        kFloatingWindowNormal = 2
    };
    static FloatingWindowHint _floatingWindowHint;

    // Moves `widget` directly below `anchor` (when given), shows it, then pulls its
    // right and bottom edges back onto the available area of its screen.
    static void MoveWidgetNotObscuringWidget(QWidget* widget, QWidget* anchor);

    // Places `widget` beside `rect` (global coordinates) without covering it, then
    // raises and activates it. Leaves it alone when there is no room anywhere.
    static void MoveWidgetNearRect(QWidget* widget, QRect& rect);

    // Tool window with title, system menu, minimise and maximise buttons.
    // `parent` is accepted for symmetry with the other helpers and not used.
    static void SetFloatingWindowStyle(QWidget* window, QWidget* parent);

    static bool GetFullscreen(const QWidget* window);
    // Leaving full screen fits the window back onto its screen's available area.
    // `mainWindow` is not used.
    static void SetFullscreen(QWidget* window, bool on, const QMainWindow* mainWindow);
    static void ToggleFullscreen(QWidget* window, const QMainWindow* mainWindow);

    static void SetFixedWidthForString(QWidget* widget, const QString& text);
};

} // namespace UI
} // namespace Quill
