#include "ScreenPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

const QScreen* BringOntoScreen(QRect& rect, int grip)
{
    if (const QScreen* screen = QGuiApplication::screenAt(rect.topLeft() + QPoint(grip, grip)))
        return screen;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        rect.moveTopLeft(primary->availableGeometry().topLeft());
    return primary;
}
