// The word-form stage of the lookup: lemmas from Hunspell and WordNet tried
// before the shortening pass, the switch that turns it off, and the lookup
// without the analysers' files.
#include "lookup_fixture.h"
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
        createDictionary();
        table = makeTable();
        table->setIndexFieldNames(language);
        table->open();
        addAll(*table, rows);
        const QString other =
            language == u"Angol" ? QStringLiteral("Magyar") : QStringLiteral("Angol");
        lookup = std::make_unique<WordLookup>(*table, *table->findField(language),
                                              *table->findField(other));
        lookup->setWordForms(forms);
    }

    QString header() const
    {
        const TTalalat &list = lookup->ResultLists()[0];
        return list.HeadText + u'+' + list.TailText;
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

} // namespace
