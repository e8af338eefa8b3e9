#pragma once

#include <QuillCoreExport.h>

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

class QWidget;

namespace Quill {
namespace UI {

// Object name -> widgets bearing it, over the descendants of a root widget (the
// main window) and of a set of further roots (floating windows that may live
// outside the root's tree). Answers "first widget named X in Qt's recursive child
// search order" in time independent of the size of the tree, where a plain walk
// touches every widget.
//
// Kept in step by an application-wide event filter (ChildAdded / ChildRemoved of
// every object of the GUI thread; anything but those two event types is passed on
// after one comparison) and by connections to each indexed widget's
// objectNameChanged and destroyed signals. The search order itself is not stored:
// candidates are ranked from the live tree at lookup, so raise()/lower() and other
// reorderings need no notification.
//
// Limitation: a widget renamed while its signals are blocked (QSignalBlocker) is not
// seen under its new name until it moves or is renamed again with signals on; an
// application event filter installed later that swallows ChildAdded/ChildRemoved
// hides those changes too.
//
// GUI thread only. The root and the further roots are not owned; the index must be
// destroyed before its root (DockMainWindow deletes it first thing in its
// destructor), further roots may go at any time.
class QUILL_CORE_EXPORT DockNameIndex : public QObject
{
    Q_OBJECT
public:
    explicit DockNameIndex(QWidget* root);
    ~DockNameIndex() override;

    // The further roots, in search order (DockMainWindow's floating windows). Their
    // descendants are indexed; each one that is not inside `root` is searched after
    // `root`, in list order.
    void setRoots(const QList<QWidget*>& roots);

    // The first descendant widget of the root named `name`; without one, the first
    // descendant of each further root outside the root's tree, in order. Null if none.
    // Same result as find() below for every tree.
    QWidget* find(const QString& name) const;

    // The reference walk: QObject::findChild<QWidget*>(name) order on `root`, then on
    // each of `roots` not inside `root`. O(widgets).
    static QWidget* findByWalk(const QWidget* root, const QList<QWidget*>& roots, const QString& name);
    // First widget named `name` among the descendants of `parent`, in findChild order
    // (at each object its direct children in order, then each child's subtree).
    static QWidget* findDescendantByWalk(const QObject* parent, const QString& name);

    // Order of two distinct descendants of one ancestor in Qt's recursive child
    // search, given as child-index paths from that ancestor (a = {2, 0} is the first
    // child of the ancestor's third child). Negative when `a` comes first, positive
    // when `b` does, 0 when the paths are equal. An ancestor comes before its
    // descendants; at the first branching point a direct child of that point comes
    // before anything deeper, otherwise the lower child index wins.
    static int compareSearchOrder(const QVector<int>& a, const QVector<int>& b);

    // Number of widgets indexed (named or not); for tests.
    int trackedCount() const { return m_names.size(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void widgetRenamed(const QString& name);
    void widgetDestroyed(QObject* object);
    void rootDestroyed(QObject* object);

private:
    bool inScope(const QObject* parent) const;
    void trackSubtree(QWidget* widget);
    void untrackSubtree(QObject* object);
    void track(QWidget* widget);
    void untrack(QObject* object);
    // The widgets bearing one (non-empty) name. A lookup is memory-bound, so the
    // table is open-addressed with the first widget inline: one cache miss to reach
    // a candidate instead of the three of a node-based hash holding a vector.
    struct Slot {
        QString name;               // null: free
        uint hash = 0;
        QWidget* first = nullptr;
        QVector<QWidget*> more;     // further widgets of that name (duplicates)
    };
    int slotOf(const QString& name, uint hash) const;   // -1 if absent
    void insertSlot(Slot&& slot);
    void eraseSlot(int index);
    void addToBucket(const QString& name, QWidget* widget);
    void removeFromBucket(const QString& name, const QObject* object);
    // First of the slot's widgets inside `ancestor` in search order, null if none inside it.
    QWidget* firstUnder(const QObject* ancestor, const Slot& slot) const;

    QWidget* m_root;                              // not owned
    QList<QWidget*> m_rootList;                   // not owned; removed when destroyed
    QSet<const QObject*> m_roots;
    QHash<const QObject*, QString> m_names;       // every indexed widget -> its indexed name
    QVector<Slot> m_slots;                        // power-of-two size, at most half full
    int m_slotsUsed = 0;
};

} // namespace UI
} // namespace Quill
