// The reader on small hand-made streams, one feature at a time.
#include "platform/rtf/rtf.h"
#include "rtftestsupport.h"
#include "support/printers.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList readParagraphs(QByteArrayView rtfText)
{
    QTextDocument doc;
    EXPECT_TRUE(rtf::read(rtfText, doc));
    return rtftest::paragraphs(doc);
}

struct TextCase {
    const char *name;
    const char *rtf;
    const char16_t *paragraphs; // joined with '|'
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.rtf, c.paragraphs);
}

class ReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReaderText, GivesTheExpectedParagraphs)
{
    const TextCase c = GetParam();
    EXPECT_EQ(readParagraphs(c.rtf).join(u'|'), QString::fromUtf16(c.paragraphs)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, ReaderText,
    ::testing::Values(
        TextCase{"unknown ignorable group", R"({\rtf1 A{\*\foo B{C}\par}D})", u"AD"},
        TextCase{"ignorable known to be skipped", R"({\rtf1 A{\*\fldinst B}C})", u"AC"},
        TextCase{"info and stylesheet", R"({\rtf1{\info{\title T}}{\stylesheet{\s1 S;}}X})", u"X"},
        TextCase{"header and footnote", R"({\rtf1{\header H}X{\footnote F}Y})", u"XY"},
        TextCase{"field keeps its result only",
                 R"({\rtf1 {\field{\*\fldinst HYPERLINK "http://x.invalid"}{\fldrslt link}}})",
                 u"link"},
        TextCase{"field instruction without star", R"({\rtf1{\field{\fldinst PAGE}{\fldrslt 3}}})",
                 u"3"},
        TextCase{"picture", R"({\rtf1 a{\pict\pngblip 89504e47}b})", u"ab"},
        TextCase{"binary data is skipped whole", "{\\rtf1 a{\\pict\\bin4 }{\\\\}b}", u"ab"},
        TextCase{"binary in plain text", "{\\rtf1 a\\bin3 {}\\b}", u"ab"},
        TextCase{"list and paragraph marks are not text",
                 R"({\rtf1{\pntext\f1\'b7\tab}A{\listtext 1.\tab}B})", u"AB"},
        TextCase{"hidden text", R"({\rtf1 a{\v hidden}b\v c\v0 d})", u"abd"},
        TextCase{"nothing after the outermost group", R"({\rtf1 a}b{c})", u"a"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Paragraphs, ReaderText,
    ::testing::Values(TextCase{"final par ends the paragraph", R"({\rtf1 a\par b\par})", u"a|b"},
                      TextCase{"empty paragraph kept", R"({\rtf1 a\par\par})", u"a|"},
                      TextCase{"no final par", R"({\rtf1 a})", u"a"},
                      TextCase{"empty document", R"({\rtf1 })", u""},
                      TextCase{"par inside a group", R"({\rtf1 {a\par}b})", u"a|b"},
                      TextCase{"backslash before a line break", "{\\rtf1 a\\\r\nb}", u"a|b"},
                      TextCase{"line breaks of the file are ignored", "{\\rtf1 a\r\nb\nc}", u"abc"},
                      TextCase{"table cells", R"({\rtf1\trowd\cellx100 A\cell B\cell\row C})",
                               u"A\tB|C"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Characters, ReaderText,
    ::testing::Values(
        TextCase{"escapes", R"({\rtf1 \\\{\}})", u"\\{}"},
        TextCase{"line and tab", R"({\rtf1 a\line b\tab c})", u"a\u2028b\tc"},
        TextCase{"symbols",
                 R"({\rtf1 a\~b\-c\_d\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet})",
                 u"a\u00a0b\u00adc\u2011d\u2014\u2013\u2018\u2019\u201c\u201d\u2022"},
        TextCase{"delimiter space is eaten, the next one is not", R"({\rtf1\b  x})", u" x"},
        TextCase{"unicode with one fallback", R"({\rtf1\u337?x})", u"őx"},
        TextCase{"uc2 skips two", R"({\rtf1\uc2\u337\'f5\'f5x})", u"őx"},
        TextCase{"uc0 skips none", R"({\rtf1\uc0\u337 x})", u"őx"},
        TextCase{"uc belongs to its group", R"({\rtf1{\uc2\u337 ab}\u337 cd})", u"őőd"},
        TextCase{"fallback ends at a group", R"({\rtf1\uc3\u337{x}y})", u"őxy"},
        TextCase{"fallback counts a control word", R"({\rtf1\uc1\u8226\bullet x})", u"\u2022x"},
        TextCase{"negative unicode", R"({\rtf1\u-3913 ?})", u"\uf0b7"},
        TextCase{"surrogate pair", R"({\rtf1\u-10179?\u-8704?})", u"😀"},
        TextCase{"lone surrogate", R"({\rtf1\u-10179?x})", u"\ufffdx"},
        TextCase{"structure characters dropped", R"({\rtf1 a\u65532?\u-560?\u8233?\u10?b})", u"ab"},
        TextCase{"control bytes dropped",
                 "{\\rtf1 a\x01\x1f"
                 "b}",
                 u"ab"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    CodePages, ReaderText,
    ::testing::Values(
        TextCase{"ansicpg1250 without fonts", R"({\rtf1\ansi\ansicpg1250 \'f5\'fb\'d5\'db})",
                 u"őűŐŰ"},
        TextCase{"ansi default is 1252", R"({\rtf1\ansi \'f5})", u"õ"},
        TextCase{"raw 8-bit text", "{\\rtf1\\ansi\\ansicpg1250 \xf5\xfb}", u"őű"},
        TextCase{"font without charset uses ansicpg",
                 R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0 A;}}\f0 \'f5})", u"ő"},
        TextCase{"cpg overrides charset",
                 R"({\rtf1\ansi{\fonttbl{\f0\fcharset0\cpg1250 A;}}\f0 \'f5})", u"ő"},
        TextCase{"font switch changes code page",
                 R"({\rtf1{\fonttbl{\f0\fcharset238 A;}{\f1\fcharset204 B;}}\f0\'c6\f1\'c6})",
                 u"ĆЖ"},
        TextCase{"unknown code page reads as 1252", R"({\rtf1\ansi\ansicpg950 \'e9})", u"é"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

struct CharsetCase {
    int charset;
    unsigned char byte;
    char16_t expected;
};

void PrintTo(const CharsetCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.charset, int(c.byte), c.expected);
}

class ReaderCharset : public ::testing::TestWithParam<CharsetCase> {};

TEST_P(ReaderCharset, DecodesHexBytesThroughTheFontsCodePage)
{
    const CharsetCase c = GetParam();
    const QByteArray doc =
        QStringLiteral(R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0\fcharset%1 X;}}\f0 \'%2})")
            .arg(c.charset)
            .arg(c.byte, 2, 16, QLatin1Char('0'))
            .toLatin1();
    EXPECT_EQ(readParagraphs(doc).join(u'|'), QString(QChar(c.expected))) << c.charset;
}

INSTANTIATE_TEST_SUITE_P(
    CommonCharsets, ReaderCharset,
    ::testing::Values(CharsetCase{238, 0xf5, u'ő'}, CharsetCase{0, 0xf5, u'õ'},
                      CharsetCase{161, 0xe1, u'α'}, CharsetCase{162, 0xfd, u'ı'},
                      CharsetCase{204, 0xc6, u'Ж'}, CharsetCase{186, 0xe0, u'ą'},
                      CharsetCase{177, 0xf9, u'ש'}, CharsetCase{178, 0xc7, u'ا'},
                      CharsetCase{222, 0xa1, u'ก'}, CharsetCase{1, 0xf5, u'ő'},
                      CharsetCase{128, 0xf5, u'ő'}),
    [](const auto &info) {
        return velkor_test::caseName("Charset", info.param.charset, "Byte", int(info.param.byte));
    });

struct FormatCase {
    const char *name;
    const char *rtf;
    const char16_t *needle;
    const char16_t *family;
    double points;
    bool bold, italic, underline;
    const char *colour;
};

void PrintTo(const FormatCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.rtf);
}

class ReaderFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ReaderFormat, GivesTheExpectedCharacterFormat)
{
    const FormatCase c = GetParam();
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(c.rtf, doc));
    const QTextCharFormat f = rtftest::formatOf(doc, 0, QString::fromUtf16(c.needle));
    EXPECT_EQ(f.fontFamilies().toStringList().value(0), QString::fromUtf16(c.family)) << c.name;
    EXPECT_DOUBLE_EQ(f.fontPointSize(), c.points) << c.name;
    EXPECT_EQ(f.fontWeight() >= QFont::DemiBold, c.bold) << c.name;
    EXPECT_EQ(f.fontItalic(), c.italic) << c.name;
    EXPECT_EQ(f.fontUnderline(), c.underline) << c.name;
    const QString colour =
        f.foreground().style() == Qt::NoBrush ? QString() : f.foreground().color().name();
    EXPECT_EQ(colour, QString::fromLatin1(c.colour)) << c.name;
}

constexpr const char *kTables =
    R"({\fonttbl{\f0\fnil A;}{\f1\fnil B;}}{\colortbl;\red1\green2\blue3;})";

INSTANTIATE_TEST_SUITE_P(
    CharacterState, ReaderFormat,
    ::testing::Values(
        FormatCase{"plain resets",
                   R"({\rtf1{\fonttbl{\f0 A;}{\f1 B;}}\f1\fs40\b\i\ul\cf1 x\plain y})", u"y", u"A",
                   12, false, false, false, ""},
        FormatCase{"group restores", R"({\rtf1{\fonttbl{\f0 A;}}{\b\i\fs30 x}y})", u"y", u"A", 12,
                   false, false, false, ""},
        FormatCase{"toggles with zero", R"({\rtf1{\fonttbl{\f0 A;}}\b\i\ul x\b0\i0\ul0 y})", u"y",
                   u"A", 12, false, false, false, ""},
        FormatCase{"double underline is underline", R"({\rtf1{\fonttbl{\f0 A;}}\uldb x})", u"x",
                   u"A", 12, false, false, true, ""},
        FormatCase{"underline colour is no underline", R"({\rtf1{\fonttbl{\f0 A;}}\ulc3 x})", u"x",
                   u"A", 12, false, false, false, ""},
        FormatCase{"deff chooses the default font", R"({\rtf1\deff1{\fonttbl{\f0 A;}{\f1 B;}} x})",
                   u"x", u"B", 12, false, false, false, ""},
        FormatCase{"unknown font is the default", R"({\rtf1{\fonttbl{\f0 A;}}\f9 x})", u"x", u"A",
                   12, false, false, false, ""},
        FormatCase{"font table without groups",
                   R"({\rtf1\mac{\fonttbl\f0\fswiss Helvetica;\f1\fmodern Courier;}\f1 x})", u"x",
                   u"Courier", 12, false, false, false, ""},
        FormatCase{"font name with hex bytes",
                   R"({\rtf1{\fonttbl{\f0\fcharset238 \'d6t{\*\falt X}v\'f6s;}}\f0 x})", u"x",
                   u"Ötvös", 12, false, false, false, ""},
        FormatCase{"colour out of range is automatic",
                   R"({\rtf1{\colortbl;\red1\green2\blue3;}\cf7 x})", u"x", u"", 12, false, false,
                   false, ""},
        FormatCase{"colour zero is automatic",
                   R"({\rtf1{\colortbl;\red1\green2\blue3;}\cf1\cf0 x})", u"x", u"", 12, false,
                   false, false, ""},
        FormatCase{"colour entry", R"({\rtf1{\colortbl;\red1\green2\blue3;}\cf1 x})", u"x", u"", 12,
                   false, false, false, "#010203"},
        FormatCase{"half point size", R"({\rtf1\fs21 x})", u"x", u"", 10.5, false, false, false,
                   ""},
        FormatCase{"huge size is clamped", R"({\rtf1\fs99999999999999 x})", u"x", u"", 1638, false,
                   false, false, ""},
        FormatCase{"negative size is clamped", R"({\rtf1\fs-40 x})", u"x", u"", 1, false, false,
                   false, ""}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

TEST(ReaderFormatTables, KeepTheirEntriesWhateverFollows)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(QByteArray("{\\rtf1") + kTables + "\\f1\\cf1 x}", doc));
    const QTextCharFormat f = rtftest::formatOf(doc, 0, u"x"_s);
    EXPECT_EQ(rtftest::familyOf(doc, f), u"B"_s);
    EXPECT_EQ(f.foreground().color().name(), u"#010203"_s);
}

TEST(ReaderParagraph, PardResetsAndEmptyParagraphsKeepTheirSize)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(R"({\rtf1\qc\li400\tx720 a\par\pard b\par\fs48\par c})", doc));
    ASSERT_EQ(doc.blockCount(), 4);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    // 20 points, in pixels at 96 to the inch: as far in as on the screen.
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(0).blockFormat().leftMargin(), 80.0 / 3);
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(1).blockFormat().leftMargin(), 0);
    EXPECT_TRUE(doc.findBlockByNumber(1).blockFormat().tabPositions().isEmpty());
    EXPECT_EQ(doc.findBlockByNumber(2).text(), QString());
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(2).charFormat().fontPointSize(), 24);
}

TEST(ReaderParagraph, AbsurdIndentsAndTabsAreBounded)
{
    QByteArray many = "{\\rtf1\\li99999999999\\fi-99999999\\ri-5 ";
    for (int i = 0; i < 40; ++i)
        many += "\\tx" + QByteArray::number(i * 100 + 100);
    many += "\\tx999999999 x}";
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(many, doc));
    const QTextBlockFormat f = doc.begin().blockFormat();
    // 22 inches and 5 twips, in pixels.
    EXPECT_DOUBLE_EQ(f.leftMargin(), 2112);
    EXPECT_DOUBLE_EQ(f.textIndent(), -2112);
    EXPECT_DOUBLE_EQ(f.rightMargin(), -1.0 / 3);
    EXPECT_EQ(f.tabPositions().size(), 32);
}

TEST(ReaderParagraph, BulletsEndAtPardAndNewListsStartAfterPlainParagraphs)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(
        R"({\rtf1{\*\pn\pnlvlblt{\pntxtb\'b7}}a\par b\par\pard c\par{\*\pn\pnlvlblt}d\par{\*\pn\pnlvlbody\pndec}e\par})",
        doc));
    ASSERT_EQ(doc.blockCount(), 5);
    const QTextList *first = doc.findBlockByNumber(0).textList();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, doc.findBlockByNumber(1).textList());
    EXPECT_EQ(doc.findBlockByNumber(2).textList(), nullptr);
    const QTextList *second = doc.findBlockByNumber(3).textList();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    ASSERT_NE(doc.findBlockByNumber(4).textList(), nullptr);
    EXPECT_EQ(doc.findBlockByNumber(4).textList()->format().style(), QTextListFormat::ListDecimal);
}

TEST(ReaderParagraph, EveryParagraphOfALongBulletRunHasItsBullet)
{
    QTextDocument doc;
    ASSERT_TRUE(
        rtf::read("{\\rtf1{\\*\\pn\\pnlvlblt}" + QByteArray("a\\par ").repeated(2500) + "}", doc));
    ASSERT_EQ(doc.blockCount(), 2500);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        ASSERT_NE(b.textList(), nullptr) << b.blockNumber();
        EXPECT_EQ(b.textList()->format().style(), QTextListFormat::ListDisc);
    }
}

TEST(ReaderParagraph, ListReferenceWithoutTablesIsABullet)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(R"({\rtf1\ls3{\listtext \'b7\tab}a\par})", doc));
    ASSERT_NE(doc.begin().textList(), nullptr);
    EXPECT_EQ(doc.begin().textList()->format().style(), QTextListFormat::ListDisc);
}

struct DetectCase {
    const char *bytes;
    bool rtf;
};

void PrintTo(const DetectCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.bytes, c.rtf);
}

class LooksLikeRtf : public ::testing::TestWithParam<DetectCase> {};

TEST_P(LooksLikeRtf, DecidesByTheFirstBytes)
{
    EXPECT_EQ(rtf::looksLikeRtf(GetParam().bytes), GetParam().rtf) << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Starts, LooksLikeRtf,
    ::testing::Values(DetectCase{"{\\rtf1 x}", true}, DetectCase{"{\\rtf", true},
                      DetectCase{" \r\n\t{\\rtf1}", true}, DetectCase{"\xEF\xBB\xBF{\\rtf1}", true},
                      DetectCase{"\xEF\xBB\xBF  {\\rtf1}", true}, DetectCase{"{\\rt", false},
                      DetectCase{"", false}, DetectCase{"x{\\rtf1}", false},
                      DetectCase{"{ \\rtf1}", false}, DetectCase{"{\\RTF1}", false}),
    [](const auto &info) { return velkor_test::exactCaseName(info.param.bytes); });

TEST(ReaderRejects, NonRtfLeavesTheDocumentAlone)
{
    QTextDocument doc;
    doc.setPlainText(u"marad"_s);
    EXPECT_FALSE(rtf::read("plain text", doc));
    EXPECT_EQ(doc.toPlainText(), u"marad"_s);
}

} // namespace
