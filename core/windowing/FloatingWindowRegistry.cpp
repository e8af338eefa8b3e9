#include "FloatingWindowRegistry.h"

#include <QWidget>

namespace Quill {
namespace UI {

FloatingWindowRegistry::FloatingWindowRegistry()
    : QObject(nullptr)
{
}

FloatingWindowRegistry::~FloatingWindowRegistry()
{
    // Our connections die with us; only the list needs emptying.
    m_windows.clear();
}

void FloatingWindowRegistry::addWindow(QWidget* window)
{
    if (!window || m_windows.contains(window))
        return;
    m_windows.append(window);
    connect(window, SIGNAL(destroyed(QObject*)), this, SLOT(windowDestroyed(QObject*)));
}

void FloatingWindowRegistry::removeWindow(QWidget* window)
{
    if (!window)
        return;
    m_windows.removeAll(window);
    disconnect(window, SIGNAL(destroyed(QObject*)), this, SLOT(windowDestroyed(QObject*)));
}

void FloatingWindowRegistry::windowDestroyed(QObject* window)
{
    // Only the address is compared: the QWidget part is already gone.
    m_windows.removeAll(static_cast<QWidget*>(window));
}

} // namespace UI
} // namespace Quill
