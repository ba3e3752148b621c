#include "platform/rtf/tokenizer.h"

#include <algorithm>
#include <limits>

namespace rtf {
namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

Tokenizer::Tokenizer(QByteArrayView input)
    : m_data(input.data()), m_size(static_cast<std::size_t>(input.size()))
{}

Token Tokenizer::next()
{
    Token t;
    while (m_pos < m_size) {
        const char c = m_data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            t.kind = Token::Kind::GroupStart;
            return t;
        case '}':
            ++m_pos;
            t.kind = Token::Kind::GroupEnd;
            return t;
        case '\\':
            return controlSequence();
        case '\r':
        case '\n':
            ++m_pos; // line breaks of the file carry no meaning
            continue;
        default:
            break;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_size) {
            const char d = m_data[m_pos];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                break;
            ++m_pos;
        }
        t.kind = Token::Kind::Text;
        t.text = std::string_view(m_data + start, m_pos - start);
        return t;
    }
    return t;
}

Token Tokenizer::controlSequence()
{
    Token t;
    ++m_pos; // the backslash
    if (m_pos >= m_size) {
        t.kind = Token::Kind::End;
        return t;
    }
    const char c = m_data[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            const int hi = m_pos < m_size ? hexValue(m_data[m_pos]) : -1;
            const int lo = m_pos + 1 < m_size ? hexValue(m_data[m_pos + 1]) : -1;
            if (hi < 0 || lo < 0) {
                // A broken \' escape: drop it with the hex digit it has, and read on.
                if (hi >= 0)
                    ++m_pos;
                t.kind = Token::Kind::ControlSymbol;
                t.symbol = '\'';
                return t;
            }
            m_pos += 2;
            t.kind = Token::Kind::HexByte;
            t.byte = static_cast<unsigned char>(hi * 16 + lo);
            return t;
        }
        if (c == '\r' || c == '\n') {
            // A backslash before a line break is an old spelling of \par.
            t.kind = Token::Kind::ControlWord;
            t.name = "par";
            return t;
        }
        t.kind = Token::Kind::ControlSymbol;
        t.symbol = c;
        return t;
    }

    const std::size_t start = m_pos;
    while (m_pos < m_size && isLetter(m_data[m_pos]))
        ++m_pos;
    t.kind = Token::Kind::ControlWord;
    t.name = std::string_view(m_data + start, std::min(m_pos - start, kMaxNameLength));

    bool negative = false;
    if (m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_size && isDigit(m_data[m_pos])) {
        constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
        std::int64_t value = 0;
        while (m_pos < m_size && isDigit(m_data[m_pos])) {
            if (value <= kLimit)
                value = value * 10 + (m_data[m_pos] - '0');
            ++m_pos;
        }
        if (value > kLimit)
            value = kLimit;
        t.hasParameter = true;
        t.parameter = static_cast<std::int32_t>(negative ? -value : value);
    }
    if (m_pos >= m_size) {
        // Cut off by the end of the file: the word may have been longer.
        t = Token{};
        return t;
    }
    if (m_data[m_pos] == ' ')
        ++m_pos; // the delimiter belongs to the control word
    return t;
}

void Tokenizer::skipBytes(std::int64_t count)
{
    if (count <= 0)
        return;
    const auto remaining = static_cast<std::uint64_t>(m_size - m_pos);
    m_pos += static_cast<std::size_t>(std::min(static_cast<std::uint64_t>(count), remaining));
}

} // namespace rtf
