#pragma once

class QRect;
class QScreen;

// A window stored on a screen that has since gone would be out of reach: when no screen holds the
// point grip pixels into the rectangle from its top-left corner, the rectangle moves to the
// primary screen's corner. Returns the screen the rectangle is on, null when there is none.
const QScreen* BringOntoScreen(QRect& rect, int grip);
