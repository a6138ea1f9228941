#include "Clock.h"

#include <QDateTime>

#include <limits>

namespace
{
class CSystemClock : public IClock
{
public:
    qint32 Now() const override { return ClampTime32(QDateTime::currentSecsSinceEpoch()); }
};

CSystemClock g_systemClock;
IClock* g_pClock = &g_systemClock;
} // namespace

IClock& GetClock()
{
    return *g_pClock;
}

void SetClock(IClock* clock)
{
    g_pClock = clock ? clock : &g_systemClock;
}

qint32 ClampTime32(qint64 seconds)
{
    constexpr qint64 earliest = std::numeric_limits<qint32>::min();
    constexpr qint64 latest = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(qBound(earliest, seconds, latest));
}
