#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <string_view>

namespace rtf {

// One lexical unit of an RTF stream.
struct Token {
    enum class Kind {
        End,           // no more input
        GroupStart,    // {
        GroupEnd,      // }
        ControlWord,   // \word or \wordN; name holds at most kMaxNameLength letters
        ControlSymbol, // \ followed by one non-letter; symbol holds it
        HexByte,       // \'hh; byte holds the value
        Text,          // a run of plain bytes (no \ { } CR LF); text points into the input
    };
    Kind kind = Kind::End;
    std::string_view name;
    bool hasParameter = false;
    std::int32_t parameter = 0; // saturated to the int32 range
    char symbol = 0;
    unsigned char byte = 0;
    std::string_view text;
};

// Splits RTF bytes into tokens in one forward pass. A control word that the
// end of the input cuts off is dropped. Every call consumes at
// least one byte unless the input is exhausted, so any input is read in
// linear time.
class Tokenizer final {
public:
    static constexpr std::size_t kMaxNameLength = 32;

    explicit Tokenizer(QByteArrayView input);

    Token next();

    // Steps over count raw bytes (the data of \binN), or to the end of the
    // input when fewer remain.
    void skipBytes(std::int64_t count);

    bool atEnd() const { return m_pos >= m_size; }

private:
    Token controlSequence();

    const char *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace rtf
