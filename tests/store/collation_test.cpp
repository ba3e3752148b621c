#include "store/engine/collation.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

using store::collation::compare;

struct Ordered {
    const char16_t *smaller;
    const char16_t *larger;
};

void PrintTo(const Ordered &c, std::ostream *os)
{
    *os << velkor_test::describe(c.smaller, c.larger);
}

class CollationOrder : public ::testing::TestWithParam<Ordered> {};

TEST_P(CollationOrder, SortsTheFirstBeforeTheSecond)
{
    const QString a = QString::fromUtf16(GetParam().smaller);
    const QString b = QString::fromUtf16(GetParam().larger);
    EXPECT_LT(compare(a, b), 0) << a.toStdString() << " < " << b.toStdString();
    EXPECT_GT(compare(b, a), 0);
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    EXPECT_LT(store::collation::compareUtf8(ua.constData(), int(ua.size()), ub.constData(),
                                            int(ub.size())),
              0);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CollationOrder,
    ::testing::Values(
        // Accented letters right after their base letter, Hungarian ones first.
        Ordered{u"a", u"á"}, Ordered{u"á", u"b"}, Ordered{u"áz", u"b"}, Ordered{u"e", u"é"},
        Ordered{u"o", u"ó"}, Ordered{u"ó", u"ö"}, Ordered{u"ö", u"ő"}, Ordered{u"ő", u"ô"},
        Ordered{u"ô", u"p"}, Ordered{u"u", u"ú"}, Ordered{u"ú", u"ü"}, Ordered{u"ü", u"ű"},
        Ordered{u"ű", u"û"}, Ordered{u"û", u"v"}, Ordered{u"c", u"č"}, Ordered{u"č", u"d"},
        // Case does not decide the order of different letters.
        Ordered{u"Alma", u"bab"}, Ordered{u"alma", u"BAB"}, Ordered{u"ÁRVA", u"b"},
        // A proper prefix first.
        Ordered{u"walk", u"walker"}, Ordered{u"to", u"to walk"}, Ordered{u"", u"a"},
        // Characters without an ASCII base sort by code point.
        Ordered{u"1", u"a"}, Ordered{u"z", u"ß"}, Ordered{u"ß", u"ł"}, Ordered{u"z", u"ł"},
        Ordered{u"a b", u"ab"}, Ordered{u"z", u"α"}),
    [](const auto &info) {
        return velkor_test::exactCaseName(info.param.smaller, info.param.larger);
    });

struct Equal {
    const char16_t *a;
    const char16_t *b;
};

void PrintTo(const Equal &c, std::ostream *os)
{
    *os << velkor_test::describe(c.a, c.b);
}

class CollationEqual : public ::testing::TestWithParam<Equal> {};

TEST_P(CollationEqual, TextsEqualButForCaseCompareEqual)
{
    EXPECT_EQ(compare(QString::fromUtf16(GetParam().a), QString::fromUtf16(GetParam().b)), 0);
}

INSTANTIATE_TEST_SUITE_P(Pairs, CollationEqual,
                         ::testing::Values(Equal{u"House", u"house"}, Equal{u"ŐSZ", u"ősz"},
                                           Equal{u"ÁRVÍZTŰRŐ", u"árvíztűrő"},
                                           Equal{u"ÄRGER", u"ärger"}, Equal{u"", u""}),
                         [](const auto &info) {
                             return velkor_test::exactCaseName(info.param.a, info.param.b);
                         });

TEST(Collation, DifferentAccentsNeverTie)
{
    EXPECT_NE(compare(u"o", u"ó"), 0);
    EXPECT_NE(compare(u"ő", u"ô"), 0);
    EXPECT_NE(compare(u"ű", u"û"), 0);
}

TEST(Collation, PartialKeyIsACaseInsensitivePrefix)
{
    using store::collation::startsWith;
    EXPECT_TRUE(startsWith(u"House", u"hou"));
    EXPECT_TRUE(startsWith(u"Ősz", u"ŐS"));
    EXPECT_TRUE(startsWith(u"anything", u""));
    EXPECT_FALSE(startsWith(u"ho", u"hou"));
    EXPECT_FALSE(startsWith(u"óra", u"or"));
}

TEST(Collation, UpperBoundFollowsEveryExtension)
{
    const QString bound = store::collation::upperBoundFor(u"ház");
    for (const char16_t *text : {u"ház", u"háza", u"HÁZŰ", u"házz", u"ház\uffff"})
        EXPECT_LT(compare(QString::fromUtf16(text), bound), 0);
    EXPECT_GT(compare(u"hb", bound), 0);
}

struct Common {
    const char16_t *value;
    QByteArray text; // as stored: UTF-8, or bytes no encoder wrote
    qsizetype common;
    bool whole;
};

void PrintTo(const Common &c, std::ostream *os)
{
    *os << velkor_test::describe(c.value, c.text, c.common, c.whole);
}

class CollationCommonPrefix : public ::testing::TestWithParam<Common> {};

TEST_P(CollationCommonPrefix, CountsTheValueUnitsTheTextBeginsWith)
{
    const Common &c = GetParam();
    bool whole = !c.whole;
    EXPECT_EQ(store::collation::commonPrefix(QString::fromUtf16(c.value), c.text.constData(),
                                             int(c.text.size()), &whole),
              c.common);
    EXPECT_EQ(whole, c.whole);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CollationCommonPrefix,
    ::testing::Values(Common{u"walked", "walker", 5, false}, Common{u"walked", "walk", 4, true},
                      Common{u"walk", "WALKER", 4, false}, Common{u"ősz", "ŐSZI", 3, false},
                      Common{u"ősz", "osz", 0, false}, Common{u"ab", "", 0, true},
                      Common{u"", "ab", 0, false}, Common{u"a b", "a  b", 2, false},
                      // A pair of surrogates is one character, matched whole or not at all.
                      Common{u"a\U0001F600b", "a\xF0\x9F\x98\x80", 3, true},
                      Common{u"a\U0001F600", "a\xF0\x9F\x98\x81", 1, false},
                      // A lone surrogate is bound as the replacement character.
                      Common{u"a\xD800", "a\xEF\xBF\xBD", 2, true},
                      // A byte that is no UTF-8 stands for the character of its code,
                      // as the order compares it.
                      Common{u"caf\u00e9s", QByteArray("caf\xE9"), 4, true}),
    [](const auto &info) { return velkor_test::exactCaseName(info.param.value, info.param.text); });

} // namespace
