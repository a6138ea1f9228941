#include "JsonTextWriter.h"

#include <charconv>
#include <iterator>

namespace
{
constexpr int IndentWidth = 4;
const char HexDigits[] = "0123456789abcdef";

void AppendHex4(QByteArray& out, char16_t unit)
{
    out.append("\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(HexDigits[(unit >> shift) & 0xF]);
}

void AppendAscii(QByteArray& out, char16_t unit)
{
    switch (unit)
    {
    case u'"':
        out.append("\\\"");
        return;
    case u'\\':
        out.append("\\\\");
        return;
    case u'\b':
        out.append("\\b");
        return;
    case u'\f':
        out.append("\\f");
        return;
    case u'\n':
        out.append("\\n");
        return;
    case u'\r':
        out.append("\\r");
        return;
    case u'\t':
        out.append("\\t");
        return;
    default:
        break;
    }
    if (unit < 0x20)
        AppendHex4(out, unit);
    else
        out.append(static_cast<char>(unit));
}

// Printable ASCII that needs no escape: the bulk of every text, copied in one go.
bool IsPlain(char16_t unit)
{
    return unit >= 0x20 && unit < 0x80 && unit != u'"' && unit != u'\\';
}

void AppendPlain(QByteArray& out, const char16_t* begin, const char16_t* end)
{
    const qsizetype at = out.size();
    out.resize(at + (end - begin));
    char* to = out.data() + at;
    for (const char16_t* unit = begin; unit != end; ++unit)
        *to++ = static_cast<char>(*unit);
}

void AppendUtf8(QByteArray& out, char32_t code)
{
    if (code < 0x800)
    {
        out.append(static_cast<char>(0xC0 | (code >> 6)));
    }
    else if (code < 0x10000)
    {
        out.append(static_cast<char>(0xE0 | (code >> 12)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    }
    else
    {
        out.append(static_cast<char>(0xF0 | (code >> 18)));
        out.append(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    }
    out.append(static_cast<char>(0x80 | (code & 0x3F)));
}
} // namespace

CJsonTextWriter::CJsonTextWriter(QByteArray& out)
    : m_out(out)
{
}

// Text goes out as UTF-8; a lone surrogate, which UTF-8 cannot carry, as an escape.
void CJsonTextWriter::AppendEscaped(QByteArray& out, const QString& text)
{
    const auto* unit = reinterpret_cast<const char16_t*>(text.constData());
    const auto* end = unit + text.size();
    out.append('"');
    while (unit != end)
    {
        const char16_t* plain = unit;
        while (unit != end && IsPlain(*unit))
            ++unit;
        AppendPlain(out, plain, unit);
        if (unit == end)
            break;
        const char16_t first = *unit++;
        if (first < 0x80)
            AppendAscii(out, first);
        else if (QChar::isHighSurrogate(first) && unit != end && QChar::isLowSurrogate(*unit))
            AppendUtf8(out, QChar::surrogateToUcs4(first, *unit++));
        else if (QChar::isSurrogate(first))
            AppendHex4(out, first);
        else
            AppendUtf8(out, first);
    }
    out.append('"');
}

void CJsonTextWriter::BeginValue()
{
    if (m_bAfterKey || m_open.empty())
    {
        m_bAfterKey = false;
        return;
    }
    if (m_open.back())
        m_out.append(",\n");
    m_open.back() = true;
    m_out.append(IndentWidth * qsizetype(m_open.size()), ' ');
}

void CJsonTextWriter::Open(char bracket)
{
    BeginValue();
    m_out.append(bracket);
    m_out.append('\n');
    m_open.push_back(false);
}

void CJsonTextWriter::Close(char bracket)
{
    const bool hadElements = m_open.back();
    m_open.pop_back();
    if (hadElements)
        m_out.append('\n');
    m_out.append(IndentWidth * qsizetype(m_open.size()), ' ');
    m_out.append(bracket);
    if (m_open.empty())
        m_out.append('\n');
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

void CJsonTextWriter::Key(const char* key)
{
    BeginValue();
    m_out.append('"');
    m_out.append(key);
    m_out.append("\": ");
    m_bAfterKey = true;
}

void CJsonTextWriter::Value(qint64 number)
{
    BeginValue();
    char digits[24];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), number);
    m_out.append(digits, end - digits);
}

void CJsonTextWriter::Value(bool flag)
{
    BeginValue();
    m_out.append(flag ? "true" : "false");
}

void CJsonTextWriter::Value(const QString& text)
{
    BeginValue();
    AppendEscaped(m_out, text);
}
