#include "DockUtil_p.h"
#include "DockGeometry_p.h"

#include <QApplication>
#include <QWindow>

namespace Quill {
namespace UI {
namespace DockUtil {

bool Contains(const QWidget* outer, const QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        if (w == outer)
            return true;
    }
    return false;
}

bool HasFocusInside(const QWidget* w)
{
    return w && Contains(w, QApplication::focusWidget());
}

bool ReleaseFocus(QWidget* page)
{
    // The window's focus child, which it keeps even while it is not active; a
    // page carrying it away would leave the window pointing at a widget that the
    // host may delete.
    QWidget* focus = page ? page->window()->focusWidget() : nullptr;
    if (!focus || (focus != page && !page->isAncestorOf(focus)))
        return false;
    focus->clearFocus();
    return true;
}

QWidget* FindDescendant(const QObject* parent, const QString& name)
{
    // Widgets only ever have widget parents, so non-widget children (layouts,
    // actions) need not be entered: same order as findChild<QWidget*>, less work.
    const QObjectList& children = parent->children();
    for (QObject* child : children) {
        if (child->isWidgetType() && child->objectName() == name)
            return static_cast<QWidget*>(child);
    }
    for (QObject* child : children) {
        if (!child->isWidgetType())
            continue;
        if (QWidget* found = FindDescendant(child, name))
            return found;
    }
    return nullptr;
}

namespace {

void mapNames(const QObject* parent, QHash<QString, QWidget*>& out)
{
    // The same visiting order as FindDescendant: the first widget met keeps the name.
    const QObjectList& children = parent->children();
    for (QObject* child : children) {
        if (child->isWidgetType() && !out.contains(child->objectName()))
            out.insert(child->objectName(), static_cast<QWidget*>(child));
    }
    for (QObject* child : children) {
        if (child->isWidgetType())
            mapNames(child, out);
    }
}

} // namespace

QHash<QString, QWidget*> NameMap(const QList<const QWidget*>& roots)
{
    QHash<QString, QWidget*> out;
    for (const QWidget* root : roots)
        mapNames(root, out);
    return out;
}

void Activate(QWidget* window)
{
    window->raise();
    if (window == QApplication::activeWindow())
        return;
    if (QWindow* handle = window->windowHandle())
        handle->requestActivate();
    else
        window->activateWindow();
}

void ShowFloating(QWidget* window, QSize size, QPoint pos)
{
    window->move(pos);
    window->resize(size.expandedTo(QSize(DockGeometry::kMinFloatingWidth, DockGeometry::kMinFloatingHeight)));
    window->show();
    Activate(window);
}

} // namespace DockUtil
} // namespace UI
} // namespace Quill
