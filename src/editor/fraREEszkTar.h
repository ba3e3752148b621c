#pragma once

#include "editor/formatdialogs.h"
#include "editor/painterstate.h"
#include "editor/paneldrag.h"

#include <QFrame>
#include <QWidget>

#include <memory>

class ClipboardWatch;
struct EditorHosts;
struct HostBinding;
class FileDialogs;
namespace platform {
class FileAccess;
}
class QToolBar;
class QToolButton;
class QTextEdit;
class QPlainTextEdit;
class QComboBox;
class QTimer;

// A toolbar frame that turns a rich text control into a small word
// processor. The main window holds two: above the text pane and above the
// help page. Its commands act on the host binding (hostbinding.h) of the
// window that holds it; with no hosts or no editor bound they do nothing.
//
// The buttons' clicked signals are connected with the frame as context. A
// host that binds a button to a handler of its own disconnects it from the
// frame first: QObject::disconnect(button, &QToolButton::clicked, &frame, nullptr).
class TfraREEszkTar final : public QWidget {
    Q_OBJECT
public:
    explicit TfraREEszkTar(QWidget *parent = nullptr);
    ~TfraREEszkTar() override;

    // The two toolbar rows, each on a small panel of its own; their
    // positions are stored in the settings file.
    QWidget *pnlToolBar() const { return m_pnlToolBar; }
    QWidget *pnlSzokas() const { return m_pnlSzokas; }
    QWidget *pnlFormaz() const { return m_pnlFormaz; }
    QToolBar *tobSzokas() const { return m_tobSzokas; }
    QToolBar *tobFormaz() const { return m_tobFormaz; }
    QToolButton *button(const char *objectName) const; // nullptr when none
    QComboBox *cobBetuTipNev() const { return m_cobBetuTipNev; }
    QComboBox *cobBetuMeret() const { return m_cobBetuMeret; }

    // The open and save dialogs (`odREET`, `sdREET`) behind Open, Save and
    // Save as; the help page uses the text frame's save dialog too. Tests
    // put scripted dialogs in their place.
    FileDialogs &fileDialogs() const { return *m_fileDialogs; }
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);
    // How Open and Save reach the files: the real file system unless a test
    // hands in failing devices; files must outlive the frame's use of it.
    void setFileAccess(const platform::FileAccess &files) { m_files = &files; }

    // The binding this frame acts on, owned by the window that holds the
    // frame (nullptr: none; the frame does not own it).
    void setHosts(EditorHosts *hosts) { m_hosts = hosts; }
    EditorHosts *hosts() const { return m_hosts; }

    // Document commands on the bound host.
    void spbUjClick(QObject *sender);
    // A file that cannot be read is reported, and the previous document
    // stays with its name and flag.
    void spbMegnyitClick(QObject *sender);
    void spbMentClick(QObject *sender);
    void spbMentMaskClick(QObject *sender);
    // Asks whether to save the changed document; false when the caller must
    // stop: Mégsem, a cancelled Save as or a failed write.
    bool ConfirmSaveChanges(QObject *sender);
    // Returns false, after reporting the error, when the file could not be
    // written. A document named as the protected file (EditorHosts) goes
    // through SaveDocumentAs instead.
    bool SaveToCurrentFile();
    // True when the document was written. The overwrite question is asked
    // for the name that is written, after the extension fix-up; after a
    // failed write the name, the flag and the modified state stay as they were.
    // The protected file's name is refused and the dialog comes back.
    bool SaveDocumentAs(QObject *sender);

    void spbKivagClick(QObject *sender);
    void spbMasolClick(QObject *sender);
    void spbBeillClick(QObject *sender);
    void spbMegsemClick(QObject *sender);
    void spbMegisClick(QObject *sender);
    // Open the find and replace dialog on the bound editor.
    void spbKeresClick(QObject *sender);
    void spbCserelClick(QObject *sender);

    // The formatting row, on the bound editor's selection (the buttons act
    // on the press or on the click, as each is wired up in the frame).
    void setFormatDialogs(FormatDialogs dialogs) { m_formatDialogs = std::move(dialogs); }
    void spbSzinMouseDown();
    void spbBetuTipClick();
    void spbFelkovMouseDown();
    void spbDoltMouseDown();
    void spbAlahuzottMouseDown();
    void spbNagyobbBetuMouseDown();
    void spbKisebbBetuMouseDown();
    void spbIgazitClick(Qt::Alignment alignment);
    void spbFelsorolMouseDown();
    // 10 points a step, 40 with Shift held.
    void spbBehuzCsokkMouseDown(bool shift);
    void spbBehuzNovMouseDown(bool shift);
    void spbSorTorClick();
    // The size typed or chosen in the size box, on every change of its text.
    void cobBetuMeretChange(const QString &text);
    // Another font chosen: the size box lists the sizes that font shows.
    void cobBetuTipNevChange();
    // The list closed: the selection takes the font named in the box.
    void cobBetuTipNevCloseUp();

    // The format painter button and its double-click timer (`tmrDupKatt`).
    void spbFormFestClick();
    void spbFormFestDblClick();
    // Copies the selection's format into the painter's store and arms it.
    void PickUpFormat();
    // Runs one transition of the painter for this frame: picks up, disarms,
    // starts the timer and shows the painter button's state.
    void notePainterEvent(PainterEvent event);
    QTimer *tmrDupKatt() const { return m_tmrDupKatt; }

    // Dragging a panel by its grip (`imgSzokasEleje`, `imgFormazEleje`);
    // points in the grip's coordinates.
    void imgFormazElejeMouseDown(QWidget &grip, Qt::MouseButton button, QPoint point);
    void imgFormazElejeMouseMove(QWidget &grip, QPoint point);
    void imgFormazElejeMouseUp(Qt::MouseButton button);
    bool toolbarDragging() const { return m_drag.dragging(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend void InitToolbarFrame(TfraREEszkTar &frame, int hostIndex);
    friend void NoteTextChanged(TfraREEszkTar &frame);
    friend void UpdateClipboardButtons(TfraREEszkTar &frame, QTextEdit &editor);

    // The binding, when it is complete enough for a document command.
    HostBinding *boundHost() const;
    QTextEdit *boundEditor() const;
    bool isProtected(const QString &path) const;
    // Save: in place when the document has a file it may write, else Save as.
    bool saveInPlaceOrAs(QObject *sender);
    QToolButton *connectButton(const char *objectName, void (TfraREEszkTar::*handler)(QObject *));
    void connectFormatting();
    // Buttons that act as soon as any mouse button goes down on them.
    bool pressed(QObject *watched, QEvent *event);
    bool grabbed(QObject *watched, QEvent *event);
    QWidget *panelOfGrip(QWidget &grip) const;
    // Shows the bound editor's selection in the formatting row again.
    void resync();
    // Writes the bound editor's document to path in the format its name
    // gives; reports a failure.
    bool writeDocument(const QString &path);
    // Each panel around its toolbar, and the toolbar panel, while it sizes
    // itself, around the lowest panel.
    void fitPanels();
    void setBorderWidths(int toolbarBorder, int panelBorder);

    QWidget *m_pnlToolBar = nullptr;
    QFrame *m_pnlSzokas = nullptr;
    QFrame *m_pnlFormaz = nullptr;
    QToolBar *m_tobSzokas = nullptr;
    QToolBar *m_tobFormaz = nullptr;
    QPlainTextEdit *m_mmMentTxt = nullptr;
    QTextEdit *m_reFontMeret = nullptr;
    QComboBox *m_cobBetuTipNev = nullptr;
    QComboBox *m_cobBetuMeret = nullptr;
    QToolButton *m_spbKivag = nullptr;
    QToolButton *m_spbMasol = nullptr;
    QToolButton *m_spbBeill = nullptr;
    QToolButton *m_spbMegsem = nullptr;
    QToolButton *m_spbMegis = nullptr;
    QToolButton *m_spbFormFest = nullptr;
    QTimer *m_tmrDupKatt = nullptr;
    FormatDialogs m_formatDialogs;
    PanelDrag m_drag;
    ClipboardWatch *m_clipboard = nullptr;
    std::unique_ptr<FileDialogs> m_fileDialogs;
    EditorHosts *m_hosts = nullptr;
    const platform::FileAccess *m_files;
    bool m_toolBarSizesItself = false;
};

// Prepares a frame for host number hostIndex (1 or 2): final borders,
// self-sizing toolbar panel, the installed fonts in the font-name box.
void InitToolbarFrame(TfraREEszkTar &frame, int hostIndex);
// Undo on, redo off: the host calls it on every change of its editor's text.
void NoteTextChanged(TfraREEszkTar &frame);
// Cut and Copy follow the editor's selection, Paste the clipboard; nothing
// happens while the frame's first panel is disabled. Cheap enough for a
// 20 ms timer: both states are cached and refreshed by signals.
void UpdateClipboardButtons(TfraREEszkTar &frame, QTextEdit &editor);
