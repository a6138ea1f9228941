#pragma once

#include "model/VemoGroup.h"

#include <QString>
#include <QVector>

// A whole account read from its folder in one go, for tools that work on accounts offline.
struct CAccountSnapshot
{
    QString m_strName;
    QString m_strStoredPath;
    QVector<CVemoGroup> m_groups;

    // Reads the account file and every group file; false with a one-line reason when any of
    // them cannot be read completely. Groups come sorted by name, as the program shows them.
    bool Load(const QString& accountFolder, QString& error);

    // Creates the account folder and writes the account file and every group file into it.
    // The folder must not exist yet; it appears whole or not at all.
    bool Create(const QString& accountFolder, QString& error);
};
