#include "WindowSystem.h"

WindowSystemChoice ChooseWindowSystem(const QProcessEnvironment& environment)
{
    if (!environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        return WindowSystemChoice::AsIs;
    const bool wayland =
        environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland") ||
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    if (!wayland)
        return WindowSystemChoice::AsIs;
    return environment.value(QStringLiteral("DISPLAY")).isEmpty() ? WindowSystemChoice::WaylandOnly
                                                                  : WindowSystemChoice::UseX11;
}
