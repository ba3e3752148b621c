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

#include <algorithm>

namespace dictimport {

namespace {

constexpr qsizetype kFlushBytes = 1024 * 1024;
constexpr qint64 kLinesEvery = 1000;

// Thrown from the row walk when the file takes no more bytes.
struct WriteFailed {};

// The rows go into a buffer written out a megabyte at a time. A row never
// takes more bytes than its UTF-8 texts and the separators: a Windows-1250
// byte stands for a whole UTF-8 sequence.
class RowBuffer {
public:
    explicit RowBuffer(QIODevice &device)
        : m_device(device), m_bytes(kFlushBytes, Qt::Uninitialized)
    {}

    // Makes room for bytes more; false when the file takes no more.
    bool reserve(qsizetype bytes)
    {
        if (m_used + bytes <= m_bytes.size())
            return true;
        if (!flush())
            return false;
        if (bytes > m_bytes.size())
            m_bytes.resize(bytes);
        return true;
    }
    // Writes out the rows so far; false when the file takes no more.
    bool flush()
    {
        if (m_used > 0 && m_device.write(m_bytes.constData(), m_used) != m_used)
            return false;
        m_used = 0;
        return true;
    }
    char *end() { return m_bytes.data() + m_used; }
    void grow(char *to) { m_used = to - m_bytes.constData(); }

private:
    QIODevice &m_device;
    QByteArray m_bytes;
    qsizetype m_used = 0;
};

// Writes the Windows-1250 bytes of a stored UTF-8 text at out, decoded in
// place (the engine stores valid UTF-8), and returns the end; whole is
// cleared when a character had no byte and became "?".
char *appendCp1250(char *out, QByteArrayView utf8, bool &whole)
{
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            *out++ = char(lead);
            ++p;
            continue;
        }
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        char32_t codePoint = lead & (0x3F >> extra);
        ++p;
        for (int k = 0; k < extra && p < end; ++k, ++p)
            codePoint = (codePoint << 6) | (*p & 0x3F);
        const int byte = cp1250::byteFor(codePoint);
        whole = whole && byte >= 0;
        *out++ = byte >= 0 ? char(byte) : '?';
    }
    return out;
}

// As appendCp1250 into the buffer, leaving room for the two bytes of a
// separator after it; a text with a letter Windows-1250 lacks is tried again
// in composed form (NFC), so that "e" with a combining accent, stored by an
// older import, is written as "é" rather than "e?". False when the file
// takes no more.
bool appendStoredText(RowBuffer &buffer, QByteArrayView utf8, bool &whole)
{
    if (!buffer.reserve(utf8.size() + 2))
        return false;
    char *start = buffer.end();
    bool encoded = true;
    char *end = appendCp1250(start, utf8, encoded);
    if (encoded) {
        buffer.grow(end);
        return true;
    }
    const QString composed = QString::fromUtf8(utf8).normalized(QString::NormalizationForm_C);
    const QByteArray bytes = cp1250::encode(composed);
    whole = whole && cp1250::canEncode(composed);
    if (!buffer.reserve(bytes.size() + 2))
        return false;
    start = buffer.end();
    buffer.grow(std::copy(bytes.begin(), bytes.end(), start));
    return true;
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
    RowBuffer buffer(*device);
    try {
        table.clearIndexName();
        // Counting a million rows costs a tenth of the export: only for a bar.
        const qint64 total = progress ? table.recordCount() : 0;
        table.scanTexts(QStringList{dictionary.source.fieldName(), dictionary.target.fieldName()},
                        [&](std::span<const QByteArrayView> texts) {
                            bool whole = true;
                            if (!appendStoredText(buffer, texts[0], whole))
                                throw WriteFailed{};
                            char *tab = buffer.end();
                            *tab = '\t';
                            buffer.grow(tab + 1);
                            if (!appendStoredText(buffer, texts[1], whole))
                                throw WriteFailed{};
                            char *lineEnd = buffer.end();
                            lineEnd[0] = '\r';
                            lineEnd[1] = '\n';
                            buffer.grow(lineEnd + 2);
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
                        });
        if (!buffer.flush())
            throw WriteFailed{};
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
