#include "editor/lazytextlayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// The text width of a page that has no width of its own.
constexpr qreal kUnbounded = 1e7;

} // namespace

LazyTextLayout::LazyTextLayout(QTextDocument *doc) : QAbstractTextDocumentLayout(doc) {}

bool LazyTextLayout::Suits(const QTextDocument &doc)
{
    const QList<QTextFormat> formats = doc.allFormats();
    const int root = doc.rootFrame()->formatIndex();
    for (int i = 0; i < formats.size(); ++i) {
        const QTextFormat &f = formats[i];
        if (i == root)
            continue;
        if (f.isListFormat() || f.isFrameFormat() || f.isImageFormat() || f.isTableCellFormat() ||
            f.objectType() != QTextFormat::NoObject ||
            f.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
            return false;
    }
    return true;
}

qreal LazyTextLayout::textWidth() const
{
    const qreal page = document()->pageSize().width();
    return page > 0 ? std::max<qreal>(1, page - 2 * document()->documentMargin()) : kUnbounded;
}

bool LazyTextLayout::wraps() const
{
    return document()->pageSize().width() > 0 &&
           document()->defaultTextOption().wrapMode() != QTextOption::NoWrap;
}

qreal LazyTextLayout::estimate(const QTextBlock &block) const
{
    const QTextBlockFormat bf = block.blockFormat();
    const qreal margins = bf.topMargin() + bf.bottomMargin();
    const qreal available =
        textWidth() - bf.leftMargin() - bf.rightMargin() - bf.indent() * document()->indentWidth();
    qreal lines = 1;
    if (wraps() && available > m_charWidth) {
        const qreal text = (block.length() - 1) * m_charWidth + bf.textIndent();
        lines = std::max<qreal>(1, std::ceil(text / available));
    }
    return lines * m_lineHeight + margins;
}

void LazyTextLayout::rebuildChunkSums() const
{
    m_chunkSums.assign((m_heights.size() + kChunk - 1) / kChunk, 0);
    for (std::size_t i = 0; i < m_heights.size(); ++i)
        m_chunkSums[i / kChunk] += m_heights[i];
}

void LazyTextLayout::estimateAll()
{
    const QTextDocument *doc = document();
    m_heights.assign(std::size_t(doc->blockCount()), 0);
    m_exact.assign(m_heights.size(), 0);
    m_widest = 0;
    // A plain text has one paragraph format: its margins are read once,
    // not once a paragraph.
    const bool wrapping = wraps();
    const qreal width = textWidth();
    int formatIndex = -1;
    qreal margins = 0;
    qreal available = 0;
    qreal textIndent = 0;
    std::size_t i = 0;
    for (QTextBlock block = doc->begin(); block.isValid() && i < m_heights.size();
         block = block.next(), ++i) {
        // Lines of an earlier width or layout go in the same pass.
        block.clearLayout();
        if (block.blockFormatIndex() != formatIndex) {
            formatIndex = block.blockFormatIndex();
            const QTextBlockFormat bf = block.blockFormat();
            margins = bf.topMargin() + bf.bottomMargin();
            available = width - bf.leftMargin() - bf.rightMargin() -
                        bf.indent() * document()->indentWidth();
            textIndent = bf.textIndent();
        }
        qreal lines = 1;
        if (wrapping && available > m_charWidth) {
            const qreal text = (block.length() - 1) * m_charWidth + textIndent;
            lines = std::max<qreal>(1, std::ceil(text / available));
        }
        m_heights[i] = lines * m_lineHeight + margins;
    }
    rebuildChunkSums();
}

void LazyTextLayout::setHeight(int blockNumber, qreal height) const
{
    const auto i = std::size_t(blockNumber);
    m_chunkSums[i / kChunk] += height - m_heights[i];
    m_heights[i] = height;
    m_exact[i] = 1;
}

qreal LazyTextLayout::top(int blockNumber) const
{
    const auto n = std::size_t(std::clamp<qsizetype>(blockNumber, 0, qsizetype(m_heights.size())));
    qreal y = document()->documentMargin();
    const std::size_t chunk = n / kChunk;
    for (std::size_t c = 0; c < chunk; ++c)
        y += m_chunkSums[c];
    for (std::size_t i = chunk * kChunk; i < n; ++i)
        y += m_heights[i];
    return y;
}

int LazyTextLayout::blockAt(qreal y) const
{
    if (m_heights.empty())
        return 0;
    y -= document()->documentMargin();
    std::size_t c = 0;
    while (c + 1 < m_chunkSums.size() && y >= m_chunkSums[c]) {
        y -= m_chunkSums[c];
        ++c;
    }
    std::size_t i = c * kChunk;
    while (i + 1 < m_heights.size() && y >= m_heights[i]) {
        y -= m_heights[i];
        ++i;
    }
    return int(i);
}

QPointF LazyTextLayout::ensureLaidOut(const QTextBlock &block) const
{
    const int number = block.blockNumber();
    if (number < 0 || std::size_t(number) >= m_heights.size())
        return {};
    QTextLayout *layout = block.layout();
    const QTextBlockFormat bf = block.blockFormat();
    if (!m_exact[std::size_t(number)] || layout->lineCount() == 0) {
        QTextOption option = document()->defaultTextOption();
        option.setAlignment(bf.alignment());
        option.setTextDirection(block.textDirection());
        layout->setTextOption(option);
        const qreal left = bf.leftMargin() + bf.indent() * document()->indentWidth();
        // Without wrapping the width only places aligned lines.
        const qreal width = std::max<qreal>(1, textWidth() - left - bf.rightMargin());
        qreal y = 0;
        bool first = true;
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            const qreal indent = first ? bf.textIndent() : 0;
            line.setLeadingIncluded(true);
            line.setLineWidth(std::max<qreal>(1, width - indent));
            line.setPosition(QPointF(left + indent, y));
            y += line.height();
            if (!wraps())
                m_widest = std::max(m_widest, left + indent + line.naturalTextWidth());
            first = false;
        }
        layout->endLayout();
        const qreal height = bf.topMargin() + std::max(y, m_lineHeight) + bf.bottomMargin();
        if (height != m_heights[std::size_t(number)]) {
            setHeight(number, height);
            // The size is told once, after the drawing or hit test that asked.
            if (!m_sizeNoticePending) {
                m_sizeNoticePending = true;
                // Laying out is a const step of drawing; telling the size is not.
                auto *self = const_cast<LazyTextLayout *>(this);
                QTimer::singleShot(0, self, [self] {
                    self->m_sizeNoticePending = false;
                    Q_EMIT self->documentSizeChanged(self->documentSize());
                });
            }
        }
        m_exact[std::size_t(number)] = 1;
    }
    const QPointF origin(document()->documentMargin(), top(number) + bf.topMargin());
    layout->setPosition(origin);
    return origin;
}

void LazyTextLayout::draw(QPainter *painter, const PaintContext &context)
{
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(0, 0, 1e9, 1e9);
    QVariant cursorWidthProperty = property("cursorWidth");
    const int cursorWidth = cursorWidthProperty.isValid() ? cursorWidthProperty.toInt() : 1;
    painter->save();
    painter->setPen(context.palette.color(QPalette::Text));
    for (QTextBlock block = document()->findBlockByNumber(blockAt(clip.top())); block.isValid();
         block = block.next()) {
        const QPointF origin = ensureLaidOut(block);
        const QTextBlockFormat bf = block.blockFormat();
        const qreal blockTop = origin.y() - bf.topMargin();
        if (blockTop > clip.bottom())
            break;
        if (bf.hasProperty(QTextFormat::BackgroundBrush))
            painter->fillRect(QRectF(origin.x(), blockTop, textWidth(),
                                     m_heights[std::size_t(block.blockNumber())]),
                              bf.background());
        const int start = block.position();
        const int end = start + block.length() - 1;
        QList<QTextLayout::FormatRange> ranges;
        for (const Selection &selection : context.selections) {
            const int from = std::max(selection.cursor.selectionStart(), start);
            // A selection that goes on past the paragraph shows its mark.
            const int to = std::min(selection.cursor.selectionEnd(), end + 1);
            if (to > from)
                ranges.append({from - start, to - from, selection.format});
        }
        QTextLayout *layout = block.layout();
        layout->draw(painter, QPointF(), ranges, clip);
        if (context.cursorPosition >= start && context.cursorPosition <= end)
            layout->drawCursor(painter, QPointF(), context.cursorPosition - start, cursorWidth);
    }
    painter->restore();
}

int LazyTextLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    const QTextBlock block = document()->findBlockByNumber(blockAt(point.y()));
    if (!block.isValid())
        return -1;
    const QPointF inLayout = point - ensureLaidOut(block);
    const QTextLayout *layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (inLayout.y() >= line.y() + line.height() && i + 1 < layout->lineCount())
            continue;
        if (accuracy == Qt::ExactHit && !line.naturalTextRect().contains(inLayout))
            return -1;
        return block.position() + line.xToCursor(inLayout.x());
    }
    return accuracy == Qt::ExactHit ? -1 : block.position();
}

QSizeF LazyTextLayout::documentSize() const
{
    const qreal margin = document()->documentMargin();
    qreal height = 2 * margin;
    for (const qreal sum : m_chunkSums)
        height += sum;
    const qreal page = document()->pageSize().width();
    const qreal width = wraps() ? page : std::max(page, m_widest + 2 * margin);
    return {width, height};
}

QRectF LazyTextLayout::frameBoundingRect(QTextFrame *frame) const
{
    if (frame != document()->rootFrame())
        return {};
    return {QPointF(0, 0), documentSize()};
}

QRectF LazyTextLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!block.isValid())
        return {};
    const QPointF origin = ensureLaidOut(block);
    QRectF rect = block.layout()->boundingRect();
    rect.moveTopLeft(origin);
    return rect;
}

int LazyTextLayout::LaidOutBlocks() const
{
    return int(std::count(m_exact.begin(), m_exact.end(), 1));
}

void LazyTextLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    const QTextDocument *doc = document();
    const QFontMetricsF metrics(doc->defaultFont(), paintDevice());
    m_lineHeight = metrics.lineSpacing();
    m_charWidth = std::max<qreal>(1, metrics.averageCharWidth());
    const qreal width = wraps() ? textWidth() : -2;
    const std::size_t oldCount = m_heights.size();
    // A change that spans the whole text (a file loaded) is estimated anew.
    const bool whole = from == 0 && charsAdded >= doc->characterCount() - 1;
    if (width != m_width || oldCount == 0 || whole) {
        m_width = width;
        estimateAll();
    } else {
        // The blocks the change spans now stand where those it replaced stood.
        const QTextBlock first = doc->findBlock(from);
        const QTextBlock last = doc->findBlock(std::max(from, from + charsAdded - 1));
        const int firstNumber = std::max(0, first.blockNumber());
        const int lastNumber =
            std::max(firstNumber, last.isValid() ? last.blockNumber() : doc->blockCount() - 1);
        const auto newSpan = std::size_t(lastNumber - firstNumber + 1);
        const qsizetype delta = qsizetype(doc->blockCount()) - qsizetype(oldCount);
        const auto oldSpan = std::size_t(std::clamp<qsizetype>(qsizetype(newSpan) - delta, 0,
                                                               qsizetype(oldCount) - firstNumber));
        const auto at = std::size_t(firstNumber);
        m_heights.erase(m_heights.begin() + at, m_heights.begin() + at + oldSpan);
        m_heights.insert(m_heights.begin() + at, newSpan, 0);
        m_exact.erase(m_exact.begin() + at, m_exact.begin() + at + oldSpan);
        m_exact.insert(m_exact.begin() + at, newSpan, 0);
        QTextBlock block = first;
        for (std::size_t i = at; i < at + newSpan && block.isValid(); ++i, block = block.next()) {
            block.clearLayout();
            m_heights[i] = estimate(block);
        }
        rebuildChunkSums();
    }
    Q_EMIT documentSizeChanged(documentSize());
    Q_EMIT update();
}
