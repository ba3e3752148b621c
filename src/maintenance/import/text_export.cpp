#include "maintenance/import/text_export.h"

#include "platform/codepage.h"
#include "platform/fileaccess.h"
#include "platform/prompts.h"
#include "platform/regularfile.h"
#include "platform/text/formatthousands.h"
#include "platform/text/textfunctions.h"
#include "platform/writefailure.h"
#include "store/engine/engine_error.h"
#include "store/engine/field.h"
#include "store/engine/table.h"

#include <QFileInfo>
#include <QIODevice>

namespace dictimport {

namespace {

constexpr qsizetype kFlushBytes = 1024 * 1024;
constexpr qint64 kLinesEvery = 1000;

// Thrown from the row walk when the file takes no more bytes.
struct WriteFailed {};

// Appends the Windows-1250 bytes of a stored UTF-8 text, decoded in place
// (the engine stores valid UTF-8); false when a character had no byte and
// became "?".
bool appendCp1250(QByteArray &out, QByteArrayView utf8)
{
    bool whole = true;
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            const auto *run = p;
            while (p < end && *p < 0x80)
                ++p;
            out.append(reinterpret_cast<const char *>(run), p - run);
            continue;
        }
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        char32_t codePoint = lead & (0x3F >> extra);
        ++p;
        for (int k = 0; k < extra && p < end; ++k, ++p)
            codePoint = (codePoint << 6) | (*p & 0x3F);
        const int byte = cp1250::byteFor(codePoint);
        whole = whole && byte >= 0;
        out.append(byte >= 0 ? char(byte) : '?');
    }
    return whole;
}

// As appendCp1250; a text with a letter Windows-1250 lacks is tried again
// in composed form (NFC), so that "e" with a combining accent, stored by an
// older import, is written as "é" rather than "e?".
bool appendStoredText(QByteArray &out, QByteArrayView utf8)
{
    const qsizetype start = out.size();
    if (appendCp1250(out, utf8))
        return true;
    const QString composed = QString::fromUtf8(utf8).normalized(QString::NormalizationForm_C);
    out.truncate(start);
    out.append(cp1250::encode(composed));
    return cp1250::canEncode(composed);
}

} // namespace

QString ExportFileName(const QString &chosen)
{
    if (chosen.toLower().endsWith(QStringLiteral(".txt")))
        return chosen;
    return chosen + QStringLiteral(".txt");
}

platform::Result<TextExportReport> ExportTextFile(ImportTarget dictionary, const QString &chosen,
                                                  bool chosenConfirmed, platform::Prompts &prompts,
                                                  const platform::Progress &progress,
                                                  const platform::ProgressLines &lines)
{
    return ExportTextFile(dictionary, chosen, chosenConfirmed, prompts, progress, lines,
                          platform::FileAccess::system());
}

platform::Result<TextExportReport> ExportTextFile(ImportTarget dictionary, const QString &chosen,
                                                  bool chosenConfirmed, platform::Prompts &prompts,
                                                  const platform::Progress &progress,
                                                  const platform::ProgressLines &lines,
                                                  const platform::FileAccess &files)
{
    using platform::Failure;
    store::Table &table = dictionary.table;
    TextExportReport report;
    report.path = ExportFileName(chosen);
    if (!table.isOpen())
        return Failure{QStringLiteral("Nincs megnyitott szótár")};
    if (const QString problem = platform::notRegularFileMessage(report.path); !problem.isEmpty())
        return Failure{problem};
    if (QFileInfo::exists(report.path) && !(chosenConfirmed && report.path == chosen)) {
        const QString question = WithArticle(QFileInfo(report.path).fileName()) +
                                 QStringLiteral(" fájl már létezik.\nFelülírod?");
        if (prompts.askYesNo(question) != platform::Prompts::kYes) {
            report.declined = true;
            return report;
        }
    }
    prompts.showBusy(QStringLiteral("Mentés folyamatban.\nVárj türelemmel..."));
    const std::unique_ptr<QIODevice> device = files.openForReplacing(report.path);
    if (!device->isOpen()) {
        prompts.hideBusy();
        return Failure{QStringLiteral("A fájl nem hozható létre: %1\n%2")
                           .arg(report.path,
                                platform::cannotCreateReason(report.path, device->errorString()))};
    }
    const QString writeFailure = QStringLiteral("A fájl nem írható: %1\n%2");
    QByteArray buffer;
    buffer.reserve(kFlushBytes + 4096);
    const auto flush = [&] {
        if (!buffer.isEmpty() && device->write(buffer) != buffer.size())
            throw WriteFailed{};
        buffer.clear();
    };
    try {
        table.clearIndexName();
        // Counting a million rows costs a tenth of the export: only for a bar.
        const qint64 total = progress ? table.recordCount() : 0;
        table.scanTexts(QStringList{dictionary.source.fieldName(), dictionary.target.fieldName()},
                        [&](std::span<const QByteArrayView> texts) {
                            bool whole = appendStoredText(buffer, texts[0]);
                            buffer.append('\t');
                            whole = appendStoredText(buffer, texts[1]) && whole;
                            buffer.append("\r\n", 2);
                            if (!whole)
                                ++report.rowsWithLoss;
                            ++report.rows;
                            if (report.rows % kLinesEvery == 0) {
                                if (lines)
                                    lines(QString::fromUtf8(texts[0]),
                                          FormatThousands(report.rows));
                                if (progress)
                                    progress(report.rows, total);
                            }
                            if (buffer.size() >= kFlushBytes)
                                flush();
                        });
        flush();
        table.last();
    } catch (const WriteFailed &) {
        files.discard(*device);
        prompts.hideBusy();
        return Failure{writeFailure.arg(
            report.path, platform::cannotWriteReason(report.path, device->errorString()))};
    } catch (const store::EngineError &error) {
        files.discard(*device);
        prompts.hideBusy();
        return Failure{error.message()};
    }
    if (!files.commit(*device)) {
        prompts.hideBusy();
        return Failure{writeFailure.arg(
            report.path, platform::cannotWriteReason(report.path, device->errorString()))};
    }
    if (progress)
        progress(report.rows, report.rows);
    prompts.finishBusy(QStringLiteral("Mentés kész"));
    return report;
}

} // namespace dictimport
