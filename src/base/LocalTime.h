#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Stored times are UTC seconds; people see them in local time. The C library does the
// conversion so that calendar steps follow its normalisation rules.

// True when the time falls exactly on a local midnight: a Do By with a date but no time of day.
bool IsLocalMidnight(qint32 time);

// The time as local text in the "C" locale, strftime style.
QString FormatLocalTime(qint32 time, const char* format);

// The format of every reminder time the user sees, in the alert and on a note's tip.
constexpr const char* ReminderTimeFormat = "%I:%M %p, %A, %B %d, %Y";

// Moves the time by whole local calendar days, months and years, keeping the wall-clock time and
// letting mktime normalise overflowing days (31 January + 1 month = 3 March). False when the
// result does not fit the stored 32-bit seconds.
bool AddLocalCalendar(qint32 time, int days, int months, int years, qint32& result);

// The local date and time of day of a stored time.
void SplitLocalTime(qint32 time, QDate& date, QTime& timeOfDay);

// The stored time of a local date and time of day, daylight saving as the C library decides.
// False when it does not fit the stored 32-bit seconds.
bool MakeLocalTime(const QDate& date, const QTime& timeOfDay, qint32& result);
