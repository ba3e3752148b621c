// The pure parts of the dictd conversion: index numbers and lines, entry
// layout, the stored form of a text, the duplicate set, table file names.
#include "maintenance/dictd/dictd_base64.h"
#include "maintenance/dictd/entry_parser.h"
#include "maintenance/dictd/index_reader.h"
#include "maintenance/dictd/stored_text.h"
#include "maintenance/dictd/table_file_name.h"
#include "maintenance/import/stored_pair_set.h"
#include "support/printers.h"

#include <gtest/gtest.h>

using namespace dictd;

namespace {

struct NumberCase {
    const char *digits;
    std::optional<std::int64_t> value;
};

void PrintTo(const NumberCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.digits);
}

class IndexNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IndexNumber, Decodes)
{
    EXPECT_EQ(decodeIndexNumber(GetParam().digits), GetParam().value) << GetParam().digits;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndexNumber,
    ::testing::Values(NumberCase{"A", 0}, NumberCase{"B", 1}, NumberCase{"a", 26},
                      NumberCase{"0", 52}, NumberCase{"+", 62}, NumberCase{"/", 63},
                      NumberCase{"BA", 64}, NumberCase{"hf", 33 * 64 + 31},
                      NumberCase{"elV5", ((30 * 64 + 37) * 64 + 21) * 64 + 57},
                      // The largest that fits, then one digit too many.
                      NumberCase{"H//////////", INT64_MAX},
                      NumberCase{"BAAAAAAAAAAA", std::nullopt}, NumberCase{"", std::nullopt},
                      NumberCase{"A=", std::nullopt}, NumberCase{"-1", std::nullopt},
                      NumberCase{"A B", std::nullopt}, NumberCase{"\xc3\x81", std::nullopt}),
    [](const auto &info) { return velkor_test::exactCaseName("Digits", info.param.digits); });

TEST(IndexParse, ReadsLinesWithTheirNumbersAndLineNumbers)
{
    const QByteArray index = "00databaseinfo\tc\thf\r\n"
                             "\n"
                             "r\xc3\xb4le\tBA\tB\n"
                             "to walk\tB\tC\tto walk\n"; // a fourth field is ignored
    const auto entries = parseIndex(index, QStringLiteral("x.index"));
    ASSERT_TRUE(entries.ok()) << entries.error().toStdString();
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].headword, QStringLiteral("00databaseinfo"));
    EXPECT_EQ((*entries)[0].offset, 28);
    EXPECT_EQ((*entries)[0].length, 33 * 64 + 31);
    EXPECT_EQ((*entries)[1].headword, QStringLiteral("rôle"));
    EXPECT_EQ((*entries)[1].offset, 64);
    EXPECT_EQ((*entries)[1].line, 3);
    EXPECT_EQ((*entries)[2].headword, QStringLiteral("to walk"));
    EXPECT_EQ((*entries)[2].line, 4);
}

struct BadIndexCase {
    const char *name;
    QByteArray index;
    const char *expected; // part of the message
};

void PrintTo(const BadIndexCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class BadIndex : public ::testing::TestWithParam<BadIndexCase> {};

TEST_P(BadIndex, FailsNamingFileAndLine)
{
    const auto entries = parseIndex(GetParam().index, QStringLiteral("rossz.index"));
    ASSERT_FALSE(entries.ok());
    const QString message = entries.error();
    EXPECT_TRUE(message.contains(QStringLiteral("rossz.index, 2. sor"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromUtf8(GetParam().expected))) << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadIndex,
    ::testing::Values(
        BadIndexCase{"MissingLength", "a\tA\tB\nb\tA\n", "tabulátorral elválasztott"},
        BadIndexCase{"NoTabs", "a\tA\tB\nb A B\n", "tabulátorral elválasztott"},
        BadIndexCase{"BadOffset", "a\tA\tB\nb\tA*\tB\n", "érvénytelen kezdőcím: „A*”"},
        BadIndexCase{"EmptyOffset", "a\tA\tB\nb\t\tB\n", "érvénytelen kezdőcím"},
        BadIndexCase{"BadLength", "a\tA\tB\nb\tA\tB=\n", "érvénytelen hossz: „B=”"},
        BadIndexCase{"OffsetTooLarge", "a\tA\tB\nb\t////////////\tB\n", "érvénytelen kezdőcím"},
        BadIndexCase{"FiveFields", "a\tA\tB\nb\tA\tB\tc\td\n", "négynél több mező"},
        BadIndexCase{"Latin1Headword", "a\tA\tB\nr\xf4le\tA\tB\n", "UTF-8"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(IndexParse, LongBadFieldIsShownShortened)
{
    const QByteArray index = "a\t" + QByteArray(100000, '*') + "\tB\n";
    const auto entries = parseIndex(index, QStringLiteral("x.index"));
    ASSERT_FALSE(entries.ok());
    EXPECT_LT(entries.error().size(), 200);
}

struct EntryCase {
    const char *name;
    const char16_t *text;
    const char16_t *headword;
    std::vector<const char16_t *> translations;
};

void PrintTo(const EntryCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.text);
}

class EntryLayout : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryLayout, SplitsHeadwordAndTranslations)
{
    const EntryCase &c = GetParam();
    const DictdEntry entry = parseEntry(QString::fromUtf16(c.text));
    EXPECT_EQ(entry.headword, QString::fromUtf16(c.headword));
    QStringList expected;
    for (const char16_t *t : c.translations)
        expected.append(QString::fromUtf16(t));
    EXPECT_EQ(entry.translations, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryLayout,
    ::testing::Values(
        EntryCase{"SingleTranslation", u"-kneed /nˈiːd/\n-térdû\n", u"-kneed", {u"-térdû"}},
        EntryCase{"Numbered",
                  u"-dimensional /daɪmˈɛnʃənəl/\n1. -dimenziójú\n2. -kiterjedésû\n3. -dimenziós\n",
                  u"-dimensional",
                  {u"-dimenziójú", u"-kiterjedésû", u"-dimenziós"}},
        EntryCase{"VerbKeptWhole",
                  u"to walk /tˈuː wˈɔːk/\n1. sétál\n2. gyalogol\n",
                  u"to walk",
                  {u"sétál", u"gyalogol"}},
        EntryCase{"NoPronunciation", u"and/or\nés/vagy\n", u"and/or", {u"és/vagy"}},
        EntryCase{"SlashInHeadword", u"km / h /kˈeɪ ˈɛm/\nkm/óra\n", u"km / h", {u"km/óra"}},
        EntryCase{
            "LoneNumberedLineKept", u"first class\n1. osztály\n", u"first class", {u"1. osztály"}},
        EntryCase{"DecimalNotNumbering",
                  u"pint\n1.5 liter\n2. korsó\n",
                  u"pint",
                  {u"1.5 liter", u"korsó"}},
        EntryCase{"WrongNumberKept", u"x\n1. egy\n3. három\n", u"x", {u"egy", u"3. három"}},
        EntryCase{"BareNumberIsEmpty", u"x\n1. egy\n2.\n", u"x", {u"egy", u""}},
        EntryCase{"BlankLinesAndCrLf",
                  u"a /ˈeɪ/\r\n\r\n1.  egy \r\n  \r\n2. kettő\r\n",
                  u"a",
                  {u"egy", u"kettő"}},
        EntryCase{"HeadwordOnly", u"lonely /ˈləʊnli/\n", u"lonely", {}},
        EntryCase{"NoFinalNewline", u"cat /kˈat/\nmacska", u"cat", {u"macska"}},
        EntryCase{"Empty", u"", u"", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(EntryLayout, DatabaseInfoHeadwords)
{
    for (const char *name : {"00databaseinfo", "00databaseshort", "00databaseurl", "00databaseutf8",
                             "00databasealphabet", "00-database-allchars"})
        EXPECT_TRUE(isDatabaseInfoHeadword(QString::fromLatin1(name))) << name;
    for (const char *name : {"00648 gramm", "0database", "database", "a 00database"})
        EXPECT_FALSE(isDatabaseInfoHeadword(QString::fromLatin1(name))) << name;
}

struct StoredCase {
    const char *name;
    QString raw;
    bool repair;
    QString stored;
};

void PrintTo(const StoredCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.raw, c.repair, c.stored);
}

class StoredForm : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredForm, IsWhatTheTableKeeps)
{
    EXPECT_EQ(storedText(GetParam().raw, GetParam().repair), GetParam().stored);
}

const QString kFifty = QString(49, u'x') + u'y'; // exactly the field size

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredForm,
    ::testing::Values(
        StoredCase{"TrimmedAndLowered", QStringLiteral(" \tÁRVÍZTŰRŐ Tükörfúró\r "), false,
                   QStringLiteral("árvíztűrő tükörfúró")},
        StoredCase{"RepairsHungarian", QStringLiteral("ERDÔ tûz Ûr fôz"), true,
                   QStringLiteral("erdő tűz űr főz")},
        StoredCase{"EnglishKeepsCircumflex", QStringLiteral("Rôle"), false, QStringLiteral("rôle")},
        StoredCase{"OtherCapitalsKept", QStringLiteral("Ärger"), false, QStringLiteral("Ärger")},
        StoredCase{"BacktickIsAnApostrophe", QStringLiteral("Doesn`t one`s"), false,
                   QStringLiteral("doesn't one's")},
        StoredCase{"FieldSizeKept", kFifty, false, kFifty},
        StoredCase{"CutToFieldSize", kFifty + QStringLiteral("zzz"), false, kFifty},
        StoredCase{"CutThenTrimmed", QString(46, u'a') + QStringLiteral("    bcdef"), false,
                   QString(46, u'a')},
        StoredCase{"CutNotInsideSurrogatePair", QString(49, u'a') + QStringLiteral("\U0001F600b"),
                   false, QString(49, u'a')},
        StoredCase{"Blank", QStringLiteral(" \t "), true, QString()}),
    [](const auto &info) { return std::string(info.param.name); });

// The rows written so far, read back by key as the table would give them.
class WrittenRows {
public:
    std::int32_t add(const QString &source, const QString &target)
    {
        m_rows.emplace_back(source, target);
        return std::int32_t(m_rows.size());
    }
    dictimport::StoredPairSet::RowReader reader()
    {
        return [this](std::int32_t key) {
            ++m_reads;
            return m_rows.at(std::size_t(key) - 1);
        };
    }
    int reads() const { return m_reads; }

private:
    std::vector<std::pair<QString, QString>> m_rows;
    int m_reads = 0;
};

struct PairMatchCase {
    const char *name;
    QString source;
    QString target;
    bool contained;
};

void PrintTo(const PairMatchCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.source, c.target);
}

class StoredPairs : public ::testing::TestWithParam<PairMatchCase> {
protected:
    void SetUp() override
    {
        for (const auto &[source, target] :
             {std::pair{QStringLiteral("apple"), QStringLiteral("alma")},
              std::pair{QStringLiteral("Ärger"), QStringLiteral("bosszúság")},
              std::pair{QStringLiteral("ab"), QStringLiteral("c")},
              std::pair{QStringLiteral("\U00010400"), QStringLiteral("deseret")}})
            m_set.insert(source, target, m_rows.add(source, target));
    }

    WrittenRows m_rows;
    dictimport::StoredPairSet m_set{m_rows.reader()};
};

// A pair is held when both sides equal a written pair's once fully
// lower-cased, whichever side holds the capitals.
TEST_P(StoredPairs, HoldsExactlyThePairsEqualInAnyLetterCase)
{
    const PairMatchCase &c = GetParam();
    EXPECT_EQ(m_set.contains(c.source, c.target), c.contained);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, StoredPairs,
    ::testing::Values(
        PairMatchCase{"Identical", QStringLiteral("apple"), QStringLiteral("alma"), true},
        PairMatchCase{"CapitalsInTheNewPair", QStringLiteral("APPLE"), QStringLiteral("Alma"),
                      true},
        PairMatchCase{"CapitalsBeyondHungarian", QStringLiteral("ärger"),
                      QStringLiteral("BOSSZÚSÁG"), true},
        PairMatchCase{"OtherTarget", QStringLiteral("apple"), QStringLiteral("almafa"), false},
        PairMatchCase{"TargetPrefix", QStringLiteral("apple"), QStringLiteral("alm"), false},
        PairMatchCase{"SidesSwapped", QStringLiteral("alma"), QStringLiteral("apple"), false},
        PairMatchCase{"BoundaryMoved", QStringLiteral("a"), QStringLiteral("bc"), false},
        PairMatchCase{"OutsideTheBasicPlane", QStringLiteral("\U00010428"),
                      QStringLiteral("Deseret"), true},
        PairMatchCase{"AccentDiffers", QStringLiteral("apple"), QStringLiteral("álma"), false}),
    [](const auto &info) { return std::string(info.param.name); });

// Tens of thousands of pairs make the table grow many times over: every
// pair stays found, no near miss is taken for one, and rows are read back
// only to confirm true duplicates (or a rare shared fingerprint).
TEST(StoredPairSetGrowth, KeepsEveryPairAndReadsRowsOnlyForDuplicates)
{
    WrittenRows rows;
    dictimport::StoredPairSet set(rows.reader());
    constexpr int kPairs = 60000;
    const auto source = [](int n) { return QStringLiteral("szó%1").arg(n); };
    const auto target = [](int n) { return QStringLiteral("word %1").arg(n * 7); };
    for (int n = 0; n < kPairs; ++n) {
        ASSERT_FALSE(set.contains(source(n), target(n))) << n;
        set.insert(source(n), target(n), rows.add(source(n), target(n)));
    }
    EXPECT_EQ(set.size(), kPairs);
    EXPECT_LT(rows.reads(), 10);
    const int readsBefore = rows.reads();
    for (int n = 0; n < kPairs; n += 7) {
        EXPECT_TRUE(set.contains(source(n).toUpper(), target(n))) << n;
        EXPECT_FALSE(set.contains(source(n), target(n + 1))) << n;
    }
    EXPECT_LT(rows.reads() - readsBefore, kPairs / 7 + 10);
    EXPECT_EQ(dictimport::StoredPairSet::folded(QStringLiteral("ÇA ÄÖ \U00010400")),
              QStringLiteral("ça äö \U00010428"));
}

struct FileNameCase {
    const char *path;
    const char *first; // nullptr: refused
    const char *second;
};

void PrintTo(const FileNameCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.path);
}

class TableFileName : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(TableFileName, GivesTheTwoLanguages)
{
    const auto languages = languagesOfTableFile(QString::fromUtf8(GetParam().path));
    if (!GetParam().first) {
        EXPECT_FALSE(languages.has_value()) << GetParam().path;
        return;
    }
    ASSERT_TRUE(languages.has_value()) << GetParam().path;
    EXPECT_EQ(languages->first, QString::fromUtf8(GetParam().first));
    EXPECT_EQ(languages->second, QString::fromUtf8(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableFileName,
    ::testing::Values(FileNameCase{"/tmp/bin/Angol_Magyar.DB", "Angol", "Magyar"},
                      FileNameCase{"Magyar_Angol.DB", "Magyar", "Angol"},
                      FileNameCase{"Nemet_Portugal1.DB", "Nemet", "Portugal"},
                      FileNameCase{"/a.b/c_d/Angol_Magyar.DB", "Angol", "Magyar"},
                      FileNameCase{"Angol_Magyar.db", nullptr, nullptr},
                      FileNameCase{"Angol_Magyar", nullptr, nullptr},
                      FileNameCase{"AngolMagyar.DB", nullptr, nullptr},
                      FileNameCase{"Angol_Magyar.v2.DB", nullptr, nullptr},
                      FileNameCase{"_Magyar.DB", nullptr, nullptr},
                      FileNameCase{"Angol_.DB", nullptr, nullptr},
                      FileNameCase{"2024.DB", nullptr, nullptr},
                      FileNameCase{"Angol_angol.DB", nullptr, nullptr},
                      FileNameCase{"Azon_Magyar.DB", nullptr, nullptr}),
    [](const auto &info) { return velkor_test::caseName(info.param.path); });

} // namespace
