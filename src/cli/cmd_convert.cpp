#include "cli/cmd_convert.h"

#include "cli/command_parser.h"
#include "maintenance/dictd/dictd_converter.h"

#include <QFileInfo>
#include <QLocale>

namespace cli {
namespace {

const QString &usage()
{
    static const QString text = QStringLiteral(
        "szotar convert-dictd --index FÁJL.index --dict FÁJL.dict.dz "
        "--out KÖNYVTÁR/Elso_Masodik.DB [--repair-hungarian-target] [--supplement FÁJL.tsv] "
        "[--overwrite]");
    return text;
}

void printReport(const dictd::ConvertReport &report, const QString &outputPath, bool repair,
                 QTextStream &out)
{
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    const std::int64_t skipped = report.duplicatesSkipped + report.emptySkipped;
    out << QStringLiteral("Elkészült: %1 (%2 → %3)\n")
               .arg(QFileInfo(outputPath).absoluteFilePath(), report.sourceField,
                    report.targetField)
        << QStringLiteral("  adatállomány: %1\n").arg(report.dataDescription)
        << QStringLiteral("  szócikkek: %1 (kihagyott leíró szócikk: %2)\n")
               .arg(report.indexEntries - report.infoEntries)
               .arg(report.infoEntries)
        << QStringLiteral("  beolvasott párok: %1\n").arg(report.translations)
        << QStringLiteral("  beírt sorok: %1\n").arg(report.rowsWritten)
        << QStringLiteral("  kihagyott párok: %1 (ismétlődő: %2, üres oldalú: %3)\n")
               .arg(skipped)
               .arg(report.duplicatesSkipped)
               .arg(report.emptySkipped)
        << QStringLiteral("  levágott (50 karakternél hosszabb) szöveg: %1\n").arg(report.textsCut)
        << QStringLiteral("  rendhagyó alakjaitól különválasztott címszó: %1\n")
               .arg(report.headwordsSplit);
    if (repair)
        out << QStringLiteral("  javított (ô/û → ő/ű) fordítás: %1\n").arg(report.textsRepaired);
    if (report.supplementPairs > 0)
        out << QStringLiteral("  kiegészítő párok: %1 (beírt: %2)\n")
                   .arg(report.supplementPairs)
                   .arg(report.supplementWritten);
    out << QStringLiteral("  idő: %1 mp\n").arg(hungarian.toString(report.seconds, 'f', 2));
}

} // namespace

int runConvertDictd(const QStringList &arguments, CliIo &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "dictd szótár átalakítása szótártáblává. A címszavak a tábla első nyelvének mezőjébe, "
        "a fordítások (soronként egy) a második nyelvébe kerülnek, kisbetűsen, legfeljebb 50 "
        "karakteren; az üres és a már beírt párok kimaradnak."));
    const QCommandLineOption index(QStringLiteral("index"),
                                   QStringLiteral("A dictd indexállomány (.index)."),
                                   QStringLiteral("fájl"));
    const QCommandLineOption dict(
        QStringLiteral("dict"),
        QStringLiteral("A dictd adatállomány (.dict.dz, .dict.gz vagy tömörítetlen .dict)."),
        QStringLiteral("fájl"));
    const QCommandLineOption out(
        QStringLiteral("out"),
        QStringLiteral("A létrehozandó tábla, Elso_Masodik.DB alakú névvel (például "
                       "Angol_Magyar.DB); a két név a mezők neve."),
        QStringLiteral("fájl"));
    const QCommandLineOption repair(
        QStringLiteral("repair-hungarian-target"),
        QStringLiteral("A magyar fordítások latin-1 sérülésének javítása: ô, û, Ô, Û helyett "
                       "ő, ű, Ő, Ű."));
    const QCommandLineOption supplement(
        QStringLiteral("supplement"),
        QStringLiteral("Kiegészítő szólista (UTF-8, soronként egy tabulátorral elválasztott "
                       "pár, az első sorban a két oszlop nyelve): párjai a szótáréi után "
                       "kerülnek a táblába, a már benne lévők kivételével."),
        QStringLiteral("fájl"));
    const QCommandLineOption overwrite(QStringLiteral("overwrite"),
                                       QStringLiteral("Létező kimeneti tábla cseréje."));
    parser.addOptions({index, dict, out, repair, supplement, overwrite});
    if (const auto done = parseCommandArguments(parser, usage(), arguments, io))
        return *done;

    for (const QCommandLineOption &required : {index, dict, out}) {
        if (parser.value(required).isEmpty())
            return usageError(
                QStringLiteral("Hiányzik a --%1 kapcsoló.").arg(required.names().front()), usage(),
                io);
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("Fölösleges argumentum: %1").arg(parser.positionalArguments().front()),
            usage(), io);

    dictd::ConvertOptions options;
    options.indexPath = parser.value(index);
    options.dictPath = parser.value(dict);
    options.outputPath = parser.value(out);
    options.repairHungarianTarget = parser.isSet(repair);
    options.overwrite = parser.isSet(overwrite);
    options.supplementPath = parser.value(supplement);
    if (QFileInfo::exists(options.outputPath) && !options.overwrite) {
        io.err << QStringLiteral("Hiba: a kimeneti tábla már létezik: %1\n"
                                 "Cseréjéhez add meg az --overwrite kapcsolót.\n")
                      .arg(options.outputPath);
        return kExitFailure;
    }

    const auto report = dictd::convertDictd(options);
    if (!report)
        return reportError(io, report.error());
    printReport(report.value(), options.outputPath, options.repairHungarianTarget, io.out);
    return kExitOk;
}

} // namespace cli
