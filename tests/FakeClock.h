#pragma once

#include "base/Clock.h"

// A clock that stands still until the test moves it; installed for the lifetime of the object.
class CFakeClock : public IClock
{
public:
    explicit CFakeClock(qint32 now)
        : m_now(now)
    {
        SetClock(this);
    }
    ~CFakeClock() override { SetClock(nullptr); }
    CFakeClock(const CFakeClock&) = delete;
    CFakeClock& operator=(const CFakeClock&) = delete;

    qint32 Now() const override { return m_now; }
    void Set(qint32 now) { m_now = now; }

private:
    qint32 m_now;
};
