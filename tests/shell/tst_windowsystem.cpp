#include "shell/WindowSystem.h"

#include <QTest>

class TestWindowSystem : public QObject
{
    Q_OBJECT

private slots:
    void choosesX11BesideWayland_data();
    void choosesX11BesideWayland();
};

void TestWindowSystem::choosesX11BesideWayland_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<int>("choice");
    const int asIs = int(WindowSystemChoice::AsIs);
    const int x11 = int(WindowSystemChoice::UseX11);
    const int waylandOnly = int(WindowSystemChoice::WaylandOnly);
    QTest::newRow("X11 session") << QStringList{"XDG_SESSION_TYPE=x11", "DISPLAY=:0"} << asIs;
    QTest::newRow("Wayland with XWayland")
        << QStringList{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"}
        << x11;
    QTest::newRow("Wayland display alone names the session")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"} << x11;
    QTest::newRow("Wayland without X11")
        << QStringList{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0"} << waylandOnly;
    QTest::newRow("the user's own choice wins")
        << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"} << asIs;
    QTest::newRow("no display at all") << QStringList() << asIs;
}

void TestWindowSystem::choosesX11BesideWayland()
{
    QFETCH(QStringList, variables);
    QFETCH(int, choice);
    QProcessEnvironment environment;
    for (const QString& variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    QCOMPARE(int(ChooseWindowSystem(environment)), choice);
}

QTEST_APPLESS_MAIN(TestWindowSystem)
#include "tst_windowsystem.moc"
