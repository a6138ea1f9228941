// Times starting Vemo with an empty account until its window has shown, beside starting a
// minimal Qt Widgets program until its window has shown. Each start is a fresh process, so the
// toolkit's plugins and the program's icons are loaded each time, as a user's start loads them.
// Run: build/bench_launch [rounds]

#include "BenchAccount.h"
#include "model/AccountFile.h"
#include "shell/MainFrame.h"
#include "shell/VemoApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace BenchAccount;

namespace
{
constexpr double GoalRatio = 1.5;

void ShowAndWait(QWidget& window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
}

int RunVemo(int argc, char* argv[], const QString& account)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    CVemoApp vemo;
    vemo.Start(account);
    ShowAndWait(vemo.GetMainFrame());
    return 0;
}

// The smallest program that shows what every program shows: a window with some text in it.
int RunMinimal(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Hello"), &window));
    window.resize(200, 300);
    ShowAndWait(window);
    return 0;
}

// The time from before the fork until the child has shown its window and ended.
double TimeChild(const std::function<int()>& child)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0)
        _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return timer.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    UseScratchHome(home);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 9;
    const QString account = home.filePath(QStringLiteral("vemo/Empty"));
    QDir().mkpath(account);
    CAccountFile::Write(account);

    std::vector<double> vemoTimes, minimalTimes;
    for (int r = 0; r < rounds; ++r)
    {
        // Taking turns, the two share whatever load the machine has.
        vemoTimes.push_back(TimeChild([&] { return RunVemo(argc, argv, account); }));
        minimalTimes.push_back(TimeChild([&] { return RunMinimal(argc, argv); }));
    }
    const double vemo = Median(vemoTimes);
    const double minimal = Median(minimalTimes);
    QTextStream out(stdout);
    out << Qt::fixed << qSetRealNumberPrecision(1) << "median of " << rounds << " starts\n"
        << "Vemo with an empty account    " << vemo << " ms\n"
        << "a minimal window with a label " << minimal << " ms\n"
        << qSetRealNumberPrecision(2) << "ratio " << vemo / minimal << " x (goal: at most "
        << GoalRatio << " x)\n";
    return 0;
}
