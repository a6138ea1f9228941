#include "Windows1252.h"

#include <array>

namespace
{
// Characters of the bytes 0x80 to 0x9F; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr int RangeStart = 0x80;
constexpr int RangeEnd = 0xA0;

bool EncodeChar(char16_t ch, char& byte)
{
    if (ch < RangeStart || (ch >= RangeEnd && ch <= 0xFF))
    {
        byte = static_cast<char>(ch);
        return true;
    }
    for (std::size_t i = 0; i < HighControlRange.size(); ++i)
    {
        if (HighControlRange[i] == ch)
        {
            byte = static_cast<char>(RangeStart + i);
            return true;
        }
    }
    return false;
}
} // namespace

// Latin-1 is the code page but for the 32 bytes from 0x80, so the toolkit's Latin-1 decoding does
// the bulk at once and only those bytes are looked up.
QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    // Byte-wide so that the compiler checks many bytes at a time.
    quint8 inRange = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        inRange |= quint8((in[i] & 0xE0) == RangeStart);
    if (!inRange)
        return text;
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
    {
        if (unsigned(in[i] - RangeStart) < unsigned(RangeEnd - RangeStart))
            out[i] = QChar(HighControlRange[in[i] - RangeStart]);
    }
    return text;
}

// Every character narrowed in one pass, looked at closer only when one is not plain Latin-1.
bool EncodeWindows1252(const QString& text, char* out)
{
    const auto* in = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    bool plain = true;
    for (qsizetype i = 0; i < size; ++i)
    {
        out[i] = static_cast<char>(in[i]);
        plain &= in[i] < RangeStart || unsigned(in[i] - RangeEnd) <= unsigned(0xFF - RangeEnd);
    }
    if (plain)
        return true;
    for (qsizetype i = 0; i < size; ++i)
    {
        if (!EncodeChar(in[i], out[i]))
            return false;
    }
    return true;
}

bool EncodeWindows1252(const QString& text, QByteArray& bytes)
{
    bytes.resize(text.size());
    return EncodeWindows1252(text, bytes.data());
}
