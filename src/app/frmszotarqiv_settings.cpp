// The settings file: what the main window restores at start-up and stores
// at the close, and the two documents it loads.
#include "app/frmszotarqiv.h"

#include "dialogs/questions.h"
#include "editor/fraREEszkTar.h"
#include "help/helppage.h"
#include "platform/codepage.h"
#include "platform/ini/inidocument.h"
#include "platform/ini/inifile.h"
#include "platform/paths.h"
#include "platform/rtf/documentio.h"
#include "translator/textpane.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>

namespace {

const QString kFoAblak = QStringLiteral("FoAblak");
const QString kSzotar = QStringLiteral("Szotar");
const QString kDok = QStringLiteral("Dok");

struct PanelKey {
    const char16_t *section;
    bool helpFrame;
    bool formatting;
};

constexpr PanelKey kPanels[] = {{u"SzovSzokasPanel", false, false},
                                {u"SzovFormazPanel", false, true},
                                {u"SugoSzokasPanel", true, false},
                                {u"SugoFormazPanel", true, true}};

// Paths stored by the program on Windows name drive folders.
QString storedPath(const IniDocument &ini, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    const QString value = ini.readString(section, key, defaultValue);
    return value == defaultValue ? value : paths::fromWindowsPath(value);
}

// Loads path into editor; false when it cannot be read.
bool loadInto(QTextEdit &editor, const QString &path)
{
    return bool(documentio::loadDocument(path, *editor.document()));
}

void placeCaret(QTextEdit &editor, int position, int selectLength)
{
    QTextCursor cursor(editor.document());
    const int end = std::max(0, editor.document()->characterCount() - 1);
    cursor.setPosition(std::clamp(position, 0, end));
    if (selectLength > 0)
        cursor.setPosition(std::clamp(position + selectLength, 0, end), QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

} // namespace

void TfrmSzotarQIV::LoadSettings()
{
    // One read of the file for every key; a missing or damaged file reads as empty.
    const IniDocument ini = IniFile(m_state.IniFileName).load();
    m_placement.NormalBounds =
        QRect(ini.readInteger(kFoAblak, u"Bal", 100), ini.readInteger(kFoAblak, u"Teto", 100),
              ini.readInteger(kFoAblak, u"Szel", 500), ini.readInteger(kFoAblak, u"Mag", 300));
    m_placement.WindowMaximized = ini.readBool(kFoAblak, u"Max", false);
    applyStoredBounds();
    m_placement.StartPageIndex = ini.readInteger(kFoAblak, u"AktFul", 0);

    m_state.DatabaseDir = storedPath(ini, kSzotar, QStringLiteral("DBDir"), m_state.DatabaseDir);
    m_state.DatabasePath = storedPath(ini, kSzotar, QStringLiteral("DBUt"), m_state.DatabasePath);
    m_state.DictionaryFile =
        storedPath(ini, kSzotar, QStringLiteral("Nev"),
                   m_state.DatabasePath + QStringLiteral("Angol_Magyar") + QStringLiteral(".DB"));

    for (const PanelKey &key : kPanels) {
        TfraREEszkTar *frame = key.helpFrame ? fraREEszkTarSugo : fraREEszkTarSzov;
        QWidget *panel = key.formatting ? frame->pnlFormaz() : frame->pnlSzokas();
        const QString section = QString::fromUtf16(key.section);
        panel->move(ini.readInteger(section, u"Bal", panel->x()),
                    ini.readInteger(section, u"Teto", panel->y()));
        if (key.formatting && !key.helpFrame) {
            chbFord->setChecked(ini.readBool(section, u"Fordit", true));
            chbJobb->setChecked(ini.readBool(section, u"JobbGomb", true));
            chbSzoto->setChecked(ini.readBool(section, u"Szotoelemzes", true));
        }
    }

    m_state.TextDocName =
        storedPath(ini, kDok, QStringLiteral("DokNev"), m_state.userDir() + SampleDocumentName());
    if (!loadTextDocument(ini.readInteger(kDok, u"AktPoz", 1))) {
        // The pane stays empty; the names keep what they reached.
    }
    reSzov->document()->setModified(false);

    m_state.HelpDocName =
        storedPath(ini, kDok, QStringLiteral("SugoNev"), m_state.userDir() + StockHelpName());
    loadHelpDocument();
    reSugo->document()->setModified(false);
}

bool TfrmSzotarQIV::loadTextDocument(int caret)
{
    pcFo->setCurrentWidget(tsBongesz);
    if (!loadInto(*reSzov, m_state.userDir() + PrimingFileName()))
        return false;
    placeCaret(*reSzov, 1, 0);
    reSzov->clear();
    if (!QFileInfo::exists(m_state.TextDocName))
        m_state.TextDocName = m_state.userDir() + SampleDocumentName();
    if (QFileInfo::exists(m_state.TextDocName)) {
        if (!loadInto(*reSzov, m_state.TextDocName))
            return false;
        placeCaret(*reSzov, caret, 20);
        m_state.TextDocHasFile = true;
        TextDocLoaded();
    } else {
        fraREEszkTarSzov->spbUjClick(this);
    }
    return true;
}

bool TfrmSzotarQIV::loadHelpDocument()
{
    pcFo->setCurrentWidget(tsSugo);
    if (!loadInto(*reSugo, m_state.userDir() + PrimingFileName()))
        return false;
    placeCaret(*reSugo, 1, 0);
    reSugo->clear();
    if (!QFileInfo::exists(m_state.HelpDocName))
        m_state.HelpDocName = m_state.userDir() + StockHelpName();
    if (QFileInfo::exists(m_state.HelpDocName)) {
        if (!loadInto(*reSugo, m_state.HelpDocName))
            return false;
        m_state.HelpDocHasFile = true;
        m_helpPage->HelpDocumentLoaded();
    } else {
        // A new, empty help document; the text pane stays the frames' host.
        m_helpPage->BindHelpPage();
        fraREEszkTarSugo->spbUjClick(this);
        m_textPane->BindTextPane();
    }
    return true;
}

void TfrmSzotarQIV::SaveSettings()
{
    const IniFile ini(m_state.IniFileName);
    IniDocument doc = ini.load();
    // Each write only changes the document in memory; the file is written once.
    (void)doc.writeInteger(kFoAblak, u"Bal", m_placement.NormalBounds.x());
    (void)doc.writeInteger(kFoAblak, u"Teto", m_placement.NormalBounds.y());
    (void)doc.writeInteger(kFoAblak, u"Szel", m_placement.NormalBounds.width());
    (void)doc.writeInteger(kFoAblak, u"Mag", m_placement.NormalBounds.height());
    (void)doc.writeBool(kFoAblak, u"Max", m_placement.WindowMaximized);
    (void)doc.writeInteger(kFoAblak, u"AktFul", pcFo->currentIndex());
    (void)doc.writeString(kSzotar, u"Nev", m_state.DictionaryFile);
    (void)doc.writeString(kSzotar, u"DBDir", m_state.DatabaseDir);
    (void)doc.writeString(kSzotar, u"DBUt", m_state.DatabasePath);
    for (const PanelKey &key : kPanels) {
        TfraREEszkTar *frame = key.helpFrame ? fraREEszkTarSugo : fraREEszkTarSzov;
        QWidget *panel = key.formatting ? frame->pnlFormaz() : frame->pnlSzokas();
        const QString section = QString::fromUtf16(key.section);
        (void)doc.writeInteger(section, u"Bal", panel->x());
        (void)doc.writeInteger(section, u"Teto", panel->y());
        if (key.formatting && !key.helpFrame) {
            (void)doc.writeBool(section, u"Fordit", chbFord->isChecked());
            (void)doc.writeBool(section, u"JobbGomb", chbJobb->isChecked());
            (void)doc.writeBool(section, u"Szotoelemzes", chbSzoto->isChecked());
        }
    }
    (void)doc.writeString(kDok, u"DokNev", m_state.TextDocName);
    (void)doc.writeInteger(kDok, u"AktPoz", reSzov->textCursor().selectionStart());
    (void)doc.writeString(kDok, u"SugoNev", m_state.HelpDocName);
    // A settings file that cannot be written costs the user only the next
    // start's positions; the close goes on.
    (void)ini.save(doc);
}

void TfrmSzotarQIV::bbtnAlapBeallClick()
{
    (void)IniFile(m_state.IniFileName).eraseFile();
    ShowInfo(
        QStringLiteral("A program most leáll.\nA következő futtatáskor alapbeállításokkal indul."));
    m_state.SkipSettingsSave = true;
    close();
}

bool TfrmSzotarQIV::checkStorablePath(const QString &path)
{
    if (cp1250::canEncode(path) || path == m_startDictionaryFile)
        return true;
    // Once for each path: the tab change and a reopen choose it again.
    if (m_unstorablePathTold != path) {
        m_unstorablePathTold = path;
        ShowInfo(QStringLiteral("A szótár elérési útjában olyan karakter van, amelyet a "
                                "beállítások fájlja nem tud tárolni:\n") +
                 path +
                 QStringLiteral("\nA szótár most megnyílik, de a következő indításkor a "
                                "program másik szótárt nyit meg."));
    }
    return false;
}
