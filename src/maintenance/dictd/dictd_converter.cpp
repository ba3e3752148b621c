#include "maintenance/dictd/dictd_converter.h"

#include "maintenance/dictd/dictd_reader.h"
#include "maintenance/dictd/hungarian_repair.h"
#include "maintenance/dictd/irregular_headword.h"
#include "maintenance/dictd/stored_text.h"
#include "maintenance/dictd/supplement.h"
#include "maintenance/dictd/table_file_name.h"
#include "maintenance/dictd/work_folder.h"
#include "maintenance/import/pair_writer.h"
#include "platform/text/textfunctions.h"
#include "store/dictionaryformat.h"
#include "store/dictionaryloader.h"
#include "store/engine/engine_error.h"
#include "store/engine/table_install.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace dictd {
namespace {

using PairList = std::vector<std::pair<QString, QString>>;

// Counts and writes the pairs of the supplement list.
void addSupplement(const PairList &pairs, dictimport::PairWriter &writer, ConvertReport &report)
{
    for (const auto &[first, second] : pairs) {
        ++report.supplementPairs;
        if (TrimBlanksView(first).size() > store::kTextFieldSize)
            ++report.textsCut;
        if (TrimBlanksView(second).size() > store::kTextFieldSize)
            ++report.textsCut;
        switch (writer.add(storedText(first, false), storedText(second, false))) {
        case dictimport::PairWriter::Outcome::Written:
            ++report.rowsWritten;
            ++report.supplementWritten;
            break;
        case dictimport::PairWriter::Outcome::Duplicate:
            ++report.duplicatesSkipped;
            break;
        case dictimport::PairWriter::Outcome::EmptySide:
            ++report.emptySkipped;
            break;
        }
    }
}

// Counts and writes the pairs of one entry.
void addEntry(const DictdEntry &entry, bool repair, dictimport::PairWriter &writer,
              ConvertReport &report)
{
    if (TrimBlanksView(entry.headword).size() > store::kTextFieldSize)
        ++report.textsCut;
    const QString source = storedText(WithoutIrregularForms(entry.headword, report), false);
    for (const QString &translation : entry.translations) {
        ++report.translations;
        if (TrimBlanksView(translation).size() > store::kTextFieldSize)
            ++report.textsCut;
        if (repair && hasLatin1Damage(translation))
            ++report.textsRepaired;
        switch (writer.add(source, storedText(translation, repair))) {
        case dictimport::PairWriter::Outcome::Written:
            ++report.rowsWritten;
            break;
        case dictimport::PairWriter::Outcome::Duplicate:
            ++report.duplicatesSkipped;
            break;
        case dictimport::PairWriter::Outcome::EmptySide:
            ++report.emptySkipped;
            break;
        }
    }
}

// Builds the table in directory; the reader is walked once, and the pairs
// go to the table as they come.
Status buildTable(const QString &directory, const QString &fileName,
                  const TableLanguages &languages, bool repair, DictdReader &reader,
                  const PairList &supplement, ConvertReport &report)
{
    store::DictionaryLoader loader(QDir(directory).filePath(fileName), languages.first,
                                   languages.second);
    {
        // Free dictionaries give two or three translations an entry.
        dictimport::PairWriter writer(loader,
                                      4 * reader.indexSize() + std::int64_t(supplement.size()));
        const Status walked = reader.forEachEntry(
            [&](const DictdEntry &entry) { addEntry(entry, repair, writer, report); });
        if (!walked)
            return walked.failure();
        addSupplement(supplement, writer, report);
    }
    loader.finish();
    return Done{};
}

// Moves every file of the finished table from the work folder into the
// output folder, the table file itself last; the table is installed by the
// store, which also clears a journal left beside the old table.
Status moveIntoPlace(const QDir &work, const QDir &output, const QString &tableFile)
{
    QStringList names = work.entryList(QDir::Files | QDir::Hidden);
    for (const QString &own :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        names.removeAll(tableFile + own);
    for (const QString &name : names) {
        const QByteArray from = QFile::encodeName(work.filePath(name));
        const QByteArray to = QFile::encodeName(output.filePath(name));
        // rename() replaces an existing target in one step.
        if (std::rename(from.constData(), to.constData()) != 0)
            return Failure{QStringLiteral("Az elkészült tábla nem helyezhető a helyére: %1")
                               .arg(output.filePath(name))};
    }
    try {
        store::installTableFile(work.filePath(tableFile), output.filePath(tableFile));
    } catch (const store::EngineError &error) {
        return Failure{error.message()};
    }
    return Done{};
}

} // namespace

Result<ConvertReport> convertDictd(const ConvertOptions &options)
{
    QElapsedTimer timer;
    timer.start();

    const QFileInfo output(options.outputPath);
    const auto languages = languagesOfTableFile(output.fileName());
    if (!languages)
        return Failure{QStringLiteral("A kimeneti állomány neve „Elso_Masodik.DB” alakú legyen, "
                                      "a két nyelv nevével (például Angol_Magyar.DB): %1")
                           .arg(options.outputPath)};
    const QDir outputDir = output.absoluteDir();
    if (!outputDir.exists())
        return Failure{QStringLiteral("A kimeneti könyvtár nem létezik: %1").arg(outputDir.path())};
    if (output.exists() && !options.overwrite)
        return Failure{
            QStringLiteral("A kimeneti állomány már létezik: %1").arg(output.absoluteFilePath())};

    auto reader = DictdReader::open(options.indexPath, options.dictPath);
    if (!reader)
        return reader.failure();
    PairList supplement;
    if (!options.supplementPath.isEmpty()) {
        auto read = readSupplement(options.supplementPath, languages->first, languages->second);
        if (!read)
            return read.failure();
        supplement = std::move(read.value());
    }

    ConvertReport report;
    report.sourceField = languages->first;
    report.targetField = languages->second;
    report.dataDescription = reader->dataDescription();
    report.indexEntries = reader->indexSize();

    // Work folders of killed conversions would pile up here otherwise.
    removeStaleWorkFolders(outputDir);
    QTemporaryDir work(workFolderTemplate(outputDir));
    if (!work.isValid())
        return Failure{QStringLiteral("Nem hozható létre munkakönyvtár itt: %1 (%2)")
                           .arg(outputDir.path(), work.errorString())};
    try {
        const Status built =
            buildTable(work.path(), output.fileName(), *languages, options.repairHungarianTarget,
                       reader.value(), supplement, report);
        if (!built)
            return built.failure();
    } catch (const store::EngineError &error) {
        return Failure{QStringLiteral("A szótártábla nem írható: %1: %2")
                           .arg(output.absoluteFilePath(), error.message())};
    }
    const Status moved = moveIntoPlace(QDir(work.path()), outputDir, output.fileName());
    if (!moved)
        return moved.failure();
    report.infoEntries = reader->infoEntries();
    report.seconds = double(timer.nsecsElapsed()) / 1e9;
    return report;
}

} // namespace dictd
