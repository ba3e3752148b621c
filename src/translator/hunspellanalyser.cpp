#include "translator/hunspellanalyser.h"

#include "translator/stemranking.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <hunspell/hunspell.hxx>

#include <algorithm>
#include <string_view>

namespace translator {
namespace {

// Longer words are no dictionary entries, and Hunspell's work grows with them.
constexpr qsizetype kLongestWord = 50;

struct Reading {
    QList<Lemma> stems;
    Compound parts; // of a compound
    int tags = 0;   // inflectional tags: fewer is a plainer reading
};

// Whether a derivational field ("ds:Ás_PROCESS/RESULT_noun") makes a noun or
// an adjective whose stem a longer beginning of the word may be. Verbs made
// from verbs are left out ("mentet" would find "mente" in "mentettem"), and
// so are participles, spelt like the past tense ("várt" in "vártam").
bool derivesNameWord(const QString &field)
{
    return (field.endsWith(u"_noun") || field.endsWith(u"_adj")) && !field.contains(u"PASTPART");
}

// The analysis without its derivational fields (" ds:..."): its stem is then
// the one before the suffix, which Hunspell finds without generating words.
std::string withoutDerivations(const std::string &analysis)
{
    std::string plain;
    plain.reserve(analysis.size());
    std::size_t at = 0;
    while (at <= analysis.size()) {
        const std::size_t end = std::min(analysis.find(' ', at), analysis.size());
        if (analysis.compare(at, 3, "ds:") != 0) {
            if (at > 0)
                plain.push_back(' ');
            plain.append(analysis, at, end - at);
        }
        at = end + 1;
    }
    return plain;
}

// How far the affix rules reach into a stem: a stem is the word with at most
// prefixStrip characters put back before and suffixStrip after a piece of
// the word (or of a compound's part). Unbounded when a rule changes the word
// otherwise: input conversions of the words, ignored characters, compound
// checks that try other spellings.
struct AffixReach {
    bool bounded = true;
    bool utf8 = false;
    qsizetype prefixStrip = 0;
    qsizetype suffixStrip = 0;
};

AffixReach affixReach(const QByteArray &aff, const QList<QByteArray> &words)
{
    AffixReach reach;
    bool twofold = false;
    for (const QByteArray &line : aff.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const QByteArray &key = fields.front();
        if (key == "SET") {
            reach.utf8 = fields.size() > 1 && fields[1].toUpper() == "UTF-8";
        } else if (key == "IGNORE" || key == "CHECKCOMPOUNDREP" || key == "CHECKCOMPOUNDPATTERN" ||
                   key == "SIMPLIFIEDTRIPLE" || key == "CHECKSHARPS") {
            reach.bounded = false;
        } else if (key == "ICONV" && fields.size() > 2) {
            // A conversion the words do not hold changes nothing.
            for (const QByteArray &word : words)
                reach.bounded = reach.bounded && !word.contains(fields[1]);
        } else if ((key == "PFX" || key == "SFX") && fields.size() >= 4) {
            // A rule "SFX flag strip append condition"; the heading
            // "SFX flag Y count" only adds a character to the bound.
            const QByteArray &strip = fields[2];
            const qsizetype length = strip == "0" ? 0 : QString::fromUtf8(strip).size();
            qsizetype &bound = key == "PFX" ? reach.prefixStrip : reach.suffixStrip;
            bound = std::max(bound, length);
            twofold = twofold || fields[3].contains('/');
        }
    }
    // Affixes that take further affixes strip twice.
    if (twofold) {
        reach.prefixStrip *= 2;
        reach.suffixStrip *= 2;
    }
    return reach;
}

// Skips count characters from the front or the back of text.
std::string_view dropCharacters(std::string_view text, qsizetype count, bool fromBack, bool utf8)
{
    const auto continuation = [&](char c) { return utf8 && (uchar(c) & 0xC0) == 0x80; };
    for (; count > 0 && !text.empty(); --count) {
        if (fromBack) {
            text.remove_suffix(1);
            while (!text.empty() && continuation(text.back()))
                text.remove_suffix(1);
        } else {
            text.remove_prefix(1);
            while (!text.empty() && continuation(text.front()))
                text.remove_prefix(1);
        }
    }
    return text;
}

// The lines of the dictionary file dic whose entry may be a stem of one of
// the lower-cased ASCII words: what is left of the entry without the
// characters the affix rules may strip is a piece of a word. A line that is
// no plain entry is kept.
QByteArray reachableEntries(const QByteArray &dic, const QList<QByteArray> &words,
                            const AffixReach &reach)
{
    QByteArray kept;
    qsizetype count = 0;
    qsizetype at = dic.indexOf('\n');
    if (at < 0)
        return dic;
    std::string lower;
    while (at < dic.size()) {
        const qsizetype begin = at + 1;
        qsizetype end = dic.indexOf('\n', begin);
        if (end < 0)
            end = dic.size();
        at = end;
        const std::string_view line(dic.constData() + begin, std::size_t(end - begin));
        const std::size_t wordEnd = std::min(line.find_first_of("/\t \r"), line.size());
        bool keep = wordEnd == 0 || line.substr(0, wordEnd).find('\\') != std::string_view::npos;
        if (!keep) {
            lower.assign(line.substr(0, wordEnd));
            for (char &c : lower) {
                if (c >= 'A' && c <= 'Z')
                    c = char(c - 'A' + 'a');
            }
            std::string_view core = dropCharacters(lower, reach.prefixStrip, false, reach.utf8);
            core = dropCharacters(core, reach.suffixStrip, true, reach.utf8);
            keep =
                core.empty() || std::any_of(words.begin(), words.end(), [&](const QByteArray &w) {
                    return std::string_view(w.constData(), std::size_t(w.size())).find(core) !=
                           std::string_view::npos;
                });
        }
        if (keep) {
            kept.append(line.data(), qsizetype(line.size())).append('\n');
            ++count;
        }
    }
    return QByteArray::number(std::max<qsizetype>(count, 1)) + '\n' + kept;
}

// The dictionary narrowed to the entries the words may reach, in a scratch
// file that lives as long as the result; null when the affix rules give no
// bound, a word is not plain ASCII, or a file cannot be read or written.
std::unique_ptr<QTemporaryFile> narrowedDictionary(const QString &affPath, const QString &dicPath,
                                                   const QStringList &onlyWords)
{
    QList<QByteArray> words;
    for (const QString &word : onlyWords) {
        if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.unicode() > 0x7F; }))
            return nullptr;
        words << word.toLower().toLatin1();
    }
    QFile aff(affPath);
    QFile dic(dicPath);
    if (!aff.open(QIODevice::ReadOnly) || !dic.open(QIODevice::ReadOnly))
        return nullptr;
    const AffixReach reach = affixReach(aff.readAll(), words);
    if (!reach.bounded)
        return nullptr;
    auto narrowed = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                     QStringLiteral("/velkor-szotar-XXXXXX.dic"));
    const QByteArray entries = reachableEntries(dic.readAll(), words, reach);
    if (!narrowed->open() || narrowed->write(entries) != entries.size() || !narrowed->flush())
        return nullptr;
    return narrowed;
}

} // namespace

std::unique_ptr<HunspellAnalyser>
HunspellAnalyser::open(const QString &affPath, const QString &dicPath, const QString &verbFlags,
                       const QStringList &verbalPrefixes, const QStringList &onlyWords)
{
    if (!QFileInfo(affPath).isFile() || !QFileInfo(dicPath).isFile())
        return nullptr;
    // Hunspell reads the whole file in its constructor.
    const std::unique_ptr<QTemporaryFile> narrowed =
        onlyWords.isEmpty() ? nullptr : narrowedDictionary(affPath, dicPath, onlyWords);
    const QString entries = narrowed ? narrowed->fileName() : dicPath;
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(),
                                               QFile::encodeName(entries).constData());
    const QString encoding = QString::fromStdString(hunspell->get_dict_encoding()).toUpper();
    bool utf8 = encoding == u"UTF-8";
    if (!utf8 && encoding != u"ISO8859-1" && encoding != u"ISO-8859-1")
        return nullptr;
    return std::unique_ptr<HunspellAnalyser>(
        new HunspellAnalyser(std::move(hunspell), utf8, verbFlags, verbalPrefixes));
}

HunspellAnalyser::HunspellAnalyser(std::unique_ptr<Hunspell> hunspell, bool utf8, QString verbFlags,
                                   QStringList verbalPrefixes)
    : m_hunspell(std::move(hunspell)), m_utf8(utf8), m_verbFlags(std::move(verbFlags)),
      m_verbalPrefixes(std::move(verbalPrefixes))
{}

HunspellAnalyser::~HunspellAnalyser() = default;

std::string HunspellAnalyser::encode(const QString &text) const
{
    return m_utf8 ? text.toStdString() : text.toLatin1().toStdString();
}

QString HunspellAnalyser::decode(const std::string &text) const
{
    return m_utf8 ? QString::fromStdString(text)
                  : QString::fromLatin1(text.data(), qsizetype(text.size()));
}

WordAnalysis HunspellAnalyser::readings(const QString &word) const
{
    std::vector<Reading> readings;
    for (const std::string &analysis : m_hunspell->analyze(encode(word))) {
        Reading reading;
        QString root;
        bool verbForm = false;
        bool derived = false;
        // Fields are " name:value"; "pa:" starts a part of a compound, and
        // the first stem is the first part's. A part with a derivation has
        // the stem before it, which is not the part's.
        bool partDerived = false;
        const auto endPart = [&] {
            if (partDerived && !reading.parts.isEmpty())
                reading.parts.back().stem.clear();
            partDerived = false;
        };
        for (const QString &field : decode(analysis).split(u' ', Qt::SkipEmptyParts)) {
            const QString value = field.mid(3).toLower();
            if (field.startsWith(u"st:")) {
                if (root.isEmpty())
                    root = value;
                if (!reading.parts.isEmpty() && reading.parts.back().stem.isEmpty())
                    reading.parts.back().stem = value;
            } else if (field.startsWith(u"pa:")) {
                endPart();
                reading.parts.append(CompoundPart{value, QString()});
            } else if (field.startsWith(u"is:")) {
                ++reading.tags;
            } else if (field.startsWith(u"ds:")) {
                derived = derivesNameWord(field); // the last one makes the word
                partDerived = true;
            } else if (field.startsWith(u"fl:") && !m_verbFlags.isEmpty()) {
                verbForm = std::any_of(field.begin() + 3, field.end(),
                                       [&](QChar c) { return m_verbFlags.contains(c); });
            }
        }
        endPart();
        const bool compound = reading.parts.size() > 1;
        if (!compound)
            reading.parts.clear();
        for (const std::string &stem :
             m_hunspell->stem(std::vector<std::string>{withoutDerivations(analysis)}))
            addLemma(reading.stems, Lemma{decode(stem).toLower(), verbForm, derived});
        if (!compound && !root.isEmpty())
            addLemma(reading.stems, Lemma{root, verbForm, derived});
        if (!reading.stems.isEmpty() || compound)
            readings.push_back(reading);
    }
    std::stable_sort(readings.begin(), readings.end(),
                     [](const Reading &a, const Reading &b) { return a.tags < b.tags; });
    WordAnalysis found;
    for (const Reading &reading : readings) {
        for (const Lemma &stem : reading.stems)
            addLemma(found.lemmas, stem);
        if (!reading.parts.isEmpty() && !found.compounds.contains(reading.parts))
            found.compounds << reading.parts;
    }
    rankStems(word.toLower(), found.lemmas, m_verbalPrefixes);
    std::stable_sort(found.compounds.begin(), found.compounds.end(),
                     [](const Compound &a, const Compound &b) { return a.size() < b.size(); });
    return found;
}

bool HunspellAnalyser::knows(const QString &word) const
{
    if (word.isEmpty() || word.size() > kLongestWord)
        return false;
    if (!m_utf8 &&
        std::any_of(word.begin(), word.end(), [](QChar c) { return c.unicode() > 0xFF; }))
        return false;
    return m_hunspell->spell(encode(word));
}

WordAnalysis HunspellAnalyser::analyse(const QString &word) const
{
    if (word.isEmpty() || word.size() > kLongestWord || word.contains(u' '))
        return {};
    if (!m_utf8) {
        for (QChar c : word) {
            if (c.unicode() > 0xFF)
                return {};
        }
    }
    WordAnalysis found = readings(word);
    // Names are known only with their capital: "magyarországon".
    if (found.lemmas.isEmpty() && found.compounds.isEmpty() && word.front().isLower())
        found = readings(word.front().toUpper() + word.mid(1));
    return found;
}

} // namespace translator
