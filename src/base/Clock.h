#pragma once

#include <QtGlobal>

// Where the program learns the time. Tests install a clock they drive by hand, so nothing that
// depends on "now" needs a real wait.
class IClock
{
public:
    virtual ~IClock() = default;
    // Seconds since 1970-01-01 00:00 UTC, clamped to what the files' 32-bit times can hold.
    virtual qint32 Now() const = 0;
};

IClock& GetClock();
// Installs a clock for the whole process; null restores the system clock. The caller keeps
// ownership and must outlive its installation.
void SetClock(IClock* clock);

// Clamps a 64-bit time into the 32-bit range that account files store.
qint32 ClampTime32(qint64 seconds);
