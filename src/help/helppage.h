#pragma once

#include <QWidget>

#include <memory>

struct AppState;
struct EditorHosts;
class FileDialogs;
class QPushButton;
class QTextEdit;
class TfraREEszkTar;

// The help tab: the help document in its own rich text pane under its own
// editor frame, read-only until the edit switch is pressed, and a bottom bar
// with the edit switch and the about button. The stock help file beside the
// program is never overwritten by the Save button.
class HelpPage final : public QWidget {
    Q_OBJECT
public:
    // state holds HelpDocName, HelpDocHasFile and ProgramDir; hosts is the
    // window's editor binding. Both outlive the page; the owner of hosts
    // clears the binding and the frame's hosts before they go.
    HelpPage(AppState &state, EditorHosts &hosts, QWidget *parent = nullptr);
    ~HelpPage() override;

    static QString StockHelpName() { return QStringLiteral("Súgó (eredeti).rtf"); }
    static QString ModifiedHelpName() { return QStringLiteral("Súgó (módosított).rtf"); }
    // Whether path is the stock help file's full name, in the user's folder
    // or the shipped one; saving never writes there.
    bool isStockPath(const QString &path) const;

    TfraREEszkTar *frame() const { return fraREEszkTarSugo; }
    QTextEdit *pane() const { return reSugo; }
    // "Súgó (Eredeti)" or "Súgó (Módosított)" once a document was loaded;
    // captionChanged tells every change.
    QString caption() const { return m_caption; }

    // The frame whose save dialog (sdREET) asks for the new name of the
    // stock help: the text pane's (nullptr: the help frame's own).
    void setSaveDialogFrame(TfraREEszkTar *frame) { m_saveDialogFrame = frame; }
    // The help frame's own open and save dialogs (tests put scripted ones in
    // place); whatever they are, Save as never writes over the stock help.
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);

    // Read-only with the toolbar disabled, or editable with the toolbar
    // enabled, undo as the pane allows and redo off; alternates each call.
    void ToggleHelpEditMode();
    // Writes the pane as RTF to HelpDocName, first asking for another name
    // while HelpDocName is the stock help file (the stock name is refused).
    // False when the user cancelled the dialog or the write failed (then
    // reported); the modified state of the pane is left unchanged.
    bool SaveHelpDocument();
    // Caption from the file name part of HelpDocName; undo and redo off.
    void HelpDocumentLoaded();
    void MarkHelpModified();
    // The frames act on this page (tsSugoEnter).
    void BindHelpPage();

    // Handlers of the page's own events, public for the window and tests.
    void SPBNevjegyClick();
    void fraREEszkTarSugopnlSzokasClick();
    void fraREEszkTarSugospbMentClick();

Q_SIGNALS:
    void captionChanged(const QString &caption);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setCaption(const QString &caption);
    void focusChanged(QWidget *old, QWidget *now);

    TfraREEszkTar *fraREEszkTarSugo = nullptr;
    QTextEdit *reSugo = nullptr;
    QWidget *pnlSugo = nullptr;
    QPushButton *spbSugoSzerk = nullptr;
    QPushButton *SPBNevjegy = nullptr;

    AppState &m_state;
    EditorHosts &m_hosts;
    TfraREEszkTar *m_saveDialogFrame = nullptr;
    QString m_caption;
};
