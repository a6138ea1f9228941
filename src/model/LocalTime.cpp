#include "LocalTime.h"

#include <ctime>
#include <limits>

namespace
{
bool ToLocal(qint32 time, std::tm& local)
{
    const std::time_t seconds = time;
    return localtime_r(&seconds, &local) != nullptr;
}
} // namespace

bool IsLocalMidnight(qint32 time)
{
    std::tm local{};
    return ToLocal(time, local) && local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
}

QString FormatLocalTime(qint32 time, const char* format)
{
    std::tm local{};
    char text[128];
    if (!ToLocal(time, local) || std::strftime(text, sizeof text, format, &local) == 0)
        return {};
    return QString::fromLocal8Bit(text);
}

bool AddLocalCalendar(qint32 time, int days, int months, int years, qint32& result)
{
    std::tm local{};
    if (!ToLocal(time, local))
        return false;
    local.tm_mday += days;
    local.tm_mon += months;
    local.tm_year += years;
    local.tm_isdst = -1;
    // mktime fills tm_wday only on success; -1 is also a valid time, so it cannot tell us.
    local.tm_wday = -1;
    const std::time_t stepped = std::mktime(&local);
    if (local.tm_wday < 0 || stepped < std::numeric_limits<qint32>::min() ||
        stepped > std::numeric_limits<qint32>::max())
        return false;
    result = static_cast<qint32>(stepped);
    return true;
}
