// What the writer writes, the reader reads back as it was.
#include "platform/rtf/fontsize.h"
#include "platform/rtf/rtf.h"
#include "rtftestsupport.h"
#include "support/printers.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Qt::StringLiterals;

namespace {

using Build = std::function<void(QTextCursor &)>;

struct RoundTripCase {
    const char *name;
    Build build;
};

void PrintTo(const RoundTripCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

void prepare(QTextDocument &doc)
{
    doc.setDefaultFont(QFont(u"Liberation Sans"_s, 12));
}

QTextCharFormat chars(const std::function<void(QTextCharFormat &)> &set)
{
    QTextCharFormat f;
    set(f);
    return f;
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, ReadsBackWhatWasWritten)
{
    QTextDocument original;
    prepare(original);
    QTextCursor cursor(&original);
    GetParam().build(cursor);

    const QByteArray bytes = rtf::write(original);
    QTextDocument copy;
    prepare(copy);
    ASSERT_TRUE(rtf::read(bytes, copy));
    EXPECT_EQ(rtftest::describe(copy), rtftest::describe(original)) << GetParam().name << "\n"
                                                                    << bytes.toStdString();
}

void text(QTextCursor &c, const QString &s, const QTextCharFormat &f = {})
{
    c.insertText(s, f);
}

void paragraph(QTextCursor &c, const std::function<void(QTextBlockFormat &)> &set)
{
    QTextBlockFormat f = c.blockFormat();
    set(f);
    c.setBlockFormat(f);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, RoundTrip,
    ::testing::Values(
        RoundTripCase{"Hungarian",
                      [](QTextCursor &c) { text(c, u"Árvíztűrő tükörfúrógép őŐűŰ"_s); }},
        RoundTripCase{"outside Windows-1250",
                      [](QTextCursor &c) { text(c, u"ô û ÿ € 😀 Жизнь Ελλάδα ĉ ſ 𝄞"_s); }},
        RoundTripCase{"RTF specials",
                      [](QTextCursor &c) { text(c, u"a\\b{c}d\te\u2028f \\par ?"_s); }},
        RoundTripCase{"digits and spaces after formats",
                      [](QTextCursor &c) {
                          text(c, u"1"_s, chars([](auto &f) { f.setFontWeight(QFont::Bold); }));
                          text(c, u" 2 "_s);
                          text(c, u"-3"_s, chars([](auto &f) { f.setFontItalic(true); }));
                      }},
        RoundTripCase{"bold",
                      [](QTextCursor &c) {
                          text(c, u"a"_s);
                          text(c, u"félkövér"_s,
                               chars([](auto &f) { f.setFontWeight(QFont::Bold); }));
                      }},
        RoundTripCase{"italic",
                      [](QTextCursor &c) {
                          text(c, u"dőlt"_s, chars([](auto &f) { f.setFontItalic(true); }));
                          text(c, u"b"_s);
                      }},
        RoundTripCase{"underline",
                      [](QTextCursor &c) {
                          text(c, u"aláhúzott"_s, chars([](auto &f) { f.setFontUnderline(true); }));
                      }},
        RoundTripCase{"strike-out",
                      [](QTextCursor &c) {
                          text(c, u"áthúzott"_s, chars([](auto &f) { f.setFontStrikeOut(true); }));
                      }},
        RoundTripCase{"colours",
                      [](QTextCursor &c) {
                          text(c, u"piros"_s,
                               chars([](auto &f) { f.setForeground(QColor(255, 0, 0)); }));
                          text(c, u" "_s);
                          text(c, u"kék"_s,
                               chars([](auto &f) { f.setForeground(QColor(1, 2, 250)); }));
                          text(c, u" újra piros"_s,
                               chars([](auto &f) { f.setForeground(QColor(255, 0, 0)); }));
                      }},
        RoundTripCase{"fonts and sizes",
                      [](QTextCursor &c) {
                          text(c, u"Courier"_s, chars([](auto &f) {
                                   f.setFontFamilies({u"Courier New"_s});
                                   f.setFontFixedPitch(true);
                                   f.setFontPointSize(10);
                               }));
                          text(c, u"Times"_s, chars([](auto &f) {
                                   f.setFontFamilies({u"Times New Roman"_s});
                                   f.setFontPointSize(7.5);
                               }));
                          text(c, u"Nagy"_s, chars([](auto &f) { f.setFontPointSize(72); }));
                      }},
        RoundTripCase{"all at once",
                      [](QTextCursor &c) {
                          text(c, u"minden"_s, chars([](auto &f) {
                                   f.setFontWeight(QFont::Bold);
                                   f.setFontItalic(true);
                                   f.setFontUnderline(true);
                                   f.setFontStrikeOut(true);
                                   f.setForeground(QColor(0, 128, 0));
                                   f.setFontPointSize(20);
                                   f.setFontFamilies({u"Arial"_s});
                               }));
                          text(c, u" semmi"_s);
                      }}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Paragraphs, RoundTrip,
    ::testing::Values(
        RoundTripCase{"alignments",
                      [](QTextCursor &c) {
                          const Qt::Alignment all[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                       Qt::AlignRight, Qt::AlignJustify};
                          for (const Qt::Alignment a : all) {
                              paragraph(c, [a](auto &f) { f.setAlignment(a); });
                              text(c, u"bekezdés"_s);
                              c.insertBlock();
                          }
                      }},
        RoundTripCase{"indents",
                      [](QTextCursor &c) {
                          paragraph(c, [](auto &f) {
                              f.setLeftMargin(40);
                              f.setRightMargin(20);
                              f.setTextIndent(-10);
                          });
                          text(c, u"behúzott"_s);
                          c.insertBlock(QTextBlockFormat());
                          paragraph(c, [](auto &f) { f.setTextIndent(30); });
                          text(c, u"első sor"_s);
                      }},
        RoundTripCase{"tab stops",
                      [](QTextCursor &c) {
                          paragraph(c, [](auto &f) {
                              QTextOption::Tab right(200, QTextOption::RightTab);
                              QTextOption::Tab centre(300, QTextOption::CenterTab);
                              QTextOption::Tab decimal(400, QTextOption::DelimiterTab, u'.');
                              f.setTabPositions({QTextOption::Tab(36, QTextOption::LeftTab), right,
                                                 centre, decimal});
                          });
                          text(c, u"a\tb\tc\td"_s);
                      }},
        RoundTripCase{"bullets",
                      [](QTextCursor &c) {
                          text(c, u"előtte"_s);
                          c.insertBlock(QTextBlockFormat());
                          c.createList(QTextListFormat::ListDisc);
                          text(c, u"egy"_s);
                          c.insertBlock();
                          text(c, u"kettő"_s, chars([](auto &f) { f.setFontWeight(QFont::Bold); }));
                          c.insertBlock();
                          text(c, u"három"_s);
                          c.insertBlock(QTextBlockFormat());
                          text(c, u"utána"_s);
                      }},
        RoundTripCase{"bullets with indents and alignment",
                      [](QTextCursor &c) {
                          c.createList(QTextListFormat::ListDisc);
                          paragraph(c, [](auto &f) {
                              f.setLeftMargin(36);
                              f.setTextIndent(-18);
                          });
                          text(c, u"egy"_s);
                          c.insertBlock();
                          paragraph(c, [](auto &f) { f.setAlignment(Qt::AlignHCenter); });
                          text(c, u"kettő"_s);
                      }},
        RoundTripCase{"numbered lists",
                      [](QTextCursor &c) {
                          c.createList(QTextListFormat::ListDecimal);
                          text(c, u"egy"_s);
                          c.insertBlock();
                          text(c, u"kettő"_s);
                          c.insertBlock(QTextBlockFormat());
                          c.createList(QTextListFormat::ListUpperRoman);
                          text(c, u"római"_s);
                      }},
        RoundTripCase{"empty paragraphs keep their size",
                      [](QTextCursor &c) {
                          text(c, u"a"_s);
                          c.insertBlock(QTextBlockFormat(),
                                        chars([](auto &f) { f.setFontPointSize(30); }));
                          c.insertBlock(QTextBlockFormat(), QTextCharFormat());
                          text(c, u"b"_s);
                          c.insertBlock();
                      }},
        RoundTripCase{"empty document", [](QTextCursor &) {}}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

class RoundTripFixture : public ::testing::TestWithParam<const char *> {};

// Read, write, read: the same text, runs, paragraphs and lists; and writing
// the second document gives the very bytes of the first write.
TEST_P(RoundTripFixture, WritingWhatWasReadChangesNothing)
{
    const char *name = GetParam();
    QTextDocument first;
    ASSERT_TRUE(rtf::read(rtftest::fixture(name), first));
    const QByteArray written = rtf::write(first);
    QTextDocument second;
    ASSERT_TRUE(rtf::read(written, second));
    EXPECT_EQ(rtftest::describe(second), rtftest::describe(first)) << name;
    EXPECT_EQ(rtf::write(second), written) << name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RoundTripFixture,
                         ::testing::Values("wordpad_hu.rtf", "word_lists.rtf", "writer_lo.rtf",
                                           "objects.rtf", "converter_table.rtf", "word_nested.rtf"),
                         [](const auto &info) {
                             std::string n = info.param;
                             return n.substr(0, n.find('.'));
                         });

} // namespace

namespace {

// Text in the panes' default font, which is sized in pixels, or in a
// format sized in pixels (pasted from a web page), keeps its size in points.
struct PixelSizeCase {
    const char *name;
    int defaultPixels;
    int formatPixels; // 0: the text leaves its size to the default font
    int expectedPoints;
};

void PrintTo(const PixelSizeCase &c, std::ostream *os)
{
    *os << c.name;
}

class PixelSizeRoundTrip : public ::testing::TestWithParam<PixelSizeCase> {};

TEST_P(PixelSizeRoundTrip, KeepsTheSizeInPoints)
{
    const PixelSizeCase &c = GetParam();
    QFont font(u"Arial"_s);
    font.setPixelSize(c.defaultPixels);
    QTextDocument original;
    original.setDefaultFont(font);
    QTextCharFormat f;
    if (c.formatPixels > 0)
        f.setProperty(QTextFormat::FontPixelSize, c.formatPixels);
    QTextCursor(&original).insertText(u"alma"_s, f);
    const QTextCharFormat before = original.begin().begin().fragment().charFormat();
    ASSERT_EQ(qRound(rtf::EffectivePointSize(before, original.defaultFont())), c.expectedPoints);

    QTextDocument copy;
    copy.setDefaultFont(font);
    ASSERT_TRUE(rtf::read(rtf::write(original), copy));
    const QTextCharFormat after = copy.begin().begin().fragment().charFormat();
    EXPECT_EQ(qRound(rtf::EffectivePointSize(after, copy.defaultFont())), c.expectedPoints);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PixelSizeRoundTrip,
                         ::testing::Values(PixelSizeCase{"PaneDefault17Pixels", 17, 0, 13},
                                           PixelSizeCase{"Default16Pixels", 16, 0, 12},
                                           PixelSizeCase{"Default40Pixels", 40, 0, 30},
                                           PixelSizeCase{"FormatIn24Pixels", 17, 24, 18}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
