#pragma once

#include <QString>

class GalleryWindow;

namespace Gallery {

// Drags the main pane's second tab through the gallery's workspace with scripted
// mouse events (press, reorder, tear-off, over a pane, over its left edge with
// split-by-dragging on, drop) and saves a picture of the workspace's windows after
// each step into `dir` (drag-1-press.png ...), so that the dragged tab, the
// torn-off page and the overlay can be seen. Returns the process exit code.
int RunDragDemo(GalleryWindow& window, const QString& dir);

} // namespace Gallery
