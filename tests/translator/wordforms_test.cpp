// The word-form stage of the lookup: lemmas from Hunspell and WordNet tried
// before the shortening pass, the switch that turns it off, the lookup
// without the analysers' files, and the stems chosen on the default
// dictionaries.
#include "lookup_fixture.h"
#include "maintenance/dictd/dictd_converter.h"
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

bool systemFilesPresent()
{
    const WordFormFiles files;
    return QFile::exists(files.hunspellDir + QStringLiteral("/en_US.aff")) &&
           QFile::exists(files.hunspellDir + QStringLiteral("/hu_HU.aff")) &&
           QFile::exists(files.wordNetDir + QStringLiteral("/verb.exc"));
}

// Loaded once for the whole run, as the program does.
WordForms &systemForms()
{
    static WordForms forms;
    return forms;
}

// A lookup on the fixture's English–Hungarian table in either direction:
// "Angol" looks up English words, "Magyar" Hungarian ones.
class StemFixture : public LookupFixture {
protected:
    void SetUp() override
    {
        LookupFixture::SetUp();
        if (!systemFilesPresent())
            GTEST_SKIP() << "the Hunspell and WordNet packages are not installed";
    }

    // rows: (English, Hungarian) pairs.
    void openFrom(const QString &language, const std::vector<Pair> &rows, WordForms *forms)
    {
        LookupFixture::openFrom(language, rows);
        lookup->setWordForms(forms);
    }
};

struct StemCase {
    const char *name;
    const char *language;
    std::vector<std::pair<QString, QString>> rows;
    QString word;
    QString header; // list 1's HeadText + "+" + TailText
    QStringList list1;
    QStringList list2;
};

void PrintTo(const StemCase &c, std::ostream *os)
{
    *os << c.name;
}

class Stem : public StemFixture, public ::testing::WithParamInterface<StemCase> {};

TEST_P(Stem, FindsTheLemmaBeforeShortening)
{
    const StemCase &c = GetParam();
    openFrom(QLatin1String(c.language), c.rows, &systemForms());
    const LookupOutcome outcome = lookup->LookUpWord(c.word);

    EXPECT_EQ(outcome.match, WordMatch::Found);
    EXPECT_EQ(outcome.colour, kWhite);
    EXPECT_EQ(header().toStdString(), c.header.toStdString());
    EXPECT_EQ(items(0).join(u'|').toStdString(), c.list1.join(u'|').toStdString());
    EXPECT_EQ(items(1).join(u'|').toStdString(), c.list2.join(u'|').toStdString());
    const TTalalat &list = lookup->ResultLists()[0];
    // The colours of a shortened form.
    if (list.HeadText == kInfinitiveMarker) {
        EXPECT_EQ(list.HeadColor, kAqua);
        EXPECT_EQ(list.TailColor, kLime);
    } else {
        EXPECT_EQ(list.HeadColor, kLime);
        EXPECT_EQ(list.TailColor, kAqua);
    }
}

const std::vector<std::pair<QString, QString>> kWalk{{s(u"walk"), s(u"séta")},
                                                     {s(u"to walk"), s(u"sétál")}};

INSTANTIATE_TEST_SUITE_P(
    EnglishAndHungarian, Stem,
    ::testing::Values(
        // English: regular forms through Hunspell.
        StemCase{"PastTenseTriesTheInfinitiveFirst",
                 "Angol",
                 kWalk,
                 s(u"walked"),
                 s(u"to +walk"),
                 {s(u"sétál")},
                 {s(u"séta")}},
        StemCase{"PresentParticipleTriesTheInfinitiveFirst",
                 "Angol",
                 kWalk,
                 s(u"walking"),
                 s(u"to +walk"),
                 {s(u"sétál")},
                 {s(u"séta")}},
        StemCase{"ThirdPersonOrPluralTakesTheBareLemma",
                 "Angol",
                 kWalk,
                 s(u"walks"),
                 s(u"walk+"),
                 {s(u"séta")},
                 {}},
        StemCase{"VerbFormFallsBackToTheBareLemma",
                 "Angol",
                 {{s(u"walk"), s(u"séta")}},
                 s(u"walked"),
                 s(u"walk+"),
                 {s(u"séta")},
                 {}},
        StemCase{"PluralWithChangedEnding",
                 "Angol",
                 {{s(u"study"), s(u"tanulmány")}, {s(u"stud"), s(u"szeg")}},
                 s(u"studies"),
                 s(u"study+"),
                 {s(u"tanulmány")},
                 {s(u"szeg")}},
        // English: irregular forms through WordNet.
        StemCase{"IrregularPastTense",
                 "Angol",
                 {{s(u"stooge"), s(u"besúgó")}, {s(u"to stand"), s(u"áll")}},
                 s(u"stood"),
                 s(u"to +stand"),
                 {s(u"áll")},
                 {s(u"besúgó")}},
        StemCase{"IrregularPastNotCutToAnArticle",
                 "Angol",
                 {{s(u"a"), s(u"egy")}, {s(u"to eat"), s(u"eszik")}},
                 s(u"ate"),
                 s(u"to +eat"),
                 {s(u"eszik")},
                 {s(u"egy")}},
        StemCase{"IrregularPlural",
                 "Angol",
                 {{s(u"mic"), s(u"mikrofon")}, {s(u"mouse"), s(u"egér")}},
                 s(u"mice"),
                 s(u"mouse+"),
                 {s(u"egér")},
                 {s(u"mikrofon")}},
        StemCase{"IrregularPluralHunspellKeepsWhole",
                 "Angol",
                 {{s(u"child"), s(u"gyerek")}, {s(u"chill"), s(u"hideg")}},
                 s(u"children"),
                 s(u"child+"),
                 {s(u"gyerek")},
                 {}},
        // Hungarian: plural, case endings, possessives, lengthened vowels.
        StemCase{"AccusativeWithLengthenedVowel",
                 "Magyar",
                 {{s(u"litter"), s(u"alom")}, {s(u"apple"), s(u"alma")}},
                 s(u"almát"),
                 s(u"alma+"),
                 {s(u"apple")},
                 {}},
        StemCase{"LaterLemmaWhenOnlyItsRowsExist",
                 "Magyar",
                 {{s(u"litter"), s(u"alom")}},
                 s(u"almát"),
                 s(u"alom+"),
                 {s(u"litter")},
                 {}},
        StemCase{"PossessiveWithShortenedVowel",
                 "Magyar",
                 {{s(u"hand"), s(u"kéz")}},
                 s(u"kezemet"),
                 s(u"kéz+"),
                 {s(u"hand")},
                 {}},
        StemCase{"StemChangingAccusative",
                 "Magyar",
                 {{s(u"horse"), s(u"ló")}},
                 s(u"lovat"),
                 s(u"ló+"),
                 {s(u"horse")},
                 {}},
        StemCase{"InstrumentalNotCutToAShorterWord",
                 "Magyar",
                 {{s(u"ancestor"), s(u"ős")}, {s(u"autumn"), s(u"ősz")}},
                 s(u"Ősszel"),
                 s(u"ősz+"),
                 {s(u"autumn")},
                 {s(u"ancestor")}},
        StemCase{"PluralDative",
                 "Magyar",
                 {{s(u"dog"), s(u"kutya")}},
                 s(u"kutyáknak"),
                 s(u"kutya+"),
                 {s(u"dog")},
                 {}},
        StemCase{"Illative",
                 "Magyar",
                 {{s(u"is"), s(u"is")}, {s(u"school"), s(u"iskola")}},
                 s(u"iskolába"),
                 s(u"iskola+"),
                 {s(u"school")},
                 {}},
        StemCase{"NameKnownOnlyWithItsCapital",
                 "Magyar",
                 {{s(u"Hungary"), s(u"Magyarország")}, {s(u"Hungarian"), s(u"magyar")}},
                 s(u"magyarországon"),
                 s(u"magyarország+"),
                 {s(u"Hungary")},
                 {}}),
    [](const ::testing::TestParamInfo<StemCase> &info) { return std::string(info.param.name); });

// The analysers alone: lemmas in order, and which readings are verb forms.
struct AnalyserCase {
    const char *name;
    const char *language;
    QString word;
    QString lemmas; // "text" or "text*" for a verb form, joined by " "
};

void PrintTo(const AnalyserCase &c, std::ostream *os)
{
    *os << c.name;
}

class Analyser : public ::testing::TestWithParam<AnalyserCase> {
protected:
    void SetUp() override
    {
        if (!systemFilesPresent())
            GTEST_SKIP() << "the Hunspell and WordNet packages are not installed";
    }
};

TEST_P(Analyser, GivesTheLemmasInOrder)
{
    const AnalyserCase &c = GetParam();
    QStringList found;
    for (const Lemma &lemma : systemForms().lemmas(QString::fromUtf8(c.language), c.word))
        found << lemma.text + (lemma.verbForm ? u"*"_s : QString());
    EXPECT_EQ(found.join(u' ').toStdString(), c.lemmas.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, Analyser,
    ::testing::Values(AnalyserCase{"RegularPast", "Angol", s(u"walked"), s(u"walk*")},
                      AnalyserCase{"ThirdPersonIsNoVerbForm", "Angol", s(u"walks"), s(u"walk")},
                      AnalyserCase{"WordNetBeforeHunspell", "Angol", s(u"eaten"), s(u"eat* eaten")},
                      AnalyserCase{"AdjectiveException", "Angol", s(u"better"),
                                   s(u"good well better")},
                      AnalyserCase{"PossessiveS", "Angol", s(u"author's"), s(u"author")},
                      AnalyserCase{"PlainerReadingFirst", "Magyar", s(u"almát"), s(u"alma alom")},
                      AnalyserCase{"GermanPlural", "Nemet", s(u"häuser"), s(u"häuser haus")},
                      AnalyserCase{"AccentedLanguageName", "Német", s(u"kindern"), s(u"kind")},
                      AnalyserCase{"UnknownLanguage", "Latin", s(u"amavit"), QString()},
                      AnalyserCase{"EmptyWord", "Angol", QString(), QString()},
                      AnalyserCase{"PhraseIsNotAnalysed", "Magyar", s(u"piros almát"), QString()},
                      AnalyserCase{"OverlongWord", "Magyar", QString(60, u'a'), QString()},
                      AnalyserCase{"ControlCharacters", "Angol", s(u"walk\u0001ed"), QString()},
                      AnalyserCase{"NotLatin1ForAGermanWord", "Nemet", s(u"hő"), QString()}),
    [](const ::testing::TestParamInfo<AnalyserCase> &info) {
        return std::string(info.param.name);
    });

// A process's first word of a language is analysed from only the dictionary
// entries it can reach, before the whole dictionary is loaded; that analysis,
// and the next word's from the whole one, are the whole dictionary's.
struct FirstWordCase {
    const char *name;
    const char *language;
    QString word;
};

void PrintTo(const FirstWordCase &c, std::ostream *os)
{
    *os << c.name;
}

std::string described(const WordAnalysis &analysis)
{
    QStringList parts;
    for (const Lemma &lemma : analysis.lemmas)
        parts << lemma.text + (lemma.verbForm ? u"*"_s : QString()) +
                     (lemma.derived ? u"+"_s : QString());
    for (const Compound &compound : analysis.compounds) {
        QStringList pieces;
        for (const CompoundPart &part : compound)
            pieces << part.text + u'/' + part.stem;
        parts << u'[' + pieces.join(u' ') + u']';
    }
    return parts.join(u' ').toStdString();
}

class FirstWord : public ::testing::TestWithParam<FirstWordCase> {
protected:
    void SetUp() override
    {
        if (!systemFilesPresent())
            GTEST_SKIP() << "the Hunspell and WordNet packages are not installed";
    }
};

TEST_P(FirstWord, AnalysedAsByTheWholeDictionary)
{
    const FirstWordCase &c = GetParam();
    const QString language = QString::fromUtf8(c.language);
    const LemmaAnalyser *whole = systemForms().analyser(language);
    ASSERT_NE(whole, nullptr);
    WordForms forms;
    EXPECT_EQ(described(forms.analyse(language, c.word)), described(whole->analyse(c.word)));
    const QString next = c.word == u"walked" ? s(u"stood") : s(u"walked");
    EXPECT_EQ(described(forms.analyse(language, next)), described(whole->analyse(next)));
    EXPECT_EQ(described(forms.analyse(language, c.word)), described(whole->analyse(c.word)));
}

INSTANTIATE_TEST_SUITE_P(
    Words, FirstWord,
    ::testing::Values(FirstWordCase{"RegularPast", "Angol", s(u"walked")},
                      FirstWordCase{"StemEndingChanged", "Angol", s(u"carried")},
                      FirstWordCase{"Superlative", "Angol", s(u"happiest")},
                      FirstWordCase{"Prefixed", "Angol", s(u"rewritten")},
                      FirstWordCase{"PrefixAndSuffix", "Angol", s(u"unlocking")},
                      FirstWordCase{"IrregularVerb", "Angol", s(u"stood")},
                      FirstWordCase{"IrregularPlural", "Angol", s(u"mice")},
                      FirstWordCase{"MenPlural", "Angol", s(u"firemen")},
                      FirstWordCase{"MenPossessive", "Angol", s(u"women's")},
                      FirstWordCase{"Possessive", "Angol", s(u"authors'")},
                      FirstWordCase{"CurlyApostrophe", "Angol", s(u"author’s")},
                      FirstWordCase{"Name", "Angol", s(u"hungary")},
                      FirstWordCase{"Ordinal", "Angol", s(u"21st")},
                      FirstWordCase{"Hyphenated", "Angol", s(u"well-known")},
                      FirstWordCase{"Accented", "Angol", s(u"cafés")},
                      FirstWordCase{"Unknown", "Angol", s(u"xqzvw")},
                      FirstWordCase{"GermanPlural", "Nemet", s(u"häuser")},
                      FirstWordCase{"GermanDative", "Nemet", s(u"kindern")}),
    [](const ::testing::TestParamInfo<FirstWordCase> &info) {
        return std::string(info.param.name);
    });

// With the stage off, or without analysers, the lookup is the one without
// word forms: the same lists, headers and outcome, word for word.
class StemSwitch : public StemFixture {
protected:
    struct Result {
        WordMatch match;
        QString header1, header2;
        QStringList list1, list2;
        bool operator==(const Result &) const = default;
    };

    Result lookUp(const QString &word)
    {
        const LookupOutcome outcome = lookup->LookUpWord(word);
        const TTalalat &second = lookup->ResultLists()[1];
        return {outcome.match, header(), second.HeadText + u'+' + second.TailText, items(0),
                items(1)};
    }
};

TEST_F(StemSwitch, OffGivesTheLookupWithoutWordForms)
{
    const std::vector<Pair> rows{{s(u"a"), s(u"egy")},         {s(u"stooge"), s(u"besúgó")},
                                 {s(u"to stand"), s(u"áll")},  {s(u"walk"), s(u"séta")},
                                 {s(u"to walk"), s(u"sétál")}, {s(u"to eat"), s(u"eszik")},
                                 {s(u"walker"), s(u"sétáló")}};
    const QStringList words{s(u"stood"), s(u"ate"), s(u"walked"), s(u"walks"),
                            s(u"walk"),  s(u"xyz"), s(u""),       s(u"give up")};
    openFrom(QStringLiteral("Angol"), rows, nullptr);
    std::vector<Result> without;
    for (const QString &word : words)
        without.push_back(lookUp(word));

    lookup->setWordForms(&systemForms());
    lookup->setStemming(false);
    for (qsizetype i = 0; i < words.size(); ++i)
        EXPECT_EQ(lookUp(words[i]), without[std::size_t(i)]) << words[i].toStdString();

    // Switched on, the same lookup object uses the lemmas.
    lookup->setStemming(true);
    lookUp(s(u"stood"));
    EXPECT_EQ(header().toStdString(), "to +stand");
    EXPECT_EQ(items(0), QStringList{s(u"áll")});
}

TEST_F(StemSwitch, ExactMatchAndUnknownLanguageSkipTheStage)
{
    openFrom(QStringLiteral("Angol"), {{s(u"stood"), s(u"állt")}, {s(u"to stand"), s(u"áll")}},
             &systemForms());
    EXPECT_EQ(lookup->LookUpWord(s(u"stood")).match, WordMatch::Exact);
    EXPECT_EQ(items(0), QStringList{s(u"állt")});
    EXPECT_EQ(systemForms().analyser(QStringLiteral("Latin")), nullptr);
}

// The analysers' files may be missing: the lookup goes on without them.
class StemFiles : public StemFixture {
protected:
    QTemporaryDir empty;
};

TEST_F(StemFiles, NoFilesAtAllFallsBackToShortening)
{
    WordForms forms(WordFormFiles{empty.path(), empty.path()});
    EXPECT_EQ(forms.analyser(QStringLiteral("Angol")), nullptr);
    EXPECT_EQ(forms.analyser(QStringLiteral("Magyar")), nullptr);
    openFrom(QStringLiteral("Angol"), kWalk, &forms);
    lookup->LookUpWord(s(u"walked"));
    EXPECT_EQ(header().toStdString(), "walk+");
    EXPECT_EQ(items(0), QStringList{s(u"séta")});
}

TEST_F(StemFiles, WordNetAloneStillGivesIrregularForms)
{
    WordForms forms(WordFormFiles{empty.path(), WordFormFiles{}.wordNetDir});
    openFrom(QStringLiteral("Angol"), {{s(u"to stand"), s(u"áll")}, {s(u"walk"), s(u"séta")}},
             &forms);
    lookup->LookUpWord(s(u"stood"));
    EXPECT_EQ(header().toStdString(), "to +stand");
    // Regular forms need Hunspell: shortening finds "walk" as before.
    lookup->LookUpWord(s(u"walked"));
    EXPECT_EQ(header().toStdString(), "walk+");
}

TEST_F(StemFiles, EmptyDictionaryFilesGiveNoLemmas)
{
    for (const char *name : {"hu_HU.aff", "hu_HU.dic"}) {
        QFile file(QDir(empty.path()).filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    WordForms forms(WordFormFiles{empty.path(), empty.path()});
    openFrom(QStringLiteral("Magyar"), {{s(u"apple"), s(u"alma")}}, &forms);
    lookup->LookUpWord(s(u"almát"));
    EXPECT_TRUE(items(0).isEmpty());
    EXPECT_EQ(items(1), QStringList{s(u"apple")});
}

TEST_F(StemFiles, PreloadedAnalyserIsTheOneUsed)
{
    WordForms forms;
    forms.preload(QStringLiteral("Magyar"));
    forms.preload(QStringLiteral("Magyar"));
    const LemmaAnalyser *loaded = forms.analyser(QStringLiteral("Magyar"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(forms.analyser(QStringLiteral("magyar")), loaded);
    EXPECT_EQ(forms.lemmas(QStringLiteral("Magyar"), s(u"lovat")).value(0).text, s(u"ló"));
}

// The default dictionaries, converted from the FreeDict files with the basic
// words as the build converts them, with the system's Hunspell and WordNet: list 1 names the
// word a reader means.
class DefaultDictionaries : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<QTemporaryDir>();
        for (const char *name : {"hun-eng", "eng-hun"}) {
            dictd::ConvertOptions options;
            const QString base = u"/usr/share/dictd/freedict-"_s + QLatin1String(name);
            options.indexPath = base + u".index"_s;
            options.dictPath = base + u".dict.dz"_s;
            if (!QFile::exists(options.indexPath) || !QFile::exists(options.dictPath))
                return;
            const bool english = QLatin1String(name) == u"eng-hun";
            options.outputPath =
                QDir(folder->path())
                    .filePath(english ? u"Angol_Magyar.DB"_s : u"Magyar_Angol.DB"_s);
            options.repairHungarianTarget = english;
            options.supplementPath =
                QStringLiteral(VELKOR_SOURCE_DIR "/resources/dictionaries/alapszavak.tsv");
            if (!dictd::convertDictd(options).ok())
                return;
        }
        converted = true;
    }
    static void TearDownTestSuite() { folder.reset(); }

    void SetUp() override
    {
        if (!converted)
            GTEST_SKIP() << "the FreeDict dictd files (dict-freedict-hun-eng, "
                            "dict-freedict-eng-hun) are not installed";
        if (!systemFilesPresent())
            GTEST_SKIP() << "the Hunspell and WordNet packages are not installed";
    }

    static inline std::unique_ptr<QTemporaryDir> folder;
    static inline bool converted = false;
};

struct DefaultCase {
    const char *name;
    const char *source; // "Magyar": the Hungarian–English dictionary
    QString word;
    QString named; // list 1's HeadText + TailText
};

void PrintTo(const DefaultCase &c, std::ostream *os)
{
    *os << c.name;
}

class DefaultChoice : public DefaultDictionaries,
                      public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultChoice, ListOneNamesTheMeantWord)
{
    const DefaultCase &c = GetParam();
    const bool hungarian = QLatin1String(c.source) == u"Magyar";
    store::Session session;
    store::Table table(session);
    table.setDatabaseName(folder->path());
    table.setTableName(hungarian ? u"Magyar_Angol.DB"_s : u"Angol_Magyar.DB"_s);
    store::Field *source = table.addField(hungarian ? u"Magyar"_s : u"Angol"_s);
    store::Field *target = table.addField(hungarian ? u"Angol"_s : u"Magyar"_s);
    table.setIndexFieldNames(source->fieldName());
    table.open();
    WordLookup lookup(table, *source, *target);
    lookup.setWordForms(&systemForms());
    EXPECT_EQ(lookup.LookUpWord(c.word).match, WordMatch::Found);
    const TTalalat &list = lookup.ResultLists()[0];
    EXPECT_EQ((list.HeadText + list.TailText).toStdString(), c.named.toStdString());
    EXPECT_GT(list.Count, 0);
}

INSTANTIATE_TEST_SUITE_P(
    FreeDict, DefaultChoice,
    ::testing::Values(
        DefaultCase{"Feladatok", "Magyar", s(u"feladatok"), s(u"feladat")},
        DefaultCase{"Alkalmazasok", "Magyar", s(u"alkalmazások"), s(u"alkalmazás")},
        DefaultCase{"Befejezte", "Magyar", s(u"befejezte"), s(u"befejez")},
        DefaultCase{"Feltoltotte", "Magyar", s(u"feltöltötte"), s(u"feltölt")},
        DefaultCase{"Atirta", "Magyar", s(u"átírta"), s(u"átír")},
        DefaultCase{"Kinyitotta", "Magyar", s(u"kinyitotta"), s(u"kinyit")},
        DefaultCase{"Osszeadta", "Magyar", s(u"összeadta"), s(u"összead")},
        DefaultCase{"Elolvasta", "Magyar", s(u"elolvasta"), s(u"elolvas")},
        DefaultCase{"Kivalasztotta", "Magyar", s(u"kiválasztotta"), s(u"kiválaszt")},
        DefaultCase{"Meghivta", "Magyar", s(u"meghívta"), s(u"meghív")},
        DefaultCase{"Elkezdte", "Magyar", s(u"elkezdte"), s(u"elkezd")},
        DefaultCase{"Levette", "Magyar", s(u"levette"), s(u"levesz")},
        DefaultCase{"Felvette", "Magyar", s(u"felvette"), s(u"felvesz")},
        DefaultCase{"Konyvtarszerkezet", "Magyar", s(u"könyvtárszerkezet"),
                    s(u"könyvtár + szerkezet")},
        DefaultCase{"AdatbazisKezelo", "Magyar", s(u"adatbázis-kezelőt"), s(u"adatbázis + kezelő")},
        DefaultCase{"CompoundPartWithEndings", "Magyar", s(u"állománynevet"), s(u"állomány + név")},
        DefaultCase{"LongerBeginningBeatsAWrongSplit", "Magyar", s(u"bájtok"), s(u"bájt")},
        DefaultCase{"DerivedFromAnIkVerb", "Magyar", s(u"megállapodási"), s(u"megállapodás")},
        DefaultCase{"ParticipleNotItsVerb", "Magyar", s(u"következőhöz"), s(u"következő")},
        DefaultCase{"PronounNotAnotherNoun", "Magyar", s(u"ebből"), s(u"ez")},
        DefaultCase{"PotentialNotAnotherVerb", "Magyar", s(u"érheti"), s(u"ér")},
        DefaultCase{"PastTenseNotTheNationality", "Magyar", s(u"lettek"), s(u"lesz")},
        DefaultCase{"PluralPossessive", "Angol", s(u"authors'"), s(u"author")},
        DefaultCase{"TypographicPossessive", "Angol", s(u"students’"), s(u"student")},
        DefaultCase{"IrregularPluralPossessive", "Angol", s(u"children's"), s(u"children")},
        DefaultCase{"MenPlural", "Angol", s(u"women"), s(u"woman")},
        DefaultCase{"IrregularPlural", "Angol", s(u"geese"), s(u"goose")},
        DefaultCase{"IrregularComparative", "Angol", s(u"worse"), s(u"bad")},
        DefaultCase{"ComparativeWithDoubledConsonant", "Angol", s(u"bigger"), s(u"big")},
        DefaultCase{"PluralNotCutToItsEnd", "Angol", s(u"programs"), s(u"program")},
        DefaultCase{"PastTenseNotAnotherVerb", "Angol", s(u"defined"), s(u"to define")}),
    [](const ::testing::TestParamInfo<DefaultCase> &info) { return std::string(info.param.name); });

} // namespace
