#pragma once

#include "base/LogFont.h"

#include <QFont>

// Converts between the stored font description and the toolkit's fonts.
QFont FontFromLogFont(const CLogFont& logFont);
CLogFont LogFontFromFont(const QFont& font);

// Makes the core's default font description the toolkit's general GUI font.
void InstallGuiDefaultFontProvider();
