#pragma once

#include <QuillCoreExport.h>

#include <QDialog>
#include <QPainterPath>

namespace Quill {
namespace UI {

// A frameless, translucent popup shaped as a rounded speech bubble whose pin points at
// a target. Put content in it with an ordinary layout, then call popup(): the bubble
// picks the side of the target where it fits (keeping its current side when it can),
// clamps itself into the screen's available area and shifts the pin so that it still
// points at the target.
class QUILL_CORE_EXPORT BubbleWidget : public QDialog
{
    Q_OBJECT
public:
    explicit BubbleWidget(QWidget* parent = nullptr);

    void popup(QPoint globalPoint);
    void popup(QWidget* target);
    void popup(const QRect& globalTarget);

    // The side carrying the pin (Qt::AlignTop: pin on the top edge, bubble below the
    // target; likewise Bottom, Left, Right; no flag: no pin). Only the first of Top,
    // Bottom, Left, Right present counts. Sets the contents margins to margin() on
    // every side plus pinHeight() on the pinned one.
    void setPinAlignment(Qt::Alignment alignment);
    Qt::Alignment pinAlignment() const { return m_pinAlignment; }

    // These store the value only; the margins follow at the next setPinAlignment or
    // popup, the picture at the next paint.
    void setCornerRadius(int radius) { m_cornerRadius = radius; }
    int cornerRadius() const { return m_cornerRadius; }
    void setPinWidth(int width) { m_pinWidth = width; }
    int pinWidth() const { return m_pinWidth; }
    void setPinHeight(int height) { m_pinHeight = height; }
    int pinHeight() const { return m_pinHeight; }
    void setMargin(int margin) { m_margin = margin; }
    int margin() const { return m_margin; }
    void setBorderWidth(int width) { m_borderWidth = width; }
    int borderWidth() const { return m_borderWidth; }
    // A movable bubble follows the mouse while dragged by its body.
    void setMovable(bool movable) { m_movable = movable; }
    bool isMovable() const { return m_movable; }

    // Shift along the pinned edge applied by the last popup's clamping.
    int pinOffset() const { return m_pinOffset; }

    QPainterPath bubblePath() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Qt::Alignment m_pinAlignment;
    int m_pinOffset = 0;
    int m_cornerRadius = 8;
    int m_pinWidth = 30;
    int m_pinHeight = 20;
    int m_margin = 8;
    int m_borderWidth = 1;
    bool m_movable = false;
    QPoint m_dragOffset;
};

} // namespace UI
} // namespace Quill
