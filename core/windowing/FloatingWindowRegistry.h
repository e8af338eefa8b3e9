#pragma once

#include <QuillCoreExport.h>

#include <QList>
#include <QObject>

class QWidget;

namespace Quill {
namespace UI {

// Keeps a set of windows and forgets each one as it is destroyed. Does not own
// the windows. GUI thread only.
class QUILL_CORE_EXPORT FloatingWindowRegistry : public QObject
{
    Q_OBJECT
public:
    FloatingWindowRegistry();
    ~FloatingWindowRegistry() override;

    // Adding a listed window again is a no-op (no second connection).
    void addWindow(QWidget* window);
    void removeWindow(QWidget* window);

protected:
    // Non-owning; entries leave on destroyed(), so none is ever dangling.
    QList<QWidget*> m_windows;

public slots:
    void windowDestroyed(QObject* window);
};

} // namespace UI
} // namespace Quill
