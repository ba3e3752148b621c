// Broken, hostile and absurd input: always a document, never a crash.
#include "platform/rtf/rtf.h"
#include "rtftestsupport.h"
#include "support/printers.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

struct BadCase {
    const char *name;
    std::function<QByteArray()> make;
    const char16_t *expected; // the paragraphs joined with '|', or nullptr: anything
};

void PrintTo(const BadCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class BadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInput, GivesADocument)
{
    QTextDocument doc;
    ASSERT_TRUE(rtf::read(GetParam().make(), doc)) << GetParam().name;
    if (GetParam().expected) {
        EXPECT_EQ(rtftest::paragraphs(doc).join(u'|'), QString::fromUtf16(GetParam().expected))
            << GetParam().name;
    }
    EXPECT_GE(doc.blockCount(), 1);
}

QByteArray repeat(const char *piece, int times)
{
    return QByteArray(piece).repeated(times);
}

QByteArray garbage(std::size_t size, unsigned seed, const char *alphabet = nullptr)
{
    std::mt19937 random(seed);
    QByteArray out("{\\rtf1 ");
    const std::string letters = alphabet ? alphabet : "";
    // Braces are kept roughly balanced, so that the outermost group does not
    // close early and the reader sees all of the garbage.
    int depth = 1;
    bool escaped = false;
    for (std::size_t i = 0; i < size; ++i) {
        const auto r = random();
        char c = letters.empty() ? static_cast<char>(r & 0xff) : letters[r % letters.size()];
        if (escaped) {
            escaped = false;
        } else if (c == '\\') {
            escaped = true;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth < 1) {
            c = 'x';
            depth = 1;
        }
        out.append(c);
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Structure, BadInput,
    ::testing::Values(
        BadCase{"too many closing braces", [] { return QByteArray("{\\rtf1 a}}}}}b"); }, u"a"},
        BadCase{"missing closing braces", [] { return QByteArray("{\\rtf1 a{\\b b{\\i c"); },
                u"abc"},
        BadCase{
            "deep nesting closed",
            [] { return "{\\rtf1 a" + repeat("{", 100000) + "deep" + repeat("}", 100000) + "b}"; },
            u"ab"},
        BadCase{"deep nesting never closed", [] { return "{\\rtf1 a" + repeat("{", 1000000); },
                u"a"},
        BadCase{"deep skipped destinations",
                [] { return "{\\rtf1 a" + repeat("{\\*\\x ", 50000) + repeat("}", 50000) + "b}"; },
                u"ab"},
        BadCase{"nesting just below the limit keeps its text",
                [] { return "{\\rtf1 " + repeat("{", 500) + "x" + repeat("}", 500) + "}"; }, u"x"},
        BadCase{"star without a word", [] { return QByteArray("{\\rtf1 a{\\*}b\\*}"); }, u"ab"},
        BadCase{"star before text", [] { return QByteArray("{\\rtf1 a{\\* hidden}b}"); }, u"ab"},
        BadCase{"only the header", [] { return QByteArray("{\\rtf"); }, u""}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Numbers, BadInput,
    ::testing::Values(
        BadCase{"huge bin", [] { return QByteArray("{\\rtf1 a\\bin2147483647 xyz}"); }, u"a"},
        BadCase{"overflowing bin",
                [] { return QByteArray("{\\rtf1 a\\bin99999999999999999999 x}"); }, u"a"},
        BadCase{"negative bin", [] { return QByteArray("{\\rtf1 a\\bin-5 b}"); }, u"ab"},
        BadCase{"huge parameters",
                [] {
                    return QByteArray("{\\rtf1\\fs99999999999999999999\\li-99999999999\\uc99999999"
                                      "\\cf2147483647\\f-2147483648\\ls99999999999\\ilvl-7"
                                      "\\u99999999999 x\\par}");
                },
                nullptr},
        BadCase{"very long number", [] { return "{\\rtf1\\fs" + repeat("9", 1000000) + " x}"; },
                u"x"},
        BadCase{"very long control word",
                [] { return "{\\rtf1 \\" + repeat("a", 1000000) + " x}"; }, u"x"},
        BadCase{"huge unicode skip", [] { return QByteArray("{\\rtf1\\uc2147483647\\u337 abc}"); },
                u"ő"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Truncated, BadInput,
    ::testing::Values(
        BadCase{"after backslash", [] { return QByteArray("{\\rtf1 a\\"); }, u"a"},
        BadCase{"inside hex", [] { return QByteArray("{\\rtf1 a\\'4"); }, u"a"},
        BadCase{"bad hex digits", [] { return QByteArray("{\\rtf1 a\\'zzb}"); }, u"azzb"},
        BadCase{"after unicode", [] { return QByteArray("{\\rtf1 a\\u337"); }, u"a"},
        BadCase{"inside the font table",
                [] { return QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset238 Ari"); }, u""},
        BadCase{"inside a list table",
                [] { return QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel"); }, u""},
        BadCase{"inside bin data", [] { return QByteArray("{\\rtf1 a\\bin10 xy"); }, u"a"}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Garbage, BadInput,
    ::testing::Values(
        BadCase{"random bytes", [] { return garbage(1 << 20, 1); }, nullptr},
        BadCase{"random RTF alphabet",
                [] { return garbage(1 << 20, 2, "{}\\'*u0123456789abf- ;"); }, nullptr},
        BadCase{"random control words",
                [] { return garbage(1 << 18, 3, "\\\\\\{}parbliustrkefcs0123-*'u"); }, nullptr},
        BadCase{"NUL bytes", [] { return QByteArray("{\\rtf1 a\0b}", 11); }, u"ab"},
        BadCase{"flood of fonts and colours",
                [] {
                    return "{\\rtf1{\\fonttbl" + repeat("{\\f1\\fcharset238 A;}", 50000) +
                           "}{\\colortbl" + repeat("\\red1;", 50000) + "}\\f1\\cf49999 x}";
                },
                u"x"},
        BadCase{"paragraph flood", [] { return "{\\rtf1 " + repeat("\\par ", 100000) + "}"; },
                nullptr},
        BadCase{"bullet flood",
                [] { return "{\\rtf1{\\*\\pn\\pnlvlblt}" + repeat("a\\par ", 50000) + "}"; },
                nullptr}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

// Every prefix of every fixture: a file cut anywhere still opens.
TEST(BadInputTruncation, EveryPrefixOfTheFixturesOpens)
{
    for (const char *name : {"wordpad_hu.rtf", "word_lists.rtf", "writer_lo.rtf", "objects.rtf"}) {
        const QByteArray whole = rtftest::fixture(name);
        for (qsizetype n = 5; n <= whole.size(); n += 7) {
            QTextDocument doc;
            ASSERT_TRUE(rtf::read(QByteArrayView(whole).first(n), doc)) << name << " " << n;
        }
    }
}

// Cutting a file must never invent text the whole file does not have.
TEST(BadInputTruncation, APrefixGivesAPrefixOfTheText)
{
    const QByteArray whole = rtftest::fixture("wordpad_hu.rtf");
    QTextDocument full;
    ASSERT_TRUE(rtf::read(whole, full));
    const QString text = full.toPlainText();
    for (qsizetype n = 5; n <= whole.size(); n += 13) {
        QTextDocument doc;
        ASSERT_TRUE(rtf::read(QByteArrayView(whole).first(n), doc));
        EXPECT_TRUE(text.startsWith(doc.toPlainText())) << n;
    }
}

} // namespace
