#include "platform/ini/inisyntax.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct IntegerCase {
    const char16_t *text;
    std::optional<int> expected;
};

void PrintTo(const IntegerCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.text) << " -> "
        << (c.expected ? std::to_string(*c.expected) : std::string("semmi"));
}

class ParseIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, AcceptsOnlySignedDecimal32BitNumbers)
{
    EXPECT_EQ(inisyntax::parseInteger(QString::fromUtf16(GetParam().text)), GetParam().expected)
        << QString::fromUtf16(GetParam().text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseIntegerTest,
    ::testing::Values(
        IntegerCase{u"100", 100}, IntegerCase{u" 12 ", 12}, IntegerCase{u"\t-5\t", -5},
        IntegerCase{u"+7", 7}, IntegerCase{u"007", 7}, IntegerCase{u"-0", 0},
        IntegerCase{u"2147483647", 2147483647}, IntegerCase{u"-2147483648", -2147483647 - 1},
        IntegerCase{u"2147483648", std::nullopt}, IntegerCase{u"-2147483649", std::nullopt},
        IntegerCase{u"99999999999999999999999", std::nullopt}, IntegerCase{u"12abc", std::nullopt},
        IntegerCase{u"abc", std::nullopt}, IntegerCase{u"", std::nullopt},
        IntegerCase{u"-", std::nullopt}, IntegerCase{u"+-1", std::nullopt},
        IntegerCase{u"1 2", std::nullopt}, IntegerCase{u"- 1", std::nullopt},
        IntegerCase{u"0x1F", std::nullopt}, IntegerCase{u"$1F", std::nullopt},
        IntegerCase{u"1.5", std::nullopt}, IntegerCase{u"1e3", std::nullopt},
        // Digits of other scripts are not decimal digits here.
        IntegerCase{u"\uff11\uff12", std::nullopt}, IntegerCase{u"\u0661", std::nullopt}),
    [](const auto &info) { return velkor_test::caseName("Text", info.param.text); });

struct LineCase {
    const char16_t *line;
    inisyntax::LineKind kind;
    const char16_t *name;
    const char16_t *value;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.line, int(c.kind), c.name, c.value);
}

class ParseLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseLineTest, SplitsLikeTheProfileFunctions)
{
    const LineCase &c = GetParam();
    const QString line = QString::fromUtf16(c.line);
    const inisyntax::ParsedLine parsed = inisyntax::parseLine(line);
    EXPECT_EQ(parsed.kind, c.kind) << line.toStdString();
    EXPECT_EQ(parsed.name.toString(), QString::fromUtf16(c.name)) << line.toStdString();
    EXPECT_EQ(parsed.value.toString(), QString::fromUtf16(c.value)) << line.toStdString();
}

using inisyntax::LineKind;

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseLineTest,
    ::testing::Values(LineCase{u"[FoAblak]", LineKind::Section, u"FoAblak", u""},
                      LineCase{u"  [ Dok ]  ; megjegyzés", LineKind::Section, u"Dok", u""},
                      LineCase{u"[a]b]", LineKind::Section, u"a]b", u""},
                      LineCase{u"[nincs vége", LineKind::Other, u"", u""},
                      LineCase{u"Bal=100", LineKind::Entry, u"Bal", u"100"},
                      LineCase{u" \tBal \t=\t 100 \x1a", LineKind::Entry, u"Bal", u"100"},
                      LineCase{u"a=b=c", LineKind::Entry, u"a", u"b=c"},
                      LineCase{u"Ures=", LineKind::Entry, u"Ures", u""},
                      LineCase{u"=5", LineKind::Other, u"", u""},
                      LineCase{u" =5", LineKind::Other, u"", u""},
                      LineCase{u"; Bal=1", LineKind::Other, u"", u""},
                      LineCase{u"csak szöveg", LineKind::Other, u"", u""},
                      LineCase{u"", LineKind::Other, u"", u""}),
    [](const auto &info) { return velkor_test::caseName(info.param.line); });

TEST(Quoting, StoredTextReadsBackAsTheValue)
{
    const char16_t *values[] = {
        u"",  u"sima", u" előtte", u"utána\t", u"\"idéz\"", u"'egy'",          u"\"fél",
        u"'", u"\"",   u"\"\"",    u"a\"b\"",  u" \"x\" ",  u";nem megjegyzés"};
    for (const char16_t *v : values) {
        const QString value = QString::fromUtf16(v);
        const QString stored = inisyntax::quoteForStorage(value);
        EXPECT_EQ(inisyntax::unquote(inisyntax::trimmed(stored)), value) << value.toStdString();
    }
    // Ordinary values are written as they stand.
    EXPECT_EQ(inisyntax::quoteForStorage(QStringLiteral("C:\\Vegyes\\a b.rtf")),
              QStringLiteral("C:\\Vegyes\\a b.rtf"));
}

} // namespace
