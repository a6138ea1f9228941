#pragma once

#include <QByteArray>
#include <QString>

// The flat little-endian value stream of account and group files. One Exchange call per value
// serves both directions, so what is written is by construction what is read.
//
// A loading archive never trusts a length: a string or count that claims more bytes than are
// left fails the archive at once, before anything is allocated. After a failure every further
// read yields zero and IsOk() stays false.
class CArchive
{
public:
    // A storing archive that collects the bytes in memory.
    CArchive();
    // A loading archive over the given bytes.
    explicit CArchive(QByteArray bytes);

    bool IsStoring() const { return m_bStoring; }
    bool IsOk() const { return !m_bFailed; }
    const QByteArray& Bytes() const { return m_bytes; }

    void Exchange(quint8& value);
    void Exchange(qint32& value);
    void Exchange(quint32& value);
    void Exchange(QString& text);

    // Fails a loading archive when count records of at least minBytes each cannot fit in what
    // is left; storing archives always pass.
    bool CanHold(quint32 count, int minBytes);

private:
    bool Take(void* out, qsizetype size);
    void Put(const void* in, qsizetype size);
    qsizetype Remaining() const { return m_bytes.size() - m_nPos; }
    quint32 ReadLength(bool& wide);
    void WriteLength(quint32 length);
    void ReadString(QString& text);
    void WriteString(const QString& text);
    void Fail();

    QByteArray m_bytes;
    qsizetype m_nPos = 0;
    bool m_bStoring;
    bool m_bFailed = false;
};
