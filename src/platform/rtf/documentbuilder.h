#pragma once

#include "platform/rtf/formats.h"

#include <QHash>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <array>

class QTextDocument;
class QTextList;

namespace rtf {

// Fills a QTextDocument paragraph by paragraph. Text is gathered into runs of
// one format and inserted a run at a time. The paragraph format is applied
// when the paragraph ends, since RTF states it anywhere before its \par.
class DocumentBuilder final {
public:
    // Clears doc and writes into it; the undo history stays off until finish().
    explicit DocumentBuilder(QTextDocument &doc);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;

    // Makes run the format of the characters appended next.
    void setRun(const RunFormat &run);

    // Appends one UTF-16 code unit. Characters that would break the
    // document's structure (block and frame separators) and C0 controls other
    // than tab are dropped.
    void appendChar(char16_t c);

    // Ends the current paragraph with the given format. The next paragraph is
    // only created when something is written into it, so a final \par does
    // not leave an empty paragraph behind.
    void endParagraph(const ParagraphFormat &format);

    // Applies format to a paragraph still open at the end of the input, and
    // re-enables the undo history (empty). Called once; the destructor does
    // it when nobody did.
    void finish(const ParagraphFormat &format);

private:
    void flush();
    void openPendingBlock();
    void applyParagraph(const ParagraphFormat &format);

    QTextDocument &m_doc;
    QTextCursor m_cursor;
    bool m_undoWasEnabled;
    bool m_finished = false;
    bool m_blockPending = false;
    bool m_blockHasText = false;
    RunFormat m_run;
    QTextCharFormat m_format;
    QString m_pending;
    // Adding an item to a QTextList touches all its other items, so a long run
    // of list paragraphs is split into lists of at most this many items.
    // Bullets look the same; numbers would start again at 1, so numbered
    // lists are split far less often.
    static constexpr int kMaxBulletItems = 16;
    static constexpr int kMaxNumberedItems = 1000;

    struct ListRun {
        QTextList *list = nullptr;
        int items = 0;
    };
    static constexpr int kMaxListLevel = 8;
    using ListLevels = std::array<ListRun, kMaxListLevel + 1>;
    // Open lists, one a level: those of the list table by \ls, and those of
    // the current run of old-style (\pn) numbered paragraphs.
    QHash<int, ListLevels> m_lists;
    // The open list of the paragraph's list and level.
    ListRun &listRun(const ParagraphFormat &format);
    // The open list the paragraph goes on with, counted as its item; null
    // when it opens a new one or is no item.
    QTextList *joinedList(const ParagraphFormat &format);
    ListLevels m_pnLists{};
    bool m_pnListsOpen = false;
};

} // namespace rtf
