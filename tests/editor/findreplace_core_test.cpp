// Matching, seeding and the history lists of the find and replace dialog,
// without widgets.
#include "editor/searchhistory.h"
#include "editor/searchseed.h"
#include "editor/textsearch.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct ForwardCase {
    const char *name;
    const char16_t *text;
    const char16_t *pattern;
    int from;
    SearchOptions options;
    int expected;
};

void PrintTo(const ForwardCase &c, std::ostream *os)
{
    *os << c.name;
}

constexpr SearchOptions kAnyCase{false, false};
constexpr SearchOptions kCase{true, false};
constexpr SearchOptions kWord{false, true};

class FindForwardTest : public testing::TestWithParam<ForwardCase> {};

TEST_P(FindForwardTest, FindsTheFirstMatchFromTheStart)
{
    const ForwardCase &c = GetParam();
    EXPECT_EQ(
        FindForward(QString::fromUtf16(c.text), QString::fromUtf16(c.pattern), c.from, c.options),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, FindForwardTest,
    testing::Values(
        ForwardCase{"CaseOffFindsOtherCase", u"an apple", u"Apple", 0, kAnyCase, 3},
        ForwardCase{"CaseOnMissesOtherCase", u"an apple", u"Apple", 0, kCase, -1},
        ForwardCase{"CaseOnFindsSameCase", u"apple Apple", u"Apple", 0, kCase, 6},
        ForwardCase{"HungarianLettersFoldCase", u"az ŐSZI ág", u"őszi", 0, kAnyCase, 3},
        ForwardCase{"WholeWordSkipsPrefix", u"apple app", u"app", 0, kWord, 6},
        ForwardCase{"WholeWordMissesInsideWord", u"apple", u"app", 0, kWord, -1},
        ForwardCase{"WholeWordAtTextEnds", u"app", u"app", 0, kWord, 0},
        ForwardCase{"HyphenBelongsToTheWord", u"mother-in-law", u"in", 0, kWord, -1},
        ForwardCase{"ApostropheEndsTheWord", u"rock'n'roll", u"roll", 0, kWord, 7},
        ForwardCase{"TypographicQuotesEndTheWord", u"\u201calma\u201d", u"alma", 0, kWord, 1},
        ForwardCase{"ParagraphEndEndsTheWord", u"alma\u2029k\u00f6rte", u"alma", 0, kWord, 0},
        ForwardCase{"NoBreakSpaceBelongsToTheWord", u"alma\u00a0fa", u"alma", 0, kWord, -1},
        ForwardCase{"DigitsBelongToTheWord", u"alma2 alma", u"alma", 0, kWord, 6},
        ForwardCase{"StartsAtFrom", u"alma alma", u"alma", 1, kAnyCase, 5},
        ForwardCase{"MatchAtFromCounts", u"alma alma", u"alma", 5, kAnyCase, 5},
        ForwardCase{"FromPastTheEnd", u"alma", u"alma", 9, kAnyCase, -1},
        ForwardCase{"EmptyPatternMatchesNowhere", u"alma", u"", 0, kAnyCase, -1}),
    [](const testing::TestParamInfo<ForwardCase> &info) { return std::string(info.param.name); });

// Qt's own case-insensitive search is the reference for the faster one, on
// random texts full of letters with several case forms: the Kelvin sign
// folds to k, the long s to s, the capital sharp s to ß.
TEST(FindForwardReference, AgreesWithQtOnLettersOfManyCaseForms)
{
    const QString alphabet =
        QStringLiteral("kK\u212asS\u017f\u00df\u1e9e\u0151\u0150iI\u0130\u0131 .a");
    std::mt19937 random(20261210);
    auto pick = [&](int length) {
        QString text;
        for (int i = 0; i < length; ++i)
            text +=
                alphabet[std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(random)];
        return text;
    };
    for (int round = 0; round < 2000; ++round) {
        const QString text = pick(40);
        const QString pattern = pick(1 + round % 3);
        const int from = round % 7;
        ASSERT_EQ(FindForward(text, pattern, from, kAnyCase),
                  text.indexOf(pattern, from, Qt::CaseInsensitive))
            << text.toStdString() << " / " << pattern.toStdString();
        ASSERT_EQ(FindForward(text, pattern, from, kCase),
                  text.indexOf(pattern, from, Qt::CaseSensitive))
            << text.toStdString() << " / " << pattern.toStdString();
        const int end = int(text.size()) - round % 5;
        ASSERT_EQ(FindBackward(text, pattern, end, kAnyCase),
                  end < pattern.size()
                      ? -1
                      : text.lastIndexOf(pattern, end - pattern.size(), Qt::CaseInsensitive))
            << text.toStdString() << " / " << pattern.toStdString();
        std::vector<int> expected;
        for (qsizetype at = text.indexOf(pattern, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(pattern, at + pattern.size(), Qt::CaseInsensitive))
            expected.push_back(int(at));
        ASSERT_EQ(FindAll(text, pattern, 0, int(text.size()), kAnyCase), expected)
            << text.toStdString() << " / " << pattern.toStdString();
    }
}

TEST(FindForwardLimit, MatchesMustStartByTheLastStart)
{
    const QString text = QStringLiteral("alma alma");
    EXPECT_EQ(FindForward(text, u"alma", 0, kAnyCase, 0), 0);
    EXPECT_EQ(FindForward(text, u"alma", 1, kAnyCase, 4), -1);
    EXPECT_EQ(FindForward(text, u"alma", 1, kAnyCase, 5), 5);
    // A round that began at 0 has nothing left once it wraps.
    EXPECT_EQ(FindForward(text, u"alma", 0, kAnyCase, -1), -1);
}

TEST(FindBackward, FindsTheLastMatchEndingByTheEnd)
{
    const QString text = QStringLiteral("alma alma alma");
    const struct {
        int end;
        int expected;
    } cases[] = {{14, 10}, {13, 5}, {9, 5}, {8, 0}, {4, 0}, {3, -1}, {0, -1}, {99, 10}};
    for (const auto &c : cases)
        EXPECT_EQ(FindBackward(text, u"alma", c.end, kAnyCase), c.expected) << "end " << c.end;
}

TEST(FindBackward, KeepsTheOptions)
{
    EXPECT_EQ(FindBackward(u"apple app applet", u"app", 16, kWord), 6);
    EXPECT_EQ(FindBackward(u"Alma alma", u"Alma", 9, kCase), 0);
    EXPECT_EQ(FindBackward(u"alma", u"", 4, kAnyCase), -1);
}

// Long texts are searched backwards in growing windows; a match on either
// side of a window's edge must be found, and the last one first.
TEST(FindBackward, FindsMatchesAcrossTheWindowsOfALongText)
{
    const int size = 300000;
    const int lastStart = size - 4;
    for (int at : {0, 10, lastStart - 65536, lastStart - 65535, lastStart - 65537, lastStart}) {
        QString text(size, u'x');
        text.replace(at, 4, QStringLiteral("alma"));
        EXPECT_EQ(FindBackward(text, u"ALMA", size, kAnyCase), at) << "at " << at;
        EXPECT_EQ(FindBackward(text, u"alma", size, SearchOptions{true, false}), at) << "at " << at;
    }
    QString two(size, u' ');
    two.replace(5, 4, QStringLiteral("alma"));
    two.replace(200000, 4, QStringLiteral("alma"));
    EXPECT_EQ(FindBackward(two, u"alma", size, kWord), 200000);
    EXPECT_EQ(FindBackward(two, u"alma", 200003, kWord), 5);
}

TEST(FindAll, TakesMatchesLyingWhollyInTheRangeWithoutOverlaps)
{
    const QString text = QStringLiteral("alma alma alma");
    EXPECT_EQ(FindAll(text, u"alma", 0, 14, kAnyCase), (std::vector<int>{0, 5, 10}));
    EXPECT_EQ(FindAll(text, u"alma", 1, 14, kAnyCase), (std::vector<int>{5, 10}));
    EXPECT_EQ(FindAll(text, u"alma", 0, 13, kAnyCase), (std::vector<int>{0, 5}));
    EXPECT_EQ(FindAll(u"aaaaa", u"aa", 0, 5, kAnyCase), (std::vector<int>{0, 2}));
    EXPECT_TRUE(FindAll(text, u"alma", 6, 9, kAnyCase).empty());
    EXPECT_TRUE(FindAll(text, u"", 0, 14, kAnyCase).empty());
}

struct SeedCase {
    const char *name;
    const char16_t *text;
    int selectionStart;
    int selectionLength;
    const char16_t *seed;
    int startPos;
};

void PrintTo(const SeedCase &c, std::ostream *os)
{
    *os << c.name;
}

class SeedTest : public testing::TestWithParam<SeedCase> {};

TEST_P(SeedTest, SeedsTheTextAndTheStart)
{
    const SeedCase &c = GetParam();
    const SearchSeed seed =
        SeedSearchText(QString::fromUtf16(c.text), c.selectionStart, c.selectionLength);
    EXPECT_EQ(seed.text, QString::fromUtf16(c.seed));
    EXPECT_EQ(seed.startPos, c.startPos);
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, SeedTest,
    testing::Values(SeedCase{"Selection", u"an apple pie", 3, 5, u"apple", 3},
                    SeedCase{"SelectionAcrossWords", u"an apple pie", 1, 6, u"n appl", 1},
                    SeedCase{"CaretInsideWord", u"an apple pie", 5, 0, u"apple", 3},
                    SeedCase{"CaretBeforeFirstLetter", u"an apple pie", 3, 0, u"apple", 3},
                    SeedCase{"CaretBehindLastLetter", u"an apple pie", 8, 0, u"apple", 3},
                    SeedCase{"CaretBehindBlankAfterWord", u"an apple pie", 9, 0, u"pie", 9},
                    SeedCase{"CaretAtStartOfWord", u"apple pie", 0, 0, u"apple", 0},
                    SeedCase{"CaretAtEndBehindWord", u"apple", 5, 0, u"apple", 0},
                    SeedCase{"CaretAtEndBehindBlank", u"apple ", 6, 0, u"", 6},
                    SeedCase{"BetweenTwoDelimiters", u"a  b", 2, 0, u" ", 2},
                    SeedCase{"DelimiterAtStart", u" apple", 0, 0, u" ", 0},
                    SeedCase{"BehindOpeningBracket", u"(apple)", 1, 0, u"apple", 1},
                    SeedCase{"HyphenatedWord", u"my mother-in-law", 6, 0, u"mother-in-law", 3},
                    SeedCase{"ParagraphEnd", u"alma\u2029k\u00f6rte", 5, 0, u"k\u00f6rte", 5},
                    SeedCase{"EmptyText", u"", 0, 0, u"", 0}),
    [](const testing::TestParamInfo<SeedCase> &info) { return std::string(info.param.name); });

QStringList numbered(int from, int to)
{
    QStringList texts;
    for (int i = from; i >= to; --i)
        texts.append(QString::number(i));
    return texts;
}

TEST(SearchHistory, NewestFirstWithoutDuplicates)
{
    QStringList history;
    for (const char16_t *text : {u"alma", u"k\u00f6rte", u"szilva"})
        AddToHistoryList(history, QString::fromUtf16(text));
    AddToHistoryList(history, QStringLiteral("alma"));
    EXPECT_EQ(history, (QStringList{QStringLiteral("alma"), QStringLiteral("szilva"),
                                    QStringLiteral("körte")}));
    // Case counts: another spelling is another entry.
    AddToHistoryList(history, QStringLiteral("Alma"));
    EXPECT_EQ(history.size(), 4);
}

TEST(SearchHistory, TheFiftyFirstTextPushesOutTheOldest)
{
    QStringList history;
    for (int i = 1; i <= 50; ++i)
        AddToHistoryList(history, QString::number(i));
    EXPECT_EQ(history, numbered(50, 1));
    AddToHistoryList(history, QStringLiteral("51"));
    EXPECT_EQ(history, numbered(51, 2));
    // A text already there moves up and nothing else goes.
    AddToHistoryList(history, QStringLiteral("2"));
    EXPECT_EQ(history.size(), 50);
    EXPECT_EQ(history.front(), QStringLiteral("2"));
    EXPECT_EQ(history.back(), QStringLiteral("3"));
}

} // namespace
