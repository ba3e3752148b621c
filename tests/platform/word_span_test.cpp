#include "platform/text/word_span.h"
#include "support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Case {
    const char16_t *text;
    int caret;
    const char16_t *word;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << velkor_test::describe(c.text, c.caret, c.word);
}

class WordSpanAtTest : public ::testing::TestWithParam<Case> {};

TEST_P(WordSpanAtTest, PicksTheWordAroundTheCaret)
{
    const QString text = QString::fromUtf16(GetParam().text);
    const WordSpan span = WordSpanAt(text, GetParam().caret);
    EXPECT_EQ(text.mid(span.start, span.length), QString::fromUtf16(GetParam().word));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordSpanAtTest,
    ::testing::Values(Case{u"the house is", 6, u"house"}, // inside
                      Case{u"the house is", 4, u"house"}, // just before it
                      Case{u"the house is", 9, u"house"}, // just after it
                      Case{u"a house.", 7, u"house"},     // full stop after
                      Case{u"a house.", 8, u""},          // after the full stop
                      Case{u"my mother-in-law", 8, u"mother-in-law"},
                      Case{u"rock'n'roll", 9, u"roll"}, // the apostrophe delimits
                      Case{u"rock'n'roll", 2, u"rock"}, Case{u"a  b", 2, u""}, // between two spaces
                      Case{u"word", 0, u"word"},                               // caret at the start
                      Case{u"word", 4, u"word"},                               // caret at the end
                      Case{u"", 0, u""},
                      Case{u"x\u00a0y z", 1, u"x\u00a0y"},     // no-break space joins
                      Case{u"\u201cquote\u201d", 3, u"quote"}, // typographic quotes
                      Case{u"a\u2029line", 3, u"line"},        // paragraph break
                      Case{u"tab\tbed", 2, u"tab\tbed"}),
    [](const auto &info) {
        return velkor_test::caseName(info.param.text, info.param.caret);
    }); // tab is a word character

TEST(WordSpanAt, FindsTheWordFarIntoALongText)
{
    // Words of five letters and a blank; the caret at 1500 is inside a word.
    QString text;
    for (int n = 0; text.size() < 5000; ++n)
        text += QStringLiteral("w%1 ").arg(n % 10000, 4, 10, QLatin1Char('0'));
    const WordSpan span = WordSpanAt(text, 1500);
    EXPECT_EQ(span.start, 1500);
    EXPECT_EQ(text.mid(span.start, span.length), u"w0250"_s);
}

TEST(WordSpanAt, NeverReachesBeyondTheWindow)
{
    // One word of 5000 letters: the pick is cut to the 2000-character window.
    const QString text(5000, QLatin1Char('a'));
    const WordSpan far = WordSpanAt(text, 3000);
    EXPECT_EQ(far.start, 1999);
    EXPECT_EQ(far.length, 2000);
    const WordSpan near = WordSpanAt(text, 10);
    EXPECT_EQ(near.start, 0);
    EXPECT_EQ(near.length, 2000);
}

} // namespace
