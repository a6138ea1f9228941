#include "GuiFont.h"
#include "MainFrame.h"
#include "SingleInstance.h"
#include "VemoApp.h"
#include "VemoMessageBox.h"
#include "VemoVersion.h"
#include "WindowSystem.h"
#include "base/ProgramFolder.h"
#include "base/QuitSignals.h"
#include "base/Settings.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace
{
const QString WaylandNotice = QStringLiteral(
    "This desktop session does not let programs place their windows, so your sticky notes can't "
    "keep their places on the screen or stay on top of other windows.  To keep them where you "
    "put them, use an X11 session, or install XWayland.");

const char* const Usage =
    "Usage: vemo [ACCOUNT]\n"
    "Vemo keeps your task lists: accounts of groups of items, with\n"
    "reminders, sticky notes and a quick list.\n\n"
    "  ACCOUNT        an account folder, or the NAME.acf file in it, to open\n"
    "                 instead of the account used last\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n";

// Says what was wrong before the usage, so a slip in a long command line is found at once.
bool RefuseWrongArgument(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
    {
        // An option stops the loop, so every argument before this one was the account.
        if (argv[i][0] == '-')
            std::fprintf(stderr, "vemo: unknown option '%s'\n", argv[i]);
        else if (i > 1)
            std::fprintf(stderr, "vemo: unexpected argument '%s': only one account can be named\n",
                         argv[i]);
        else
            continue;
        std::fputs(Usage, stderr);
        return true;
    }
    return false;
}

// Answered before the toolkit starts, so they work without a display.
bool AnswerWithoutWindow(int argc, char* argv[], int& exitCode)
{
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
        {
            std::fputs(Usage, stdout);
            exitCode = 0;
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0)
        {
            std::printf("Vemo %s\n", VEMO_VERSION_STRING);
            exitCode = 0;
            return true;
        }
    }
    if (!RefuseWrongArgument(argc, argv))
        return false;
    exitCode = 2;
    return true;
}
// Once ever, not at every start: the user can do nothing about it from inside the program.
void TellOnceThatNotesCannotKeepTheirPlaces(QWidget* parent)
{
    CSettings& settings = GetSettings();
    if (settings.GetWaylandNoticeShown())
        return;
    settings.SetWaylandNoticeShown(true);
    ShowVemoMessage(parent, WaylandNotice, IUserPrompts::Information);
}
} // namespace

int main(int argc, char* argv[])
{
    int exitCode = 0;
    if (AnswerWithoutWindow(argc, argv, exitCode))
        return exitCode;

    const WindowSystemChoice windowSystem =
        ChooseWindowSystem(QProcessEnvironment::systemEnvironment());
    if (windowSystem == WindowSystemChoice::UseX11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    QApplication::setApplicationVersion(QStringLiteral(VEMO_VERSION_STRING));
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quorvex.Vemo"));
    InstallGuiDefaultFontProvider();

    CSingleInstance instance(CSingleInstance::KeyFor(GetProgramFolder()));
    if (!instance.MayRun())
        return 0;

    // Hidden in the tray, the main window is not visible, yet closing a note or a message then
    // must not end the program: only closing the main window does.
    QApplication::setQuitOnLastWindowClosed(false);
    CVemoApp vemo;
    QObject::connect(&vemo.GetMainFrame(), &CMainFrame::Closed, &app, &QCoreApplication::quit);
    vemo.ServeLaterStarts(instance);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &vemo.GetMainFrame(),
                     &CMainFrame::SaveState);
    CQuitSignals quitSignals;
    QObject::connect(&quitSignals, &CQuitSignals::QuitRequested, &vemo, &CVemoApp::Quit);
    vemo.Start(app.arguments().value(1));
    // A quit signal during a message at start-up has already closed the window.
    if (vemo.HasQuit())
        return 0;
    if (windowSystem == WindowSystemChoice::WaylandOnly)
        TellOnceThatNotesCannotKeepTheirPlaces(&vemo.GetMainFrame());
    return app.exec();
}
