#pragma once

// The large account and the timing that every benchmark shares.

#include "model/AccountFile.h"
#include "model/VemoGroup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <algorithm>
#include <functional>
#include <vector>

namespace BenchAccount
{
inline constexpr int MessageLength = 200;

inline QVector<CVemoGroup> MakeAccount(int groupCount, int itemCount)
{
    const QString message =
        QString(MessageLength, QLatin1Char('m')).replace(80, 2, QStringLiteral("\r\n"));
    QVector<CVemoGroup> groups(groupCount);
    for (int g = 0; g < groupCount; ++g)
    {
        groups[g].SetName(QStringLiteral("Group %1").arg(g));
        for (int i = 0; i < itemCount; ++i)
        {
            CVemoItem item(Qt::Uninitialized);
            item.m_strTitle = QStringLiteral("Item %1 of group %2").arg(i).arg(g);
            item.m_strMessage = message;
            item.m_lfStickyFont.SetFaceName(QStringLiteral("Arial"));
            groups[g].AddItem(item);
        }
    }
    return groups;
}

// Makes the folder an account holding the groups; returns the folder.
inline QString WriteAccount(const QString& folder, QVector<CVemoGroup>& groups)
{
    QDir().mkpath(folder);
    CAccountFile::Write(folder);
    for (CVemoGroup& group : groups)
        group.SaveToFile(folder);
    return folder;
}

// Everything a run writes stays in the folder, away from the user's accounts and settings, and
// windows open offscreen unless the caller asked for a display.
inline void UseScratchHome(const QTemporaryDir& home)
{
    qputenv("VEMO_HOME", home.filePath(QStringLiteral("vemo/")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The account and the rounds a run times, from its first three arguments:
// [groups] [items per group] [rounds].
struct CBenchSize
{
    int m_nGroups = 100;
    int m_nItems = 1000;
    int m_nRounds = 5;
};

inline CBenchSize SizeFromArguments(const QStringList& args)
{
    CBenchSize size;
    size.m_nGroups = args.value(1, QString::number(size.m_nGroups)).toInt();
    size.m_nItems = args.value(2, QString::number(size.m_nItems)).toInt();
    size.m_nRounds = args.value(3, QString::number(size.m_nRounds)).toInt();
    return size;
}

// The account's group files, found as the program finds them.
inline QStringList GroupFilePaths(const QString& folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : CVemoGroup::ListGroupFiles(folder))
        paths.append(dir.filePath(name));
    return paths;
}

// Every group of the account read into memory and kept there, as the program keeps them.
inline void LoadGroups(const QString& folder, QVector<CVemoGroup>& groups)
{
    for (const QString& path : GroupFilePaths(folder))
        groups.emplace_back().LoadFromFile(path);
}

inline double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline double MedianMs(int rounds, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r)
    {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(std::move(times));
}
} // namespace BenchAccount
