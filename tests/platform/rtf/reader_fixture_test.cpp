// Documents in the styles of the rich edit control and of word processors.
#include "platform/rtf/lengths.h"
#include "platform/rtf/rtf.h"
#include "rtftestsupport.h"
#include "support/printers.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

namespace {

QTextDocument *load(const char *fixture, QTextDocument &doc)
{
    EXPECT_TRUE(rtf::read(rtftest::fixture(fixture), doc)) << fixture;
    return &doc;
}

struct ParagraphCase {
    const char *fixture;
    int block;
    const char16_t *text;
    Qt::Alignment alignment;
    int list; // 0: none, else the QTextListFormat::Style
    double left;
    double right;
    double first;
};

void PrintTo(const ParagraphCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.fixture, c.block, c.text);
}

class FixtureParagraph : public ::testing::TestWithParam<ParagraphCase> {};

TEST_P(FixtureParagraph, HasItsTextAndParagraphFormat)
{
    const ParagraphCase c = GetParam();
    QTextDocument doc;
    load(c.fixture, doc);
    const QTextBlock b = doc.findBlockByNumber(c.block);
    ASSERT_TRUE(b.isValid());
    EXPECT_EQ(b.text(), QString::fromUtf16(c.text));
    const QTextBlockFormat f = b.blockFormat();
    EXPECT_EQ(f.alignment() & Qt::AlignHorizontal_Mask, c.alignment);
    EXPECT_EQ(b.textList() ? int(b.textList()->format().style()) : 0, c.list);
    // The table gives the file's points; the document holds pixels.
    EXPECT_NEAR(rtf::PointsFromPixels(f.leftMargin()), c.left, 1e-9);
    EXPECT_NEAR(rtf::PointsFromPixels(f.rightMargin()), c.right, 1e-9);
    EXPECT_NEAR(rtf::PointsFromPixels(f.textIndent()), c.first, 1e-9);
}

constexpr Qt::Alignment L = Qt::AlignLeft, C = Qt::AlignHCenter, R = Qt::AlignRight,
                        J = Qt::AlignJustify;
constexpr int kDisc = QTextListFormat::ListDisc, kDecimal = QTextListFormat::ListDecimal,
              kAlpha = QTextListFormat::ListLowerAlpha;

INSTANTIATE_TEST_SUITE_P(
    RichEditStyle, FixtureParagraph,
    ::testing::Values(
        ParagraphCase{"wordpad_hu.rtf", 0, u"Árvíztűrő tükörfúrógép", C, 0, 0, 0, 0},
        ParagraphCase{"wordpad_hu.rtf", 1,
                      u"Normál, félkövér, dőlt, aláhúzott, áthúzott, piros és zöld Arial.", L, 0, 0,
                      0, 0},
        ParagraphCase{"wordpad_hu.rtf", 2, u"Első tétel", L, kDisc, 36, 0, -18},
        ParagraphCase{"wordpad_hu.rtf", 3, u"Második tétel", L, kDisc, 36, 0, -18},
        ParagraphCase{"wordpad_hu.rtf", 4, u"Jobbra igazított", R, 0, 0, 0, 0},
        ParagraphCase{"wordpad_hu.rtf", 5, u"Sorkizárt, behúzott bekezdés.", J, 0, 72, 36, 0},
        ParagraphCase{"wordpad_hu.rtf", 6, u"Oszlop1\tOszlop2\t3", L, 0, 0, 0, 0},
        ParagraphCase{"wordpad_hu.rtf", 7, u"Unicode: ô€Ж😀\u2028€", L, 0, 0, 0, 0}),
    [](const auto &info) { return velkor_test::caseName(info.param.fixture, info.param.block); });

INSTANTIATE_TEST_SUITE_P(
    WordProcessorStyle, FixtureParagraph,
    ::testing::Values(ParagraphCase{"word_lists.rtf", 0, u"Cím: árvíztűrő", C, 0, 0, 0, 0},
                      ParagraphCase{"word_lists.rtf", 1, u"Alma", L, kDisc, 36, 0, -18},
                      ParagraphCase{"word_lists.rtf", 2, u"Körte", L, kDisc, 36, 0, -18},
                      ParagraphCase{"word_lists.rtf", 3, u"Első lépés", L, kDecimal, 36, 0, -18},
                      ParagraphCase{"word_lists.rtf", 4, u"Lásd: a honlap. Törölt Жизнь", L, 0, 0,
                                    0, 0},
                      ParagraphCase{"writer_lo.rtf", 0, u"Árvíztűrő tükörfúrógép", C, 0, 0, 0, 0},
                      ParagraphCase{"writer_lo.rtf", 1, u"Sorkizárt szöveg dőlt és színes.", J, 0,
                                    28.35, 14.15, 14.2},
                      ParagraphCase{"writer_lo.rtf", 2, u"Első", L, kDisc, 36, 0, -18},
                      ParagraphCase{"writer_lo.rtf", 3, u"Belső", L, kDisc, 54, 0, -18},
                      ParagraphCase{"writer_lo.rtf", 4, u"Betűvel", L, kAlpha, 36, 0, -18},
                      ParagraphCase{"writer_lo.rtf", 5, u"Kód\tközép\taláhúzás ö €", L, 0, 0, 0, 0},
                      ParagraphCase{"objects.rtf", 0, u"Előtte  kép.", L, 0, 0, 0, 0},
                      ParagraphCase{"objects.rtf", 1, u" Objektum után.", L, 0, 0, 0, 0},
                      ParagraphCase{"objects.rtf", 2, u"Hivatkozás", L, 0, 0, 0, 0},
                      ParagraphCase{"objects.rtf", 3, u"Bináris: utána.", L, 0, 0, 0, 0}),
    [](const auto &info) { return velkor_test::caseName(info.param.fixture, info.param.block); });

struct RunCase {
    const char *fixture;
    int block;
    const char16_t *needle;
    const char16_t *family;
    double points;
    bool bold, italic, underline, strikeOut, fixedPitch;
    const char *colour; // "" for the automatic colour
};

void PrintTo(const RunCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.fixture, c.block, c.needle);
}

class FixtureRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(FixtureRun, HasItsCharacterFormat)
{
    const RunCase c = GetParam();
    QTextDocument doc;
    load(c.fixture, doc);
    const QTextCharFormat f = rtftest::formatOf(doc, c.block, QString::fromUtf16(c.needle));
    EXPECT_EQ(rtftest::familyOf(doc, f), QString::fromUtf16(c.family));
    EXPECT_DOUBLE_EQ(f.fontPointSize(), c.points);
    EXPECT_EQ(f.fontWeight() >= QFont::DemiBold, c.bold);
    EXPECT_EQ(f.fontItalic(), c.italic);
    EXPECT_EQ(f.fontUnderline(), c.underline);
    EXPECT_EQ(f.fontStrikeOut(), c.strikeOut);
    EXPECT_EQ(f.fontFixedPitch(), c.fixedPitch);
    const QString colour =
        f.foreground().style() == Qt::NoBrush ? QString() : f.foreground().color().name();
    EXPECT_EQ(colour, QString::fromLatin1(c.colour));
}

INSTANTIATE_TEST_SUITE_P(RichEditStyle, FixtureRun,
                         ::testing::Values(RunCase{"wordpad_hu.rtf", 0, u"Árvíz", u"Calibri", 16,
                                                   true, false, false, false, false, ""},
                                           RunCase{"wordpad_hu.rtf", 1, u"Normál", u"Calibri", 11,
                                                   false, false, false, false, false, ""},
                                           RunCase{"wordpad_hu.rtf", 1, u"félkövér", u"Calibri", 11,
                                                   true, false, false, false, false, ""},
                                           RunCase{"wordpad_hu.rtf", 1, u"dőlt", u"Calibri", 11,
                                                   false, true, false, false, false, ""},
                                           RunCase{"wordpad_hu.rtf", 1, u"aláhúzott", u"Calibri",
                                                   11, false, false, true, false, false, ""},
                                           RunCase{"wordpad_hu.rtf", 1, u"áthúzott", u"Calibri", 11,
                                                   false, false, false, true, false, ""},
                                           RunCase{"wordpad_hu.rtf", 1, u"piros", u"Calibri", 11,
                                                   false, false, false, false, false, "#ff0000"},
                                           RunCase{"wordpad_hu.rtf", 1, u"zöld", u"Arial", 14,
                                                   false, false, false, false, false, "#008000"},
                                           RunCase{"wordpad_hu.rtf", 1, u"és", u"Calibri", 11,
                                                   false, false, false, false, false, ""},
                                           RunCase{"wordpad_hu.rtf", 6, u"Oszlop2", u"Courier New",
                                                   11, false, false, false, false, true, ""}),
                         [](const auto &info) {
                             return velkor_test::caseName(info.param.fixture, info.param.block,
                                                          info.param.needle);
                         });

INSTANTIATE_TEST_SUITE_P(
    WordProcessorStyle, FixtureRun,
    ::testing::Values(RunCase{"word_lists.rtf", 0, u"Cím", u"Calibri", 16, true, false, false,
                              false, false, ""},
                      RunCase{"word_lists.rtf", 2, u"Körte", u"Calibri", 11, false, true, false,
                              false, false, ""},
                      RunCase{"word_lists.rtf", 4, u"honlap", u"Calibri", 11, false, false, true,
                              false, false, "#0000ff"},
                      RunCase{"word_lists.rtf", 4, u"Törölt", u"Calibri", 11, false, false, false,
                              true, false, "#c00000"},
                      RunCase{"word_lists.rtf", 4, u"Жизнь", u"Times New Roman Cyr", 11, false,
                              false, false, false, false, ""},
                      RunCase{"writer_lo.rtf", 0, u"Árvíz", u"Liberation Serif", 18, true, false,
                              false, false, false, ""},
                      RunCase{"writer_lo.rtf", 1, u"dőlt", u"Liberation Serif", 12, false, true,
                              false, false, false, ""},
                      RunCase{"writer_lo.rtf", 1, u"színes", u"Liberation Serif", 12, false, false,
                              false, false, false, "#c9211e"},
                      RunCase{"writer_lo.rtf", 5, u"Kód", u"Liberation Mono", 10, false, false,
                              false, false, true, ""},
                      RunCase{"writer_lo.rtf", 5, u"aláhúzás", u"Liberation Mono", 10, false, false,
                              true, false, true, ""},
                      RunCase{"writer_lo.rtf", 5, u"€", u"Liberation Mono", 10, false, false, false,
                              true, true, ""}),
    [](const auto &info) {
        return velkor_test::caseName(info.param.fixture, info.param.block, info.param.needle);
    });

struct CountCase {
    const char *fixture;
    int paragraphs;
};

void PrintTo(const CountCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.fixture, c.paragraphs);
}

class FixtureShape : public ::testing::TestWithParam<CountCase> {};

// The final \par of a file ends the last paragraph; it does not open another one.
TEST_P(FixtureShape, HasNoParagraphBeyondTheLastPar)
{
    QTextDocument doc;
    load(GetParam().fixture, doc);
    EXPECT_EQ(doc.blockCount(), GetParam().paragraphs);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.isUndoAvailable());
}

INSTANTIATE_TEST_SUITE_P(
    AllFixtures, FixtureShape,
    ::testing::Values(CountCase{"wordpad_hu.rtf", 8}, CountCase{"word_lists.rtf", 5},
                      CountCase{"writer_lo.rtf", 6}, CountCase{"objects.rtf", 4}),
    [](const auto &info) { return velkor_test::caseName(info.param.fixture); });

TEST(FixtureLists, ConsecutiveBulletsShareOneListAndLevelsNest)
{
    QTextDocument wordpad;
    load("wordpad_hu.rtf", wordpad);
    ASSERT_NE(wordpad.findBlockByNumber(2).textList(), nullptr);
    EXPECT_EQ(wordpad.findBlockByNumber(2).textList(), wordpad.findBlockByNumber(3).textList());
    EXPECT_EQ(wordpad.findBlockByNumber(2).textList()->count(), 2);

    QTextDocument word;
    load("word_lists.rtf", word);
    EXPECT_EQ(word.findBlockByNumber(1).textList(), word.findBlockByNumber(2).textList());
    EXPECT_NE(word.findBlockByNumber(2).textList(), word.findBlockByNumber(3).textList());

    QTextDocument writer;
    load("writer_lo.rtf", writer);
    EXPECT_EQ(writer.findBlockByNumber(2).textList()->format().indent(), 1);
    EXPECT_EQ(writer.findBlockByNumber(3).textList()->format().indent(), 2);
}

TEST(FixtureTabs, TabStopsKeepPositionAndKind)
{
    QTextDocument wordpad;
    load("wordpad_hu.rtf", wordpad);
    const QList<QTextOption::Tab> tabs = wordpad.findBlockByNumber(6).blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    // 1 and 4 inches, in pixels.
    EXPECT_DOUBLE_EQ(tabs[0].position, 96);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_DOUBLE_EQ(tabs[1].position, 384);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);

    QTextDocument writer;
    load("writer_lo.rtf", writer);
    const QList<QTextOption::Tab> lo = writer.findBlockByNumber(5).blockFormat().tabPositions();
    ASSERT_EQ(lo.size(), 2);
    EXPECT_NEAR(rtf::PointsFromPixels(lo[0].position), 113.4, 1e-9);
    EXPECT_EQ(lo[1].type, QTextOption::CenterTab);
}

// A document must never make the program fetch anything: pictures, linked
// pictures and hyperlinks give at most their text.
class SpyDocument : public QTextDocument {
public:
    int requests = 0;

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        ++requests;
        return QTextDocument::loadResource(type, name);
    }
};

TEST(FixtureObjects, NothingIsLoadedAndNoImageOrLinkIsCreated)
{
    SpyDocument doc;
    load("objects.rtf", doc);
    (void)doc.documentLayout()->documentSize(); // lays out, which is when images would load
    EXPECT_EQ(doc.requests, 0);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            EXPECT_FALSE(it.fragment().charFormat().isImageFormat());
            EXPECT_FALSE(it.fragment().charFormat().isAnchor());
        }
    }
}

} // namespace
