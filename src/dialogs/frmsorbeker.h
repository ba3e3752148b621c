#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QResizeEvent;
class QShowEvent;

// The input-line dialog: a question, one line to answer in, OK and Mégsem,
// and on request a browse button that fills the line with a path. Created
// once at start-up and reused by every call of AskLine and AskLineEx.
class TfrmSorBeker final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSorBeker(QWidget *parent = nullptr);
    ~TfrmSorBeker() override;

    // The run's dialog: the first one created, until it is destroyed.
    static TfrmSorBeker *instance();

    // True when the user confirmed; answer is then the line exactly as
    // typed, and is left alone otherwise. Without allowEmpty a blank line
    // cannot be confirmed. foldersOnly makes the browse button pick a folder.
    bool AskLineEx(const QString &question, const QString &defaultText, QString &answer,
                   bool showBrowse, bool allowEmpty, bool foldersOnly);

    // What the browse button asks for a path: a start folder and a
    // pre-filled name in, the chosen path out (empty when cancelled). The
    // open-file dialog odFile, made for each use, unless replaced (tests
    // replace it).
    using FileChooser = std::function<QString(const QString &folder, const QString &name)>;
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void bbtnOkClick();
    void bbtnTallozClick();
    QString chooseWithOdFile(const QString &folder, const QString &name);
    void layOutChildren();

    QLabel *lblKerd = nullptr;
    QWidget *Panel1 = nullptr;
    QLineEdit *edtVal = nullptr;
    QPushButton *bbtnTalloz = nullptr;
    QPushButton *bbtnMegsem = nullptr;
    QPushButton *bbtnOk = nullptr;
    FileChooser m_chooser;

    // The current call's options.
    bool AllowEmpty = false;
    bool FoldersOnly = false;
};

// AskLineEx of the run's dialog (or of one made for the call when there is
// none), picking files with the browse button.
bool AskLine(const QString &question, const QString &defaultText, QString &answer, bool showBrowse,
             bool allowEmpty);
bool AskLineEx(const QString &question, const QString &defaultText, QString &answer,
               bool showBrowse, bool allowEmpty, bool foldersOnly);
