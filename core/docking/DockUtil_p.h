#pragma once

#include <QuillCoreExport.h>

#include "Dock.h"
#include "DockSplitter.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

class QObject;
class QWidget;

namespace Quill {
namespace UI {

// Helpers the docking classes share: walking the splitter tree, name lookups,
// focus and floating-window chores. GUI thread only.
namespace DockUtil {

// Calls `fn(Dock*)` for every dock under `splitter`, depth first, children in
// index order; stops as soon as `fn` returns false, and then returns false.
template <typename Fn>
bool ForEachDock(const QSplitter* splitter, Fn&& fn)
{
    for (int i = 0; i < splitter->count(); ++i) {
        QWidget* child = splitter->widget(i);
        if (auto* nested = dynamic_cast<DockSplitter*>(child)) {
            if (!ForEachDock(nested, fn))
                return false;
        } else if (auto* dock = qobject_cast<Dock*>(child)) {
            if (!fn(dock))
                return false;
        }
    }
    return true;
}

// True when `w` is `outer` or lies inside it (same window or not).
QUILL_CORE_AUTOTEST_EXPORT bool Contains(const QWidget* outer, const QWidget* w);

// True when the application's focus widget lies inside `w`.
QUILL_CORE_AUTOTEST_EXPORT bool HasFocusInside(const QWidget* w);

// Clears the focus of `page`'s window when it lies inside `page`, so that the
// window keeps no focus pointer into a page that is about to leave it. Returns
// whether it did.
QUILL_CORE_AUTOTEST_EXPORT bool ReleaseFocus(QWidget* page);

// The first descendant widget of `parent` named `name`, in the order of Qt's
// recursive findChild (all direct children first, then each child's subtree).
QUILL_CORE_AUTOTEST_EXPORT QWidget* FindDescendant(const QObject* parent, const QString& name);

// Every name under `roots` mapped to the widget a FindDescendant over the roots
// in turn would return for it: one walk answers any number of lookups.
QUILL_CORE_AUTOTEST_EXPORT QHash<QString, QWidget*> NameMap(const QList<const QWidget*>& roots);

// Brings `window` to the front and makes it the active window. QWidget's
// activateWindow() does nothing for a floating window whose transient parent is
// active, so the platform window is asked directly.
QUILL_CORE_AUTOTEST_EXPORT void Activate(QWidget* window);

// Shows a new floating window at `pos` with at least the smallest floating size,
// and activates it.
QUILL_CORE_AUTOTEST_EXPORT void ShowFloating(QWidget* window, QSize size, QPoint pos);

} // namespace DockUtil
} // namespace UI
} // namespace Quill
