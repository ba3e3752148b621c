#include "maintenance/cleanup/cleanups.h"

#include "maintenance/cleanup/batchrun.h"
#include "maintenance/cleanup/dosaccents.h"
#include "platform/prompts.h"
#include "platform/text/formatthousands.h"
#include "platform/text/textfunctions.h"
#include "store/engine/field.h"
#include "store/engine/table.h"
#include "store/maintenancebackup.h"

namespace cleanup {
namespace {

using detail::NaturalFields;
using platform::Failure;
using platform::Prompts;
using platform::Result;
using store::Table;

constexpr int kProgressEvery = 100;

// The frame of every clean-up once its question is answered: the busy
// notice (when busyText is not empty), the caller's preparation, the write
// check on the table as it is then, the backup, the work, and the closing
// message; on a failure the notice goes and the message is returned.
template <typename Work>
Result<Outcome> run(Table &table, const Reporting &reporting, const QString &busyText,
                    const QString &doneText, Work work)
{
    Prompts &prompts = reporting.prompts;
    const bool busy = !busyText.isEmpty();
    const auto fail = [&](const QString &message) -> Result<Outcome> {
        if (busy)
            prompts.hideBusy();
        return Failure{message};
    };
    if (busy)
        prompts.showBusy(busyText);
    std::unique_ptr<store::PendingBackup> backup;
    try {
        if (reporting.beforeWork)
            reporting.beforeWork();
        if (const auto writable = store::RequireWritable(table); !writable)
            return fail(writable.error());
        const auto lock = store::LockForMaintenance(table);
        if (!lock)
            return fail(lock.error());
        auto saved = store::BackUpBeforeChange(table);
        if (!saved)
            return fail(saved.error());
        backup = std::move(*saved);
        Outcome outcome = work();
        // A run that changed nothing keeps the backup of the run before,
        // which may be the only way back from it.
        if (outcome.changed > 0 || outcome.deleted > 0) {
            if (const auto kept = store::KeepBackup(*backup); !kept)
                return fail(kept.error());
        }
        if (busy)
            prompts.finishBusy(doneText);
        return outcome;
    } catch (const store::EngineError &error) {
        if (!backup)
            return fail(error.message());
        // Batches committed before the failure stay: they can be undone.
        const auto kept = store::KeepBackup(*backup);
        return fail(detail::interrupted(error, kept.ok()) +
                    (kept ? QString() : u'\n' + kept.error()));
    }
}

Result<Outcome> declined()
{
    Outcome outcome;
    outcome.command = store::FileCommand::Cancelled;
    return outcome;
}

// Whether second holds an entry word -> meaning, letter case counting. The
// search starts at the first row equal to word in any letter case and goes
// through every such row, so an exact entry after a differently written one
// is found too.
bool holdsEntry(Table &second, const NaturalFields &fields, const QString &word,
                const QString &meaning)
{
    if (!second.locate(fields.sourceName, word, store::LocateOption::CaseInsensitive))
        return false;
    while (!second.eof()) {
        const QString source = fields.source->asString();
        if (source.compare(word, Qt::CaseInsensitive) != 0)
            return false;
        if (source == word && fields.target->asString() == meaning)
            return true;
        second.next();
    }
    return false;
}

} // namespace

Result<Outcome> RemoveToPrefixes(Table &main, Table &second, const Reporting &reporting)
{
    if (const auto writable = store::RequireWritable(main); !writable)
        return writable.failure();
    if (reporting.prompts.askYesCancel(QStringLiteral("Biztosan törlöd to-kat?")) != Prompts::kYes)
        return declined();
    return run(main, reporting, QStringLiteral("to törlése folyamatban.\nVárj türelemmel..."),
               QStringLiteral("to törlése kész"), [&] {
                   const NaturalFields fields = detail::naturalFields(main);
                   second.open();
                   const NaturalFields other = detail::naturalFields(second);
                   struct Closer {
                       Table &table;
                       ~Closer()
                       {
                           try {
                               table.close();
                           } catch (const store::EngineError &) {
                               // The batch of main reports the write failure.
                           }
                       }
                   } closer{second};
                   main.setIndexFieldNames(fields.sourceName);
                   second.setIndexFieldNames(other.sourceName);
                   Outcome outcome;
                   const qint64 total = main.recordCount();
                   detail::Batch batch(main);
                   main.first();
                   while (!main.eof()) {
                       ++outcome.rows;
                       if (outcome.rows % kProgressEvery == 0) {
                           reporting.show(QString(), FormatThousands(outcome.rows));
                           reporting.report(outcome.rows, total);
                       }
                       const QString text = TrimBlanks(fields.source->asString());
                       if (!text.startsWith(QStringLiteral("to "))) {
                           main.next();
                           continue;
                       }
                       const QString word = TrimBlanks(QStringView(text).mid(3, 1000));
                       if (word.contains(u' ')) {
                           main.next();
                           continue;
                       }
                       const QString meaning = TrimBlanks(fields.target->asString());
                       if (holdsEntry(second, other, word, meaning)) {
                           main.remove();
                           ++outcome.deleted;
                       } else {
                           second.gotoCurrent(main);
                           main.next();
                           second.edit();
                           other.source->setAsString(word);
                           second.post();
                           ++outcome.changed;
                       }
                   }
                   batch.finish();
                   second.close();
                   return outcome;
               });
}

Result<Outcome> RemoveLoneLetters(Table &table, const Reporting &reporting)
{
    if (const auto writable = store::RequireWritable(table); !writable)
        return writable.failure();
    return run(table, reporting, QString(), QString(), [&] {
        const NaturalFields fields = detail::naturalFields(table);
        table.setIndexFieldNames(fields.sourceName);
        Outcome outcome;
        detail::Batch batch(table);
        for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
            const QString alone(QChar{letter});
            for (const QString &meaning : {alone, alone + QStringLiteral(" (betű)")}) {
                if (!table.locate(fields.sourceName, alone, store::LocateOption::CaseInsensitive))
                    continue;
                // Through every row equal to the letter in any letter case:
                // a capital row sorted first must not hide the small ones.
                while (!table.eof() &&
                       fields.source->asString().compare(alone, Qt::CaseInsensitive) == 0) {
                    ++outcome.rows;
                    if (fields.source->asString() == alone &&
                        fields.target->asString() == meaning) {
                        table.remove();
                        ++outcome.deleted;
                    } else {
                        table.next();
                    }
                }
            }
            reporting.report(letter - u'a' + 1, 26);
        }
        batch.finish();
        return outcome;
    });
}

Result<Outcome> ConvertDosAccents(Table &table, const Reporting &reporting)
{
    if (const auto writable = store::RequireWritable(table); !writable)
        return writable.failure();
    if (reporting.prompts.askYesNo(QStringLiteral("Biztos elindítod a DOS ékezet konvertálást?")) !=
        Prompts::kYes)
        return declined();
    return run(table, reporting, QStringLiteral("Konvertálás folyamatban.\nVárj türelemmel..."),
               QStringLiteral("Konvertálás kész"), [&] {
                   const NaturalFields fields = detail::naturalFields(table);
                   Outcome outcome;
                   detail::Batch batch(table);
                   const qint64 rows = table.recordCount();
                   int pass = 0;
                   for (store::Field *field : {fields.source, fields.target}) {
                       const QString total =
                           QString::number(table.recordCount()) + (pass == 0 ? u'A' : u'M');
                       table.clearIndexName();
                       table.first();
                       qint64 n = 0;
                       while (!table.eof()) {
                           const QString text = field->asString();
                           const QString converted = DosToWindowsAccents(text);
                           // A row whose text stays the same is not written:
                           // the result is the same, the run much shorter.
                           if (converted != text) {
                               table.edit();
                               field->setAsString(converted);
                               table.post();
                               ++outcome.changed;
                           }
                           ++n;
                           if (n % kProgressEvery == 0) {
                               reporting.show(QString::number(n) + u'/' + total, QString());
                               reporting.report(pass * rows + n, 2 * rows);
                           }
                           table.next();
                       }
                       outcome.rows += n;
                       ++pass;
                   }
                   batch.finish();
                   return outcome;
               });
}

} // namespace cleanup
