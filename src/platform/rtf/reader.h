#pragma once

#include "platform/rtf/codepages.h"
#include "platform/rtf/documentbuilder.h"
#include "platform/rtf/readerstate.h"
#include "platform/rtf/tables.h"
#include "platform/rtf/tokenizer.h"

#include <QByteArrayView>

#include <vector>

class QTextDocument;

namespace rtf {

enum class Keyword;

// Reads an RTF stream into a QTextDocument: a state machine over the
// tokenizer's tokens with one state per open group. Never fails: a broken
// stream gives the document read up to the point where it broke.
class Reader final {
public:
    // Groups nested deeper than this are read as if they held no text.
    static constexpr std::size_t kMaxDepth = 512;

    Reader(QByteArrayView input, QTextDocument &doc);
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    void run();

private:
    void groupStart();
    void groupEnd();
    void controlWord(const Token &t);
    void keyword(Keyword k, const Token &t);
    void controlSymbol(char symbol);
    void text(std::string_view bytes);
    void byte(unsigned char b);
    void character(char16_t c);
    void setDestination(Destination d);
    void noteCellFormat(const ParaState &p);
    void cellParagraphEnd(const ParaState &p);
    void cellEnd(const ParaState &p);
    void flushRow();
    void rowEnd(const CharState &c, const ParaState &p);

    GroupState &top() { return m_stack.back(); }
    const ByteDecoder &decoder(int font);
    int fontId(int font) const { return font < 0 ? m_defaultFont : font; }
    const RunFormat &runFormat(const CharState &chars);
    ParagraphFormat paragraphFormat(const ParaState &p) const;

    Tokenizer m_tokens;
    DocumentBuilder m_builder;
    std::vector<GroupState> m_stack;
    GroupState m_closedRoot;      // the outermost group's state when it closed
    std::size_t m_overflow = 0;   // groups opened beyond kMaxDepth
    bool m_ignorableNext = false; // \* seen
    int m_fallbackLeft = 0;       // characters still to skip after \u
    int m_defaultFont = 0;
    int m_ansiCodePage = 1252;
    int m_footnotes = 0; // \chftn marks so far

    // The table row being read.
    struct RowState {
        bool open = false;         // \trowd or \cell seen, \row not yet
        int pendingTabs = 0;       // cells ended; their tabs wait for the row's next text
        bool pendingBreak = false; // a paragraph of the cell ended; more text may follow
        bool cellHasText = false;
        bool haveFormat = false;
        bool mixedAlignment = false;
        ParaState format; // the paragraph format of the row's first cell
        bool pending() const { return pendingTabs > 0 || pendingBreak; }
    };
    RowState m_row;

    Tables m_tables;

    ByteDecoder m_decoder;
    int m_decoderRequest = 1252;
    int m_runGeneration = -1; // m_tables' generation when m_run was resolved
    CharState m_runChars;
    RunFormat m_run;
};

} // namespace rtf
