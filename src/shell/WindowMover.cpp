#include "WindowMover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

void CWindowMover::Start(QWidget* window, const QMouseEvent* event)
{
    QWindow* handle = window->windowHandle();
    if (!handle || !handle->startSystemMove())
        m_offset = window->pos() - event->globalPosition().toPoint();
}

bool CWindowMover::Follow(QWidget* window, QMouseEvent* event) const
{
    if (!m_offset)
        return false;
    window->move(event->globalPosition().toPoint() + *m_offset);
    event->accept();
    return true;
}
