// Times saving and loading a large account against writing and reading the same bytes raw, and
// saving one changed group against writing its bytes the same atomic way.
// Run: build/bench_storage [groups] [items per group] [rounds]

#include "BenchAccount.h"
#include "base/FileIO.h"
#include "model/AccountFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace BenchAccount;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto [groupCount, itemCount, rounds] = SizeFromArguments(args);

    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("Bench"));
    const QString rawFolder = tmp.filePath(QStringLiteral("Raw"));
    QDir().mkpath(folder);
    QDir().mkpath(rawFolder);
    QVector<CVemoGroup> groups = MakeAccount(groupCount, itemCount);

    const double saveMs = MedianMs(rounds,
                                   [&]
                                   {
                                       CAccountFile::Write(folder);
                                       for (CVemoGroup& group : groups)
                                       {
                                           group.SetName(group.GetName());
                                           group.SaveToFile(folder);
                                       }
                                   });
    // Both sides keep what they read until every round is done, as the program keeps its
    // account, so each pays for the fresh memory it fills.
    std::vector<QVector<CVemoGroup>> loaded(rounds);
    int loadRound = 0;
    const double loadMs = MedianMs(rounds, [&] { LoadGroups(folder, loaded[loadRound++]); });
    loaded.clear();

    QVector<QByteArray> bytes;
    qint64 totalBytes = 0;
    for (const QString& path : GroupFilePaths(folder))
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        bytes.append(file.readAll());
        totalBytes += bytes.last().size();
    }
    const double rawWriteMs =
        MedianMs(rounds,
                 [&]
                 {
                     for (int i = 0; i < bytes.size(); ++i)
                     {
                         QFile file(rawFolder + QStringLiteral("/%1.raw").arg(i));
                         file.open(QIODevice::WriteOnly);
                         file.write(bytes[i]);
                     }
                 });
    std::vector<QVector<QByteArray>> read(rounds);
    int readRound = 0;
    const double rawReadMs =
        MedianMs(rounds,
                 [&]
                 {
                     QVector<QByteArray>& contents = read[readRound++];
                     for (int i = 0; i < bytes.size(); ++i)
                     {
                         QFile file(rawFolder + QStringLiteral("/%1.raw").arg(i));
                         file.open(QIODevice::ReadOnly);
                         contents.append(file.readAll());
                     }
                 });
    read.clear();

    const double encodeMs = MedianMs(rounds,
                                     [&]
                                     {
                                         for (CVemoGroup& group : groups)
                                             group.SaveToBytes();
                                     });
    const double decodeMs = MedianMs(rounds,
                                     [&]
                                     {
                                         for (const QByteArray& groupBytes : bytes)
                                         {
                                             CVemoGroup group;
                                             group.LoadFromBytes(groupBytes);
                                         }
                                     });

    // What an edit costs: a save writes the account file and the one group that changed, as
    // the account's save does.
    const QByteArray firstBytes = groups.front().SaveToBytes();
    const double saveOneMs = MedianMs(rounds,
                                      [&]
                                      {
                                          CAccountFile::Write(folder);
                                          groups.front().SaveToFile(folder);
                                      });
    const QString atomicPath = rawFolder + QStringLiteral("/one.grp");
    const double atomicOneMs =
        MedianMs(rounds, [&] { WriteFileAtomically(atomicPath, firstBytes); });

    QTextStream out(stdout);
    out << groupCount << " groups x " << itemCount << " items, " << totalBytes / 1024 << " KiB, "
        << "median of " << rounds << " rounds\n"
        << "save account  " << saveMs << " ms   (raw write " << rawWriteMs << " ms)\n"
        << "load account  " << loadMs << " ms   (raw read  " << rawReadMs << " ms)\n"
        << "in memory: encode " << encodeMs << " ms, decode " << decodeMs << " ms\n"
        << Qt::fixed << qSetRealNumberPrecision(2) << "load / raw read            "
        << loadMs / rawReadMs << " x (goal: at most 5 x)\n"
        << "save one group " << saveOneMs << " ms, atomic write of its bytes " << atomicOneMs
        << " ms: " << saveOneMs / atomicOneMs << " x (goal: at most 2 x)\n";
    return 0;
}
