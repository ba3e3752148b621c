#include "editor/pickedformat.h"

#include "editor/charformatting.h"
#include "editor/paragraphformatting.h"
#include "platform/rtf/fontsize.h"
#include "platform/rtf/lengths.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

void setCharacter(QTextCharFormat &f, const PickedCharFormat &c)
{
    f.setFontFamilies(QStringList{c.family});
    f.setFontPointSize(c.points);
    f.clearProperty(QTextFormat::FontPixelSize);
    if (c.colour)
        f.setForeground(*c.colour);
    else
        f.clearForeground();
    f.setFontFixedPitch(c.fixedPitch);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strikeOut);
}

void setParagraph(QTextBlockFormat &f, const PickedParagraphFormat &p)
{
    f.setAlignment(p.alignment);
    f.setTextIndent(rtf::PixelsFromPoints(-p.leftIndent));
    f.setLeftMargin(rtf::PixelsFromPoints(p.firstIndent + p.leftIndent));
    f.setRightMargin(rtf::PixelsFromPoints(p.rightIndent));
    f.setTabPositions(p.tabs);
}

} // namespace

PickedFormat PickUpFormatAt(const QTextDocument &doc, int position)
{
    PickedFormat picked;
    const QTextCharFormat f = charformat::FormatAt(doc, position);
    PickedCharFormat &c = picked.character;
    c.family = charformat::FamilyAt(doc, position);
    c.points = rtf::EffectivePointSize(f, doc.defaultFont());
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        c.colour = f.foreground().color();
    c.fixedPitch = f.fontFixedPitch();
    c.bold = charformat::HasStyle(f, charformat::Style::Bold);
    c.italic = charformat::HasStyle(f, charformat::Style::Italic);
    c.underline = charformat::HasStyle(f, charformat::Style::Underline);
    c.strikeOut = f.fontStrikeOut();

    const QTextBlock block = doc.findBlock(position);
    const QTextBlockFormat b = block.blockFormat();
    PickedParagraphFormat &p = picked.paragraph;
    p.alignment = b.alignment() & Qt::AlignHorizontal_Mask;
    p.firstIndent = paragraphformat::FirstIndent(block);
    p.leftIndent = paragraphformat::LeftIndent(block);
    p.rightIndent = rtf::PointsFromPixels(b.rightMargin());
    p.bullet = paragraphformat::HasBullet(block);
    p.tabs = b.tabPositions().mid(0, PickedFormat::kMaxTabs);
    return picked;
}

void ApplyFormat(QTextDocument &doc, int start, int length, const PickedFormat &format)
{
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    // Each run keeps what the painter does not carry (links, background);
    // the runs are gathered first, since setting formats re-cuts them.
    const int end = start + length;
    struct Piece {
        int from;
        int to;
        QTextCharFormat format;
    };
    QList<Piece> pieces;
    for (QTextBlock block = doc.findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(fragment.position(), start);
            const int to = std::min(fragment.position() + fragment.length(), end);
            if (from < to)
                pieces.append({from, to, fragment.charFormat()});
        }
    }
    for (Piece &piece : pieces) {
        setCharacter(piece.format, format.character);
        cursor.setPosition(piece.from);
        cursor.setPosition(piece.to, QTextCursor::KeepAnchor);
        cursor.setCharFormat(piece.format);
    }
    const QTextBlock last = doc.findBlock(end);
    for (QTextBlock block = doc.findBlock(start); block.isValid(); block = block.next()) {
        QTextBlockFormat f = block.blockFormat();
        setParagraph(f, format.paragraph);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(f);
        if (block == last)
            break;
    }
    bool bulletsDiffer = false;
    for (QTextBlock block = doc.findBlock(start); block.isValid() && !bulletsDiffer;
         block = block.next()) {
        bulletsDiffer = paragraphformat::HasBullet(block) != format.paragraph.bullet;
        if (block == last)
            break;
    }
    if (bulletsDiffer)
        paragraphformat::SetBullets(doc, start, length, format.paragraph.bullet);
    cursor.endEditBlock();
}
