#include "JsonTextWriter.h"

#include <QIODevice>

#include <charconv>
#include <cstring>

namespace
{
constexpr int IndentWidth = 4;
constexpr qsizetype FirstCapacity = 1 << 16;
// The most bytes one UTF-16 unit can become: a six-byte escape.
constexpr qsizetype MostBytesPerUnit = 6;
const char HexDigits[] = "0123456789abcdef";

char* PutHex4(char* to, char16_t unit)
{
    *to++ = '\\';
    *to++ = 'u';
    for (int shift = 12; shift >= 0; shift -= 4)
        *to++ = HexDigits[(unit >> shift) & 0xF];
    return to;
}

char ShortEscape(char16_t unit)
{
    switch (unit)
    {
    case u'"':
        return '"';
    case u'\\':
        return '\\';
    case u'\b':
        return 'b';
    case u'\f':
        return 'f';
    case u'\n':
        return 'n';
    case u'\r':
        return 'r';
    case u'\t':
        return 't';
    default:
        return 0;
    }
}

char* PutAscii(char* to, char16_t unit)
{
    if (const char escape = ShortEscape(unit))
    {
        *to++ = '\\';
        *to++ = escape;
        return to;
    }
    if (unit < 0x20)
        return PutHex4(to, unit);
    *to++ = static_cast<char>(unit);
    return to;
}

char* PutUtf8(char* to, char32_t code)
{
    if (code < 0x800)
    {
        *to++ = static_cast<char>(0xC0 | (code >> 6));
    }
    else if (code < 0x10000)
    {
        *to++ = static_cast<char>(0xE0 | (code >> 12));
        *to++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    else
    {
        *to++ = static_cast<char>(0xF0 | (code >> 18));
        *to++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *to++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    *to++ = static_cast<char>(0x80 | (code & 0x3F));
    return to;
}
} // namespace

CJsonTextWriter::CJsonTextWriter()
    : m_buffer(FirstCapacity, Qt::Uninitialized)
{
}

char* CJsonTextWriter::Room(qsizetype size)
{
    if (m_nUsed + size > m_buffer.size())
        m_buffer.resize(qMax(2 * m_buffer.size(), m_nUsed + size));
    return m_buffer.data() + m_nUsed;
}

void CJsonTextWriter::Append(const char* text, qsizetype size)
{
    std::memcpy(Room(size), text, size);
    m_nUsed += size;
}

void CJsonTextWriter::AppendIndent()
{
    const qsizetype size = IndentWidth * qsizetype(m_open.size());
    std::memset(Room(size), ' ', size);
    m_nUsed += size;
}

// Text goes out as UTF-8; a lone surrogate, which UTF-8 cannot carry, as an escape.
void CJsonTextWriter::AppendEscaped(const QString& text)
{
    const auto* unit = reinterpret_cast<const char16_t*>(text.constData());
    const auto* end = unit + text.size();
    char* const start = Room(MostBytesPerUnit * text.size() + 2);
    char* to = start;
    *to++ = '"';
    while (unit != end)
    {
        const char16_t first = *unit++;
        if (first < 0x80)
            to = PutAscii(to, first);
        else if (QChar::isHighSurrogate(first) && unit != end && QChar::isLowSurrogate(*unit))
            to = PutUtf8(to, QChar::surrogateToUcs4(first, *unit++));
        else if (QChar::isSurrogate(first))
            to = PutHex4(to, first);
        else
            to = PutUtf8(to, first);
    }
    *to++ = '"';
    m_nUsed += to - start;
}

bool CJsonTextWriter::FlushTo(QIODevice& out)
{
    const qsizetype size = m_nUsed;
    m_nUsed = 0;
    return out.write(m_buffer.constData(), size) == size;
}

void CJsonTextWriter::BeginValue()
{
    if (m_bAfterKey || m_open.empty())
    {
        m_bAfterKey = false;
        return;
    }
    if (m_open.back())
        Append(",\n", 2);
    m_open.back() = true;
    AppendIndent();
}

void CJsonTextWriter::Open(char bracket)
{
    BeginValue();
    const char opening[] = {bracket, '\n'};
    Append(opening, 2);
    m_open.push_back(false);
}

void CJsonTextWriter::Close(char bracket)
{
    const bool hadElements = m_open.back();
    m_open.pop_back();
    if (hadElements)
        Append("\n", 1);
    AppendIndent();
    Append(&bracket, 1);
    if (m_open.empty())
        Append("\n", 1);
}

void CJsonTextWriter::BeginObject()
{
    Open('{');
}

void CJsonTextWriter::EndObject()
{
    Close('}');
}

void CJsonTextWriter::BeginArray()
{
    Open('[');
}

void CJsonTextWriter::EndArray()
{
    Close(']');
}

void CJsonTextWriter::Key(const char* key, qsizetype size)
{
    BeginValue();
    char* to = Room(size + 4);
    *to++ = '"';
    std::memcpy(to, key, size);
    to += size;
    std::memcpy(to, "\": ", 3);
    m_nUsed += size + 4;
    m_bAfterKey = true;
}

void CJsonTextWriter::Value(qint64 number)
{
    BeginValue();
    char digits[24];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, number);
    Append(digits, written.ptr - digits);
}

void CJsonTextWriter::Value(bool flag)
{
    BeginValue();
    if (flag)
        Append("true", 4);
    else
        Append("false", 5);
}

void CJsonTextWriter::Value(const QString& text)
{
    BeginValue();
    AppendEscaped(text);
}
