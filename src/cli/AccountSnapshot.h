#pragma once

#include "model/VemoGroup.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A whole account read from its folder in one go, for tools that work on accounts offline.
struct CAccountSnapshot
{
    QString m_strName;
    QString m_strStoredPath;
    QVector<CVemoGroup> m_groups;
    // The group files Open found, in the order of their groups.
    QStringList m_groupFiles;

    // Reads the account file and every group file; false with a one-line reason when any of
    // them cannot be read completely. Groups come sorted by name, as the program shows them.
    bool Load(const QString& accountFolder, QString& error);
    // Reads the account file and finds the group files, in the order Load gives their groups,
    // without reading them: for tools that go through a large account a group at a time.
    bool Open(const QString& accountFolder, QString& error);
    static bool LoadGroup(const QString& path, CVemoGroup& group, QString& error);

    // Creates the account folder and writes the account file and every group file into it.
    // The folder must not exist yet; it appears whole or not at all.
    bool Create(const QString& accountFolder, QString& error);
};
