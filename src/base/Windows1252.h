#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The single-byte code page of account and group files. The five bytes the code page leaves
// undefined map to the C1 controls of the same value, so every byte value round-trips.
QString DecodeWindows1252(QByteArrayView bytes);

// False when the text holds a character the code page has no byte for; bytes is then undefined.
bool EncodeWindows1252(const QString& text, QByteArray& bytes);
// The same into text.size() bytes the caller has room for.
bool EncodeWindows1252(const QString& text, char* out);
