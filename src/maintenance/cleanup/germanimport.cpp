#include "maintenance/cleanup/germanimport.h"

#include "maintenance/cleanup/batchrun.h"
#include "maintenance/import/add_pair.h"
#include "platform/fileaccess.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/regularfile.h"
#include "platform/text/formatthousands.h"
#include "platform/text/textfunctions.h"
#include "platform/textencoding.h"
#include "store/engine/field.h"
#include "store/engine/messages.h"
#include "store/engine/table.h"
#include "store/maintenancebackup.h"

#include <QDir>
#include <QFile>

namespace cleanup {
namespace {

using platform::Prompts;
using store::Failure;
using store::Result;
using store::Table;

constexpr int kHungarianLimit = 1000;
constexpr int kProgressEvery = 100;
// Word lists are a few hundred kilobytes; a file beyond this is no word list.
constexpr qint64 kFileLimit = qint64(256) * 1024 * 1024;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The lines of a whole file: LF, CR LF and a lone CR end a line, byte 26
// ends the file; a last line without a break counts, an empty tail after
// the last break does not.
template <typename Visit> void forEachLine(QByteArrayView bytes, Visit visit)
{
    if (const qsizetype end = bytes.indexOf('\x1a'); end >= 0)
        bytes = bytes.first(end);
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (!visit(bytes.sliced(pos, end - pos)))
            return;
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') {
            ++pos;
            if (pos < bytes.size() && bytes[pos] == '\n')
                ++pos;
        } else if (pos < bytes.size()) {
            ++pos; // LF
        }
    }
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
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == u' ' && (line[i + 1] == u'!' || line[i + 1] == u'?'))
            line.remove(i, 1); // the mark is at i now; the loop goes on behind it
    }
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
            std::optional<QByteArray> bytes;
            if (file.open(QIODevice::ReadOnly))
                bytes = platform::readAtMost(file, kFileLimit);
            if (!bytes) {
                batch.finish();
                return fail(QStringLiteral("Nem olvasható a német szólista:\n") + native(path) +
                            u'\n' + file.errorString() + addedStay);
            }
            if (bytes->size() > kFileLimit) {
                batch.finish();
                return fail(QStringLiteral("A német szólista túl nagy (256 MB fölött), ez nem "
                                           "szólista:\n") +
                            native(path) + addedStay);
            }
            platform::TextEncoding encoding = platform::DetectTextEncoding(*bytes);
            QByteArrayView content(*bytes);
            if (encoding == platform::TextEncoding::Utf8WithBom) {
                content = content.sliced(platform::kUtf8Bom.size());
                encoding = platform::TextEncoding::Utf8;
            }
            bool first = true;
            forEachLine(content, [&](QByteArrayView bytesOfLine) {
                const QString line = platform::DecodeText(bytesOfLine, encoding);
                if (first && IsSkipMarker(line))
                    return false;
                first = false;
                const GermanPair pair = SplitGermanLine(line);
                ++outcome.rows;
                if (outcome.rows % kProgressEvery == 0)
                    reporting.show(pair.german, FormatThousands(outcome.rows));
                if (dictimport::AddPairIfAbsent(dictionary, pair.german, pair.hungarian,
                                                qint32(outcome.rows)) ==
                    dictimport::AddOutcome::Added)
                    ++outcome.changed;
                return true;
            });
        }
        reporting.report(files.size(), files.size());
        batch.finish();
    } catch (const store::EngineError &error) {
        return fail(detail::interrupted(error, false));
    }
    prompts.finishBusy(QStringLiteral("Feltöltés kész"));
    return outcome;
}

} // namespace cleanup
