#pragma once

#include "platform/rtf/codepages.h"
#include "platform/rtf/formats.h"

#include <QHash>
#include <QList>
#include <QRgb>
#include <QString>

#include <optional>

namespace rtf {

// The tables an RTF file declares before its text: fonts, colours and list
// definitions. The reader fills them entry by entry as it meets the control
// words, and looks them up while it reads the text.
class Tables final {
public:
    struct Font {
        QString name;
        int charset = 1;  // 1: the document's default
        int codePage = 0; // \cpg, 0: none
        int pitch = 0;    // \fprq
        bool modern = false;
        bool fixedPitch() const { return pitch == 1 || (pitch == 0 && modern); }
    };

    // Font table: \fN starts an entry, ";" or the end of its group commits it.
    void beginFont(int id);
    bool readingFont() const { return m_fontId.has_value(); }
    Font &fontBeingRead() { return m_font; }
    void appendToFontName(char16_t c);
    // A byte of the name, decoded through the entry's own character set.
    void appendByteToFontName(unsigned char byte, int ansiCodePage);
    void commitFont();
    // The entry of font, or nullptr when the table has none.
    const Font *font(int id) const;
    // The code page of font's text: \cpg, else its \fcharset, else ansiCodePage.
    int codePageOf(int id, int ansiCodePage) const;

    // Colour table: components, then ";" ends an entry. An entry without
    // components is the automatic colour.
    void setRed(int v) { setComponent(m_red, v); }
    void setGreen(int v) { setComponent(m_green, v); }
    void setBlue(int v) { setComponent(m_blue, v); }
    void commitColour();
    // Empty for index 0, for an automatic entry and for an index past the table.
    std::optional<QRgb> colour(int index) const;

    // List definitions (\list with its \listlevel groups) and the overrides
    // (\listoverride) that \ls numbers paragraphs refer to.
    void beginList();
    void addListLevel();
    void setLevelFormat(int nfc); // \levelnfc of the last level
    void setListId(int id) { m_listId = id; }
    void commitList();
    void beginOverride();
    void setOverrideListId(int id) { m_overrideListId = id; }
    void setOverrideIndex(int ls) { m_overrideIndex = ls; }
    void commitOverride();
    // The numbering of level of the list that \ls names. A reference without
    // a definition is taken for a bullet: its \listtext showed some mark.
    Numbering numberingOf(int ls, int level) const;

    // Changes whenever an entry is committed, so that cached lookups can tell.
    int generation() const { return m_generation; }

private:
    void setComponent(int &component, int v);

    QHash<int, Font> m_fonts;
    std::optional<int> m_fontId;
    Font m_font;
    ByteDecoder m_nameDecoder;
    int m_nameCodePage = 1252;

    QList<std::optional<QRgb>> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourSet = false;

    QHash<int, QList<Numbering>> m_listLevels; // \listid -> style of each level
    QList<Numbering> m_listBeingRead;
    int m_listId = 0;
    QHash<int, int> m_listOverrides; // \ls -> \listid
    int m_overrideListId = 0;
    int m_overrideIndex = 0;

    int m_generation = 0;
};

} // namespace rtf
