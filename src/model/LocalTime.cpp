#include "LocalTime.h"

#include <ctime>

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
