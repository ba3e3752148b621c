#include "dialogs/messagefit.h"
#include "support/printers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ostream>

using namespace Qt::StringLiterals;

namespace {

constexpr int kCharWidth = 7;
constexpr int kMargin = 8; // outer width minus label width

// A fixed-width font: every character 7 px, "W" as wide as asked; a line
// feed starts a new line and the widest line counts.
struct FakeFont {
    int wideCharWidth = kCharWidth;

    int operator()(QStringView text) const
    {
        int widest = 0;
        int line = 0;
        for (const QChar c : text) {
            if (c == u'\n') {
                line = 0;
                continue;
            }
            line += c == u'W' ? wideCharWidth : kCharWidth;
            widest = std::max(widest, line);
        }
        return widest;
    }
};

MessageFitRequest request(const QString &message, FakeFont font = {})
{
    MessageFitRequest r;
    r.message = message;
    r.left = 243; // centre 400
    r.width = 314;
    r.labelWidth = 314 - kMargin;
    r.screenLeft = 0;
    r.screenRight = 1280;
    r.textWidth = font;
    return r;
}

QString repeated(QStringView piece, int count)
{
    QString out;
    for (int i = 0; i < count; ++i)
        out += piece;
    return out;
}

QString letters(QChar c, int count)
{
    return QString(count, c);
}

// ---- Size by length --------------------------------------------------------

struct LengthCase {
    int characters;
    int expectedWidth;
};

void PrintTo(const LengthCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.characters, c.expectedWidth);
}

class WidthByLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(WidthByLengthTest, LongMessagesGetTheWideDialog)
{
    // Short words separated by spaces: nothing needs wrapping by the fit.
    const QString message = repeated(u"abcd ", 100).left(GetParam().characters);
    const MessageFit fit = FitDialogToMessage(request(message));
    EXPECT_EQ(fit.width, GetParam().expectedWidth);
    EXPECT_EQ(fit.text, message);
}

INSTANTIATE_TEST_SUITE_P(Cases, WidthByLengthTest,
                         ::testing::Values(LengthCase{0, 314}, LengthCase{1, 314},
                                           LengthCase{300, 314}, LengthCase{301, 628},
                                           LengthCase{500, 628}),
                         [](const auto &info) {
                             return velkor_test::caseName(info.param.characters, "Characters");
                         });

struct HeightCase {
    QString message;
    int expectedHeight;
};

std::ostream &operator<<(std::ostream &os, const HeightCase &c)
{
    return os << c.message.size() << " characters";
}

class HeightTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(HeightTest, GrowsWithLengthAndLineFeeds)
{
    EXPECT_EQ(FitDialogToMessage(request(GetParam().message)).height, GetParam().expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeightTest,
    ::testing::Values(HeightCase{QString(), 140}, HeightCase{QStringLiteral("ab"), 141},
                      // 60 characters, 3 of them line feeds: 40 + 30 + 140.
                      HeightCase{letters(u'x', 19) + u'\n' + letters(u'x', 19) + u'\n' +
                                     letters(u'x', 9) + u'\n' + letters(u'x', 10),
                                 210},
                      HeightCase{repeated(u"abcd ", 60) + u'x', 340}),
    [](const auto &info) {
        return velkor_test::caseName(info.param.message.size(), "Characters",
                                     info.param.message.count(u'\n'), "LineFeeds");
    });

TEST(FitDialogToMessage, InsertedLineFeedsDoNotChangeTheHeight)
{
    const QString path = QStringLiteral("C:\\") + letters(u'a', 60) + u'\\' + letters(u'b', 60);
    const MessageFit fit = FitDialogToMessage(request(path));
    ASSERT_GT(fit.text.count(u'\n'), 0);
    EXPECT_EQ(fit.height, (2 * path.size()) / 3 + 140);
}

// ---- Placement -------------------------------------------------------------

struct PlaceCase {
    const char *what;
    int left, width, screenLeft, screenRight;
    int messageLength;
    int expectedLeft;
};

std::ostream &operator<<(std::ostream &os, const PlaceCase &c)
{
    return os << c.what;
}

class PlacementTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlacementTest, KeepsTheCentreAndStaysOnTheMonitor)
{
    const PlaceCase &c = GetParam();
    MessageFitRequest r = request(repeated(u"abcd ", 100).left(c.messageLength));
    r.left = c.left;
    r.width = c.width;
    r.labelWidth = c.width - kMargin;
    r.screenLeft = c.screenLeft;
    r.screenRight = c.screenRight;
    const MessageFit fit = FitDialogToMessage(r);
    EXPECT_EQ(fit.left, c.expectedLeft);
    EXPECT_GE(fit.left, c.screenLeft);
    EXPECT_LE(fit.left + fit.width, c.screenRight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementTest,
    ::testing::Values(PlaceCase{"same width", 100, 314, 0, 1280, 10, 100},
                      PlaceCase{"narrowed around the centre", 0, 628, 0, 1280, 10, 157},
                      PlaceCase{"widened around the centre", 400, 314, 0, 1280, 400, 243},
                      PlaceCase{"beyond the left edge", -200, 314, 0, 1280, 10, 0},
                      PlaceCase{"beyond the right edge", 1200, 314, 0, 1280, 10, 966},
                      PlaceCase{"right edge of a second monitor", 2300, 314, 1280, 2560, 10, 2246},
                      PlaceCase{"left edge of a second monitor", 1200, 314, 1280, 2560, 10, 1280},
                      PlaceCase{"monitor on the left", -500, 314, -1024, 0, 400, -657}),
    [](const auto &info) { return velkor_test::caseName(info.param.what); });

// ---- Wrapping --------------------------------------------------------------

QString withoutLineFeeds(QString text)
{
    return text.remove(u'\n');
}

TEST(FitDialogToMessage, BreaksALongPathAfterTheLastSeparatorThatFits)
{
    const QString path =
        QStringLiteral("C:\\") + letters(u'a', 30) + u'\\' + letters(u'b', 30) + u"\\c.DB"_s;
    const QString message = QStringLiteral("A fájl: ") + path;
    const MessageFit fit = FitDialogToMessage(request(message));
    EXPECT_EQ(fit.text, QStringLiteral("A fájl: C:\\") + letters(u'a', 30) + u"\\\n"_s +
                            letters(u'b', 30) + u"\\c.DB"_s);
    EXPECT_EQ(fit.width, 314);
}

TEST(FitDialogToMessage, EveryLineOfALongPathFitsTheLabel)
{
    QString path = QStringLiteral("C:\\Vegyes\\Szótár_QIV_Win_kar");
    for (int i = 0; i < 12; ++i)
        path += QStringLiteral("/alkönyvtár_%1").arg(i);
    const FakeFont font;
    const MessageFit fit = FitDialogToMessage(request(path, font));
    EXPECT_EQ(withoutLineFeeds(fit.text), path);
    for (const QString &line : fit.text.split(u'\n')) {
        EXPECT_LE(font(line), fit.width - kMargin) << line.toStdString();
        EXPECT_TRUE(line.endsWith(u'/') || line.endsWith(u'\\') || fit.text.endsWith(line))
            << line.toStdString();
    }
}

TEST(FitDialogToMessage, SeparatorThatDoesNotFitWidensTheDialogAndEndsTheLine)
{
    // 43 letters fill the label; the slash is the 44th character.
    const QString head = letters(u'a', 43) + u'/';
    const FakeFont font;
    const MessageFit fit = FitDialogToMessage(request(head + u"bbbb"_s, font));
    EXPECT_EQ(fit.text, head + u'\n' + u"bbbb"_s);
    EXPECT_EQ(fit.width, font(head) + 30);
}

TEST(FitDialogToMessage, WordWithoutBreakPointWidensTheDialogAndIsBrokenThere)
{
    const FakeFont font;
    const MessageFit fit = FitDialogToMessage(request(letters(u'a', 60), font));
    // The 44th letter overflows; the dialog widens for 45 and breaks after them.
    EXPECT_EQ(fit.text, letters(u'a', 45) + u'\n' + letters(u'a', 15));
    EXPECT_EQ(fit.width, font(letters(u'a', 45)) + 30);
    // Widening keeps the centre.
    EXPECT_EQ(fit.left, 400 - fit.width / 2);
}

TEST(FitDialogToMessage, LastWordThatOverflowsMovesToItsOwnLine)
{
    const FakeFont font;
    const MessageFit fit =
        FitDialogToMessage(request(QStringLiteral("ab ") + letters(u'a', 45), font));
    EXPECT_EQ(fit.text, QStringLiteral("ab \n") + letters(u'a', 45));
    EXPECT_EQ(fit.width, font(letters(u'a', 45)) + 30);
}

// Regression: the first character of the message was left out of the first
// line's width, so a first line one character too wide was not wrapped.
TEST(FitDialogToMessage, FirstCharacterCountsInTheFirstLine)
{
    const FakeFont font;
    const QString message = QStringLiteral("C:\\") + letters(u'a', 40) + u"\\b"_s;
    ASSERT_EQ(font(message.left(44)), 308); // one character more than the label holds
    const MessageFit fit = FitDialogToMessage(request(message, font));
    EXPECT_EQ(fit.text, QStringLiteral("C:\\") + letters(u'a', 40) + u"\\\nb"_s);
    for (const QString &line : fit.text.split(u'\n'))
        EXPECT_LE(font(line), fit.width - kMargin) << line.toStdString();
}

// Regression: a too-wide message without any break point got an empty first line.
TEST(FitDialogToMessage, OverflowingOnlyWordGetsNoEmptyFirstLine)
{
    const FakeFont font;
    const MessageFit fit = FitDialogToMessage(request(letters(u'a', 45), font));
    EXPECT_EQ(fit.text, letters(u'a', 45));
    EXPECT_EQ(fit.width, font(letters(u'a', 45)) + 30);
}

// Regression: a word that overflowed with its very last character left the
// dialog too narrow for it.
TEST(FitDialogToMessage, WordOverflowingAtTheLastCharacterStillWidensTheDialog)
{
    const FakeFont font;
    const QString word = letters(u'a', 44);
    const MessageFit fit = FitDialogToMessage(request(QStringLiteral("ab ") + word, font));
    EXPECT_EQ(fit.text, QStringLiteral("ab ") + word);
    EXPECT_EQ(fit.width, font(word) + 30);
    EXPECT_LE(font(word), fit.width - kMargin);
}

TEST(FitDialogToMessage, SpacesAreLeftToTheLabelsOwnWordWrap)
{
    const QString message = repeated(u"Ez egy hosszú üzenet szavakkal. ", 8);
    EXPECT_EQ(FitDialogToMessage(request(message)).text, message);
}

TEST(FitDialogToMessage, NeverNarrowerThanTheNarrowDialog)
{
    MessageFitRequest r = request(QStringLiteral("Igen?"));
    r.width = 120;
    r.labelWidth = 120 - kMargin;
    EXPECT_EQ(FitDialogToMessage(r).width, 314);
}

// ---- Termination -----------------------------------------------------------

struct WideCharCase {
    const char *what;
    QString message;
    int charWidth;
};

std::ostream &operator<<(std::ostream &os, const WideCharCase &c)
{
    return os << c.what;
}

class WideCharacterTest : public ::testing::TestWithParam<WideCharCase> {};

TEST_P(WideCharacterTest, CharactersWiderThanTheLabelEnd)
{
    const WideCharCase &c = GetParam();
    const FakeFont font{c.charWidth};
    const MessageFit fit = FitDialogToMessage(request(c.message, font));
    EXPECT_EQ(withoutLineFeeds(fit.text), withoutLineFeeds(c.message));
    EXPECT_LE(fit.text.size(), 2 * c.message.size());
    EXPECT_GE(fit.width, 314);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WideCharacterTest,
    ::testing::Values(WideCharCase{"one", QStringLiteral("W"), 400},
                      WideCharCase{"two", QStringLiteral("WW"), 400},
                      WideCharCase{"many", letters(u'W', 50), 400},
                      WideCharCase{"with separators", QStringLiteral("W\\W/W\\W"), 400},
                      WideCharCase{"with spaces", QStringLiteral("W W\nW  W"), 400},
                      WideCharCase{"huge", letters(u'W', 20), 1 << 24}),
    [](const auto &info) { return velkor_test::caseName(info.param.what); });

TEST(FitDialogToMessage, EndsWithAMeasurerGoneWrong)
{
    const QString message = QStringLiteral("C:\\a\\b c/d ") + letters(u'x', 80);
    for (const auto &measure : std::initializer_list<std::function<int(QStringView)>>{
             [](QStringView) { return INT_MAX; }, [](QStringView) { return -5; },
             [](QStringView t) { return int(t.size()) % 2 ? 10000 : 0; }, nullptr}) {
        MessageFitRequest r = request(message);
        r.textWidth = measure;
        const MessageFit fit = FitDialogToMessage(r);
        EXPECT_EQ(withoutLineFeeds(fit.text), message);
        EXPECT_GE(fit.width, 314);
    }
}

} // namespace
