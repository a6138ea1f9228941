#include "Archive.h"

#include "Windows1252.h"

#include <QtEndian>

#include <cstring>

namespace
{
constexpr quint8 LongLengthMark = 0xFF;
constexpr quint16 WideStringMark = 0xFFFE;
constexpr quint16 HugeLengthMark = 0xFFFF;
} // namespace

CArchive::CArchive()
    : m_bStoring(true)
{
}

CArchive::CArchive(QByteArray bytes)
    : m_bytes(std::move(bytes))
    , m_bStoring(false)
{
}

void CArchive::Fail()
{
    m_bFailed = true;
    m_nPos = m_bytes.size();
}

void CArchive::Reserve(qsizetype size)
{
    m_bytes.reserve(size);
}

void CArchive::Exchange(QString& text)
{
    if (m_bStoring)
        WriteString(text);
    else
        ReadString(text);
}

// The bytes are compared before they are decoded, so a repeated text costs no string at all.
void CArchive::ExchangeRepeated(QString& text)
{
    if (m_bStoring)
    {
        WriteString(text);
        return;
    }
    const qsizetype start = m_nPos;
    QByteArrayView characters;
    bool wide = false;
    if (!TakeString(characters, wide))
    {
        text.clear();
        return;
    }
    const QByteArrayView stored(m_bytes.constData() + start, m_nPos - start);
    if (stored != m_lastRepeatedBytes)
    {
        m_lastRepeatedBytes = stored;
        m_strLastRepeated = DecodeString(characters, wide);
    }
    text = m_strLastRepeated;
}
bool CArchive::CanHold(quint32 count, int minBytes)
{
    if (m_bStoring)
        return true;
    if (m_bFailed || static_cast<quint64>(count) * minBytes > static_cast<quint64>(Remaining()))
    {
        Fail();
        return false;
    }
    return true;
}

void CArchive::WriteLength(quint32 length)
{
    if (length < LongLengthMark)
    {
        auto shortLength = static_cast<quint8>(length);
        Exchange(shortLength);
        return;
    }
    quint8 mark = LongLengthMark;
    Exchange(mark);
    if (length < WideStringMark)
    {
        const quint16 little = qToLittleEndian(static_cast<quint16>(length));
        Put(&little, sizeof little);
        return;
    }
    const quint16 hugeMark = qToLittleEndian(HugeLengthMark);
    Put(&hugeMark, sizeof hugeMark);
    Exchange(length);
}

// A 16-bit 0xFFFE announces UTF-16 text with a second prefix of its own; a second announcement
// inside that prefix is not a length the format knows.
quint32 CArchive::ReadLength(bool& wide)
{
    quint8 shortLength = 0;
    Exchange(shortLength);
    if (shortLength < LongLengthMark)
        return shortLength;

    quint16 little = 0;
    Take(&little, sizeof little);
    const quint16 mediumLength = qFromLittleEndian(little);
    if (mediumLength == WideStringMark)
    {
        if (wide)
        {
            Fail();
            return 0;
        }
        wide = true;
        return ReadLength(wide);
    }
    if (mediumLength != HugeLengthMark)
        return mediumLength;

    quint32 longLength = 0;
    Exchange(longLength);
    return longLength;
}

bool CArchive::TakeString(QByteArrayView& characters, bool& wide)
{
    const quint32 length = ReadLength(wide);
    const quint64 byteCount = static_cast<quint64>(length) * (wide ? 2 : 1);
    if (m_bFailed || byteCount > static_cast<quint64>(Remaining()))
    {
        Fail();
        return false;
    }
    characters = QByteArrayView(m_bytes.constData() + m_nPos, static_cast<qsizetype>(byteCount));
    m_nPos += static_cast<qsizetype>(byteCount);
    return true;
}

QString CArchive::DecodeString(QByteArrayView characters, bool wide)
{
    if (!wide)
        return DecodeWindows1252(characters);
    QString text(characters.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(characters.data() + 2 * i));
    return text;
}

void CArchive::ReadString(QString& text)
{
    QByteArrayView characters;
    bool wide = false;
    if (TakeString(characters, wide))
        text = DecodeString(characters, wide);
    else
        text.clear();
}
// Text the code page cannot hold goes out in the wide form rather than losing characters. The
// narrow form is tried in place: one byte per character, so its length is known before encoding.
void CArchive::WriteString(const QString& text)
{
    const qsizetype start = m_bytes.size();
    WriteLength(static_cast<quint32>(text.size()));
    if (EncodeWindows1252(text, Grow(text.size())))
        return;
    m_bytes.truncate(start);
    quint8 mark = LongLengthMark;
    Exchange(mark);
    const quint16 wideMark = qToLittleEndian(WideStringMark);
    Put(&wideMark, sizeof wideMark);
    WriteLength(static_cast<quint32>(text.size()));
    for (QChar ch : text)
    {
        const quint16 little = qToLittleEndian(ch.unicode());
        Put(&little, sizeof little);
    }
}
