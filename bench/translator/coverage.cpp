// How many running words of a real text reach the entry of their own lemma in
// the match list, or are themselves an entry, with and without the word-form
// stage. Texts are plain files or gettext catalogues (.mo, their
// translations); lemmas as Hunspell and WordNet give them judge a shortened
// or lemma match.
//
// translator_coverage DICTIONARY.DB (--forward | --reverse) FILE...
#include "store/dictionaryname.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "translator/wordforms.h"
#include "translator/wordlookup.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

// The translations of a GNU .mo catalogue.
QStringList moTranslations(const QByteArray &data)
{
    const auto word = [&](qsizetype at, bool swap) -> quint32 {
        if (at < 0 || at + 4 > data.size())
            return 0;
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v |= quint32(quint8(data[at + i])) << (swap ? 8 * (3 - i) : 8 * i);
        return v;
    };
    const bool swap = word(0, false) != 0x950412deU;
    if (word(0, swap) != 0x950412deU)
        return {};
    const quint32 count = word(8, swap);
    const quint32 table = word(16, swap);
    QStringList texts;
    for (quint32 i = 1; i < count; ++i) { // entry 0 is the header
        const quint32 length = word(table + 8 * i, swap);
        const quint32 offset = word(table + 8 * i + 4, swap);
        if (qsizetype(offset) + qsizetype(length) > data.size())
            break;
        texts << QString::fromUtf8(data.mid(offset, length)).replace(QChar(0), u' ');
    }
    return texts;
}

QStringList runningWords(const QString &text)
{
    // printf formats, escapes, accelerator marks and command-line options.
    static const QRegularExpression kFormats(
        QStringLiteral("%[-+ #0-9.*]*[a-zA-Z]|\\\\[nt]|[_&]|(?<![\\w])--?[\\w-]+"));
    static const QRegularExpression kWord(QStringLiteral("\\p{L}+(?:['’]\\p{L}+)*"));
    QString plain = text;
    plain.replace(kFormats, QStringLiteral(" "));
    QStringList words;
    for (auto it = kWord.globalMatch(plain); it.hasNext();) {
        const QString word = it.next().captured();
        // Acronyms are no running words, nor are single letters (option
        // letters, list marks) other than the article.
        if (word.size() > 1 && word == word.toUpper())
            continue;
        if (word.size() == 1 && word.compare(u"a", Qt::CaseInsensitive) != 0)
            continue;
        words << word;
    }
    return words;
}

struct Tally {
    qint64 words = 0;
    qint64 covered = 0;
    double percent() const { return words ? 100.0 * double(covered) / double(words) : 0; }
};

bool covered(translator::WordLookup &lookup, translator::WordForms &forms, const QString &language,
             const QString &word)
{
    const translator::LookupOutcome outcome = lookup.LookUpWord(word);
    if (outcome.match == translator::WordMatch::Exact)
        return true;
    const translator::TTalalat &list = lookup.ResultLists()[0];
    if (list.Count == 0 || list.HeadText.isEmpty())
        return false;
    const QString form =
        list.HeadText == translator::kInfinitiveMarker ? list.TailText : list.HeadText;
    for (const translator::Lemma &lemma : forms.lemmas(language, outcome.word)) {
        if (lemma.text == form)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    if (args.size() < 3 || (args[1] != u"--forward" && args[1] != u"--reverse")) {
        out << "translator_coverage DICTIONARY.DB (--forward | --reverse) FILE...\n";
        return 2;
    }
    const QFileInfo file(args[0]);
    const auto [first, second] = SplitDictionaryName(file.fileName());
    const bool reverse = args[1] == u"--reverse";
    const QString language = reverse ? second : first;

    QStringList words;
    for (const QString &path : args.mid(2)) {
        QFile text(path);
        if (!text.open(QIODevice::ReadOnly)) {
            out << "nem olvasható: " << path << '\n';
            return 1;
        }
        const QByteArray data = text.readAll();
        const QStringList parts =
            path.endsWith(u".mo") ? moTranslations(data) : QStringList{QString::fromUtf8(data)};
        for (const QString &part : parts)
            words << runningWords(part);
    }

    store::Session session;
    store::Table table(session);
    table.setDatabaseName(file.absolutePath());
    table.setTableName(file.fileName());
    store::Field *source = table.addField(language);
    store::Field *target = table.addField(reverse ? first : second);
    table.setIndexFieldNames(language);
    table.open();
    translator::WordForms forms;
    translator::WordLookup lookup(table, *source, *target);
    lookup.setWordForms(&forms);

    // Whether the dictionary holds the word or one of its lemmas at all.
    const auto reachable = [&](const QString &word) {
        const QString w = word.toLower();
        QStringList keys{w};
        for (const translator::Lemma &lemma : forms.lemmas(language, w))
            keys << lemma.text;
        for (const QString &key : keys) {
            for (const QString &candidate : {key, translator::kInfinitiveMarker + key}) {
                if (candidate.size() <= 50 &&
                    table.locate(language, candidate, store::LocateOption::CaseInsensitive))
                    return true;
            }
        }
        return false;
    };

    Tally off, on, held;
    QHash<QString, int> missed;
    for (const QString &word : words) {
        ++held.words;
        held.covered += reachable(word) ? 1 : 0;
        lookup.setStemming(false);
        ++off.words;
        off.covered += covered(lookup, forms, language, word) ? 1 : 0;
        lookup.setStemming(true);
        ++on.words;
        if (covered(lookup, forms, language, word))
            ++on.covered;
        else
            ++missed[word.toLower()];
    }
    out << language << ": " << words.size() << " running words\n"
        << QStringLiteral("  without word forms: %1%\n").arg(off.percent(), 0, 'f', 1)
        << QStringLiteral("  with word forms:    %1%\n").arg(on.percent(), 0, 'f', 1)
        << QStringLiteral("  held by the dictionary (the word or a lemma is an entry): %1%\n")
               .arg(held.percent(), 0, 'f', 1);
    QList<QPair<int, QString>> worst;
    for (auto it = missed.begin(); it != missed.end(); ++it)
        worst.append({it.value(), it.key()});
    std::sort(worst.begin(), worst.end(), std::greater<>());
    out << "  most missed:";
    for (qsizetype i = 0; i < std::min<qsizetype>(25, worst.size()); ++i)
        out << ' ' << worst[i].second << '(' << worst[i].first << ')';
    out << '\n';
    return 0;
}
