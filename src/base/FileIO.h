#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole regular file; false when it cannot be opened or read.
bool ReadFileBytes(const QString& path, QByteArray& bytes);

// Writes through a temporary file in the same folder and renames it into place, so a crash or a
// full disk leaves either the old file or the new one, never a cut-short one. True only when
// every byte was written.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Removes the temporary files of group and account file writes into the folder that were cut
// short ("NAME.grp.XXXXXX", "NAME.acf.XXXXXX"); nothing else.
void RemoveLeftOverTemporaryFiles(const QString& folder);
