#pragma once

#include <QToolButton>

// A small image button that lies flat until the pointer is over it, then shows a raised 3-D
// frame, and a sunken one while it is held. The frame is drawn here rather than by the style,
// whose auto-raise panel differs from one style to the next.
class CHoverButton : public QToolButton
{
    Q_OBJECT

public:
    explicit CHoverButton(QWidget* parent = nullptr);

    // The frame is showing: the pointer is over the button, or the button is held down under it.
    bool IsHot() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect ImageRect() const;

    // Left button held since a press here. Slid off while held, the pointer still counts as
    // over the button until the release, but the frame must go flat at once.
    bool m_bHeld = false;
};
