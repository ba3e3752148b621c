// The maintenance buttons that fill the open dictionary from a text file and
// write it to one: thin callers of maintenance/import.
#include "app/frmszotarqiv.h"

#include "dialogs/questions.h"
#include "dialogs/safefiledialog.h"
#include "dialogs/widgetprompts.h"
#include "maintenance/import/text_export.h"
#include "maintenance/import/text_import.h"
#include "maintenance/import/text_line_reader.h"
#include "store/dm1.h"
#include "store/engine/engine_error.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

// Paints the panel's two progress lines: every text is set, but the labels
// are repainted at most every kRepaintMs, so that painting costs little.
class PanelProgressLines final {
public:
    explicit PanelProgressLines(QWidget *panel)
        : m_text(panel->findChild<QLabel *>(QStringLiteral("Label2"))),
          m_counter(panel->findChild<QLabel *>(QStringLiteral("Label3")))
    {
        m_sincePaint.start();
    }
    ~PanelProgressLines() { paint(); } // the texts stay after the operation

    PanelProgressLines(const PanelProgressLines &) = delete;
    PanelProgressLines &operator=(const PanelProgressLines &) = delete;

    platform::ProgressLines callback()
    {
        return [this](const QString &text, const QString &counter) {
            if (m_text)
                m_text->setText(text);
            if (m_counter)
                m_counter->setText(counter);
            if (m_sincePaint.elapsed() >= kRepaintMs)
                paint();
        };
    }

private:
    static constexpr qint64 kRepaintMs = 50;

    void paint()
    {
        if (m_text)
            m_text->repaint();
        if (m_counter)
            m_counter->repaint();
        m_sincePaint.restart();
    }

    QLabel *m_text;
    QLabel *m_counter;
    QElapsedTimer m_sincePaint;
};

const QString kTextFilter = QStringLiteral("Szövegfájlok (*.txt)");

} // namespace

void TfrmSzotarQIV::buildTextFileButtons()
{
    auto *feltolt = new QPushButton(QStringLiteral("Feltöltés textfájlból"), pnlKarb);
    feltolt->setObjectName(QStringLiteral("bbtnFeltTxtbol"));
    feltolt->setGeometry(8, 48, 241, 25);
    connect(feltolt, &QPushButton::clicked, this, &TfrmSzotarQIV::bbtnFeltTxtbolClick);
    auto *ment = new QPushButton(QStringLiteral("Mentés textfájlba"), pnlKarb);
    ment->setObjectName(QStringLiteral("bbtnMentTextbe"));
    ment->setGeometry(8, 80, 241, 25);
    connect(ment, &QPushButton::clicked, this, &TfrmSzotarQIV::bbtnMentTextbeClick);
}

QString TfrmSzotarQIV::chooseImportFile(const QString &directory, const QString &fileName)
{
    if (m_dictionaryFileChooser)
        return m_dictionaryFileChooser(directory, fileName);
    // od2, shared with the dictionary opening, under its text-file filter.
    SafeFileDialog od2(this);
    od2.setObjectName(QStringLiteral("od2"));
    const QStringList filters{kTextFilter, QStringLiteral("dBase fájlok (*.db *.DB)"),
                              QStringLiteral("Minden fájl (*)")};
    od2.setNameFilters(filters);
    od2.selectNameFilter(filters[0]);
    od2.setDirectory(directory);
    od2.selectFile(fileName);
    od2.setFileMode(QFileDialog::ExistingFile);
    if (od2.exec() != QDialog::Accepted || od2.selectedFiles().isEmpty())
        return QString();
    return od2.selectedFiles().front();
}

QString TfrmSzotarQIV::chooseExportFile(const QString &directory, const QString &fileName)
{
    if (m_textSaveChooser)
        return m_textSaveChooser(directory, fileName);
    SafeFileDialog sd2(this);
    sd2.setObjectName(QStringLiteral("sd2"));
    // The export asks about an existing file itself, in the program's own
    // question dialog, about the name it really writes (".txt" appended).
    sd2.setOption(QFileDialog::DontConfirmOverwrite);
    sd2.setAcceptMode(QFileDialog::AcceptSave);
    sd2.setNameFilters({kTextFilter});
    sd2.setDirectory(directory);
    if (!fileName.isEmpty())
        sd2.selectFile(fileName);
    if (sd2.exec() != QDialog::Accepted || sd2.selectedFiles().isEmpty())
        return QString();
    return sd2.selectedFiles().front();
}

void TfrmSzotarQIV::bbtnFeltTxtbolClick()
{
    if (!requireOpenDictionary())
        return;
    const QString file =
        chooseImportFile(m_state.DatabaseDir, QFileInfo(m_state.DictionaryFile).fileName());
    if (file.isEmpty())
        return;
    WidgetPrompts prompts;
    PanelProgressLines lines(pnlKarb);
    try {
        const auto imported = dictimport::ImportTextFile(
            {DM1->tblSzotarP, *DM1->tblSzotarPAngol, *DM1->tblSzotarPMagyar}, file, prompts, {},
            lines.callback());
        if (!imported)
            ShowInfo(imported.error());
        else if (const QString warnings = dictimport::ImportWarnings(*imported);
                 !warnings.isEmpty())
            ShowInfo(warnings);
    } catch (const store::EngineError &error) {
        prompts.hideBusy();
        ShowInfo(error.message());
    }
}

void TfrmSzotarQIV::bbtnMentTextbeClick()
{
    if (!requireOpenDictionary())
        return;
    WidgetPrompts prompts;
    PanelProgressLines lines(pnlKarb);
    try {
        // "Nem" to replacing an existing file goes back to the save dialog,
        // on the name just chosen, to pick another.
        QString folder = m_state.DatabaseDir;
        QString name;
        platform::Result<dictimport::TextExportReport> exported = dictimport::TextExportReport{};
        do {
            const QString file = chooseExportFile(folder, name);
            if (file.isEmpty())
                return;
            folder = QFileInfo(file).path();
            name = QFileInfo(file).fileName();
            exported = dictimport::ExportTextFile(
                {DM1->tblSzotarP, *DM1->tblSzotarPAngol, *DM1->tblSzotarPMagyar}, file, false,
                prompts, {}, lines.callback());
        } while (exported && exported->declined);
        if (!exported)
            ShowInfo(exported.error());
        else if (exported->rowsWithLoss > 0)
            ShowInfo(QStringLiteral("%1 sorban volt Windows-1250-ben nem írható betű; a "
                                    "helyükön „?” áll.")
                         .arg(exported->rowsWithLoss));
    } catch (const store::EngineError &error) {
        prompts.hideBusy();
        ShowInfo(error.message());
    }
}
