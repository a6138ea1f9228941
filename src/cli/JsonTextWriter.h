#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Writes JSON text in the layout of the toolkit's indented writer - four blanks a level, every
// member and element on a line of its own - without building a document first, so that a large
// account goes out piece by piece. Members come in the order given: callers give them sorted by
// key, as the toolkit's objects keep them.
class CJsonTextWriter
{
public:
    explicit CJsonTextWriter(QByteArray& out);

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(const char* key);
    void Value(qint64 number);
    void Value(int number) { Value(qint64(number)); }
    void Value(quint32 number) { Value(qint64(number)); }
    void Value(bool flag);
    void Value(const QString& text);

private:
    static void AppendEscaped(QByteArray& out, const QString& text);
    void BeginValue();
    void Open(char bracket);
    void Close(char bracket);

    QByteArray& m_out;
    // For each open container, whether it has an element yet.
    std::vector<bool> m_open;
    bool m_bAfterKey = false;
};
