#pragma once

#include <QtGlobal>

// A rectangle as the files and the settings store keep it: four signed 32-bit edges.
struct CRect32
{
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    // Edges from a damaged store may lie far apart; the difference must not overflow.
    qint64 Width() const { return qint64(right) - left; }
    qint64 Height() const { return qint64(bottom) - top; }
    bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }

    friend bool operator==(const CRect32&, const CRect32&) = default;
};
