#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <cstring>

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
    // For a text most records repeat, such as a font's face: a loaded text stored like the last
    // one read this way shares that one's string instead of making another.
    void ExchangeRepeated(QString& text);

    // Fails a loading archive when count records of at least minBytes each cannot fit in what
    // is left; storing archives always pass.
    bool CanHold(quint32 count, int minBytes);
    // Room for a storing archive's bytes, so a whole file is collected without growing.
    void Reserve(qsizetype size);

private:
    bool Take(void* out, qsizetype size);
    void Put(const void* in, qsizetype size);
    // Appends room for size bytes and returns where it starts.
    char* Grow(qsizetype size);
    qsizetype Remaining() const { return m_bytes.size() - m_nPos; }
    quint32 ReadLength(bool& wide);
    void WriteLength(quint32 length);
    // Reads a string's length and hands over its stored characters undecoded.
    bool TakeString(QByteArrayView& characters, bool& wide);
    static QString DecodeString(QByteArrayView characters, bool wide);
    void ReadString(QString& text);
    void WriteString(const QString& text);
    void Fail();

    QByteArray m_bytes;
    qsizetype m_nPos = 0;
    // Where the last repeated text lay in the bytes, and the string made of it.
    QByteArrayView m_lastRepeatedBytes;
    QString m_strLastRepeated;
    bool m_bStoring;
    bool m_bFailed = false;
};

// The values of every record pass here, so they are inline.

inline bool CArchive::Take(void* out, qsizetype size)
{
    if (m_bFailed || size > Remaining())
    {
        Fail();
        std::memset(out, 0, size);
        return false;
    }
    std::memcpy(out, m_bytes.constData() + m_nPos, size);
    m_nPos += size;
    return true;
}

inline void CArchive::Put(const void* in, qsizetype size)
{
    std::memcpy(Grow(size), in, size);
}

inline char* CArchive::Grow(qsizetype size)
{
    const qsizetype at = m_bytes.size();
    m_bytes.resize(at + size);
    return m_bytes.data() + at;
}

inline void CArchive::Exchange(quint8& value)
{
    if (m_bStoring)
        Put(&value, 1);
    else
        Take(&value, 1);
}

inline void CArchive::Exchange(quint32& value)
{
    if (m_bStoring)
    {
        const quint32 little = qToLittleEndian(value);
        Put(&little, sizeof little);
        return;
    }
    quint32 little = 0;
    Take(&little, sizeof little);
    value = qFromLittleEndian(little);
}

inline void CArchive::Exchange(qint32& value)
{
    auto bits = static_cast<quint32>(value);
    Exchange(bits);
    value = static_cast<qint32>(bits);
}
