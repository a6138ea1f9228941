#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

// Writes JSON text in the layout of the toolkit's indented writer - four blanks a level, every
// member and element on a line of its own - without building a document first, so that a large
// account goes out piece by piece. Members come in the order given: callers give them sorted by
// key, as the toolkit's objects keep them.
class CJsonTextWriter
{
public:
    CJsonTextWriter();

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    template <qsizetype Size>
    void Key(const char (&key)[Size])
    {
        Key(key, Size - 1);
    }
    void Value(qint64 number);
    void Value(int number) { Value(qint64(number)); }
    void Value(quint32 number) { Value(qint64(number)); }
    void Value(bool flag);
    void Value(const QString& text);

    // Hands what is written so far to the device and starts again empty; false when the device
    // did not take it all.
    bool FlushTo(QIODevice& out);

private:
    void Key(const char* key, qsizetype size);
    // Room for at least size more bytes at the cursor.
    char* Room(qsizetype size);
    void Append(const char* text, qsizetype size);
    void AppendIndent();
    void AppendEscaped(const QString& text);
    void BeginValue();
    void Open(char bracket);
    void Close(char bracket);

    // Grown as needed and used up to m_nUsed, so each piece is a copy and no call into the array.
    QByteArray m_buffer;
    qsizetype m_nUsed = 0;
    // For each open container, whether it has an element yet.
    std::vector<bool> m_open;
    bool m_bAfterKey = false;
};
