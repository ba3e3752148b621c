// Which stem the word-form stage chooses, on small Hunspell and WordNet
// dictionaries written by the tests: a verbal prefix kept, a derived stem
// found as a longer beginning of the word, a compound's parts, an English
// possessive; and the ranking of stems on its own.
#include "lookup_fixture.h"
#include "translator/stemranking.h"
#include "translator/wordforms.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using namespace translator;
using namespace Qt::StringLiterals;

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

void writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

// A Hungarian dictionary with Hunspell's morphological fields: "befejezte"
// reads be + fejez + te and be + fej + ez + te, "alkalmazások" alkalmaz +
// ás + ok, compounds of könyvtár, szerkezet and ablak. An English one with
// a plural suffix, an irregular plural of its own, and WordNet's verb list.
class FixtureFiles {
public:
    FixtureFiles()
    {
        const QString folder = dir.path() + u'/';
        writeFile(folder + u"hu_HU.aff"_s, s(uR"(SET UTF-8
COMPOUNDFLAG X
PFX B Y 1
PFX B 0 be . ip:PREF sp:be
SFX T Y 1
SFX T 0 te . is:PAST_INDIC_DEF_SG_3
SFX Z Y 1
SFX Z 0 ez/T . ds:z_ACTION_vrb
SFX D Y 1
SFX D 0 ás/P . ds:Ás_PROCESS/RESULT_noun
SFX P Y 3
SFX P 0 ok . is:PLUR
SFX P 0 et . is:ACC
SFX P 0 ot . is:ACC
)"));
        writeFile(folder + u"hu_HU.dic"_s, s(uR"(6
fej/BZ po:noun
fejez/BT po:vrb
alkalmaz/DX po:vrb
könyvtár/X po:noun
szerkezet/XP po:noun
ablak/XP po:noun
)"));
        writeFile(folder + u"en_US.aff"_s, s(uR"(SET UTF-8
SFX S Y 1
SFX S 0 s .
)"));
        writeFile(folder + u"en_US.dic"_s, s(uR"(4
author/S
student/S
woman
women
)"));
        writeFile(folder + u"verb.exc"_s, s(u"stood stand\n"));
    }
    WordFormFiles files() const { return {dir.path(), dir.path()}; }

private:
    QTemporaryDir dir;
};

class StemChoice : public LookupFixture {
protected:
    void SetUp() override
    {
        LookupFixture::SetUp();
        forms = std::make_unique<WordForms>(fixture.files());
    }

    // rows: (English, Hungarian) pairs; language: the direction's source.
    void openFrom(const QString &language, const std::vector<Pair> &rows)
    {
        LookupFixture::openFrom(language, rows);
        lookup->setWordForms(forms.get());
    }

    FixtureFiles fixture;
    std::unique_ptr<WordForms> forms;
};

struct ChoiceCase {
    const char *name;
    const char *language;
    std::vector<std::pair<QString, QString>> rows;
    QString word;
    QString header; // list 1's HeadText + "+" + TailText
    QStringList list1;
};

void PrintTo(const ChoiceCase &c, std::ostream *os)
{
    *os << c.name;
}

class Choice : public StemChoice, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(Choice, ListOneNamesTheStemThatKeepsTheMostOfTheWord)
{
    const ChoiceCase &c = GetParam();
    openFrom(QLatin1String(c.language), c.rows);
    const LookupOutcome outcome = lookup->LookUpWord(c.word);
    EXPECT_EQ(outcome.match, WordMatch::Found);
    EXPECT_EQ(header().toStdString(), c.header.toStdString());
    EXPECT_EQ(items(0).join(u'|').toStdString(), c.list1.join(u'|').toStdString());
    // A stem or a compound has the colours of a shortened form.
    const TTalalat &list = lookup->ResultLists()[0];
    EXPECT_EQ(list.HeadColor, kLime);
    EXPECT_EQ(list.TailColor, kAqua);
}

const std::vector<std::pair<QString, QString>> kFejez{
    {s(u"head"), s(u"fej")}, {s(u"to express"), s(u"fejez")}, {s(u"to finish"), s(u"befejez")}};
const std::vector<std::pair<QString, QString>> kParts{{s(u"library"), s(u"könyvtár")},
                                                      {s(u"directory"), s(u"könyvtár")},
                                                      {s(u"structure"), s(u"szerkezet")},
                                                      {s(u"window"), s(u"ablak")}};

INSTANTIATE_TEST_SUITE_P(
    FixtureDictionaries, Choice,
    ::testing::Values(
        ChoiceCase{"VerbalPrefixKept",
                   "Magyar",
                   kFejez,
                   s(u"befejezte"),
                   s(u"befejez+"),
                   {s(u"to finish")}},
        ChoiceCase{"PrefixDroppedOnlyWithoutThePrefixedHeadword",
                   "Magyar",
                   {kFejez[0], kFejez[1], {s(u"entrance"), s(u"bejárat")}},
                   s(u"befejezte"),
                   s(u"fejez+"),
                   {s(u"to express")}},
        ChoiceCase{"DerivedStemBeforeItsVerb",
                   "Magyar",
                   {{s(u"to apply"), s(u"alkalmaz")}, {s(u"application"), s(u"alkalmazás")}},
                   s(u"alkalmazások"),
                   s(u"alkalmazás+"),
                   {s(u"application")}},
        ChoiceCase{"VerbWithoutTheDerivedHeadword",
                   "Magyar",
                   {{s(u"to apply"), s(u"alkalmaz")}, {s(u"applicant"), s(u"alkalmazó")}},
                   s(u"alkalmazások"),
                   s(u"alkalmaz+"),
                   {s(u"to apply")}},
        ChoiceCase{
            "CompoundShowsItsParts",
            "Magyar",
            kParts,
            s(u"könyvtárszerkezetet"),
            s(u"könyvtár + szerkezet+"),
            {s(u"könyvtár: library"), s(u"könyvtár: directory"), s(u"szerkezet: structure")}},
        ChoiceCase{
            "CompoundPartThatIsADerivedStem",
            "Magyar",
            {kParts[0], {s(u"to apply"), s(u"alkalmaz")}, {s(u"application"), s(u"alkalmazás")}},
            s(u"könyvtáralkalmazás"),
            s(u"könyvtár + alkalmazás+"),
            {s(u"könyvtár: library"), s(u"alkalmazás: application")}},
        ChoiceCase{"CompoundThatIsAHeadwordFoundWhole",
                   "Magyar",
                   {kParts[0], kParts[2], {s(u"directory tree"), s(u"könyvtárszerkezet")}},
                   s(u"könyvtárszerkezetet"),
                   s(u"könyvtárszerkezet+"),
                   {s(u"directory tree")}},
        ChoiceCase{"CompoundWithAPartMissingIsShortened",
                   "Magyar",
                   {kParts[0]},
                   s(u"könyvtárszerkezetet"),
                   s(u"könyvtár+"),
                   {s(u"library")}},
        ChoiceCase{"LongerBeginningThanTheFirstPartIsShortened",
                   "Magyar",
                   {kParts[0], kParts[3], {s(u"its library"), s(u"könyvtára")}},
                   s(u"könyvtárablak"),
                   s(u"könyvtára+"),
                   {s(u"its library")}},
        ChoiceCase{"HyphenatedCompoundShowsItsParts",
                   "Magyar",
                   {kParts[2], kParts[3]},
                   s(u"szerkezet-ablakot"),
                   s(u"szerkezet + ablak+"),
                   {s(u"szerkezet: structure"), s(u"ablak: window")}},
        ChoiceCase{"HyphenatedCompoundThatIsAHeadwordFoundWhole",
                   "Magyar",
                   {kParts[2], kParts[3], {s(u"frame window"), s(u"szerkezet-ablak")}},
                   s(u"szerkezet-ablakot"),
                   s(u"szerkezet-ablak+"),
                   {s(u"frame window")}},
        ChoiceCase{"PossessiveS",
                   "Angol",
                   {{s(u"author"), s(u"szerző")}},
                   s(u"author's"),
                   s(u"author+"),
                   {s(u"szerző")}},
        ChoiceCase{"PossessiveWithTypographicApostrophe",
                   "Angol",
                   {{s(u"author"), s(u"szerző")}},
                   s(u"Author’s"),
                   s(u"author+"),
                   {s(u"szerző")}},
        ChoiceCase{"PluralPossessiveGoesThroughTheWordForms",
                   "Angol",
                   {{s(u"student"), s(u"diák")}},
                   s(u"students’"),
                   s(u"student+"),
                   {s(u"diák")}},
        ChoiceCase{"MenPluralNotShortenedToAnotherWord",
                   "Angol",
                   {{s(u"wo"), s(u"bánat")}, {s(u"woman"), s(u"nő")}},
                   s(u"women"),
                   s(u"woman+"),
                   {s(u"nő")}}),
    [](const ::testing::TestParamInfo<ChoiceCase> &info) { return std::string(info.param.name); });

// The parts of a compound share list 1: the first part's rows leave room for
// the second's, and no line with its part's name is longer than a slot.
TEST_F(StemChoice, CompoundPartsShareTheListsLines)
{
    std::vector<Pair> rows;
    const QString longText(50, u'x');
    for (int i = 0; i < 250; ++i)
        rows.push_back({longText, s(u"könyvtár")});
    rows.push_back({s(u"structure"), s(u"szerkezet")});
    openFrom(u"Magyar"_s, rows);
    lookup->LookUpWord(s(u"könyvtárszerkezet"));
    const QStringList lines = items(0);
    ASSERT_EQ(lines.size(), kResultSlots - 99);
    EXPECT_EQ(lines.first(), s(u"könyvtár: ") + longText);
    EXPECT_EQ(lines.last(), s(u"szerkezet: structure"));
    for (const QString &line : lines)
        EXPECT_LE(line.size(), kResultLineLength);
}

TEST_F(StemChoice, CompletionListDoesNotRepeatAPartsGroup)
{
    openFrom(u"Magyar"_s, {kParts[0], kParts[3]});
    lookup->LookUpWord(s(u"könyvtárablak"));
    EXPECT_EQ(header().toStdString(), "könyvtár + ablak+");
    // The completion pass ends at "könyvtár", the first part's group.
    EXPECT_TRUE(items(1).isEmpty());
}

// Switched off, the stage leaves every result as the lookup without it.
TEST_F(StemChoice, OffGivesTheLookupWithoutWordForms)
{
    std::vector<Pair> rows = kFejez;
    rows.insert(rows.end(), kParts.begin(), kParts.end());
    rows.push_back({s(u"to apply"), s(u"alkalmaz")});
    rows.push_back({s(u"application"), s(u"alkalmazás")});
    openFrom(u"Magyar"_s, rows);
    const QStringList words{s(u"befejezte"),         s(u"alkalmazások"),  s(u"könyvtárszerkezetet"),
                            s(u"szerkezet-ablakot"), s(u"könyvtárablak"), s(u"xyz")};
    const auto result = [&](const QString &word) {
        const LookupOutcome outcome = lookup->LookUpWord(word);
        return QStringList{QString::number(int(outcome.match)), header(0), header(1),
                           items(0).join(u'|'), items(1).join(u'|')};
    };
    lookup->setWordForms(nullptr);
    std::vector<QStringList> without;
    for (const QString &word : words)
        without.push_back(result(word));
    lookup->setWordForms(forms.get());
    lookup->setStemming(false);
    for (qsizetype i = 0; i < words.size(); ++i)
        EXPECT_EQ(result(words[i]), without[std::size_t(i)]) << words[i].toStdString();
}

// The ranking alone.
struct RankCase {
    const char *name;
    QString word;
    QString stems;  // in the analyser's order, joined by " "
    QString ranked; // as ranked
};

void PrintTo(const RankCase &c, std::ostream *os)
{
    *os << c.name;
}

class Rank : public ::testing::TestWithParam<RankCase> {};

TEST_P(Rank, OrdersStemsByTheMeaningTheyKeep)
{
    const RankCase &c = GetParam();
    QList<Lemma> stems;
    for (const QString &text : c.stems.split(u' '))
        stems.append(Lemma{text});
    rankStems(c.word, stems, hungarianVerbalPrefixes());
    QStringList ranked;
    for (const Lemma &stem : stems)
        ranked << stem.text;
    EXPECT_EQ(ranked.join(u' ').toStdString(), c.ranked.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Hungarian, Rank,
    ::testing::Values(
        RankCase{"PrefixedStemBeforeTheRootsItHolds", s(u"befejezte"),
                 s(u"fejezte fej befejez fejez"), s(u"befejez fejezte fejez fej")},
        RankCase{"DerivedStemBeforeItsBase", s(u"alkalmazások"), s(u"alkalmaz alkalom alkalmazás"),
                 s(u"alkalmazás alkalmaz alkalom")},
        RankCase{"LongerPrefixedStemFirst", s(u"feladatok"), s(u"felad ad feladat adat"),
                 s(u"feladat felad adat ad")},
        RankCase{"UnrelatedStemsKeepTheirOrder", s(u"almát"), s(u"alma alom"), s(u"alma alom")},
        RankCase{"ExtraLettersNotInTheWordDoNotCount", s(u"érheti"), s(u"ér érik"), s(u"ér érik")},
        RankCase{"AssimilatedPronounBeforeAnotherNoun", s(u"ebből"), s(u"ez eb"), s(u"ez eb")},
        RankCase{"StemAddingAPrefixGoesLast", s(u"adta"), s(u"megad ad"), s(u"ad megad")},
        RankCase{"WordBeginningLikeAPrefixKeepsItsStem", s(u"elemek"), s(u"em elem"),
                 s(u"elem em")}),
    [](const ::testing::TestParamInfo<RankCase> &info) { return std::string(info.param.name); });

} // namespace
