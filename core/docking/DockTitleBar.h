#pragma once

#include <QuillCoreExport.h>

#include <QWidget>

namespace Quill {
namespace UI {

class Dock;

// The strip at the top of a Dock holding its tab bar and buttons. While the dock's
// title is hidden it is a 3-pixel strip that lights up under the mouse and, after
// the mouse has rested on it for 200 ms, reveals the title until the mouse leaves.
// Its parent must be the dock. GUI thread only.
class QUILL_CORE_EXPORT DockTitleBar : public QWidget
{
public:
    explicit DockTitleBar(QWidget* parent);

    // The owning dock (the parent), or null.
    Dock* dock() const;

    // Set while the left button is held on the dock's tab bar: a revealed title
    // then stays until the button is released away from it.
    void setPressed(bool pressed);
    bool isPressed() const { return m_pressed; }
    // The title is showing because the mouse rested on the hidden strip.
    bool isRevealed() const { return m_revealed; }
    bool isRevealPending() const { return m_revealTimer != 0; }

protected:
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void stopRevealTimer();
    void hideIfRevealedAndLeft();

    bool m_pressed = false;
    int m_revealTimer = 0;
    bool m_revealed = false;
};

} // namespace UI
} // namespace Quill
