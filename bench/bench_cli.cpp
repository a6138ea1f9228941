// Times vemo-cli's export and list of a large account against cat of the same files, and measures
// the export's peak memory against the account's bytes and an empty run of the tool.
// Run: build/bench_cli [groups] [items per group] [rounds]

#include "BenchAccount.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

using namespace BenchAccount;

namespace
{
struct CRunResult
{
    double m_dMs = 0;
    long m_nPeakKiB = 0;
};

// Runs the program with its output thrown away, and reports how long it took and its peak size.
CRunResult Run(const QStringList& command)
{
    std::vector<QByteArray> args;
    for (const QString& arg : command)
        args.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    QElapsedTimer timer;
    timer.start();
    const pid_t child = fork();
    if (child == 0)
    {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage = {};
    wait4(child, &status, 0, &usage);
    return {timer.nsecsElapsed() / 1e6, usage.ru_maxrss};
}

CRunResult MedianRun(int rounds, const QStringList& command)
{
    std::vector<CRunResult> runs;
    for (int i = 0; i < rounds; ++i)
        runs.push_back(Run(command));
    std::sort(runs.begin(), runs.end(),
              [](const CRunResult& a, const CRunResult& b) { return a.m_dMs < b.m_dMs; });
    return runs[runs.size() / 2];
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto [groupCount, itemCount, rounds] = SizeFromArguments(args);

    QTemporaryDir tmp;
    QString folder;
    {
        // Gone before the runs: a forked child's peak size counts the pages of this process.
        QVector<CVemoGroup> groups = MakeAccount(groupCount, itemCount);
        folder = WriteAccount(tmp.filePath(QStringLiteral("Bench")), groups);
    }
    QStringList cat{QStringLiteral("cat")};
    qint64 accountBytes = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files))
    {
        cat.append(file.filePath());
        accountBytes += file.size();
    }

    const QString cli = QStringLiteral(VEMO_CLI_PATH);
    const CRunResult catRun = MedianRun(rounds, cat);
    const CRunResult exportRun = MedianRun(rounds, {cli, QStringLiteral("export"), folder});
    const CRunResult listRun = MedianRun(rounds, {cli, QStringLiteral("list"), folder});
    const CRunResult emptyRun = MedianRun(rounds, {cli, QStringLiteral("--help")});

    const double accountMiB = accountBytes / 1048576.0;
    const double peakGoalMiB = 2 * accountMiB + emptyRun.m_nPeakKiB / 1024.0;
    QTextStream out(stdout);
    out << Qt::fixed << qSetRealNumberPrecision(1) << groupCount << " groups x " << itemCount
        << " items, " << accountMiB << " MiB on disk, median of " << rounds << " runs\n"
        << "cat of the files     " << catRun.m_dMs << " ms\n"
        << "vemo-cli export      " << exportRun.m_dMs << " ms, " << exportRun.m_dMs / catRun.m_dMs
        << " x cat (goal: at most 25 x)\n"
        << "vemo-cli list        " << listRun.m_dMs << " ms, " << listRun.m_dMs / catRun.m_dMs
        << " x cat (goal: at most 8 x)\n"
        << "export peak memory   " << exportRun.m_nPeakKiB / 1024.0 << " MiB (goal: at most "
        << peakGoalMiB << " MiB: twice the account plus an empty run's "
        << emptyRun.m_nPeakKiB / 1024.0 << " MiB)\n";
    return 0;
}
