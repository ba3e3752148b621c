#include "platform/rtf/writer.h"

#include "platform/rtf/fontsize.h"
#include "platform/rtf/formats.h"
#include "platform/rtf/lengths.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace rtf {
namespace {

constexpr int kMaxTwips = 31680;
constexpr int kSymbolCharset = 2;
constexpr int kListLevels = 9;

// Document lengths are pixels (lengths.h).
int twips(double pixels)
{
    return std::clamp(qRound(TwipsFromPixels(pixels)), -kMaxTwips, kMaxTwips);
}

Numbering numberingFor(const QTextList *list)
{
    if (!list)
        return Numbering::None;
    switch (list->format().style()) {
    case QTextListFormat::ListDecimal:
        return Numbering::Decimal;
    case QTextListFormat::ListLowerAlpha:
        return Numbering::LowerLetter;
    case QTextListFormat::ListUpperAlpha:
        return Numbering::UpperLetter;
    case QTextListFormat::ListLowerRoman:
        return Numbering::LowerRoman;
    case QTextListFormat::ListUpperRoman:
        return Numbering::UpperRoman;
    default:
        return Numbering::Bullet;
    }
}

const char *pnStyleWord(Numbering n)
{
    switch (n) {
    case Numbering::LowerLetter:
        return "pnlcltr";
    case Numbering::UpperLetter:
        return "pnucltr";
    case Numbering::LowerRoman:
        return "pnlcrm";
    case Numbering::UpperRoman:
        return "pnucrm";
    default:
        return "pndec";
    }
}

// \levelnfc of a list level.
int levelFormatFor(Numbering n)
{
    switch (n) {
    case Numbering::UpperRoman:
        return 1;
    case Numbering::LowerRoman:
        return 2;
    case Numbering::UpperLetter:
        return 3;
    case Numbering::LowerLetter:
        return 4;
    case Numbering::Bullet:
        return 23;
    default:
        return 0;
    }
}

} // namespace

Writer::Writer(const QTextDocument &doc) : m_doc(doc)
{
    const QFont font = doc.defaultFont();
    m_defaultFamily = font.family().isEmpty() ? QStringLiteral("Arial") : font.family();
    // A font sized in pixels (the panes' default) is written in points too,
    // or a reader would take it for its own 12 points.
    if (const double points = FontPointSize(font); points > 0)
        m_defaultHalfPoints = std::clamp(qRound(points * 2), 2, 3276);
    fontIndex(m_defaultFamily, false); // \f0, the \deff font
    m_current.halfPoints = 24;         // what RTF readers assume before any \fs
}

QByteArray Writer::write()
{
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
        writeBlock(block);
    QByteArray out = header();
    out.reserve(out.size() + m_body.bytes().size() + 3);
    out.append(m_body.bytes());
    out.append("}\r\n");
    return out;
}

int Writer::fontIndex(const QString &family, bool fixedPitch, int charset)
{
    const QString key = family + QChar(fixedPitch ? u'1' : u'0') + QString::number(charset);
    const auto it = m_fontIndex.constFind(key);
    if (it != m_fontIndex.constEnd())
        return *it;
    const int index = static_cast<int>(m_fonts.size());
    m_fonts.append(Font{family, fixedPitch, charset});
    m_fontIndex.insert(key, index);
    return index;
}

int Writer::colourIndex(QRgb rgb)
{
    rgb |= 0xff000000u;
    const auto it = m_colourIndex.constFind(rgb);
    if (it != m_colourIndex.constEnd())
        return *it;
    m_colours.append(rgb);
    const int index = static_cast<int>(m_colours.size()); // entry 0 is the automatic colour
    m_colourIndex.insert(rgb, index);
    return index;
}

Writer::CharOut Writer::charOutFor(const QTextCharFormat &f)
{
    CharOut c;
    const QStringList families = f.fontFamilies().toStringList();
    const QString family =
        families.isEmpty() || families.first().isEmpty() ? m_defaultFamily : families.first();
    c.font = fontIndex(family, f.fontFixedPitch());
    const double size = OwnPointSize(f);
    c.halfPoints = size > 0 ? std::clamp(qRound(size * 2), 2, 3276) : m_defaultHalfPoints;
    c.bold = f.fontWeight() >= QFont::DemiBold;
    c.italic = f.fontItalic();
    c.underline = f.fontUnderline();
    c.strikeOut = f.fontStrikeOut();
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        c.script = int(Script::Super);
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        c.script = int(Script::Sub);
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        c.colour = colourIndex(f.foreground().color().rgb());
    return c;
}

void Writer::writeChars(const CharOut &c)
{
    if (c.font != m_current.font)
        m_body.word("f", c.font);
    if (c.halfPoints != m_current.halfPoints)
        m_body.word("fs", c.halfPoints);
    if (c.bold != m_current.bold)
        c.bold ? m_body.word("b") : m_body.word("b", 0);
    if (c.italic != m_current.italic)
        c.italic ? m_body.word("i") : m_body.word("i", 0);
    if (c.underline != m_current.underline)
        m_body.word(c.underline ? "ul" : "ulnone");
    if (c.strikeOut != m_current.strikeOut)
        c.strikeOut ? m_body.word("strike") : m_body.word("strike", 0);
    if (c.colour != m_current.colour)
        m_body.word("cf", c.colour);
    if (c.script != m_current.script) {
        m_body.word(Script(c.script) == Script::Super ? "super"
                    : Script(c.script) == Script::Sub ? "sub"
                                                      : "nosupersub");
    }
    m_current = c;
}

// Lists nested in one another while their paragraphs follow each other
// form one list of the list table, one level each, as word processors keep
// them. A list once given an \ls keeps it wherever its items are.
int Writer::listIdFor(const QTextList *list, int level, int numbering)
{
    if (const auto it = m_listIds.constFind(list); it != m_listIds.constEnd())
        return *it;
    int id = 0;
    if (m_runListId > 0) {
        const ListDef &run = m_listDefs[m_runListId - 1];
        const int style = run.levels[level];
        const int none = int(Numbering::None);
        // A nested list joins the run; an outermost one only a run that has none.
        if (level > 0 ? (style == none || style == numbering) : style == none)
            id = m_runListId;
    }
    if (id == 0) {
        m_listDefs.append(ListDef{QList<int>(kListLevels, int(Numbering::None))});
        id = int(m_listDefs.size());
    }
    m_listDefs[id - 1].levels[level] = numbering;
    m_listIds.insert(list, id);
    return id;
}

Writer::ParaOut Writer::paraOutFor(const QTextBlock &block)
{
    const QTextBlockFormat bf = block.blockFormat();
    ParaOut p;
    const Qt::Alignment h = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignJustify)
        p.alignment = 3;
    else if (h & Qt::AlignHCenter)
        p.alignment = 1;
    else if (h & (Qt::AlignRight | Qt::AlignTrailing))
        p.alignment = 2;
    p.firstTwips = twips(bf.textIndent());
    p.leftTwips = twips(bf.leftMargin());
    p.rightTwips = twips(bf.rightMargin());
    p.spaceBeforeTwips = std::max(0, twips(bf.topMargin()));
    p.spaceAfterTwips = std::max(0, twips(bf.bottomMargin()));
    for (const QTextOption::Tab &tab : bf.tabPositions())
        p.tabs.append({int(tab.type), std::clamp(twips(tab.position), 0, kMaxTwips)});
    p.list = block.textList();
    p.numbering = int(numberingFor(p.list));
    if (p.list) {
        p.level = std::clamp(p.list->format().indent() - 1, 0, kListLevels - 1);
        p.listId = listIdFor(p.list, p.level, p.numbering);
    }
    m_runListId = p.listId;
    return p;
}

void Writer::writeParagraph(const ParaOut &p)
{
    m_body.word("pard");
    const auto numbering = Numbering(p.numbering);
    if (numbering == Numbering::Bullet) {
        m_bulletFont = fontIndex(QStringLiteral("Symbol"), false, kSymbolCharset);
        m_body.raw("{\\*");
        m_body.word("pn");
        m_body.word("pnlvlblt");
        m_body.word("pnf", m_bulletFont);
        m_body.word("pnindent", 0);
        m_body.raw("{");
        m_body.word("pntxtb");
        m_body.raw("\\'b7}}");
    } else if (numbering != Numbering::None) {
        m_body.raw("{\\*");
        m_body.word("pn");
        m_body.word("pnlvlbody");
        m_body.word("pnf", 0);
        m_body.word("pnindent", 0);
        m_body.word("pnstart", 1);
        m_body.word(pnStyleWord(numbering));
        m_body.raw("{");
        m_body.word("pntxta");
        m_body.text(u".");
        m_body.raw("}}");
    }
    if (p.listId > 0) {
        m_body.word("ls", p.listId);
        m_body.word("ilvl", p.level);
    }
    static constexpr const char *kAlign[] = {nullptr, "qc", "qr", "qj"};
    if (p.alignment > 0)
        m_body.word(kAlign[p.alignment]);
    if (p.firstTwips != 0)
        m_body.word("fi", p.firstTwips);
    if (p.leftTwips != 0)
        m_body.word("li", p.leftTwips);
    if (p.rightTwips != 0)
        m_body.word("ri", p.rightTwips);
    if (p.spaceBeforeTwips != 0)
        m_body.word("sb", p.spaceBeforeTwips);
    if (p.spaceAfterTwips != 0)
        m_body.word("sa", p.spaceAfterTwips);
    for (const auto &[type, position] : p.tabs) {
        if (type == QTextOption::RightTab)
            m_body.word("tqr");
        else if (type == QTextOption::CenterTab)
            m_body.word("tqc");
        else if (type == QTextOption::DelimiterTab)
            m_body.word("tqdec");
        m_body.word("tx", position);
    }
}

// The mark itself, for readers that do not number paragraphs themselves.
void Writer::writeListMark(const QTextBlock &block, const ParaOut &p)
{
    m_body.raw("{");
    m_body.word("pntext");
    if (Numbering(p.numbering) == Numbering::Bullet) {
        m_body.word("f", m_bulletFont);
        m_body.raw("\\'b7");
    } else {
        m_body.word("f", 0);
        m_body.text(p.list->itemText(block));
    }
    m_body.word("tab");
    m_body.raw("}");
}

void Writer::writeBlock(const QTextBlock &block)
{
    const ParaOut p = paraOutFor(block);
    // Paragraphs that go on in the same format (list items above all) share
    // one set of properties, as RTF lets them.
    if (m_firstBlock || !(p == m_lastPara)) {
        writeParagraph(p);
        m_lastPara = p;
        m_firstBlock = false;
    }
    if (p.list)
        writeListMark(block, p);

    bool empty = true;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat())
            continue;
        writeChars(charOutFor(format));
        m_body.text(fragment.text());
        empty = false;
    }
    // An empty paragraph's height comes from its own character format.
    if (empty)
        writeChars(charOutFor(block.charFormat()));
    m_body.word("par");
    m_body.raw("\r\n");
}

QByteArray Writer::header()
{
    RtfOutput h;
    h.raw("{");
    h.word("rtf", 1);
    h.word("ansi");
    h.word("ansicpg", 1250);
    h.word("deff", 0);
    h.word("deflang", 1038);
    h.raw("{");
    h.word("fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        const Font &font = m_fonts[i];
        h.raw("{");
        h.word("f", static_cast<int>(i));
        if (font.fixedPitch) {
            h.word("fmodern");
            h.word("fprq", 1);
        } else {
            h.word("fnil");
        }
        h.word("fcharset", font.charset);
        QString name = font.family;
        name.remove(u';'); // the semicolon ends a font table entry
        h.text(name);
        h.raw(";}");
    }
    h.raw("}\r\n");
    if (!m_colours.isEmpty()) {
        h.raw("{");
        h.word("colortbl");
        h.raw(";");
        for (const QRgb rgb : m_colours) {
            h.word("red", qRed(rgb));
            h.word("green", qGreen(rgb));
            h.word("blue", qBlue(rgb));
            h.raw(";");
        }
        h.raw("}\r\n");
    }
    writeListTable(h);
    h.word("viewkind", 4);
    h.word("uc", 1);
    h.raw("\r\n");
    return std::move(h.bytes());
}

// The list table and its overrides, one \lsN per list, for readers that
// keep list levels; the \pn groups in the body serve the older ones.
void Writer::writeListTable(RtfOutput &h) const
{
    if (m_listDefs.isEmpty())
        return;
    h.raw("{\\*");
    h.word("listtable");
    for (qsizetype i = 0; i < m_listDefs.size(); ++i) {
        const ListDef &def = m_listDefs[i];
        const int id = int(i) + 1;
        const bool bullets = def.levels[0] == int(Numbering::Bullet) ||
                             (def.levels[0] == int(Numbering::None) &&
                              std::all_of(def.levels.begin(), def.levels.end(), [](int n) {
                                  return n == int(Numbering::None) || n == int(Numbering::Bullet);
                              }));
        h.raw("\r\n{");
        h.word("list");
        h.word("listtemplateid", id);
        // Levels up to the deepest one used; readers take the rest as their default.
        int depth = kListLevels;
        while (depth > 1 && def.levels[depth - 1] == int(Numbering::None))
            --depth;
        for (int level = 0; level < depth; ++level) {
            Numbering n = Numbering(def.levels[level]);
            if (n == Numbering::None)
                n = bullets ? Numbering::Bullet : Numbering::Decimal;
            h.raw("{");
            h.word("listlevel");
            h.word("levelnfc", levelFormatFor(n));
            h.word("levelnfcn", levelFormatFor(n));
            h.word("leveljc", 0);
            h.word("levelfollow", 0);
            h.word("levelstartat", 1);
            if (n == Numbering::Bullet) {
                h.raw("{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}");
            } else {
                // The level's own number and a full stop; \'0L stands for level L's number.
                h.raw("{\\leveltext\\'02\\'0");
                h.raw(QByteArray::number(level).constData());
                h.raw(".;}");
                h.raw("{\\levelnumbers\\'01;}");
            }
            h.word("fi", -360);
            h.word("li", 720 * (level + 1));
            h.raw("}");
        }
        h.raw("{\\listname ;}");
        h.word("listid", id);
        h.raw("}");
    }
    h.raw("}\r\n{\\*");
    h.word("listoverridetable");
    for (qsizetype i = 0; i < m_listDefs.size(); ++i) {
        h.raw("{");
        h.word("listoverride");
        h.word("listid", int(i) + 1);
        h.word("listoverridecount", 0);
        h.word("ls", int(i) + 1);
        h.raw("}");
    }
    h.raw("}\r\n");
}

} // namespace rtf
