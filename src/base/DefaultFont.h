#pragma once

#include "LogFont.h"

#include <functional>

// Describes the platform's default GUI font. The core alone knows no fonts, so it answers with
// a plain description until the GUI installs a provider that asks the toolkit.
using DefaultFontProvider = std::function<bool(CLogFont&)>;

bool GetDefaultFont(CLogFont& font);
void SetDefaultFontProvider(DefaultFontProvider provider);
