#include "FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace
{
// Until the data is on the disk, a power cut after the rename can still leave an empty file.
bool SyncToDisk(QSaveFile& file)
{
    const int handle = file.handle();
    // Some file systems cannot sync at all; that is no failure of the write.
    return handle < 0 || ::fsync(handle) == 0 || errno == EINVAL || errno == ENOTSUP;
}
} // namespace

bool ReadFileBytes(const QString& path, QByteArray& bytes)
{
    // A pipe or a device would never end, or never start.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    // The save replaces a link with a file of its own: it never writes where a link points.
    const QFileInfo target(path);
    if ((target.isSymLink() || target.isJunction()) && !QFile::remove(path))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A buffered write can fail without write() saying so; only a flush shows it.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size() ||
        !SyncToDisk(file))
    {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RemoveLeftOverTemporaryFiles(const QString& folder)
{
    // QSaveFile names its temporary file after the file it replaces, with six random letters or
    // digits appended.
    static const QRegularExpression temporaryName(
        QStringLiteral("^.+\\.(grp|acf)\\.[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& file : files)
    {
        if (!file.isSymLink() && file.isFile() && temporaryName.match(file.fileName()).hasMatch())
            QFile::remove(file.filePath());
    }
}
