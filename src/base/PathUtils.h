#pragma once

#include <QString>
#include <QStringList>

// Both separators count everywhere, so paths written on either system split the same way.
// The position of the first separator at or after start (fromFront), or of the last one at or
// before start; a start outside the text searches all of it. -1 when there is none.
qsizetype FindPathSeparator(const QString& text, bool fromFront, qsizetype start);

// The folder keeps its trailing separator; without a separator the whole path is the name.
void SplitPath(const QString& path, QString* folder, QString* name);

// The file name without its extension.
QString GetPathTitle(const QString& path);

// Appends the platform's separator unless the text already ends in one; whether it did.
bool AddTrailingBackslash(QString& text);

bool PathExists(const QString& path);

// The names of every entry of the folder, sorted: files, folders and links (broken ones too),
// hidden ones included. Every listing of account folders and group files starts from this one.
QStringList ListFolderEntries(const QString& path);

// Deletes the files of the folder and of all its sub-folders, keeping the folders themselves.
bool DeleteFolderContents(const QString& path);

// Deletes the folder with everything below it; true only when the folder is gone.
bool DeleteFolderTree(const QString& path);

// Why a name cannot serve as a group or account name, if it cannot.
enum class NameProblem
{
    None,
    Empty,
    // A separator or one of : * ? " < > |, which no file name may hold.
    Character,
    // A control or a mark that turns text around, which would make the name show as another.
    InvisibleCharacter,
    TrailingDotOrBlank,
    DeviceName,
    TooLong,
};

// The first problem found; the character at fault goes to forbidden when one is.
NameProblem FindNameProblem(const QString& name, QChar* forbidden = nullptr);

// Whether a group or account name can serve as one plain file or folder name, with its ".grp"
// or ".acf" and a save's temporary suffix appended, on every system an account folder may be
// copied to.
bool IsPlainFileName(const QString& name);
