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

// mktime fills tm_wday only on success; -1 is also a valid time, so its result cannot tell.
bool FromLocal(std::tm& local, qint32& result)
{
    local.tm_isdst = -1;
    local.tm_wday = -1;
    const std::time_t time = std::mktime(&local);
    if (local.tm_wday < 0 || time < std::numeric_limits<qint32>::min() ||
        time > std::numeric_limits<qint32>::max())
        return false;
    result = static_cast<qint32>(time);
    return true;
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
    return FromLocal(local, result);
}

void SplitLocalTime(qint32 time, QDate& date, QTime& timeOfDay)
{
    std::tm local{};
    ToLocal(time, local);
    date = QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    timeOfDay = QTime(local.tm_hour, local.tm_min, local.tm_sec);
}

bool MakeLocalTime(const QDate& date, const QTime& timeOfDay, qint32& result)
{
    std::tm local{};
    local.tm_year = date.year() - 1900;
    local.tm_mon = date.month() - 1;
    local.tm_mday = date.day();
    local.tm_hour = timeOfDay.hour();
    local.tm_min = timeOfDay.minute();
    local.tm_sec = timeOfDay.second();
    return FromLocal(local, result);
}
