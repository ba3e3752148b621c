// The bytes the writer produces, as other readers need them.
#include "platform/rtf/rtf.h"
#include "support/printers.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct WriterCase {
    const char *name;
    std::function<void(QTextCursor &)> build;
    const char *expected; // must occur in the output
};

void PrintTo(const WriterCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.expected);
}

class WriterOutput : public ::testing::TestWithParam<WriterCase> {};

QByteArray written(const std::function<void(QTextCursor &)> &build)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(u"Arial"_s, 12));
    QTextCursor cursor(&doc);
    build(cursor);
    return rtf::write(doc);
}

TEST_P(WriterOutput, ContainsTheExpectedRtf)
{
    const QByteArray out = written(GetParam().build);
    EXPECT_TRUE(out.contains(GetParam().expected))
        << GetParam().name << ": " << GetParam().expected << "\nin\n"
        << out.toStdString();
}

void insert(QTextCursor &c, const QString &s)
{
    c.insertText(s);
}

INSTANTIATE_TEST_SUITE_P(
    Encoding, WriterOutput,
    ::testing::Values(
        WriterCase{"header", [](QTextCursor &) {}, "{\\rtf1\\ansi\\ansicpg1250\\deff0"},
        WriterCase{"font table in Windows-1250", [](QTextCursor &) {},
                   "{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}"},
        WriterCase{"unicode fallback count", [](QTextCursor &) {}, "\\uc1"},
        WriterCase{"Hungarian as code page bytes", [](QTextCursor &c) { insert(c, u"őŰ"_s); },
                   "\\'f5\\'db"},
        WriterCase{"other Windows-1250 letters", [](QTextCursor &c) { insert(c, u"ô€"_s); },
                   "\\'f4\\'80"},
        WriterCase{"letters outside the code page", [](QTextCursor &c) { insert(c, u"ûЖ"_s); },
                   "\\u251?\\u1046?"},
        WriterCase{"signed code units", [](QTextCursor &c) { insert(c, u"\uf0b7"_s); },
                   "\\u-3913?"},
        WriterCase{"surrogate pair as two units", [](QTextCursor &c) { insert(c, u"😀"_s); },
                   "\\u-10179?\\u-8704?"},
        WriterCase{"lone surrogate replaced",
                   [](QTextCursor &c) { insert(c, QString(QChar(0xd83d)) + u"x"_s); }, "\\u-3?x"},
        WriterCase{"escapes", [](QTextCursor &c) { insert(c, u"\\{}"_s); }, "\\\\\\{\\}"},
        WriterCase{"tab and line break", [](QTextCursor &c) { insert(c, u"a\tb\u2028c"_s); },
                   "a\\tab b\\line c"},
        WriterCase{"one paragraph mark a paragraph",
                   [](QTextCursor &c) {
                       insert(c, u"a"_s);
                       c.insertBlock();
                       insert(c, u"b"_s);
                   },
                   "a\\par\r\nb\\par\r\n}"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Formats, WriterOutput,
    ::testing::Values(WriterCase{"bold on and off",
                                 [](QTextCursor &c) {
                                     QTextCharFormat b;
                                     b.setFontWeight(QFont::Bold);
                                     c.insertText(u"x"_s, b);
                                     c.insertText(u"y"_s, QTextCharFormat());
                                 },
                                 "\\b x\\b0 y"},
                      WriterCase{"colour table",
                                 [](QTextCursor &c) {
                                     QTextCharFormat f;
                                     f.setForeground(QColor(255, 0, 0));
                                     c.insertText(u"x"_s, f);
                                 },
                                 "{\\colortbl;\\red255\\green0\\blue0;}"},
                      WriterCase{"bullets the rich edit way",
                                 [](QTextCursor &c) {
                                     c.createList(QTextListFormat::ListDisc);
                                     insert(c, u"x"_s);
                                 },
                                 "{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"},
                      WriterCase{"bullet mark for other readers",
                                 [](QTextCursor &c) {
                                     c.createList(QTextListFormat::ListDisc);
                                     insert(c, u"x"_s);
                                 },
                                 "{\\pntext\\f1\\'b7\\tab}"},
                      WriterCase{"bullet font",
                                 [](QTextCursor &c) { c.createList(QTextListFormat::ListDisc); },
                                 "{\\f1\\fnil\\fcharset2 Symbol;}"},
                      WriterCase{"numbers",
                                 [](QTextCursor &c) {
                                     c.createList(QTextListFormat::ListDecimal);
                                     insert(c, u"x"_s);
                                     c.insertBlock();
                                     insert(c, u"y"_s);
                                 },
                                 "{\\pntext\\f0 2.\\tab}"},
                      WriterCase{"paragraph format",
                                 [](QTextCursor &c) {
                                     QTextBlockFormat f;
                                     f.setAlignment(Qt::AlignRight);
                                     // Pixels, 96 to the inch: 15 twips each.
                                     f.setLeftMargin(48);
                                     f.setTextIndent(-24);
                                     f.setTabPositions(
                                         {QTextOption::Tab(96, QTextOption::RightTab)});
                                     c.setBlockFormat(f);
                                 },
                                 "\\pard\\qr\\fi-360\\li720\\tqr\\tx1440"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

TEST(WriterOutputBytes, AreSevenBitWhateverTheText)
{
    const QByteArray out = written([](QTextCursor &c) {
        QTextCharFormat f;
        f.setFontFamilies({u"Ötvös Betű"_s});
        c.insertText(u"Árvíztűrő ô û € 😀 Жизнь \u0000\u0001"_s, f);
    });
    for (const char ch : out)
        ASSERT_LT(static_cast<unsigned char>(ch), 0x80) << out.toStdString();
    EXPECT_TRUE(out.contains("\\'d6tv\\'f6s Bet\\'fb;"));
}

TEST(WriterOutputBytes, ListContinuationDoesNotRepeatTheParagraphProperties)
{
    const QByteArray out = written([](QTextCursor &c) {
        c.createList(QTextListFormat::ListDisc);
        c.insertText(u"a"_s);
        c.insertBlock();
        c.insertText(u"b"_s);
    });
    EXPECT_EQ(out.count("\\pard"), 1);
    EXPECT_EQ(out.count("{\\pntext"), 2);
}

} // namespace
