#include "cli/cmd_lookup.h"

#include "cli/command_parser.h"
#include "cli/dictionary_argument.h"
#include "store/dictionaryname.h"
#include "store/engine/table.h"
#include "translator/wordforms.h"
#include "translator/wordlookup.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>

namespace cli {
namespace {

const QString &usage()
{
    static const QString text = QStringLiteral(
        "szotar lookup --dict FÁJL.DB [--reverse] [--json] [--no-stem] [--] [SZÓ...]");
    return text;
}

QString outcomeName(translator::WordMatch match)
{
    switch (match) {
    case translator::WordMatch::Exact:
        return QStringLiteral("exact");
    case translator::WordMatch::Found:
        return QStringLiteral("found");
    case translator::WordMatch::None:
        break;
    }
    return QStringLiteral("none");
}

QString outcomeText(translator::WordMatch match)
{
    switch (match) {
    case translator::WordMatch::Exact:
        return QStringLiteral("pontos találat");
    case translator::WordMatch::Found:
        return QStringLiteral("közelítő találat");
    case translator::WordMatch::None:
        break;
    }
    return QStringLiteral("nincs találat");
}

QJsonObject listJson(const translator::TTalalat &list)
{
    // A header is shown only above lines; without one its colours mean nothing.
    const bool header = list.Count > 0 && !list.HeadText.isEmpty();
    QJsonArray items;
    for (int i = 0; i < list.Count; ++i)
        items.append(list.Items[std::size_t(i)]);
    return QJsonObject{
        {QStringLiteral("head"), header ? list.HeadText : QString()},
        {QStringLiteral("tail"), header ? list.TailText : QString()},
        {QStringLiteral("headColor"), header ? QJsonValue(qint64(list.HeadColor)) : QJsonValue()},
        {QStringLiteral("tailColor"), header ? QJsonValue(qint64(list.TailColor)) : QJsonValue()},
        {QStringLiteral("items"), items},
    };
}

void printJson(const QString &word, const translator::LookupOutcome &outcome,
               const translator::TResultLists &lists, QTextStream &out)
{
    const QJsonObject object{
        {QStringLiteral("word"), word},
        {QStringLiteral("lookupWord"), outcome.word},
        {QStringLiteral("outcome"), outcomeName(outcome.match)},
        {QStringLiteral("colour"), qint64(outcome.colour)},
        {QStringLiteral("list1"), listJson(lists[0])},
        {QStringLiteral("list2"), listJson(lists[1])},
    };
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << u'\n';
}

void printText(const QString &word, const translator::LookupOutcome &outcome,
               const translator::TResultLists &lists, QTextStream &out)
{
    out << QStringLiteral("„%1”: %2 (szín: %3)\n")
               .arg(word, outcomeText(outcome.match))
               .arg(outcome.colour);
    for (std::size_t index = 0; index < lists.size(); ++index) {
        const translator::TTalalat &list = lists[index];
        if (list.Count == 0)
            continue;
        out << QStringLiteral("  %1. lista").arg(index + 1);
        if (list.HeadText.isEmpty()) {
            out << QStringLiteral(", fejléc nélkül\n");
        } else {
            out << QStringLiteral(": „%1” (%2) + „%3” (%4)\n")
                       .arg(list.HeadText)
                       .arg(list.HeadColor)
                       .arg(list.TailText)
                       .arg(list.TailColor);
        }
        for (int i = 0; i < list.Count; ++i)
            out << QStringLiteral("    ") << list.Items[std::size_t(i)] << u'\n';
    }
}

} // namespace

int runLookup(const QStringList &arguments, CliIo &io)
{
    QTextStream input(stdin);
    return runLookup(arguments, io, input);
}

int runLookup(const QStringList &arguments, CliIo &io, QTextStream &input)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Szavak keresése egy szótárban úgy, ahogy a fordító ablaka keres: pontos egyezés "
        "(a „to ” előtaggal is), szótő, rövidítés és kiegészítés. Minden szóra kiírja az eredmény "
        "minőségét a szómező színével, majd a két találati listát a fejlécükkel. A „--” "
        "utáni minden argumentum szó; szavak nélkül a szabványos bemenetről olvas, soronként "
        "egyet."));
    const QCommandLineOption dict(QStringLiteral("dict"),
                                  QStringLiteral("A szótártábla (Első_Második.DB)."),
                                  QStringLiteral("fájl"));
    const QCommandLineOption reverse(
        QStringLiteral("reverse"),
        QStringLiteral("A második nyelvről az elsőre keres (alapból az elsőről a másodikra)."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Szavanként egy JSON objektum egy sorban."));
    const QCommandLineOption noStem(
        QStringLiteral("no-stem"),
        QStringLiteral("Szótőelemzés nélkül keres (a szóalakok szótövét nem próbálja)."));
    parser.addOptions({dict, reverse, json, noStem});
    parser.addPositionalArgument(QStringLiteral("szó"), QStringLiteral("A keresett szavak."),
                                 QStringLiteral("[SZÓ...]"));
    if (const auto done = parseCommandArguments(parser, usage(), arguments, io))
        return *done;
    if (!parser.isSet(dict))
        return usageError(QStringLiteral("Hiányzik a szótár (--dict)."), usage(), io);

    const QFileInfo file(parser.value(dict));
    if (!file.exists() || !file.isFile()) {
        io.err << QStringLiteral("Hiba: a szótár nem található: %1\n").arg(parser.value(dict));
        return kExitFailure;
    }
    const auto [first, second] = SplitDictionaryName(file.fileName());
    if (!IsDictionaryName(file.fileName()) || first.isEmpty() || second.isEmpty()) {
        io.err << QStringLiteral("Hiba: a szótár neve nem „Első_Második.DB” alakú: %1\n")
                      .arg(file.fileName());
        return kExitFailure;
    }
    const QString sourceName = parser.isSet(reverse) ? second : first;
    const QString targetName = parser.isSet(reverse) ? first : second;

    const QStringList words = parser.positionalArguments();
    const bool fromInput = words.isEmpty();
    return withDictionary(io, [&](store::Session &, store::Table &table) {
        table.setDatabaseName(file.absolutePath());
        table.setTableName(file.fileName());
        store::Field *source = table.addField(sourceName);
        store::Field *target = table.addField(targetName);
        // Rows of one source text must be adjacent for the lookup.
        table.setIndexFieldNames(sourceName);
        table.open();
        translator::WordForms forms;
        translator::WordLookup lookup(table, *source, *target);
        lookup.setWordForms(&forms);
        lookup.setStemming(!parser.isSet(noStem));
        const auto lookUp = [&](const QString &word) {
            const auto outcome = lookup.LookUpWord(word);
            if (parser.isSet(json))
                printJson(word, outcome, lookup.ResultLists(), io.out);
            else
                printText(word, outcome, lookup.ResultLists(), io.out);
        };
        if (fromInput) {
            QString line;
            while (input.readLineInto(&line))
                lookUp(line);
        } else {
            for (const QString &word : words)
                lookUp(word);
        }
        io.out.flush();
        return kExitOk;
    });
}

} // namespace cli
