#include "AccountSnapshot.h"

#include "model/AccountFile.h"
#include "model/FileIO.h"
#include "model/GroupName.h"
#include "shell/PathUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

bool CAccountSnapshot::Load(const QString& accountFolder, QString& error)
{
    const QString folder = QDir::cleanPath(QFileInfo(accountFolder).absoluteFilePath());
    m_strName = CAccountFile::AccountName(folder);
    if (!CAccountFile::Read(CAccountFile::FilePath(folder), m_strStoredPath))
    {
        error = QStringLiteral("%1: not a readable Vemo account").arg(accountFolder);
        return false;
    }
    const QDir dir(folder);
    m_groups.clear();
    for (const QString& fileName : CVemoGroup::ListGroupFiles(folder))
    {
        CVemoGroup group;
        if (!group.LoadFromFile(dir.filePath(fileName)))
        {
            error = QStringLiteral("%1: group file cannot be read").arg(dir.filePath(fileName));
            return false;
        }
        m_groups.append(group);
    }
    std::sort(m_groups.begin(), m_groups.end(),
              [](const CVemoGroup& a, const CVemoGroup& b)
              { return a.GetName().compare(b.GetName(), Qt::CaseInsensitive) < 0; });
    return true;
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
