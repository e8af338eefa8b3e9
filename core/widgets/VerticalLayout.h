#pragma once

#include <QuillCoreExport.h>

#include <QLayout>
#include <QList>

namespace Quill {
namespace UI {

// Stacks its items top to bottom, each at its preferred height and the full width
// of the contents rectangle, separated by a fixed spacing; never stretches items.
// With expandSpace(true) the first item alone gets the whole contents rectangle.
// Null items and widgets are refused with a warning, as Qt's layouts refuse null
// widgets. Sizes and positions near the int limits are summed in 64 bits and
// limited (sizes to QWIDGETSIZE_MAX), never overflowed.
class QUILL_CORE_EXPORT VerticalLayout : public QLayout
{
    Q_OBJECT
public:
    VerticalLayout(QWidget* parent, int margin, int spacing);
    explicit VerticalLayout(int spacing);
    ~VerticalLayout() override;

    void addItem(QLayoutItem* item) override;
    void insertItem(int index, QLayoutItem* item);
    void insertWidget(int index, QWidget* widget);
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    // Takes effect at the next layout pass.
    void expandSpace(bool on);

protected:
    // Size given to `item` when laying out; the item's size hint by default.
    virtual QSize calculateSize(QLayoutItem* item);

private:
    enum class SizeKind { Hint, Minimum };
    QSize computeSize(SizeKind kind) const;
    void doLayout(const QRect& rect);

    bool m_expandSpace = false;
    QList<QLayoutItem*> m_items;   // owned
};

} // namespace UI
} // namespace Quill
