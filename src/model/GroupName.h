#pragma once

#include <QString>
#include <QStringList>

// Group names are told apart as stored names always have been: only the ASCII letters ignore
// case, so "été" and "ÉTÉ" are two groups while "Home" and "HOME" are one.
bool SameGroupName(const QString& a, const QString& b);

enum class NameKind
{
    Group,
    Account,
};

// What the user is told when a name cannot be a group's or an account's; empty when it can.
QString NameRefusal(const QString& name, NameKind kind);

// The entry of the folder that has the name in any letter case, as names are compared; empty
// when there is none.
QString FindEntryNamed(const QString& folder, const QString& name);

// Whether a group may take the name: a plain file name that no other group has and that no
// entry of the group's folder has as its file name, in any letter case, whether the entry is a
// group file that could not be read, a folder or a link. The renamed group, and its own file,
// do not count.
bool IsGroupNameFree(const QString& name, const QStringList& groupNames,
                     const QStringList& folderEntries, const QString& renamedGroup = QString());
