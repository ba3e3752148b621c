#include "maintenance/import/text_import.h"

#include "maintenance/import/known_pairs.h"
#include "maintenance/import/text_file_scan.h"
#include "maintenance/import/text_line_reader.h"
#include "platform/codepage.h"
#include "platform/fileaccess.h"
#include "platform/prompts.h"
#include "platform/regularfile.h"
#include "platform/text/textfunctions.h"
#include "platform/textencoding.h"
#include "store/engine/engine_error.h"
#include "store/engine/field.h"
#include "store/engine/table.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace dictimport {

namespace {

constexpr qsizetype kTargetLimit = 1000;
constexpr qint64 kProgressEvery = 1024; // lines

const QString kImportIndex = QString::fromUtf16(kImportIndexName);

bool hasIndex(store::Table &table, const QString &name)
{
    const QStringList names = table.indexNames();
    return std::any_of(names.begin(), names.end(), [&](const QString &index) {
        return index.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QString notText(const QString &path)
{
    return QStringLiteral("A fájl nem szövegfájl (bináris adatot tartalmaz), ezért nem tölthető "
                          "be: %1")
        .arg(path);
}

QString cannotOpen(const QString &path, const QString &reason)
{
    return QStringLiteral("A fájl nem nyitható meg olvasásra: %1\n%2").arg(path, reason);
}

struct ReadState {
    ImportTarget &dictionary;
    TextLineReader &reader;
    platform::TextEncoding encoding;
    qint64 total;
    const platform::Progress &progress;
    const platform::ProgressLines &lines;
    TextImportReport &report;
    KnownPairs &known;
};

// The line loop; the posts are grouped into batches, and every batch that
// was posted before a failure is committed.
std::optional<QString> readLines(ReadState &state, const QString &path)
{
    TextImportReport &report = state.report;
    store::Table &table = state.dictionary.table;
    std::optional<QString> failure;
    table.disableControls();
    try {
        QByteArray bytes;
        for (;;) {
            const TextLineReader::Next next = state.reader.next(bytes);
            if (next == TextLineReader::Next::End)
                break;
            if (next == TextLineReader::Next::Failed) {
                failure =
                    QStringLiteral("Hiba a fájl olvasása közben (%1. sor): %2\n%3")
                        .arg(QString::number(report.lines + 1), path, state.reader.errorString());
                break;
            }
            if (bytes.contains('\0')) {
                // The file changed since it was looked at: no text is made of it.
                failure =
                    notText(path) + QStringLiteral("\nA %1. sor előtti párok a szótárban maradtak.")
                                        .arg(report.lines + 1);
                break;
            }
            ++report.lines;
            const QString text = DecodeImportLine(bytes, state.encoding);
            const auto pair = SplitImportLine(text);
            if (!pair) {
                ++report.skipped;
            } else {
                switch (AddPairIfAbsent(state.dictionary, pair->source, pair->target,
                                        qint32(report.lines), state.lines, &state.known)) {
                case AddOutcome::Added:
                    ++report.added;
                    break;
                case AddOutcome::Present:
                    ++report.present;
                    break;
                case AddOutcome::EmptySide:
                    ++report.skipped;
                    break;
                }
            }
            if (state.progress && report.lines % kProgressEvery == 0)
                state.progress(state.reader.bytesRead(), state.total);
        }
    } catch (const store::EngineError &error) {
        failure = QStringLiteral("A feltöltés megszakadt a fájl %1. soránál:\n%2")
                      .arg(QString::number(report.lines), error.message());
    }
    try {
        table.enableControls();
    } catch (const store::EngineError &error) {
        if (!failure)
            failure = error.message();
    }
    report.linesCut = state.reader.linesCut();
    report.linesCutAtCr = state.reader.linesCutAtCr();
    return failure;
}

} // namespace

QString DecodeImportLine(QByteArrayView bytes, platform::TextEncoding encoding)
{
    if (encoding == platform::TextEncoding::Windows1250)
        return cp1250::decode(bytes);
    // An accent written as a letter of its own would make a second pair
    // that looks like the first and is written back as "?".
    return QString::fromUtf8(bytes).normalized(QString::NormalizationForm_C);
}

QString ImportWarnings(const TextImportReport &report)
{
    QStringList warnings;
    if (report.linesCut > 0)
        warnings << QStringLiteral("%1 sor hosszabb volt %2 bájtnál; ezeknek csak az eleje "
                                   "került feldolgozásra.")
                        .arg(report.linesCut)
                        .arg(TextLineReader::kMaxLineBytes);
    if (report.linesCutAtCr > 0)
        warnings << QStringLiteral("%1 sorban egy magában álló CR (kocsivissza) után is volt "
                                   "szöveg; a sornak csak a CR előtti része került "
                                   "feldolgozásra.")
                        .arg(report.linesCutAtCr);
    return warnings.join(u'\n');
}

std::optional<LinePair> SplitImportLine(QStringView line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0)
        return std::nullopt;
    return LinePair{LowerHungarian(TrimBlanksView(line.first(tab))),
                    LowerHungarian(TrimBlanksView(line.sliced(tab + 1).left(kTargetLimit)))};
}

platform::Result<TextImportReport> ImportTextFile(ImportTarget dictionary, const QString &path,
                                                  platform::Prompts &prompts,
                                                  const platform::Progress &progress,
                                                  const platform::ProgressLines &lines)
{
    return ImportTextFile(dictionary, path, prompts, progress, lines,
                          platform::FileAccess::system());
}

platform::Result<TextImportReport> ImportTextFile(ImportTarget dictionary, const QString &path,
                                                  platform::Prompts &prompts,
                                                  const platform::Progress &progress,
                                                  const platform::ProgressLines &lines,
                                                  const platform::FileAccess &files)
{
    using platform::Failure;
    store::Table &table = dictionary.table;
    // --- Refusals, before anything changes.
    if (!QFileInfo::exists(path))
        return Failure{QStringLiteral("A fájl nem található: %1").arg(path)};
    if (const QString problem = platform::notRegularFileMessage(path); !problem.isEmpty())
        return Failure{problem};
    if (!table.isOpen())
        return Failure{QStringLiteral("Nincs megnyitott szótár")};
    if (table.isReadOnly())
        return Failure{QStringLiteral("A szótár csak olvasható, ezért nem tölthető fel: %1")
                           .arg(table.filePath())};
    TextFileFacts facts;
    qint64 total = 0;
    {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly))
            return Failure{cannotOpen(path, probe.errorString())};
        QString error;
        const std::optional<TextFileFacts> scanned = ScanTextFile(probe, &error);
        if (!scanned)
            return Failure{QStringLiteral("Hiba a fájl olvasása közben: %1\n%2").arg(path, error)};
        facts = *scanned;
        total = probe.size();
    }
    if (facts.binary)
        return Failure{notText(path)};
    const platform::TextEncoding encoding = facts.encoding;
    const std::unique_ptr<QIODevice> device = files.openForReading(path);
    if (!device->isOpen())
        return Failure{cannotOpen(path, device->errorString())};
    TextLineReader reader(*device, facts.breaks);
    const QByteArray &head = reader.peek();
    if (head.isEmpty() && !reader.errorString().isEmpty())
        return Failure{
            QStringLiteral("Hiba a fájl olvasása közben: %1\n%2").arg(path, reader.errorString())};
    if (head.contains('\0'))
        return Failure{notText(path)};

    // --- The import proper.
    prompts.showBusy(QStringLiteral("Feltöltés folyamatban.\nVárj türelemmel..."));
    const QString from = dictionary.source.fieldName();
    const QString to = dictionary.target.fieldName();
    TextImportReport report;
    report.utf8 = encoding != platform::TextEncoding::Windows1250;
    std::optional<QString> failure;
    try {
        // An index over both columns, left by an interrupted import of an
        // earlier version, would only slow every insert down.
        if (hasIndex(table, kImportIndex)) {
            table.close();
            table.deleteIndex(kImportIndex);
            table.open();
        }
        table.setIndexFieldNames(from);
        // The duplicate test searches the table only for pairs it may hold.
        KnownPairs known = KnownPairs::read(table, from, to);
        ReadState state{dictionary, reader, encoding, total, progress, lines, report, known};
        failure = readLines(state, path);
    } catch (const store::EngineError &error) {
        failure = error.message();
    }
    // --- Clean-up, whatever happened above: the table open in source order.
    try {
        if (!table.isOpen())
            table.open();
        table.setIndexFieldNames(from);
    } catch (const store::EngineError &error) {
        if (!failure)
            failure = error.message();
    }
    if (failure) {
        prompts.hideBusy();
        return Failure{*failure};
    }
    if (progress)
        progress(total, total);
    prompts.finishBusy(QStringLiteral("Feltöltés kész"));
    return report;
}

} // namespace dictimport
