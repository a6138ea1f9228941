#pragma once

#include <QString>

// Stored times are UTC seconds; people see them in local time. The C library does the
// conversion so that calendar steps follow its normalisation rules.

// True when the time falls exactly on a local midnight: a Do By with a date but no time of day.
bool IsLocalMidnight(qint32 time);

// The time as local text in the "C" locale, strftime style.
QString FormatLocalTime(qint32 time, const char* format);
