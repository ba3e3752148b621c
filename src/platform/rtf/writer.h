#pragma once

#include "platform/rtf/rtfoutput.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRgb>
#include <QString>

#include <utility>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextList;

namespace rtf {

// Writes a QTextDocument as RTF in one pass over its blocks and fragments.
// The body is written first, so that the font and colour tables can list
// exactly what it uses.
class Writer final {
public:
    explicit Writer(const QTextDocument &doc);
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    QByteArray write();

private:
    // The character attributes as the RTF body states them.
    struct CharOut {
        int font = 0;
        int halfPoints = 24;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        int script = 0; // Script
        int colour = 0;
        bool operator==(const CharOut &) const = default;
    };
    // The paragraph attributes as the RTF body states them.
    struct ParaOut {
        int alignment = 0; // 0 left, 1 centre, 2 right, 3 justify
        int firstTwips = 0;
        int leftTwips = 0;
        int rightTwips = 0;
        int spaceBeforeTwips = 0;
        int spaceAfterTwips = 0;
        QList<std::pair<int, int>> tabs; // type, position in twips
        int numbering = 0;               // Numbering
        const QTextList *list = nullptr;
        int listId = 0; // \ls of the list, 0 for none
        int level = 0;  // \ilvl
        bool operator==(const ParaOut &) const = default;
    };
    // A list of the list table: the QTextLists of one run of nested lists,
    // one level each.
    struct ListDef {
        QList<int> levels; // Numbering of each level; None where no list gave one
    };
    struct Font {
        QString family;
        bool fixedPitch = false;
        int charset = 238;
    };

    CharOut charOutFor(const QTextCharFormat &f);
    int fontIndex(const QString &family, bool fixedPitch, int charset = 238);
    int colourIndex(QRgb rgb);
    void writeChars(const CharOut &c);
    void writeBlock(const QTextBlock &block);
    ParaOut paraOutFor(const QTextBlock &block);
    int listIdFor(const QTextList *list, int level, int numbering);
    void writeListTable(RtfOutput &h) const;
    void writeParagraph(const ParaOut &p);
    void writeListMark(const QTextBlock &block, const ParaOut &p);
    QByteArray header();

    const QTextDocument &m_doc;
    QString m_defaultFamily;
    int m_defaultHalfPoints = 24;
    RtfOutput m_body;
    CharOut m_current;
    ParaOut m_lastPara;
    bool m_firstBlock = true;
    int m_bulletFont = -1;
    QList<Font> m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
    QList<ListDef> m_listDefs; // \lsN is entry N - 1
    QHash<const QTextList *, int> m_listIds;
    int m_runListId = 0; // \ls of the previous paragraph when it was a list item
};

} // namespace rtf
