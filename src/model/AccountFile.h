#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The account file that marks a folder as an account: the signature, then the folder path at
// the time of saving. The file is named after the folder, "NAME.acf".
class CAccountFile
{
public:
    static const QString Signature;

    static QString FileName(const QString& accountFolder);
    static QString FilePath(const QString& accountFolder);
    static QString AccountName(const QString& accountFolder);
    // The account folder a path names: the folder itself, or the one holding the given file.
    static QString FolderOf(const QString& path);

    // Writes the account file of a folder, holding the folder's own path.
    static bool Write(const QString& accountFolder);
    static QByteArray ToBytes(const QString& storedPath);

    // True when the bytes are a complete account file starting with the signature.
    static bool FromBytes(const QByteArray& bytes, QString& storedPath);
    static bool Read(const QString& filePath, QString& storedPath);

    // A folder is an account when its account file carries the signature, wherever the stored
    // path points: a copied or moved account still opens and gets its new path at the next save.
    static bool CheckFolder(const QString& accountFolder);

    // The names of the account folders directly inside the program folder, sorted ignoring case,
    // hidden ones included: the folders that would open, so a folder renamed by hand around
    // another account's file, or one being built by an import, is never offered.
    static QStringList ListAccounts(const QString& programFolder);
};
