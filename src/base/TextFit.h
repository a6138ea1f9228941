#pragma once

#include <QString>

#include <functional>

// Shortens text with "..." so that it measures at most maxWidth. The end flag puts the ellipsis
// at the end; otherwise the path flag keeps a path's last component whole; with neither the
// ellipsis goes in the middle. Returns whether the text was shortened. measure gives the width
// of a text, so the caller chooses the font and tests need none.
bool FitTextToWidth(bool endEllipsis, bool pathEllipsis,
                    const std::function<int(const QString&)>& measure, int maxWidth,
                    const QString& text, QString& result);
