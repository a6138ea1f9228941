#include "AccountFile.h"

#include "base/Archive.h"
#include "base/FileIO.h"
#include "base/PathUtils.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

const QString CAccountFile::Signature = QStringLiteral("{3305BA81-99A6-11d2-BCF4-0008C7C9955E}");

QString CAccountFile::AccountName(const QString& accountFolder)
{
    QString name;
    SplitPath(accountFolder, nullptr, &name);
    return name;
}

QString CAccountFile::FolderOf(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

QString CAccountFile::FileName(const QString& accountFolder)
{
    return AccountName(accountFolder) + QStringLiteral(".acf");
}

QString CAccountFile::FilePath(const QString& accountFolder)
{
    QString path = accountFolder;
    AddTrailingBackslash(path);
    return path + FileName(accountFolder);
}

// Every save comes here first; an account file that already holds these bytes is left as it is,
// which spares a write and a flush to disk on each save.
bool CAccountFile::Write(const QString& accountFolder)
{
    const QString path = FilePath(accountFolder);
    const QByteArray bytes = ToBytes(accountFolder);
    QByteArray onDisk;
    if (ReadFileBytes(path, onDisk) && onDisk == bytes)
        return true;
    return WriteFileAtomically(path, bytes);
}

QByteArray CAccountFile::ToBytes(const QString& storedPath)
{
    CArchive ar;
    QString signature = Signature;
    QString path = storedPath;
    ar.Exchange(signature);
    ar.Exchange(path);
    return ar.Bytes();
}

bool CAccountFile::FromBytes(const QByteArray& bytes, QString& storedPath)
{
    CArchive ar(bytes);
    QString signature;
    QString path;
    ar.Exchange(signature);
    ar.Exchange(path);
    if (!ar.IsOk() || signature != Signature)
        return false;
    storedPath = path;
    return true;
}

bool CAccountFile::Read(const QString& filePath, QString& storedPath)
{
    QByteArray bytes;
    return ReadFileBytes(filePath, bytes) && FromBytes(bytes, storedPath);
}

bool CAccountFile::CheckFolder(const QString& accountFolder)
{
    QString storedPath;
    return Read(FilePath(accountFolder), storedPath);
}

QStringList CAccountFile::ListAccounts(const QString& programFolder)
{
    QStringList accounts = ListFolderEntries(programFolder);
    const QDir programDir(programFolder);
    accounts.removeIf([&](const QString& name) { return !CheckFolder(programDir.filePath(name)); });
    std::stable_sort(accounts.begin(), accounts.end(),
                     [](const QString& a, const QString& b)
                     { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return accounts;
}
