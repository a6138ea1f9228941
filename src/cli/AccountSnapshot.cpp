#include "AccountSnapshot.h"

#include "base/FileIO.h"
#include "base/PathUtils.h"
#include "model/AccountFile.h"
#include "model/GroupName.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

bool CAccountSnapshot::Load(const QString& accountFolder, QString& error)
{
    if (!Open(accountFolder, error))
        return false;
    m_groups.clear();
    for (const QString& path : std::as_const(m_groupFiles))
    {
        CVemoGroup group;
        if (!LoadGroup(path, group, error))
            return false;
        m_groups.append(group);
    }
    return true;
}

bool CAccountSnapshot::Open(const QString& accountFolder, QString& error)
{
    const QString folder = QDir::cleanPath(QFileInfo(accountFolder).absoluteFilePath());
    m_strName = CAccountFile::AccountName(folder);
    if (!CAccountFile::Read(CAccountFile::FilePath(folder), m_strStoredPath))
    {
        error = QStringLiteral("%1: not a readable Vemo account").arg(accountFolder);
        return false;
    }
    const QDir dir(folder);
    m_groupFiles.clear();
    for (const QString& fileName : CVemoGroup::ListGroupFiles(folder))
        m_groupFiles.append(dir.filePath(fileName));
    std::stable_sort(m_groupFiles.begin(), m_groupFiles.end(),
                     [](const QString& a, const QString& b)
                     { return GetPathTitle(a).compare(GetPathTitle(b), Qt::CaseInsensitive) < 0; });
    return true;
}

bool CAccountSnapshot::LoadGroup(const QString& path, CVemoGroup& group, QString& error)
{
    if (group.LoadFromFile(path))
        return true;
    error = QStringLiteral("%1: group file cannot be read").arg(path);
    return false;
}

bool CAccountSnapshot::Create(const QString& accountFolder, QString& error)
{
    const QString folder = QDir::cleanPath(QFileInfo(accountFolder).absoluteFilePath());
    if (!IsPlainFileName(CAccountFile::AccountName(folder)))
    {
        error = QStringLiteral("%1: cannot be the name of an account").arg(accountFolder);
        return false;
    }
    // In any letter case: names that differ only in case name one account.
    const QString parent = QFileInfo(folder).absolutePath();
    if (!FindEntryNamed(parent, CAccountFile::AccountName(folder)).isEmpty())
    {
        error = QStringLiteral("%1: already exists").arg(accountFolder);
        return false;
    }
    // Built beside its place under a name whose folder is no account, then renamed into place:
    // an import cut short leaves no account with some of the groups.
    QDir().mkpath(parent);
    QTemporaryDir building(parent + QStringLiteral("/.vemo-import-XXXXXX"));
    if (!building.isValid())
    {
        error = QStringLiteral("%1: the folder cannot be created").arg(accountFolder);
        return false;
    }
    const QDir buildingDir(building.path());
    bool written = WriteFileAtomically(buildingDir.filePath(CAccountFile::FileName(folder)),
                                       CAccountFile::ToBytes(QDir::toNativeSeparators(folder)));
    for (CVemoGroup& group : m_groups)
        written = written && group.SaveToFile(building.path());
    if (!written || !QDir().rename(building.path(), folder))
    {
        error = QStringLiteral("%1: the account cannot be written").arg(accountFolder);
        return false;
    }
    building.setAutoRemove(false);
    return true;
}
