#pragma once

#include "dialogs/weblinks.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The about box: the program's name and version, a recommendation and two
// links, to the home page and to the support page. Created once at start-up
// and shown modally from the help page.
class TfrmNevjegy final : public QDialog {
    Q_OBJECT
public:
    // programDir: where the README lies that a link without an address
    // shows (empty: the running program's directory).
    explicit TfrmNevjegy(QWidget *parent = nullptr, const QString &programDir = QString());
    ~TfrmNevjegy() override;

    // The about box created first, while it exists; nullptr otherwise.
    static TfrmNevjegy *instance();

    // What opens a clicked link (tests put a recorder in its place).
    void setUrlOpener(UrlOpener opener) { m_opener = std::move(opener); }
    // The outcome of the last link click, as OpenWithApp gave it.
    QString lastLinkResult() const { return m_lastLinkResult; }

    // A press and a release less than this far apart horizontally open the
    // link; a longer drag selects text.
    static constexpr int kClickSlack = 40;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const QString &programDir);
    QLineEdit *makeLink(const char *name, int top, const QString &address);

    QWidget *Panel1 = nullptr;
    QWidget *Panel2 = nullptr;
    QLabel *lblVerz = nullptr;
    QLabel *lblTamogat = nullptr;
    QLineEdit *edtHonlap = nullptr;
    QLineEdit *edtTamogatLink = nullptr;
    QPushButton *BitBtn1 = nullptr;

    UrlOpener m_opener = DesktopUrlOpener();
    QString m_lastLinkResult;
    int m_linkDownX = 0; // shared by both links
};
