#include "editor/paragraphformatting.h"

#include "platform/rtf/lengths.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace paragraphformat {
namespace {

QTextCursor covering(QTextDocument &doc, int start, int length)
{
    QTextCursor cursor(&doc);
    cursor.setPosition(start);
    cursor.setPosition(start + std::max(0, length), QTextCursor::KeepAnchor);
    return cursor;
}

template <typename Each> void forEachBlock(QTextDocument &doc, int start, int length, Each each)
{
    const QTextBlock last = doc.findBlock(start + std::max(0, length));
    for (QTextBlock block = doc.findBlock(start); block.isValid(); block = block.next()) {
        each(block);
        if (block == last)
            break;
    }
}

} // namespace

double FirstIndent(const QTextBlock &block)
{
    const QTextBlockFormat f = block.blockFormat();
    return rtf::PointsFromPixels(f.leftMargin() + f.textIndent());
}

double LeftIndent(const QTextBlock &block)
{
    return rtf::PointsFromPixels(-block.blockFormat().textIndent());
}

bool HasBullet(const QTextBlock &block)
{
    return block.textList() != nullptr;
}

Qt::Alignment HorizontalAlignment(Qt::Alignment alignment)
{
    return alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
}

void SetAlignment(QTextDocument &doc, int start, int length, Qt::Alignment alignment)
{
    QTextBlockFormat f;
    f.setAlignment(alignment);
    covering(doc, start, length).mergeBlockFormat(f);
}

void SetBullets(QTextDocument &doc, int start, int length, bool on)
{
    QTextCursor cursor = covering(doc, start, length);
    cursor.beginEditBlock();
    if (on) {
        QTextListFormat bullet;
        bullet.setStyle(QTextListFormat::ListDisc);
        cursor.createList(bullet);
    } else {
        forEachBlock(doc, start, length, [](const QTextBlock &block) {
            if (QTextList *list = block.textList())
                list->remove(block);
        });
        QTextBlockFormat noIndent;
        noIndent.setIndent(0);
        cursor.mergeBlockFormat(noIndent);
    }
    cursor.endEditBlock();
}

void ToggleBullets(QTextDocument &doc, int start, int length)
{
    SetBullets(doc, start, length, !HasBullet(doc.findBlock(start)));
}

void StepFirstIndent(QTextDocument &doc, int start, int length, double step)
{
    const QTextBlockFormat firstFormat = doc.findBlock(start).blockFormat();
    const double first =
        firstFormat.leftMargin() + firstFormat.textIndent() + rtf::PixelsFromPoints(step);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    forEachBlock(doc, start, length, [&cursor, first](const QTextBlock &block) {
        QTextBlockFormat f = block.blockFormat();
        f.setLeftMargin(first - f.textIndent());
        cursor.setPosition(block.position());
        cursor.setBlockFormat(f);
    });
    cursor.endEditBlock();
}

} // namespace paragraphformat
