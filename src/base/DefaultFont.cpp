#include "DefaultFont.h"

namespace
{
constexpr qint32 NormalWeight = 400;
constexpr qint32 EightPointHeight = -11;

bool DescribeFallbackFont(CLogFont& font)
{
    font = CLogFont();
    font.lfHeight = EightPointHeight;
    font.lfWeight = NormalWeight;
    font.SetFaceName(QStringLiteral("Sans Serif"));
    return true;
}

DefaultFontProvider& Provider()
{
    static DefaultFontProvider provider = DescribeFallbackFont;
    return provider;
}
} // namespace

bool GetDefaultFont(CLogFont& font)
{
    return Provider()(font);
}

void SetDefaultFontProvider(DefaultFontProvider provider)
{
    Provider() = provider ? std::move(provider) : DefaultFontProvider(DescribeFallbackFont);
}
