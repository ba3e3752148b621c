#include "platform/rtf/reader.h"

#include "platform/rtf/keywords.h"
#include "platform/rtf/lengths.h"

#include <algorithm>

namespace rtf {
namespace {

// Bounds for values from the file, so that absurd numbers give a usable document.
constexpr int kMaxTwips = 31680;     // 22 inches
constexpr int kMaxHalfPoints = 3276; // 1638 points
constexpr int kMaxTabs = 32;
constexpr int kMaxListLevel = 8;
constexpr int kMaxUnicodeSkip = 255;

int clampParam(const Token &t, int low, int high, int absent)
{
    return t.hasParameter ? std::clamp(static_cast<int>(t.parameter), low, high) : absent;
}

bool toggle(const Token &t)
{
    return !t.hasParameter || t.parameter != 0;
}

// Names that may follow \* and still be read; any other \* group is skipped.
bool isKnownDestination(Keyword k)
{
    switch (k) {
    case Keyword::SkipDestination:
    case Keyword::FontTable:
    case Keyword::ColourTable:
    case Keyword::Pn:
    case Keyword::ListTable:
    case Keyword::List:
    case Keyword::ListLevel:
    case Keyword::ListOverrideTable:
    case Keyword::ListOverride:
    case Keyword::Field:
    case Keyword::FieldResult:
        return true;
    default:
        return false;
    }
}

} // namespace

Reader::Reader(QByteArrayView input, QTextDocument &doc) : m_tokens(input), m_builder(doc) {}

void Reader::run()
{
    bool started = false;
    for (;;) {
        const Token t = m_tokens.next();
        if (t.kind == Token::Kind::End)
            break;
        if (t.kind == Token::Kind::GroupStart) {
            started = true;
            groupStart();
            continue;
        }
        if (m_stack.empty())
            continue; // bytes before the outermost group mean nothing
        switch (t.kind) {
        case Token::Kind::GroupEnd:
            groupEnd();
            break;
        case Token::Kind::ControlWord:
            controlWord(t);
            break;
        case Token::Kind::ControlSymbol:
            controlSymbol(t.symbol);
            break;
        case Token::Kind::HexByte:
            byte(t.byte);
            break;
        case Token::Kind::Text:
            text(t.text);
            break;
        default:
            break;
        }
        if (started && m_stack.empty())
            break; // the outermost group is closed: what follows is no part of the document
    }
    // The paragraph still open at the end keeps the formats it had then.
    const GroupState &last = m_stack.empty() ? m_closedRoot : m_stack.back();
    m_builder.setRun(runFormat(last.chars));
    m_builder.finish(paragraphFormat(last.para));
}

void Reader::groupStart()
{
    m_fallbackLeft = 0;
    if (m_stack.empty()) {
        m_stack.emplace_back();
        return;
    }
    if (m_ignorableNext) {
        // "\*{": the group that \* announced has no name the reader knows.
        m_ignorableNext = false;
        setDestination(Destination::Skip);
    }
    if (m_overflow > 0 || m_stack.size() >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
}

void Reader::groupEnd()
{
    m_fallbackLeft = 0;
    if (m_ignorableNext) {
        m_ignorableNext = false;
        setDestination(Destination::Skip);
    }
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (m_stack.empty()) {
        m_closedRoot = std::move(closed);
        return;
    }
    const Destination parent = top().destination;
    switch (closed.destination) {
    case Destination::FontTable:
        m_tables.commitFont();
        break;
    case Destination::Pn:
        if (parent != Destination::Pn) {
            top().para.numbering = closed.para.numbering;
            top().para.pnLevel = closed.para.pnLevel;
        }
        break;
    case Destination::List:
        if (parent != Destination::List && parent != Destination::ListLevel)
            m_tables.commitList();
        break;
    case Destination::ListOverride:
        if (parent != Destination::ListOverride)
            m_tables.commitOverride();
        break;
    default:
        break;
    }
}

void Reader::setDestination(Destination d)
{
    // A skipped group stays skipped, whatever its inner groups claim to be.
    if (top().destination != Destination::Skip)
        top().destination = d;
}

void Reader::controlWord(const Token &t)
{
    const Keyword k = keywordFor(t.name);
    if (k == Keyword::Binary) {
        // The data is skipped in every destination; it counts as one fallback character.
        if (t.hasParameter)
            m_tokens.skipBytes(t.parameter);
        if (m_fallbackLeft > 0)
            --m_fallbackLeft;
        m_ignorableNext = false;
        return;
    }
    if (m_ignorableNext) {
        m_ignorableNext = false;
        if (!isKnownDestination(k)) {
            setDestination(Destination::Skip);
            return;
        }
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_overflow > 0 || top().destination == Destination::Skip)
        return;
    keyword(k, t);
}

void Reader::keyword(Keyword k, const Token &t)
{
    GroupState &s = top();
    CharState &c = s.chars;
    ParaState &p = s.para;
    const Destination dest = s.destination;
    const bool inText = dest == Destination::Text;
    switch (k) {
    case Keyword::Unknown:
    case Keyword::Rtf:
    case Keyword::Field:
    case Keyword::FieldResult:
        break;

    case Keyword::SkipDestination:
        setDestination(Destination::Skip);
        break;
    case Keyword::FontTable:
        setDestination(Destination::FontTable);
        break;
    case Keyword::ColourTable:
        setDestination(Destination::ColourTable);
        break;
    case Keyword::Pn:
        setDestination(Destination::Pn);
        p.numbering = Numbering::None;
        p.pnLevel = 0;
        break;
    case Keyword::PnLevel:
        // Outline levels: \pnlvl1 is the outermost.
        if (dest == Destination::Pn) {
            p.pnLevel = clampParam(t, 1, kMaxListLevel + 1, 1) - 1;
            if (p.numbering == Numbering::None)
                p.numbering = Numbering::Decimal;
        }
        break;
    case Keyword::ListTable:
        setDestination(Destination::ListTable);
        break;
    case Keyword::List:
        if (dest == Destination::ListTable) {
            setDestination(Destination::List);
            m_tables.beginList();
        }
        break;
    case Keyword::ListLevel:
        if (dest == Destination::List) {
            setDestination(Destination::ListLevel);
            m_tables.addListLevel();
        }
        break;
    case Keyword::LevelNumberFormat:
        if (dest == Destination::ListLevel && t.hasParameter)
            m_tables.setLevelFormat(t.parameter);
        break;
    case Keyword::ListId:
        if (dest == Destination::List)
            m_tables.setListId(t.parameter);
        else if (dest == Destination::ListOverride)
            m_tables.setOverrideListId(t.parameter);
        break;
    case Keyword::ListOverrideTable:
        setDestination(Destination::ListOverrideTable);
        break;
    case Keyword::ListOverride:
        if (dest == Destination::ListOverrideTable) {
            setDestination(Destination::ListOverride);
            m_tables.beginOverride();
        }
        break;
    case Keyword::ListOverrideIndex:
        if (dest == Destination::ListOverride)
            m_tables.setOverrideIndex(t.parameter);
        else
            p.listOverride = std::max(0, static_cast<int>(t.parameter));
        break;
    case Keyword::ListLevelIndex:
        p.listLevel = clampParam(t, 0, kMaxListLevel, 0);
        break;

    case Keyword::Ansi:
    case Keyword::Mac:
    case Keyword::Pc:
    case Keyword::Pca:
        m_ansiCodePage = 1252;
        break;
    case Keyword::AnsiCodePage:
        if (t.hasParameter)
            m_ansiCodePage = t.parameter;
        break;
    case Keyword::DefaultFont:
        m_defaultFont = t.hasParameter ? t.parameter : 0;
        m_runGeneration = -1;
        break;
    case Keyword::UnicodeSkip:
        s.unicodeSkip = clampParam(t, 0, kMaxUnicodeSkip, 1);
        break;
    case Keyword::Unicode:
        if (t.hasParameter) {
            const int v = t.parameter < 0 ? t.parameter + 65536 : t.parameter;
            if (v >= 0 && v <= 0xffff)
                character(static_cast<char16_t>(v));
        }
        m_fallbackLeft = s.unicodeSkip;
        break;

    case Keyword::Font:
        if (dest == Destination::FontTable) {
            m_tables.beginFont(t.hasParameter ? t.parameter : 0);
        } else {
            c.font = t.hasParameter ? t.parameter : -1;
        }
        break;
    case Keyword::FontCharset:
        if (dest == Destination::FontTable)
            m_tables.fontBeingRead().charset = t.parameter;
        break;
    case Keyword::FontCodePage:
        if (dest == Destination::FontTable)
            m_tables.fontBeingRead().codePage = t.parameter;
        break;
    case Keyword::FontPitch:
        if (dest == Destination::FontTable)
            m_tables.fontBeingRead().pitch = t.parameter;
        break;
    case Keyword::FontModern:
        if (dest == Destination::FontTable)
            m_tables.fontBeingRead().modern = true;
        break;

    case Keyword::Red:
        m_tables.setRed(t.parameter);
        break;
    case Keyword::Green:
        m_tables.setGreen(t.parameter);
        break;
    case Keyword::Blue:
        m_tables.setBlue(t.parameter);
        break;

    case Keyword::Plain:
        c = CharState{};
        break;
    case Keyword::FontSize:
        c.halfPoints = clampParam(t, 2, kMaxHalfPoints, 24);
        break;
    case Keyword::Colour:
        c.colour = std::max(0, clampParam(t, 0, 0xffff, 0));
        break;
    case Keyword::Bold:
        c.bold = toggle(t);
        break;
    case Keyword::Italic:
        c.italic = toggle(t);
        break;
    case Keyword::Underline:
        c.underline = toggle(t);
        break;
    case Keyword::UnderlineNone:
        c.underline = false;
        break;
    case Keyword::Strike:
        c.strikeOut = toggle(t);
        break;
    case Keyword::Hidden:
        c.hidden = toggle(t);
        break;
    case Keyword::Superscript:
        c.script = Script::Super;
        break;
    case Keyword::Subscript:
        c.script = Script::Sub;
        break;
    case Keyword::NoSuperSub:
        c.script = Script::Normal;
        break;
    case Keyword::FootnoteMark:
        // The footnote's number; the body is skipped, the reference stays.
        if (inText) {
            ++m_footnotes;
            for (const QChar digit : QString::number(m_footnotes))
                character(digit.unicode());
        }
        break;

    case Keyword::ParagraphDefault:
        p = ParaState{};
        break;
    case Keyword::AlignLeft:
        p.alignment = Qt::AlignLeft;
        break;
    case Keyword::AlignCentre:
        p.alignment = Qt::AlignHCenter;
        break;
    case Keyword::AlignRight:
        p.alignment = Qt::AlignRight;
        break;
    case Keyword::AlignJustify:
        p.alignment = Qt::AlignJustify;
        break;
    case Keyword::LeftIndent:
        p.leftTwips = clampParam(t, -kMaxTwips, kMaxTwips, 0);
        break;
    case Keyword::RightIndent:
        p.rightTwips = clampParam(t, -kMaxTwips, kMaxTwips, 0);
        break;
    case Keyword::FirstIndent:
        p.firstTwips = clampParam(t, -kMaxTwips, kMaxTwips, 0);
        break;
    case Keyword::SpaceBefore:
        p.spaceBeforeTwips = clampParam(t, 0, kMaxTwips, 0);
        break;
    case Keyword::SpaceAfter:
        p.spaceAfterTwips = clampParam(t, 0, kMaxTwips, 0);
        break;
    case Keyword::InTable:
        p.inTable = true;
        break;
    case Keyword::TabRight:
        p.nextTabType = QTextOption::RightTab;
        break;
    case Keyword::TabCentre:
        p.nextTabType = QTextOption::CenterTab;
        break;
    case Keyword::TabDecimal:
        p.nextTabType = QTextOption::DelimiterTab;
        break;
    case Keyword::TabPosition:
        if (p.tabs.size() < kMaxTabs) {
            QTextOption::Tab tab;
            tab.position = clampParam(t, 0, kMaxTwips, 0);
            tab.type = p.nextTabType;
            if (tab.type == QTextOption::DelimiterTab)
                tab.delimiter = QLatin1Char('.');
            p.tabs.append(tab);
        }
        p.nextTabType = QTextOption::LeftTab;
        break;

    case Keyword::PnBullet:
        if (dest == Destination::Pn)
            p.numbering = Numbering::Bullet;
        break;
    case Keyword::PnBody:
        if (dest == Destination::Pn && p.numbering == Numbering::None)
            p.numbering = Numbering::Decimal;
        break;
    case Keyword::PnContinue:
        if (dest == Destination::Pn)
            p.numbering = Numbering::None;
        break;
    case Keyword::PnDecimal:
    case Keyword::PnLowerLetter:
    case Keyword::PnUpperLetter:
    case Keyword::PnLowerRoman:
    case Keyword::PnUpperRoman:
        if (dest == Destination::Pn && p.numbering != Numbering::Bullet) {
            p.numbering = k == Keyword::PnDecimal       ? Numbering::Decimal
                          : k == Keyword::PnLowerLetter ? Numbering::LowerLetter
                          : k == Keyword::PnUpperLetter ? Numbering::UpperLetter
                          : k == Keyword::PnLowerRoman  ? Numbering::LowerRoman
                                                        : Numbering::UpperRoman;
        }
        break;

    case Keyword::Par:
        if (!inText)
            break;
        if (p.inTable || m_row.open) {
            cellParagraphEnd(p);
            break;
        }
        if (m_row.open || m_row.haveFormat)
            m_row = RowState{}; // a row left without \row
        m_builder.setRun(runFormat(c));
        m_builder.endParagraph(paragraphFormat(p));
        break;
    case Keyword::Cell:
        if (inText)
            cellEnd(p);
        break;
    case Keyword::Row:
        if (inText)
            rowEnd(c, p);
        break;
    case Keyword::RowDefaults:
        if (inText)
            m_row.open = true;
        break;
    case Keyword::Line:
        character(0x2028); // QTextDocument's line break inside a paragraph
        break;
    case Keyword::Tab:
        character(u'\t');
        break;
    case Keyword::EmDash:
        character(0x2014);
        break;
    case Keyword::EnDash:
        character(0x2013);
        break;
    case Keyword::EmSpace:
        character(0x2003);
        break;
    case Keyword::EnSpace:
        character(0x2002);
        break;
    case Keyword::BulletChar:
        character(0x2022);
        break;
    case Keyword::LeftQuote:
        character(0x2018);
        break;
    case Keyword::RightQuote:
        character(0x2019);
        break;
    case Keyword::LeftDoubleQuote:
        character(0x201c);
        break;
    case Keyword::RightDoubleQuote:
        character(0x201d);
        break;
    case Keyword::Binary:
        break; // handled before the dispatch
    }
}

void Reader::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (m_ignorableNext) {
        m_ignorableNext = false;
        setDestination(Destination::Skip);
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_overflow > 0)
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        character(static_cast<char16_t>(symbol));
        break;
    case '~':
        character(0x00a0);
        break;
    case '-':
        character(0x00ad);
        break;
    case '_':
        character(0x2011);
        break;
    default:
        break;
    }
}

void Reader::text(std::string_view bytes)
{
    if (m_ignorableNext) {
        m_ignorableNext = false;
        setDestination(Destination::Skip);
    }
    if (m_fallbackLeft > 0) {
        const auto n = std::min(bytes.size(), static_cast<std::size_t>(m_fallbackLeft));
        bytes.remove_prefix(n);
        m_fallbackLeft -= static_cast<int>(n);
    }
    if (m_overflow > 0 || bytes.empty())
        return;
    const Destination dest = top().destination;
    if (dest == Destination::Text) {
        const CharState &c = top().chars;
        if (c.hidden)
            return;
        m_builder.setRun(runFormat(c));
        if (m_row.pending())
            flushRow();
        m_row.cellHasText = true;
        const ByteDecoder &d = decoder(c.font);
        for (const char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            if (b >= 0x20)
                m_builder.appendChar(d.decode(b));
            else if (b == '\t')
                m_builder.appendChar(u'\t');
        }
        return;
    }
    for (const char ch : bytes)
        byte(static_cast<unsigned char>(ch));
}

void Reader::byte(unsigned char b)
{
    if (m_ignorableNext) {
        m_ignorableNext = false;
        setDestination(Destination::Skip);
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (m_overflow > 0)
        return;
    switch (top().destination) {
    case Destination::Text:
        if (b >= 0x20 || b == '\t')
            character(decoder(top().chars.font).decode(b));
        break;
    case Destination::FontTable:
        if (b == ';')
            m_tables.commitFont();
        else
            m_tables.appendByteToFontName(b, m_ansiCodePage);
        break;
    case Destination::ColourTable:
        if (b == ';')
            m_tables.commitColour();
        break;
    default:
        break;
    }
}

void Reader::character(char16_t ch)
{
    if (m_overflow > 0)
        return;
    switch (top().destination) {
    case Destination::Text:
        if (!top().chars.hidden) {
            m_builder.setRun(runFormat(top().chars));
            if (m_row.pending())
                flushRow();
            m_row.cellHasText = true;
            m_builder.appendChar(ch);
        }
        break;
    case Destination::FontTable:
        m_tables.appendToFontName(ch);
        break;
    default:
        break;
    }
}

const ByteDecoder &Reader::decoder(int font)
{
    const int cp = m_tables.codePageOf(fontId(font), m_ansiCodePage);
    if (cp != m_decoderRequest) {
        m_decoder = ByteDecoder(cp);
        m_decoderRequest = cp;
    }
    return m_decoder;
}

const RunFormat &Reader::runFormat(const CharState &c)
{
    if (m_runGeneration == m_tables.generation() && c == m_runChars)
        return m_run;
    RunFormat r;
    const Tables::Font *font = m_tables.font(fontId(c.font));
    if (!font)
        font = m_tables.font(m_defaultFont);
    if (font) {
        r.family = font->name;
        r.fixedPitch = font->fixedPitch();
    }
    r.halfPoints = c.halfPoints;
    r.bold = c.bold;
    r.italic = c.italic;
    r.underline = c.underline;
    r.strikeOut = c.strikeOut;
    r.script = c.script;
    r.colour = m_tables.colour(c.colour);
    m_run = std::move(r);
    m_runChars = c;
    m_runGeneration = m_tables.generation();
    return m_run;
}

ParagraphFormat Reader::paragraphFormat(const ParaState &p) const
{
    ParagraphFormat f;
    f.alignment = p.alignment;
    f.leftMargin = PixelsFromTwips(p.leftTwips);
    f.rightMargin = PixelsFromTwips(p.rightTwips);
    f.firstIndent = PixelsFromTwips(p.firstTwips);
    f.spaceBefore = PixelsFromTwips(p.spaceBeforeTwips);
    f.spaceAfter = PixelsFromTwips(p.spaceAfterTwips);
    f.tabs.reserve(p.tabs.size());
    for (QTextOption::Tab tab : p.tabs) {
        tab.position = PixelsFromTwips(tab.position);
        f.tabs.append(tab);
    }
    if (p.listOverride > 0) {
        f.numbering = m_tables.numberingOf(p.listOverride, p.listLevel);
        f.listLevel = p.listLevel;
    } else {
        f.numbering = p.numbering;
        f.listLevel = p.pnLevel;
    }
    f.listKey = p.listOverride;
    return f;
}

// A table row becomes one paragraph, its cells separated by tabs. A cell's
// tab is written only when text follows in the row, so the row does not end
// in one; paragraphs inside a cell (\par after \trowd or in an \intbl
// paragraph; converters reset \intbl with \pard) are joined by line breaks.

void Reader::noteCellFormat(const ParaState &p)
{
    if (!m_row.haveFormat) {
        m_row.format = p;
        m_row.haveFormat = true;
    } else if (m_row.format.alignment != p.alignment) {
        m_row.mixedAlignment = true;
    }
}

void Reader::cellParagraphEnd(const ParaState &p)
{
    noteCellFormat(p);
    if (m_row.cellHasText)
        m_row.pendingBreak = true;
}

void Reader::cellEnd(const ParaState &p)
{
    noteCellFormat(p);
    m_row.open = true;
    ++m_row.pendingTabs;
    m_row.pendingBreak = false;
    m_row.cellHasText = false;
}

void Reader::flushRow()
{
    if (m_row.pendingTabs > 0) {
        for (; m_row.pendingTabs > 0; --m_row.pendingTabs)
            m_builder.appendChar(u'\t');
    } else if (m_row.pendingBreak) {
        m_builder.appendChar(0x2028);
    }
    m_row.pendingBreak = false;
}

void Reader::rowEnd(const CharState &c, const ParaState &p)
{
    ParaState format = m_row.haveFormat ? m_row.format : p;
    // One cell's alignment is not the row's.
    if (m_row.mixedAlignment)
        format.alignment = Qt::AlignLeft;
    m_row = RowState{};
    m_builder.setRun(runFormat(c));
    m_builder.endParagraph(paragraphFormat(format));
}

} // namespace rtf
