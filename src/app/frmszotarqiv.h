#pragma once

#include "app/windowplacement.h"
#include "editor/hostbinding.h"
#include "store/appstate.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QTimer;
class TDM1;
class TfraREEszkTar;
class DictionaryPage;
class HelpPage;
namespace translator {
class TextPane;
class TranslationPopup;
} // namespace translator

// The main window: the five tabs, the global shortcuts, the start-up
// sequence that restores the settings and opens the remembered dictionary,
// the tracking of the window's bounds, the caption, and the close with its
// save prompts. It holds the run's shared state.
class TfrmSzotarQIV final : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command line without the program name; programFile:
    // the executable, whose folder is the program's directory (empty: this
    // process's own).
    explicit TfrmSzotarQIV(const QStringList &arguments, const QString &programFile = QString(),
                           QWidget *parent = nullptr);
    ~TfrmSzotarQIV() override;

    // The data module is created after every window; the start-up sequence
    // (on the first show) needs it.
    void setDataModule(TDM1 *dm);

    AppState &state() { return m_state; }
    const WindowPlacement &placement() const { return m_placement; }
    // The binding both editor frames act on.
    EditorHosts &editorHosts() { return m_hosts; }
    translator::TranslationPopup *popup() const { return m_popup; }

    // Answers the dictionary open dialog od2 instead of showing it (tests):
    // takes the initial folder and file name, returns the chosen path or an
    // empty text for a cancel.
    using FileChooser = std::function<QString(const QString &, const QString &)>;
    void setDictionaryFileChooser(FileChooser chooser)
    {
        m_dictionaryFileChooser = std::move(chooser);
    }

    // Answers the text-file save dialog sd2 instead of showing it (tests):
    // takes the initial folder and file name (empty, or the name whose
    // replacing the user just declined), returns the chosen path or an empty
    // text.
    void setTextSaveChooser(FileChooser chooser) { m_textSaveChooser = std::move(chooser); }

    // Opens the remembered dictionary (ask: lets the user choose one first)
    // and closes it; the tests drive them directly.
    void OpenDictionary(bool ask);
    void CloseDictionary();

    static QString PrimingFileName() { return QStringLiteral("Ezt ne töröld le!.rtf"); }
    static QString SampleDocumentName() { return QStringLiteral("Olvasmány (angol).rtf"); }
    static QString StockHelpName();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Start-up and layout.
    void FormShow();
    void LayOutMainWindow();
    // The language list and the details memo follow the panel's size.
    void FitLanguagePage();
    void FormResize();
    void tmrMeretezTimer();
    void UpdateMainCaption();
    void TextDocLoaded();
    void TextDocSavedAs();

    // Settings file.
    void LoadSettings();
    void SaveSettings();
    void bbtnAlapBeallClick();

    // Dictionary files: create, empty, delete, change the folder.
    void CreateDictionaryTable();
    void bbtnUjTablaClick();
    void bbtnSzotUritClick();
    void bbtnSzotarTorlClick();
    void bbtnMasDBKonyvtarClick();
    void bbtnMasolClick();

    // Text files: import into and export from the open dictionary.
    void bbtnFeltTxtbolClick();
    void bbtnMentTextbeClick();
    // Clean-ups, the German word lists and undoing the last maintenance.
    void ResetToNaturalDirection();
    void bbtnToTorlClick();
    void bbtnBetuTorlClick();
    void bbtnDOSEkezetClick();
    void bbtnNemetFeltClick();
    void bbtnKarbVisszaClick();

    // Hooks into the dictionary store and the dictionary tab.
    void ListDictionaries();
    void OrderBySource();
    void OrderByTarget();

    void FormCreate(const QStringList &arguments, const QString &programFile);
    void buildTranslatorPage();
    void buildDictionaryPage();
    void buildLanguagePage();
    void buildMaintenancePage();
    void buildFileButtons();
    void buildTextFileButtons();
    QString chooseImportFile(const QString &directory, const QString &fileName);
    QString chooseExportFile(const QString &directory, const QString &fileName);
    void buildCleanupButtons();
    bool requireOpenDictionary();
    void buildHelpPage();
    void buildActions();
    template <typename Handler>
    void rebind(TfraREEszkTar *frame, const char *buttonName, Handler handler);
    void pageChanged(int index);
    void enterPage(int index);
    void tsBongeszEnter();
    void tsSzotarEnter();
    void tsNyelvValtEnter();
    void tsNyelvValtExit();
    void dictionaryColumnWidths(int width);
    void DirectionChoice(bool store);
    // One attempt, true when the dictionary opened; file becomes the file
    // name part once the test open passed.
    bool tryOpenDictionary(QString &file);
    void setOrderCaptions();
    QString chooseDictionaryFile(const QString &directory, const QString &fileName);
    void FormKeyUp(int key);
    bool FormCloseQuery();
    void FormClose();
    bool loadTextDocument(int caret);
    bool loadHelpDocument();
    void applyStoredBounds();

    // Tells the user once when a chosen dictionary path cannot be stored in
    // the settings file (a character outside Windows-1250), so that the next
    // start would open another dictionary; false then. The dictionary the
    // settings gave at start-up is the one the next start opens anyway.
    bool checkStorablePath(const QString &path);
    // A grid row still being edited is stored before the close; false,
    // after telling the user, when that fails (the row stays in the edit
    // buffer and the window stays open).
    bool postPendingRow();

    // Components, by their names; tests and other code find them by object name.
    QTabWidget *pcFo = nullptr;
    QWidget *tsBongesz = nullptr;
    QWidget *tsSzotar = nullptr;
    QWidget *tsNyelvValt = nullptr;
    QWidget *tsKarb = nullptr;
    QWidget *tsSugo = nullptr;

    TfraREEszkTar *fraREEszkTarSzov = nullptr;
    QFrame *pnlSzov = nullptr;
    QTextEdit *reSzov = nullptr;
    QWidget *Panel5 = nullptr;
    QCheckBox *chbFord = nullptr;
    QCheckBox *chbJobb = nullptr;
    QCheckBox *chbSzoto = nullptr;
    QLabel *imgElval1 = nullptr;

    QWidget *pnlNyelvValt = nullptr;
    QLabel *Label5 = nullptr;
    QListWidget *lbNyelvek = nullptr;
    QLabel *Label6 = nullptr;
    QRadioButton *rbAM = nullptr;
    QRadioButton *rbMA = nullptr;
    QLabel *Label4 = nullptr;
    QPlainTextEdit *mmSzotarReszl = nullptr;
    QWidget *Panel2 = nullptr;

    QWidget *Panel1 = nullptr;
    QLabel *lblKarbFigy = nullptr;
    QWidget *pnlKarb = nullptr;
    QWidget *pnlKarb2 = nullptr;
    QPushButton *bbtnAlapBeall = nullptr;
    QPushButton *bbtnIndTorl = nullptr;
    QPushButton *bbtnUjraInd = nullptr;
    QLabel *Label2 = nullptr; // progress: the text being worked on
    QLabel *Label3 = nullptr; // progress: a counter

    // The help page's frame and pane, owned by the page.
    HelpPage *m_helpPage = nullptr;
    TfraREEszkTar *fraREEszkTarSugo = nullptr;
    QTextEdit *reSugo = nullptr;

    QTimer *tmrMeretez = nullptr;
    QAction *alF3 = nullptr;
    QAction *alF4 = nullptr;
    QAction *alCtrlF10 = nullptr;
    QAction *alRejtettPanel = nullptr;

    AppState m_state;
    WindowPlacement m_placement;
    EditorHosts m_hosts;
    TDM1 *DM1 = nullptr;
    bool m_zomvi = false;
    bool m_shown = false;
    bool m_suppressPageHandlers = false;
    int m_currentPage = 0;
    DictionaryPage *m_dictionaryPage = nullptr;
    translator::TranslationPopup *m_popup = nullptr;
    translator::TextPane *m_textPane = nullptr;
    FileChooser m_dictionaryFileChooser;
    FileChooser m_textSaveChooser;
    QString m_unstorablePathTold;  // the last path checkStorablePath told about
    QString m_startDictionaryFile; // what the settings gave at start-up
    QStringList m_layoutFailures;  // the per-user folder's set-up, told at the first show
};
