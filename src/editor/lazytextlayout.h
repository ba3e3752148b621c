#pragma once

#include <QAbstractTextDocumentLayout>

#include <vector>

class QTextBlock;

// The layout of a large document of plain paragraphs (no lists, tables,
// pictures or frames). Qt's own layout lays out every paragraph of a
// document, keeps the result of each, and after a change of width lays out
// again everything above the shown part before it can draw it: seconds and
// hundreds of megabytes for a text of several megabytes. This one lays out
// only the paragraphs that are drawn, hit or asked for, and gives every
// other one a height estimated from its length, so opening, resizing and
// clicking cost what the visible part costs.
class LazyTextLayout final : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    explicit LazyTextLayout(QTextDocument *doc);

    // True when doc holds nothing but paragraphs of text: no list, table,
    // frame, picture or other object. Looks at the document's formats only.
    static bool Suits(const QTextDocument &doc);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    // Paragraphs laid out so far: what the memory of the layout grows with.
    int LaidOutBlocks() const;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    // Heights are kept in chunks of blocks with a sum per chunk, so that
    // the top of a block and the block at a height are found quickly.
    static constexpr int kChunk = 256;

    qreal textWidth() const;
    bool wraps() const;
    qreal estimate(const QTextBlock &block) const;
    void estimateAll();
    void setHeight(int blockNumber, qreal height) const;
    qreal top(int blockNumber) const;
    int blockAt(qreal y) const;
    // Lays out block when it is not yet; returns the origin of its lines.
    QPointF ensureLaidOut(const QTextBlock &block) const;
    void rebuildChunkSums() const;

    mutable std::vector<qreal> m_heights; // by block number, margins included
    mutable std::vector<char> m_exact;    // the height comes from a layout
    mutable std::vector<qreal> m_chunkSums;
    mutable qreal m_widest = 0;
    mutable bool m_sizeNoticePending = false;
    qreal m_width = -1;
    qreal m_lineHeight = 0;
    qreal m_charWidth = 0;
};
