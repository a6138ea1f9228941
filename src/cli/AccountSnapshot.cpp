#include "AccountSnapshot.h"

#include "model/AccountFile.h"
#include "shell/PathUtils.h"

#include <QDir>
#include <QFileInfo>

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
    const QStringList groupFiles = dir.entryList({QStringLiteral("*.grp")}, QDir::Files);
    m_groups.clear();
    for (const QString& fileName : groupFiles)
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
    if (PathExists(folder))
    {
        error = QStringLiteral("%1: already exists").arg(accountFolder);
        return false;
    }
    if (!QDir().mkpath(QFileInfo(folder).absolutePath()) || !QDir().mkdir(folder))
    {
        error = QStringLiteral("%1: the folder cannot be created").arg(accountFolder);
        return false;
    }
    bool written = CAccountFile::Write(QDir::toNativeSeparators(folder));
    for (CVemoGroup& group : m_groups)
        written = written && group.SaveToFile(folder);
    if (!written)
    {
        DeleteFolderTree(folder);
        error = QStringLiteral("%1: the account cannot be written").arg(accountFolder);
    }
    return written;
}
