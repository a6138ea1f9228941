// Times starting Vemo with an empty account until its window has shown, beside starting a
// minimal Qt Widgets program until its window has shown. Each start is a fresh process, so the
// toolkit's plugins and the program's icons are loaded each time, as a user's start loads them.
// Then compares the peak memory of starting with a large account to that of the empty start,
// per byte of the account on disk.
// Run: build/bench_launch [rounds] [groups] [items per group]

#include "BenchAccount.h"
#include "model/AccountFile.h"
#include "shell/MainFrame.h"
#include "shell/VemoApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace BenchAccount;

namespace
{
constexpr double GoalRatio = 1.5;
// What a large account may add to the program's peak memory, per byte of its files.
constexpr double MemoryGoal = 3.0;
constexpr double MiB = 1024.0 * 1024.0;

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

struct CChildRun
{
    double m_dMs = 0;
    qint64 m_nPeakBytes = 0;
};

// The time from before the fork until the child has shown its window and ended, and the most
// memory it held.
CChildRun RunChild(const std::function<int()>& child)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0)
        _exit(child());
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {timer.nsecsElapsed() / 1e6, qint64(usage.ru_maxrss) * 1024};
}

double TimeChild(const std::function<int()>& child)
{
    return RunChild(child).m_dMs;
}

qint64 FolderBytes(const QString& folder)
{
    qint64 bytes = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files))
        bytes += file.size();
    return bytes;
}
} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    UseScratchHome(home);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 9;
    const int groupCount = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100;
    const int itemCount = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 1000;
    const QString account = home.filePath(QStringLiteral("vemo/Empty"));
    QDir().mkpath(account);
    CAccountFile::Write(account);
    const QString large = home.filePath(QStringLiteral("vemo/Large"));
    QDir().mkpath(large);
    CAccountFile::Write(large);
    // Made in a child of its own, so no start below inherits the memory that made it.
    RunChild(
        [&]
        {
            for (CVemoGroup& group : MakeAccount(groupCount, itemCount))
                group.SaveToFile(large);
            return 0;
        });

    std::vector<double> vemoTimes, minimalTimes;
    for (int r = 0; r < rounds; ++r)
    {
        // Taking turns, the two share whatever load the machine has.
        vemoTimes.push_back(TimeChild([&] { return RunVemo(argc, argv, account); }));
        minimalTimes.push_back(TimeChild([&] { return RunMinimal(argc, argv); }));
    }
    const qint64 emptyPeak = RunChild([&] { return RunVemo(argc, argv, account); }).m_nPeakBytes;
    const qint64 largePeak = RunChild([&] { return RunVemo(argc, argv, large); }).m_nPeakBytes;
    const qint64 largeBytes = FolderBytes(large);
    const double vemo = Median(vemoTimes);
    const double minimal = Median(minimalTimes);
    QTextStream out(stdout);
    out << Qt::fixed << qSetRealNumberPrecision(1) << "median of " << rounds << " starts\n"
        << "Vemo with an empty account    " << vemo << " ms\n"
        << "a minimal window with a label " << minimal << " ms\n"
        << qSetRealNumberPrecision(2) << "ratio " << vemo / minimal << " x (goal: at most "
        << GoalRatio << " x)\n"
        << "peak memory: empty account " << emptyPeak / MiB << " MiB, " << groupCount << " x "
        << itemCount << " items (" << largeBytes / MiB << " MiB on disk) " << largePeak / MiB
        << " MiB: " << double(largePeak - emptyPeak) / largeBytes
        << " bytes per byte on disk (goal: at most " << MemoryGoal << ")\n";
    return 0;
}
