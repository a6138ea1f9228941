#include "HoverButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

CHoverButton::CHoverButton(QWidget* parent)
    : QToolButton(parent)
{
    // Auto-raise is what makes the tool button repaint as the pointer comes and goes.
    setAutoRaise(true);
}

bool CHoverButton::IsHot() const
{
    return isDown() || (underMouse() && !m_bHeld);
}

void CHoverButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bHeld = true;
    QToolButton::mousePressEvent(event);
}

void CHoverButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bHeld = false;
    QToolButton::mouseReleaseEvent(event);
}

void CHoverButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    if (IsHot())
        qDrawShadePanel(&painter, rect(), palette(), isDown(), 1);
    icon().paint(&painter, ImageRect(), Qt::AlignCenter,
                 isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

// One pixel left of centre, as the note's caption buttons have always had their images; the
// image does not move when the button is pressed.
QRect CHoverButton::ImageRect() const
{
    const QSize image = iconSize();
    return {QPoint(width() / 2 - image.width() / 2 - 1, height() / 2 - image.height() / 2), image};
}
