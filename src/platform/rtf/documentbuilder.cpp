#include "platform/rtf/documentbuilder.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace rtf {
namespace {

QTextCharFormat charFormatFor(const RunFormat &run)
{
    QTextCharFormat f;
    if (!run.family.isEmpty())
        f.setFontFamilies(QStringList{run.family});
    if (run.fixedPitch)
        f.setFontFixedPitch(true);
    f.setFontPointSize(run.halfPoints / 2.0);
    if (run.bold)
        f.setFontWeight(QFont::Bold);
    if (run.italic)
        f.setFontItalic(true);
    if (run.underline)
        f.setFontUnderline(true);
    if (run.strikeOut)
        f.setFontStrikeOut(true);
    if (run.colour)
        f.setForeground(QColor::fromRgb(*run.colour));
    if (run.script == Script::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (run.script == Script::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    return f;
}

QTextListFormat::Style listStyleFor(Numbering n)
{
    switch (n) {
    case Numbering::Decimal:
        return QTextListFormat::ListDecimal;
    case Numbering::LowerLetter:
        return QTextListFormat::ListLowerAlpha;
    case Numbering::UpperLetter:
        return QTextListFormat::ListUpperAlpha;
    case Numbering::LowerRoman:
        return QTextListFormat::ListLowerRoman;
    case Numbering::UpperRoman:
        return QTextListFormat::ListUpperRoman;
    case Numbering::Bullet:
    case Numbering::None:
        break;
    }
    return QTextListFormat::ListDisc;
}

// Replaces unpaired surrogates, which would make the document's text invalid.
void repairSurrogates(QString &text)
{
    const qsizetype n = text.size();
    QChar *d = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i].isHighSurrogate() && i + 1 < n && d[i + 1].isLowSurrogate())
            ++i;
        else if (d[i].isSurrogate())
            d[i] = QChar::ReplacementCharacter;
    }
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument &doc)
    : m_doc(doc), m_undoWasEnabled(doc.isUndoRedoEnabled())
{
    m_doc.setUndoRedoEnabled(false);
    m_doc.clear();
    m_cursor = QTextCursor(&m_doc);
    m_cursor.beginEditBlock();
    m_format = charFormatFor(m_run);
}

DocumentBuilder::~DocumentBuilder()
{
    if (!m_finished)
        finish(ParagraphFormat{});
}

void DocumentBuilder::setRun(const RunFormat &run)
{
    if (run == m_run)
        return;
    flush();
    m_run = run;
    m_format = charFormatFor(run);
}

void DocumentBuilder::appendChar(char16_t c)
{
    switch (c) {
    case u'\n':
    case u'\r':
    case 0x2029: // paragraph separator
    case 0xfdd0: // frame markers of QTextDocument
    case 0xfdd1:
    case 0xfffc: // object replacement: it would stand for an object that does not exist
        return;
    default:
        if (c < 0x20 && c != u'\t')
            return; // C0 controls are no text
        break;
    }
    if (m_blockPending)
        openPendingBlock();
    m_pending.append(QChar(c));
}

void DocumentBuilder::flush()
{
    if (m_pending.isEmpty())
        return;
    repairSurrogates(m_pending);
    m_cursor.insertText(m_pending, m_format);
    m_pending.resize(0);
    m_blockHasText = true;
}

void DocumentBuilder::openPendingBlock()
{
    m_blockPending = false;
    m_blockHasText = false;
    // Fresh formats, so that the new block does not join the previous list.
    m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

void DocumentBuilder::endParagraph(const ParagraphFormat &format)
{
    if (m_blockPending)
        openPendingBlock();
    applyParagraph(format);
    m_blockPending = true;
}

void DocumentBuilder::applyParagraph(const ParagraphFormat &format)
{
    flush();
    QTextBlockFormat bf;
    bf.setAlignment(format.alignment);
    bf.setLeftMargin(format.leftMargin);
    bf.setRightMargin(format.rightMargin);
    bf.setTextIndent(format.firstIndent);
    if (format.spaceBefore > 0)
        bf.setTopMargin(format.spaceBefore);
    if (format.spaceAfter > 0)
        bf.setBottomMargin(format.spaceAfter);
    if (!format.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs = format.tabs;
        std::stable_sort(tabs.begin(), tabs.end(),
                         [](const auto &a, const auto &b) { return a.position < b.position; });
        bf.setTabPositions(tabs);
    }
    // An item that goes on with an open list joins it through its format, in
    // the same change as the rest of the paragraph's format.
    QTextList *joined = joinedList(format);
    if (joined)
        bf.setObjectIndex(joined->objectIndex());
    m_cursor.setBlockFormat(bf);
    // An empty paragraph shows its height through the block's own character format.
    if (!m_blockHasText)
        m_cursor.setBlockCharFormat(m_format);
    if (format.numbering == Numbering::None || joined)
        return;
    QTextListFormat lf;
    lf.setStyle(listStyleFor(format.numbering));
    lf.setIndent(std::clamp(format.listLevel, 0, kMaxListLevel) + 1);
    listRun(format).list = m_cursor.createList(lf);
    listRun(format).items = 1;
}

DocumentBuilder::ListRun &DocumentBuilder::listRun(const ParagraphFormat &format)
{
    ListLevels &levels = format.listKey > 0 ? m_lists[format.listKey] : m_pnLists;
    return levels[std::clamp(format.listLevel, 0, kMaxListLevel)];
}

QTextList *DocumentBuilder::joinedList(const ParagraphFormat &format)
{
    if (format.numbering == Numbering::None) {
        // Old-style numbering ends with the run of numbered paragraphs; a
        // list of the list table goes on after other paragraphs, as its
        // numbers do.
        if (m_pnListsOpen) {
            m_pnLists = ListLevels{};
            m_pnListsOpen = false;
        }
        return nullptr;
    }
    ListLevels &levels = format.listKey > 0 ? m_lists[format.listKey] : m_pnLists;
    m_pnListsOpen = m_pnListsOpen || format.listKey <= 0;
    const int level = std::clamp(format.listLevel, 0, kMaxListLevel);
    // An item restarts the levels below its own.
    for (int deeper = level + 1; deeper <= kMaxListLevel; ++deeper)
        levels[deeper] = ListRun{};
    ListRun &run = levels[level];
    const int maxItems =
        format.numbering == Numbering::Bullet ? kMaxBulletItems : kMaxNumberedItems;
    if (run.list && run.list->format().style() == listStyleFor(format.numbering) &&
        run.items < maxItems) {
        ++run.items;
        return run.list;
    }
    return nullptr;
}

void DocumentBuilder::finish(const ParagraphFormat &format)
{
    if (m_finished)
        return;
    m_finished = true;
    if (!m_blockPending)
        applyParagraph(format);
    m_cursor.endEditBlock();
    m_doc.setUndoRedoEnabled(m_undoWasEnabled);
    m_doc.setModified(false);
}

} // namespace rtf
