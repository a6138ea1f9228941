#pragma once

#include <QPoint>

#include <optional>

class QMouseEvent;
class QWidget;

// Moves a window by a press on the part of it that stands for a title bar. The window system
// moves it where it can; some, like offscreen ones, leave it to the program, and then the window
// follows the mouse until the button is released.
class CWindowMover
{
public:
    void Start(QWidget* window, const QMouseEvent* event);
    // Moves the window with the mouse if it is being moved by hand; whether it was.
    bool Follow(QWidget* window, QMouseEvent* event) const;
    void Stop() { m_offset.reset(); }

private:
    // Where the window's top-left corner sits relative to the mouse; unset when the window
    // system moves the window itself.
    std::optional<QPoint> m_offset;
};
