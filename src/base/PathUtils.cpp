#include "PathUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace
{
// The longest file name the common file systems take, in bytes of UTF-8, which is never fewer
// than the UTF-16 units that Windows counts. A name must leave room for its ".grp" or ".acf" and
// for the ".XXXXXX" of the temporary file a save writes first.
constexpr qsizetype MaxFileNameBytes = 255;
constexpr qsizetype ExtensionLength = 4;
constexpr qsizetype TemporarySuffixLength = 7;

bool IsPathSeparator(QChar ch)
{
    return ch == u'/' || ch == u'\\';
}

bool IsLink(const QFileInfo& entry)
{
    return entry.isSymLink() || entry.isJunction();
}

bool IsRealFolder(const QFileInfo& entry)
{
    return entry.isDir() && !IsLink(entry);
}

// Files and links alike; a Windows link to a folder is a folder entry that only rmdir takes
// away, and rmdir never touches what a link points to.
bool RemoveNonFolder(const QString& path)
{
    return QFile::remove(path) || QDir().rmdir(path);
}

// System brings in broken links, which take a name like any other entry.
constexpr auto EveryEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

QFileInfoList FolderEntries(const QString& path)
{
    return QDir(path).entryInfoList(EveryEntry);
}

// Controls, and the marks that turn text around, would let a name show as another one.
bool IsInvisibleCharacter(QChar ch)
{
    const char16_t unit = ch.unicode();
    return unit < u' ' || (unit >= u'\x7F' && unit <= u'\x9F') ||
           (unit >= u'\u202A' && unit <= u'\u202E') || (unit >= u'\u2066' && unit <= u'\u2069');
}

bool IsForbiddenCharacter(QChar ch)
{
    return IsInvisibleCharacter(ch) || IsPathSeparator(ch) || QStringView(u":*?\"<>|").contains(ch);
}

// Windows opens a device for these names whatever extension follows.
bool IsDeviceName(const QString& name)
{
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return device.match(name).hasMatch();
}
} // namespace

qsizetype FindPathSeparator(const QString& text, bool fromFront, qsizetype start)
{
    if (fromFront)
    {
        const auto found =
            std::find_if(text.cbegin() + std::clamp<qsizetype>(start, 0, text.size()), text.cend(),
                         IsPathSeparator);
        return found == text.cend() ? -1 : found - text.cbegin();
    }
    const qsizetype last = start < 0 || start >= text.size() ? text.size() - 1 : start;
    for (qsizetype i = last; i >= 0; --i)
    {
        if (IsPathSeparator(text[i]))
            return i;
    }
    return -1;
}

void SplitPath(const QString& path, QString* folder, QString* name)
{
    const qsizetype nameStart = FindPathSeparator(path, false, -1) + 1;
    if (folder)
        *folder = path.left(nameStart);
    if (name)
        *name = path.mid(nameStart);
}

QString GetPathTitle(const QString& path)
{
    QString name;
    SplitPath(path, nullptr, &name);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

bool AddTrailingBackslash(QString& text)
{
    if (!text.isEmpty() && IsPathSeparator(text.back()))
        return false;
    text += QDir::separator();
    return true;
}

bool PathExists(const QString& path)
{
    // A broken link still takes the name.
    const QFileInfo info(path);
    return info.exists() || IsLink(info);
}

QStringList ListFolderEntries(const QString& path)
{
    // An empty path would list the working folder.
    return path.isEmpty() ? QStringList() : QDir(path).entryList(EveryEntry, QDir::Name);
}

bool DeleteFolderContents(const QString& path)
{
    // A linked folder's contents live outside the tree being emptied.
    if (IsLink(QFileInfo(path)))
        return false;
    bool deletedAll = true;
    for (const QFileInfo& entry : FolderEntries(path))
    {
        const QString entryPath = entry.filePath();
        const bool deleted =
            IsRealFolder(entry) ? DeleteFolderContents(entryPath) : RemoveNonFolder(entryPath);
        deletedAll = deleted && deletedAll;
    }
    return deletedAll;
}

bool DeleteFolderTree(const QString& path)
{
    const QFileInfo folder(path);
    if (IsLink(folder))
        return RemoveNonFolder(path);
    if (!folder.isDir())
        return false;
    for (const QFileInfo& entry : FolderEntries(path))
    {
        if (IsRealFolder(entry))
            DeleteFolderTree(entry.filePath());
        else
            RemoveNonFolder(entry.filePath());
    }
    // Anything that could not be deleted keeps the folder from going, so this says it all.
    return QDir().rmdir(path);
}

NameProblem FindNameProblem(const QString& name, QChar* forbidden)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    const auto found = std::find_if(name.cbegin(), name.cend(), IsForbiddenCharacter);
    if (found != name.cend())
    {
        if (forbidden)
            *forbidden = *found;
        return IsInvisibleCharacter(*found) ? NameProblem::InvisibleCharacter
                                            : NameProblem::Character;
    }
    // "." and ".." end in a dot, and Windows drops a trailing dot or blank from a name.
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return NameProblem::TrailingDotOrBlank;
    if (IsDeviceName(name))
        return NameProblem::DeviceName;
    if (name.toUtf8().size() + ExtensionLength + TemporarySuffixLength > MaxFileNameBytes)
        return NameProblem::TooLong;
    return NameProblem::None;
}

bool IsPlainFileName(const QString& name)
{
    return FindNameProblem(name) == NameProblem::None;
}
