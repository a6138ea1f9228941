#include "GuiFont.h"

#include "base/DefaultFont.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <cmath>

namespace
{
// Stored heights are pixel heights at the classic 96 dots per inch.
constexpr double PixelsPerPoint = 96.0 / 72.0;
} // namespace

QFont FontFromLogFont(const CLogFont& logFont)
{
    QFont font(logFont.lfFaceName);
    if (logFont.lfHeight != 0)
        font.setPixelSize(std::abs(logFont.lfHeight));
    if (logFont.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(qBound(1, logFont.lfWeight, 1000)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

CLogFont LogFontFromFont(const QFont& font)
{
    CLogFont logFont;
    const int pixels = font.pixelSize() > 0
                           ? font.pixelSize()
                           : static_cast<int>(std::lround(font.pointSizeF() * PixelsPerPoint));
    logFont.lfHeight = -pixels;
    logFont.lfWeight = font.weight();
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    logFont.SetFaceName(QFontInfo(font).family());
    return logFont;
}

void InstallGuiDefaultFontProvider()
{
    SetDefaultFontProvider(
        [](CLogFont& logFont)
        {
            logFont = LogFontFromFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
            return true;
        });
}
