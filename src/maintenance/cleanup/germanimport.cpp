#include "maintenance/cleanup/germanimport.h"

#include "maintenance/cleanup/batchrun.h"
#include "maintenance/import/add_pair.h"
#include "maintenance/import/text_file_scan.h"
#include "maintenance/import/text_import.h"
#include "maintenance/import/text_line_reader.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/regularfile.h"
#include "platform/text/formatthousands.h"
#include "platform/text/textfunctions.h"
#include "store/engine/field.h"
#include "store/engine/messages.h"
#include "store/engine/table.h"
#include "store/maintenancebackup.h"

#include <QDir>
#include <QFile>

namespace cleanup {
namespace {

using platform::Failure;
using platform::Prompts;
using platform::Result;
using store::Table;

constexpr int kHungarianLimit = 1000;
constexpr int kProgressEvery = 100;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A space before "!" or "?" goes, in one pass from the front: after a
// deletion the pass goes on behind the mark, so of several spaces before a
// mark only the last goes.
QString dropSpacesBeforeMarks(const QString &line)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const bool mark = i + 1 < line.size() && (line[i + 1] == u'!' || line[i + 1] == u'?');
        if (line[i] == u' ' && mark) {
            out += line[i + 1];
            ++i;
        } else {
            out += line[i];
        }
    }
    return out;
}

} // namespace

QString TwoDigits(int n)
{
    const QString digits = QString::number(n);
    return digits.size() < 2 ? u'0' + digits : digits;
}

QString GermanWordListFolder()
{
    return paths::withSeparator(
        paths::fromWindowsPath(QStringLiteral("C:\\Vegyes\\Német-Magyar szótár\\")));
}

QStringList GermanWordListFiles()
{
    QStringList names;
    for (int series = 1; series <= 2; ++series) {
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
            names << QChar(letter) + TwoDigits(series) + QStringLiteral(".TXT");
    }
    return names;
}

GermanPair SplitGermanLine(QString line)
{
    line = dropSpacesBeforeMarks(line);
    const qsizetype p = line.indexOf(QStringLiteral("  ")) + 1; // 1-based, 0: none
    GermanPair pair;
    if (p > 0) {
        pair.german = TrimBlanks(QStringView(line).first(p));
        if (pair.german.startsWith(QStringLiteral("//")))
            pair.german = TrimBlanks(QStringView(pair.german).sliced(2));
    }
    const QStringView rest = QStringView(line).sliced(p > 0 ? p - 1 : 0);
    pair.hungarian = TrimBlanks(rest.first(std::min<qsizetype>(rest.size(), kHungarianLimit)));
    if (pair.hungarian.endsWith(QStringLiteral("//")))
        pair.hungarian.chop(2);
    return pair;
}

bool IsSkipMarker(QStringView firstLine)
{
    return TrimBlanksView(firstLine) == QStringLiteral("ééé");
}

Result<Outcome> ImportGermanWordLists(Table &table, const QString &sourceColumn,
                                      const QString &targetColumn, const QString &folder,
                                      const QString &dictionaryName, const Reporting &reporting)
{
    if (const auto writable = store::RequireWritable(table); !writable)
        return writable.failure();
    Prompts &prompts = reporting.prompts;
    if (prompts.askYesCancel(QStringLiteral("Feltöltöd a ") + dictionaryName +
                             QStringLiteral(" szótárat német szavakkal?")) != Prompts::kYes) {
        Outcome outcome;
        outcome.command = store::FileCommand::Cancelled;
        return outcome;
    }
    prompts.showBusy(QStringLiteral("Német szavak feltöltése folyamatban.\nVárj türelemmel..."));
    const auto fail = [&](const QString &message) -> Result<Outcome> {
        prompts.hideBusy();
        return Failure{message};
    };
    const QString addedStay =
        QStringLiteral("\nAz előző fájlokból és sorokból felvett szavak a szótárban maradtak.");
    Outcome outcome;
    dictimport::TextImportReport cut; // the lines read in part, for the warning
    try {
        store::Field *source = table.findField(sourceColumn);
        store::Field *target = table.findField(targetColumn);
        if (!source)
            throw store::messages::missingField(table.filePath(), sourceColumn);
        if (!target)
            throw store::messages::missingField(table.filePath(), targetColumn);
        dictimport::ImportTarget dictionary{table, *source, *target};
        table.setIndexFieldNames(sourceColumn);
        const QStringList files = GermanWordListFiles();
        detail::Batch batch(table);
        for (qsizetype index = 0; index < files.size(); ++index) {
            const QString path = QDir(folder).filePath(files[index]);
            reporting.report(index, files.size());
            if (const QString odd = platform::notRegularFileMessage(path); !odd.isEmpty()) {
                batch.finish();
                return fail(odd + addedStay);
            }
            QFile file(path);
            if (!file.exists()) {
                batch.finish();
                return fail(QStringLiteral("Nem található a német szólista:\n") + native(path) +
                            addedStay);
            }
            const auto unreadable = [&](const QString &reason) {
                batch.finish();
                return fail(QStringLiteral("Nem olvasható a német szólista:\n") + native(path) +
                            u'\n' + reason + addedStay);
            };
            if (!file.open(QIODevice::ReadOnly))
                return unreadable(file.errorString());
            QString error;
            const std::optional<dictimport::TextFileFacts> facts =
                dictimport::ScanTextFile(file, &error);
            if (!facts)
                return unreadable(error);
            // Streamed: memory stays at a piece and the longest line kept.
            dictimport::TextLineReader reader(file, facts->breaks);
            QByteArray bytes;
            for (bool first = true;; first = false) {
                const dictimport::TextLineReader::Next next = reader.next(bytes);
                if (next == dictimport::TextLineReader::Next::End)
                    break;
                if (next == dictimport::TextLineReader::Next::Failed)
                    return unreadable(reader.errorString());
                const QString line = dictimport::DecodeImportLine(bytes, facts->encoding);
                if (first && IsSkipMarker(line))
                    break;
                const GermanPair pair = SplitGermanLine(line);
                ++outcome.rows;
                if (outcome.rows % kProgressEvery == 0)
                    reporting.show(pair.german, FormatThousands(outcome.rows));
                if (dictimport::AddPairIfAbsent(dictionary, pair.german, pair.hungarian,
                                                qint32(outcome.rows)) ==
                    dictimport::AddOutcome::Added)
                    ++outcome.changed;
            }
            cut.linesCut += reader.linesCut();
            cut.linesCutAtCr += reader.linesCutAtCr();
        }
        reporting.report(files.size(), files.size());
        batch.finish();
    } catch (const store::EngineError &error) {
        return fail(detail::interrupted(error, false));
    }
    prompts.finishBusy(QStringLiteral("Feltöltés kész"));
    if (const QString warnings = dictimport::ImportWarnings(cut); !warnings.isEmpty())
        prompts.info(warnings);
    return outcome;
}

} // namespace cleanup
