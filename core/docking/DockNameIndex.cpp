#include "DockNameIndex.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QMetaMethod>
#include <QVarLengthArray>
#include <QWidget>

#include <algorithm>

namespace Quill {
namespace UI {

namespace {

// Method indices for QMetaObject::connect: index connections carry no slot object,
// which matters with one pair of them per widget of the workspace.
struct Methods {
    int renamedSignal;
    int destroyedSignal;
    int renamedSlot;
    int destroyedSlot;
    int rootDestroyedSlot;
};

const Methods& methods()
{
    static const Methods m = {
        QObject::staticMetaObject.indexOfSignal("objectNameChanged(QString)"),
        QObject::staticMetaObject.indexOfSignal("destroyed(QObject*)"),
        DockNameIndex::staticMetaObject.indexOfSlot("widgetRenamed(QString)"),
        DockNameIndex::staticMetaObject.indexOfSlot("widgetDestroyed(QObject*)"),
        DockNameIndex::staticMetaObject.indexOfSlot("rootDestroyed(QObject*)"),
    };
    return m;
}

bool isInsideTree(const QObject* object, const QObject* ancestor)
{
    for (const QObject* o = object ? object->parent() : nullptr; o; o = o->parent()) {
        if (o == ancestor)
            return true;
    }
    return false;
}

using Chain = QVarLengthArray<const QObject*, 32>;

// `object` and its ancestors up to and including `top`, top first.
void chainFrom(const QObject* top, const QObject* object, Chain& out)
{
    out.clear();
    for (const QObject* o = object; o; o = o->parent()) {
        out.append(o);
        if (o == top)
            break;
    }
    std::reverse(out.begin(), out.end());
}

// Search order of two distinct objects under one common top, from their chains:
// reduced to paths from their deepest common ancestor, cut after the first step
// (one extra entry marks a path that goes on deeper), which is all the order
// depends on.
int compareChains(const Chain& a, const Chain& b)
{
    int common = 0;
    while (common < a.size() && common < b.size() && a[common] == b[common])
        ++common;
    QVector<int> pa, pb;
    const QObject* branch = a[common - 1];
    const QObjectList& siblings = branch->children();
    if (common < a.size()) {
        pa.append(siblings.indexOf(const_cast<QObject*>(a[common])));
        if (common + 1 < a.size())
            pa.append(0);
    }
    if (common < b.size()) {
        pb.append(siblings.indexOf(const_cast<QObject*>(b[common])));
        if (common + 1 < b.size())
            pb.append(0);
    }
    return DockNameIndex::compareSearchOrder(pa, pb);
}

} // namespace

DockNameIndex::DockNameIndex(QWidget* root)
    : m_root(root)
{
    methods();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
    for (QObject* child : root->children()) {
        if (child->isWidgetType())
            trackSubtree(static_cast<QWidget*>(child));
    }
}

DockNameIndex::~DockNameIndex()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    // The connections from the indexed widgets go with this object.
}

// --- reference walk and order ------------------------------------------------------

QWidget* DockNameIndex::findDescendantByWalk(const QObject* parent, const QString& name)
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
        if (QWidget* found = findDescendantByWalk(child, name))
            return found;
    }
    return nullptr;
}

QWidget* DockNameIndex::findByWalk(const QWidget* root, const QList<QWidget*>& roots, const QString& name)
{
    if (QWidget* found = findDescendantByWalk(root, name))
        return found;
    for (const QWidget* r : roots) {
        if (r == root || isInsideTree(r, root))
            continue;
        if (QWidget* found = findDescendantByWalk(r, name))
            return found;
    }
    return nullptr;
}

int DockNameIndex::compareSearchOrder(const QVector<int>& a, const QVector<int>& b)
{
    int i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (i == a.size() && i == b.size())
        return 0;
    // An ancestor is met (as a child of its parent) before anything inside it.
    if (i == a.size())
        return -1;
    if (i == b.size())
        return 1;
    // At the branching object its direct children are all checked before any
    // of their subtrees is entered.
    const bool aDirect = i + 1 == a.size();
    const bool bDirect = i + 1 == b.size();
    if (aDirect != bDirect)
        return aDirect ? -1 : 1;
    return a[i] < b[i] ? -1 : 1;
}

// --- lookup ------------------------------------------------------------------------------

QWidget* DockNameIndex::firstUnder(const QObject* ancestor, const Slot& slot) const
{
    QWidget* best = isInsideTree(slot.first, ancestor) ? slot.first : nullptr;
    Chain bestChain, chain;
    for (QWidget* candidate : slot.more) {
        if (!isInsideTree(candidate, ancestor))
            continue;
        if (!best) {
            best = candidate;
            continue;
        }
        if (bestChain.isEmpty())
            chainFrom(ancestor, best, bestChain);
        chainFrom(ancestor, candidate, chain);
        if (compareChains(chain, bestChain) < 0) {
            best = candidate;
            bestChain = chain;
        }
    }
    return best;
}

QWidget* DockNameIndex::find(const QString& name) const
{
    // Unnamed widgets are everywhere and not in the table; the walk finds the first at once.
    if (name.isEmpty())
        return findByWalk(m_root, m_rootList, name);
    const int index = slotOf(name, qHash(name));
    if (index < 0)
        return nullptr;
    const Slot& slot = m_slots.at(index);
    if (QWidget* found = firstUnder(m_root, slot))
        return found;
    for (const QWidget* r : m_rootList) {
        if (r == m_root || isInsideTree(r, m_root))
            continue;
        if (QWidget* found = firstUnder(r, slot))
            return found;
    }
    return nullptr;
}

// --- the name table ----------------------------------------------------------------------

int DockNameIndex::slotOf(const QString& name, uint hash) const
{
    if (m_slots.isEmpty())
        return -1;
    const int mask = m_slots.size() - 1;
    for (int i = int(hash) & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots.at(i);
        if (slot.name.isNull())
            return -1;
        if (slot.hash == hash && slot.name == name)
            return i;
    }
}

void DockNameIndex::insertSlot(Slot&& slot)
{
    const int mask = m_slots.size() - 1;
    int i = int(slot.hash) & mask;
    while (!m_slots.at(i).name.isNull())
        i = (i + 1) & mask;
    m_slots[i] = std::move(slot);
}

void DockNameIndex::eraseSlot(int index)
{
    // Linear probing without tombstones: pull later entries of the run back into
    // the hole unless that would put them before their home position.
    const int mask = m_slots.size() - 1;
    int hole = index;
    for (int j = (hole + 1) & mask; !m_slots.at(j).name.isNull(); j = (j + 1) & mask) {
        const int home = int(m_slots.at(j).hash) & mask;
        const bool stays = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (stays)
            continue;
        m_slots[hole] = std::move(m_slots[j]);
        hole = j;
    }
    m_slots[hole] = Slot();
    --m_slotsUsed;
}

void DockNameIndex::addToBucket(const QString& name, QWidget* widget)
{
    const uint hash = qHash(name);
    const int index = slotOf(name, hash);
    if (index >= 0) {
        m_slots[index].more.append(widget);
        return;
    }
    if (2 * (m_slotsUsed + 1) > m_slots.size()) {
        QVector<Slot> old;
        old.swap(m_slots);
        m_slots.resize(qMax(64, 2 * old.size()));
        for (Slot& s : old) {
            if (!s.name.isNull())
                insertSlot(std::move(s));
        }
    }
    Slot slot;
    slot.name = name;
    slot.hash = hash;
    slot.first = widget;
    insertSlot(std::move(slot));
    ++m_slotsUsed;
}

void DockNameIndex::removeFromBucket(const QString& name, const QObject* object)
{
    const int index = slotOf(name, qHash(name));
    if (index < 0)
        return;
    Slot& slot = m_slots[index];
    // Compared as QObjects: a widget reported destroyed may be one no longer.
    if (static_cast<const QObject*>(slot.first) == object) {
        if (slot.more.isEmpty()) {
            eraseSlot(index);
            return;
        }
        slot.first = slot.more.takeLast();
        return;
    }
    // Order carries no meaning: the search order is read from the tree.
    for (int i = slot.more.size() - 1; i >= 0; --i) {
        if (static_cast<const QObject*>(slot.more.at(i)) == object) {
            slot.more[i] = slot.more.last();
            slot.more.removeLast();
            return;
        }
    }
}

// --- keeping in step -----------------------------------------------------------------------

bool DockNameIndex::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ChildAdded && type != QEvent::ChildRemoved)
        return false;
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (!child || !child->isWidgetType())
        return false;
    if (type == QEvent::ChildAdded) {
        // Sent once the child is in watched's child list (from QWidget's own
        // constructor for a widget created with a parent: unnamed, childless).
        if (child->parent() != watched)
            return false;
        if (inScope(watched))
            trackSubtree(static_cast<QWidget*>(child));
        else if (m_names.contains(child))
            untrackSubtree(child);   // left a parent that was deleting its children: no ChildRemoved
    } else {
        // A widget being destroyed was dropped when it said so (destroyed); this
        // is a live widget leaving its parent, with its whole subtree. (A widget
        // taken from a parent busy deleting its children gets no ChildRemoved:
        // it is dropped when it arrives elsewhere, and until then, or if it stays
        // parentless, the lookup's check of the live ancestry keeps it out.)
        if (m_names.contains(child))
            untrackSubtree(child);
    }
    return false;
}

bool DockNameIndex::inScope(const QObject* parent) const
{
    return parent == m_root || m_names.contains(parent) || m_roots.contains(parent);
}

void DockNameIndex::setRoots(const QList<QWidget*>& roots)
{
    QList<QWidget*> list;
    for (QWidget* r : roots) {
        if (r && r != m_root && !list.contains(r))
            list.append(r);
    }
    const QList<QWidget*> old = m_rootList;
    m_rootList = list;
    m_roots.clear();
    for (QWidget* r : qAsConst(m_rootList))
        m_roots.insert(r);

    const Methods& m = methods();
    for (QWidget* r : old) {
        if (!m_roots.contains(r))
            QMetaObject::disconnect(r, m.destroyedSignal, this, m.rootDestroyedSlot);
    }
    for (QWidget* r : qAsConst(m_rootList)) {
        if (!old.contains(r))
            QMetaObject::connect(r, m.destroyedSignal, this, m.rootDestroyedSlot, Qt::DirectConnection);
    }
    for (QWidget* r : old) {
        // Still a root, or inside the tree anyway: its descendants stay.
        if (m_roots.contains(r) || m_names.contains(r))
            continue;
        for (QObject* child : r->children()) {
            if (child->isWidgetType())
                untrackSubtree(child);
        }
    }
    for (QWidget* r : qAsConst(m_rootList)) {
        if (old.contains(r))
            continue;
        for (QObject* child : r->children()) {
            if (child->isWidgetType())
                trackSubtree(static_cast<QWidget*>(child));
        }
    }
}

void DockNameIndex::trackSubtree(QWidget* widget)
{
    // Everything below an indexed widget is indexed too.
    if (m_names.contains(widget))
        return;
    track(widget);
    for (QObject* child : widget->children()) {
        if (child->isWidgetType())
            trackSubtree(static_cast<QWidget*>(child));
    }
}

void DockNameIndex::untrackSubtree(QObject* object)
{
    if (!m_names.contains(object))
        return;
    untrack(object);
    // A further root keeps its descendants in the index.
    if (m_roots.contains(object))
        return;
    for (QObject* child : object->children()) {
        if (child->isWidgetType())
            untrackSubtree(child);
    }
}

void DockNameIndex::track(QWidget* widget)
{
    const Methods& m = methods();
    QMetaObject::connect(widget, m.renamedSignal, this, m.renamedSlot, Qt::DirectConnection);
    QMetaObject::connect(widget, m.destroyedSignal, this, m.destroyedSlot, Qt::DirectConnection);
    const QString name = widget->objectName();
    m_names.insert(widget, name);
    if (!name.isEmpty())
        addToBucket(name, widget);
}

void DockNameIndex::untrack(QObject* object)
{
    const Methods& m = methods();
    QMetaObject::disconnect(object, m.renamedSignal, this, m.renamedSlot);
    QMetaObject::disconnect(object, m.destroyedSignal, this, m.destroyedSlot);
    const QString name = m_names.take(object);
    if (!name.isEmpty())
        removeFromBucket(name, object);
}

void DockNameIndex::widgetRenamed(const QString& name)
{
    QObject* object = sender();
    const auto it = m_names.find(object);
    if (it == m_names.end() || *it == name)
        return;
    if (!it->isEmpty())
        removeFromBucket(*it, object);
    *it = name;
    if (!name.isEmpty())
        addToBucket(name, static_cast<QWidget*>(object));
}

void DockNameIndex::widgetDestroyed(QObject* object)
{
    // Its children are (or will be) reported on their own; its connections go
    // with it.
    const auto it = m_names.find(object);
    if (it == m_names.end())
        return;
    const QString name = *it;
    m_names.erase(it);
    if (!name.isEmpty())
        removeFromBucket(name, object);
}

void DockNameIndex::rootDestroyed(QObject* object)
{
    // Whatever lies below it is being destroyed too and reports itself.
    for (int i = m_rootList.size() - 1; i >= 0; --i) {
        if (static_cast<const QObject*>(m_rootList.at(i)) == object)
            m_rootList.removeAt(i);
    }
    m_roots.remove(object);
}

} // namespace UI
} // namespace Quill
