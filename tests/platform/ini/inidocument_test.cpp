#include "platform/ini/inidocument.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

using namespace std::literals;

namespace {

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

QString str(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// ---- Reading ---------------------------------------------------------------

struct IntegerReadCase {
    const char *what;
    std::string_view file;
    int expected; // the default is 100
};

std::ostream &operator<<(std::ostream &os, const IntegerReadCase &c)
{
    return os << c.what;
}

class ReadIntegerTest : public ::testing::TestWithParam<IntegerReadCase> {};

TEST_P(ReadIntegerTest, FindsTheKeyOrGivesTheDefault)
{
    const IniDocument doc = IniDocument::fromBytes(bytes(GetParam().file));
    EXPECT_EQ(doc.readInteger(u"FoAblak", u"Bal", 100), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadIntegerTest,
    ::testing::Values(
        IntegerReadCase{"plain", "[FoAblak]\r\nBal=5\r\n"sv, 5},
        IntegerReadCase{"empty file", ""sv, 100},
        IntegerReadCase{"other section", "[Masik]\r\nBal=5\r\n"sv, 100},
        IntegerReadCase{"other key", "[FoAblak]\r\nTeto=5\r\n"sv, 100},
        IntegerReadCase{"letter case of names", "[foablak]\r\nBAL=5\r\n"sv, 5},
        IntegerReadCase{"blanks around", "  [FoAblak]  \r\n \t Bal \t= \t12 \t\r\n"sv, 12},
        IntegerReadCase{"not decimal", "[FoAblak]\r\nBal=12abc\r\n"sv, 100},
        IntegerReadCase{"hexadecimal", "[FoAblak]\r\nBal=$1F\r\n"sv, 100},
        IntegerReadCase{"empty value", "[FoAblak]\r\nBal=\r\n"sv, 100},
        IntegerReadCase{"out of range", "[FoAblak]\r\nBal=4294967296\r\n"sv, 100},
        IntegerReadCase{"negative", "[FoAblak]\r\nBal=-30\r\n"sv, -30},
        IntegerReadCase{"quoted", "[FoAblak]\r\nBal=\"7\"\r\n"sv, 7},
        IntegerReadCase{"first of two sections", "[FoAblak]\r\nBal=1\r\n[FoAblak]\r\nBal=2\r\n"sv,
                        1},
        IntegerReadCase{"only the first section of the name is looked at",
                        "[FoAblak]\r\nTeto=1\r\n[FoAblak]\r\nBal=2\r\n"sv, 100},
        IntegerReadCase{"first of two keys", "[FoAblak]\r\nBal=1\r\nbal=2\r\n"sv, 1},
        IntegerReadCase{"key of the section before", "[Szotar]\r\nBal=5\r\n[FoAblak]\r\n"sv, 100},
        IntegerReadCase{"key before any section", "Bal=5\r\n[FoAblak]\r\n"sv, 100},
        IntegerReadCase{"commented out", "[FoAblak]\r\n;Bal=5\r\n"sv, 100},
        IntegerReadCase{"header with a comment", "[FoAblak] ; ablak\r\nBal=5\r\n"sv, 5},
        IntegerReadCase{"line feeds only", "[FoAblak]\nBal=5\n"sv, 5},
        IntegerReadCase{"no line end at the end", "[FoAblak]\r\nBal=5"sv, 5},
        IntegerReadCase{"carriage returns only make one line", "[FoAblak]\rBal=5\r"sv, 100},
        IntegerReadCase{"NUL bytes in the value", "[FoAblak]\r\nBal=5\0\0\r\n"sv, 100},
        IntegerReadCase{"NUL bytes before the header", "\0\0[FoAblak]\r\nBal=5\r\n"sv, 100},
        IntegerReadCase{"NUL line does not hide the next key", "[FoAblak]\r\n\0\0\0\r\nBal=5\r\n"sv,
                        5},
        IntegerReadCase{"bytes the code page leaves unassigned",
                        "\x81\x83\x88\x90\x98\r\n[FoAblak]\r\n\x98=\x81\r\nBal=6\r\n"sv, 6}),
    [](const auto &info) { return velkor_test::caseName(info.param.what); });

struct FlagCase {
    std::string_view value;
    bool defaultValue;
    bool expected;
};

void PrintTo(const FlagCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.value, c.defaultValue, c.expected);
}

class ReadBoolTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(ReadBoolTest, IsTrueWhenTheIntegerIsNotZero)
{
    QByteArray file = bytes("[SzovFormazPanel]\r\nFordit="sv);
    file += bytes(GetParam().value);
    const IniDocument doc = IniDocument::fromBytes(file);
    EXPECT_EQ(doc.readBool(u"SzovFormazPanel", u"Fordit", GetParam().defaultValue),
              GetParam().expected)
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBoolTest,
    ::testing::Values(FlagCase{"0"sv, true, false}, FlagCase{"1"sv, false, true},
                      FlagCase{"2"sv, false, true}, FlagCase{"-1"sv, false, true},
                      FlagCase{" 0 "sv, true, false}, FlagCase{"igen"sv, true, true},
                      FlagCase{"igen"sv, false, false}, FlagCase{""sv, true, true}),
    [](const auto &info) {
        return velkor_test::caseName(info.param.value, info.param.defaultValue);
    });

TEST(ReadBool, MissingKeyGivesTheDefault)
{
    const IniDocument doc;
    EXPECT_TRUE(doc.readBool(u"SzovFormazPanel", u"JobbGomb", true));
    EXPECT_FALSE(doc.readBool(u"SzovFormazPanel", u"JobbGomb", false));
}

struct StringReadCase {
    std::string_view line;
    const char16_t *expected; // default is "alap"
};

void PrintTo(const StringReadCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.line, c.expected);
}

class ReadStringTest : public ::testing::TestWithParam<StringReadCase> {};

TEST_P(ReadStringTest, TrimsAndKeepsCase)
{
    QByteArray file = bytes("[Dok]\r\n"sv);
    file += bytes(GetParam().line);
    const IniDocument doc = IniDocument::fromBytes(file);
    EXPECT_EQ(doc.readString(u"Dok", u"DokNev", QStringLiteral("alap")), str(GetParam().expected))
        << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadStringTest,
    ::testing::Values(
        StringReadCase{"DokNev=C:\\a b\\Mese.RTF"sv, u"C:\\a b\\Mese.RTF"},
        StringReadCase{"DokNev="sv, u""}, StringReadCase{"dokNEV =  x y  \r\n"sv, u"x y"},
        StringReadCase{"DokNev=a=b"sv, u"a=b"}, StringReadCase{"DokNev=\"  x \""sv, u"  x "},
        StringReadCase{"DokNev='x'"sv, u"x"}, StringReadCase{"DokNev=\"x'"sv, u"\"x'"},
        StringReadCase{"DokNev=;nem megjegyz\xe9s"sv, u";nem megjegyzés"},
        StringReadCase{"DokNevX=x"sv, u"alap"}, StringReadCase{"DokNev"sv, u"alap"}),
    [](const auto &info) { return velkor_test::exactCaseName(info.param.line); });

// ---- A file in the original program's style --------------------------------

// As the Windows program writes it: CR LF, Windows-1250 (\xf3 = ó, \xe1 = á,
// \xfa = ú, \xe9 = é, \xf6 = ö, \xf5 = ő), no blank lines between sections.
constexpr std::string_view kOriginalFile =
    "[FoAblak]\r\n"
    "Bal=100\r\n"
    "Teto=120\r\n"
    "Szel=640\r\n"
    "Mag=480\r\n"
    "Max=1\r\n"
    "AktFul=4\r\n"
    "[Szotar]\r\n"
    "Nev=C:\\Vegyes\\Sz\xf3t\xe1r_QIV_Win_kar\\N\xe9met_Magyar.DB\r\n"
    "DBDir=C:\\Vegyes\\Sz\xf3t\xe1r_QIV_Win_kar\r\n"
    "DBUt=C:\\Vegyes\\Sz\xf3t\xe1r_QIV_Win_kar\\\r\n"
    "[SzovFormazPanel]\r\n"
    "Bal=11\r\n"
    "Teto=-3\r\n"
    "Fordit=1\r\n"
    "JobbGomb=0\r\n"
    "[Dok]\r\n"
    "DokNev=C:\\Vegyes\\S\xfag\xf3 (eredeti).rtf\r\n"
    "AktPoz=1543\r\n"
    "SugoNev=C:\\Vegyes\\S\xfag\xf3 (m\xf3"
    "dos\xedtott).rtf\r\n"
    "[SzotarFordIrany]\r\n"
    "Angol_Magyar=Magyar\r\n"
    "N\xe9met_Magyar=N\xe9met\r\n"
    "\xd6r\xf6k_Sz\xf3t\xe1r=\xd5si\r\n"sv;

TEST(OriginalFile, ReadsEveryKindOfValue)
{
    const IniDocument doc = IniDocument::fromBytes(bytes(kOriginalFile));
    EXPECT_EQ(doc.readInteger(u"FoAblak", u"Teto", 100), 120);
    EXPECT_EQ(doc.readInteger(u"FoAblak", u"AktFul", 0), 4);
    EXPECT_TRUE(doc.readBool(u"FoAblak", u"Max", false));
    EXPECT_EQ(doc.readInteger(u"SzovFormazPanel", u"Teto", 0), -3);
    EXPECT_TRUE(doc.readBool(u"SzovFormazPanel", u"Fordit", false));
    EXPECT_FALSE(doc.readBool(u"SzovFormazPanel", u"JobbGomb", true));
    EXPECT_EQ(doc.readString(u"Szotar", u"DBUt", {}), str(u"C:\\Vegyes\\Szótár_QIV_Win_kar\\"));
    EXPECT_EQ(doc.readString(u"Dok", u"DokNev", {}), str(u"C:\\Vegyes\\Súgó (eredeti).rtf"));
    EXPECT_EQ(doc.readString(u"Dok", u"SugoNev", {}), str(u"C:\\Vegyes\\Súgó (módosított).rtf"));
    // Accented key names compare without regard to case too.
    EXPECT_EQ(doc.readString(u"SzotarFordIrany", u"NÉMET_MAGYAR", {}), str(u"Német"));
    EXPECT_EQ(doc.readString(u"szotarfordirany", u"örök_szótár", {}), str(u"Ősi"));
}

TEST(OriginalFile, OurWritesProduceTheSameBytes)
{
    IniDocument doc;
    struct Entry {
        const char16_t *section, *key, *value;
    };
    const Entry entries[] = {
        {u"FoAblak", u"Bal", u"100"},
        {u"FoAblak", u"Teto", u"120"},
        {u"FoAblak", u"Szel", u"640"},
        {u"FoAblak", u"Mag", u"480"},
        {u"FoAblak", u"Max", u"1"},
        {u"FoAblak", u"AktFul", u"4"},
        {u"Szotar", u"Nev", u"C:\\Vegyes\\Szótár_QIV_Win_kar\\Német_Magyar.DB"},
        {u"Szotar", u"DBDir", u"C:\\Vegyes\\Szótár_QIV_Win_kar"},
        {u"Szotar", u"DBUt", u"C:\\Vegyes\\Szótár_QIV_Win_kar\\"},
        {u"SzovFormazPanel", u"Bal", u"11"},
        {u"SzovFormazPanel", u"Teto", u"-3"},
        {u"SzovFormazPanel", u"Fordit", u"1"},
        {u"SzovFormazPanel", u"JobbGomb", u"0"},
        {u"Dok", u"DokNev", u"C:\\Vegyes\\Súgó (eredeti).rtf"},
        {u"Dok", u"AktPoz", u"1543"},
        {u"Dok", u"SugoNev", u"C:\\Vegyes\\Súgó (módosított).rtf"},
        {u"SzotarFordIrany", u"Angol_Magyar", u"Magyar"},
        {u"SzotarFordIrany", u"Német_Magyar", u"Német"},
        {u"SzotarFordIrany", u"Örök_Szótár", u"Ősi"},
    };
    for (const Entry &e : entries)
        ASSERT_TRUE(doc.writeString(str(e.section), str(e.key), str(e.value)));
    EXPECT_EQ(doc.toBytes(), bytes(kOriginalFile));
}

TEST(OriginalFile, TypedWritesUseDecimalAndOneOrZero)
{
    IniDocument doc;
    ASSERT_TRUE(doc.writeInteger(u"FoAblak", u"Bal", -2147483647 - 1));
    ASSERT_TRUE(doc.writeBool(u"FoAblak", u"Max", true));
    ASSERT_TRUE(doc.writeBool(u"FoAblak", u"Max2", false));
    EXPECT_EQ(doc.toBytes(), bytes("[FoAblak]\r\nBal=-2147483648\r\nMax=1\r\nMax2=0\r\n"sv));
}

// ---- Writing one key keeps everything else ---------------------------------

constexpr std::string_view kHandEdited = "; K\xe9zzel \xedrt megjegyz\xe9s\r\n"
                                         "[FoAblak]\r\n"
                                         "  bal = 1  \r\n"
                                         "Teto=2\n"
                                         "\r\n"
                                         "[Szotar]\r\n"
                                         "Nev=x\r\n"
                                         "; v\xe9ge"sv;

struct WriteCase {
    const char *what;
    std::string_view before;
    const char16_t *section, *key, *value;
    std::string_view after;
};

std::ostream &operator<<(std::ostream &os, const WriteCase &c)
{
    return os << c.what;
}

class WriteThroughTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteThroughTest, ChangesOnlyTheKeysLine)
{
    const WriteCase &c = GetParam();
    IniDocument doc = IniDocument::fromBytes(bytes(c.before));
    ASSERT_TRUE(doc.writeString(str(c.section), str(c.key), str(c.value))) << c.what;
    EXPECT_EQ(doc.toBytes(), bytes(c.after)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteThroughTest,
    ::testing::Values(
        WriteCase{"existing key keeps its spelling", kHandEdited, u"FoAblak", u"Bal", u"100",
                  "; K\xe9zzel \xedrt megjegyz\xe9s\r\n[FoAblak]\r\nbal=100\r\nTeto=2\n\r\n"
                  "[Szotar]\r\nNev=x\r\n; v\xe9ge"sv},
        WriteCase{"line feed ending stays", kHandEdited, u"foablak", u"TETO", u"5",
                  "; K\xe9zzel \xedrt megjegyz\xe9s\r\n[FoAblak]\r\n  bal = 1  \r\nTeto=5\n\r\n"
                  "[Szotar]\r\nNev=x\r\n; v\xe9ge"sv},
        WriteCase{"new key goes before the blank line", kHandEdited, u"FoAblak", u"Max", u"1",
                  "; K\xe9zzel \xedrt megjegyz\xe9s\r\n[FoAblak]\r\n  bal = 1  \r\nTeto=2\n"
                  "Max=1\r\n\r\n[Szotar]\r\nNev=x\r\n; v\xe9ge"sv},
        WriteCase{"new section at the end", kHandEdited, u"SzotarFordIrany", u"Angol_Magyar",
                  u"Angol",
                  "; K\xe9zzel \xedrt megjegyz\xe9s\r\n[FoAblak]\r\n  bal = 1  \r\nTeto=2\n\r\n"
                  "[Szotar]\r\nNev=x\r\n; v\xe9ge\r\n[SzotarFordIrany]\r\n"
                  "Angol_Magyar=Angol\r\n"sv},
        WriteCase{"last line without line end", "[Szotar]\r\nNev=x"sv, u"Szotar", u"DBDir", u"y",
                  "[Szotar]\r\nNev=x\r\nDBDir=y\r\n"sv},
        WriteCase{"empty section gets its first key", "[Dok]\r\n[Szotar]\r\n"sv, u"Dok", u"AktPoz",
                  u"1", "[Dok]\r\nAktPoz=1\r\n[Szotar]\r\n"sv},
        WriteCase{"binary bytes around survive",
                  "\0\x01\xff\r\n[Dok]\r\nAktPoz=3\r\n\x80\x81garbage\0"sv, u"Dok", u"AktPoz", u"4",
                  "\0\x01\xff\r\n[Dok]\r\nAktPoz=4\r\n\x80\x81garbage\0"sv},
        WriteCase{"Windows-1250 value", ""sv, u"Dok", u"DokNev", u"C:\\Vegyes\\Súgó (eredeti).rtf",
                  "[Dok]\r\nDokNev=C:\\Vegyes\\S\xfag\xf3 (eredeti).rtf\r\n"sv},
        WriteCase{"blanks at the ends are kept by quoting", ""sv, u"Dok", u"DokNev", u" a.rtf ",
                  "[Dok]\r\nDokNev=\" a.rtf \"\r\n"sv}),
    [](const auto &info) { return velkor_test::caseName(info.param.what); });

TEST(WriteThrough, ValuesReadBackAsWritten)
{
    const char16_t *values[] = {u"",  u"ő ű Ő Ű", u"  előtte",         u"utána ", u"\"x\"",
                                u"'", u"a=b",     u"; nem megjegyzés", u"[x]",    u"C:\\a\\b\\"};
    for (const char16_t *v : values) {
        IniDocument doc;
        ASSERT_TRUE(doc.writeString(u"Dok", u"DokNev", str(v)));
        const IniDocument reread = IniDocument::fromBytes(doc.toBytes());
        EXPECT_EQ(reread.readString(u"Dok", u"DokNev", QStringLiteral("alap")), str(v));
    }
}

struct RejectCase {
    const char *what;
    QStringView section, key, value;
};

std::ostream &operator<<(std::ostream &os, const RejectCase &c)
{
    return os << c.what;
}

class RejectedWriteTest : public ::testing::TestWithParam<RejectCase> {};

TEST_P(RejectedWriteTest, FailsAndLeavesTheDocumentAlone)
{
    IniDocument doc = IniDocument::fromBytes(bytes(kHandEdited));
    const platform::Status result =
        doc.writeString(GetParam().section, GetParam().key, GetParam().value.toString());
    EXPECT_FALSE(result.ok()) << GetParam().what;
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(doc.toBytes(), bytes(kHandEdited)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RejectedWriteTest,
    ::testing::Values(RejectCase{"line feed in value", u"Dok", u"DokNev", u"a\nb"},
                      RejectCase{"carriage return in value", u"Dok", u"DokNev", u"a\rb"},
                      RejectCase{"NUL in value", u"Dok", u"DokNev", QStringView(u"a\0b", 3)},
                      RejectCase{"letter outside the code page", u"Dok", u"DokNev", u"Жук.rtf"},
                      RejectCase{"equals sign in key", u"SzotarFordIrany", u"a=b_c", u"a"},
                      RejectCase{"empty key", u"Dok", u"  ", u"1"},
                      RejectCase{"key like a comment", u"Dok", u";x", u"1"},
                      RejectCase{"key like a section", u"Dok", u"[x", u"1"},
                      RejectCase{"key outside the code page", u"SzotarFordIrany", u"中_文", u"1"},
                      RejectCase{"empty section", u"", u"Bal", u"1"},
                      RejectCase{"bracket in section", u"a]b", u"Bal", u"1"},
                      RejectCase{"line feed in section", u"a\nb", u"Bal", u"1"}),
    [](const auto &info) { return velkor_test::caseName(info.param.what); });

} // namespace
