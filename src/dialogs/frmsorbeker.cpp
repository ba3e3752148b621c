#include "dialogs/frmsorbeker.h"

#include "dialogs/dialogplacement.h"
#include "dialogs/safefiledialog.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

namespace {

TfrmSorBeker *g_instance = nullptr;

constexpr int kPanelHeight = 82;

QFont msSansSerif(int pixels)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TfrmSorBeker::TfrmSorBeker(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    if (!g_instance)
        g_instance = this;
    setObjectName(QStringLiteral("frmSorBeker"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setFont(msSansSerif(14));
    resize(366, 177);

    lblKerd = new QLabel(this);
    lblKerd->setObjectName(QStringLiteral("lblKerd"));
    lblKerd->setAlignment(Qt::AlignCenter);
    lblKerd->setWordWrap(true);
    lblKerd->setFont(msSansSerif(17));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    edtVal = new QLineEdit(Panel1);
    edtVal->setObjectName(QStringLiteral("edtVal"));
    edtVal->setFont(msSansSerif(13));
    bbtnTalloz = new QPushButton(QStringLiteral("Tallóz..."), Panel1);
    bbtnTalloz->setObjectName(QStringLiteral("bbtnTalloz"));
    bbtnTalloz->setAutoDefault(false);
    bbtnMegsem = new QPushButton(QStringLiteral("Mégsem"), Panel1);
    bbtnMegsem->setObjectName(QStringLiteral("bbtnMegsem"));
    bbtnMegsem->setAutoDefault(false);
    bbtnOk = new QPushButton(QStringLiteral("OK"), Panel1);
    bbtnOk->setObjectName(QStringLiteral("bbtnOk"));
    bbtnOk->setDefault(true);

    connect(bbtnOk, &QPushButton::clicked, this, &TfrmSorBeker::bbtnOkClick);
    connect(bbtnMegsem, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbtnTalloz, &QPushButton::clicked, this, &TfrmSorBeker::bbtnTallozClick);
    layOutChildren();
}

TfrmSorBeker::~TfrmSorBeker()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmSorBeker *TfrmSorBeker::instance()
{
    return g_instance;
}

bool TfrmSorBeker::AskLineEx(const QString &question, const QString &defaultText, QString &answer,
                             bool showBrowse, bool allowEmpty, bool foldersOnly)
{
    AllowEmpty = allowEmpty;
    FoldersOnly = foldersOnly;
    lblKerd->setText(question);
    edtVal->setText(defaultText);
    bbtnTalloz->setVisible(showBrowse);
    if (exec() != QDialog::Accepted)
        return false;
    answer = edtVal->text();
    return true;
}

void TfrmSorBeker::bbtnOkClick()
{
    // A blank line is no answer unless the caller takes one.
    if (AllowEmpty || !edtVal->text().trimmed().isEmpty())
        accept();
}

void TfrmSorBeker::bbtnTallozClick()
{
    const QString text = edtVal->text();
    const QFileInfo info(text);
    const QString folder = FoldersOnly ? text : info.path();
    const QString name = FoldersOnly ? QStringLiteral("Csak könyvtár!") : info.fileName();
    const QString chosen = m_chooser ? m_chooser(folder, name) : chooseWithOdFile(folder, name);
    if (chosen.isEmpty())
        return;
    edtVal->setText(FoldersOnly ? QFileInfo(chosen).path() : chosen);
}

QString TfrmSorBeker::chooseWithOdFile(const QString &folder, const QString &name)
{
    // Made for this use only: a file dialog reads its folder from the moment
    // it exists, and the one it remembers may hold files that block.
    SafeFileDialog odFile(this);
    odFile.setObjectName(QStringLiteral("odFile"));
    // A folder is chosen by confirming the placeholder name inside it.
    odFile.setFileMode(FoldersOnly ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    odFile.setDirectory(folder);
    odFile.selectFile(name);
    if (odFile.exec() != QDialog::Accepted || odFile.selectedFiles().isEmpty())
        return QString();
    return odFile.selectedFiles().front();
}

void TfrmSorBeker::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOutChildren();
}

void TfrmSorBeker::showEvent(QShowEvent *event)
{
    centreOverMainWindow(*this);
    QDialog::showEvent(event);
    edtVal->setFocus();
    edtVal->selectAll();
}

void TfrmSorBeker::layOutChildren()
{
    const int w = width();
    const int panelTop = height() - kPanelHeight;
    lblKerd->setGeometry(0, 0, w, panelTop);
    Panel1->setGeometry(0, panelTop, w, kPanelHeight);
    // The answer line stretches; OK and Mégsem keep to the right edge.
    edtVal->setGeometry(8, 11, w - 17, 24);
    bbtnTalloz->setGeometry(8, 48, 81, 25);
    bbtnMegsem->setGeometry(w - 189, 48, 89, 25);
    bbtnOk->setGeometry(w - 93, 48, 83, 25);
}

bool AskLine(const QString &question, const QString &defaultText, QString &answer, bool showBrowse,
             bool allowEmpty)
{
    return AskLineEx(question, defaultText, answer, showBrowse, allowEmpty, false);
}

bool AskLineEx(const QString &question, const QString &defaultText, QString &answer,
               bool showBrowse, bool allowEmpty, bool foldersOnly)
{
    if (TfrmSorBeker *dialog = TfrmSorBeker::instance())
        return dialog->AskLineEx(question, defaultText, answer, showBrowse, allowEmpty,
                                 foldersOnly);
    TfrmSorBeker dialog;
    return dialog.AskLineEx(question, defaultText, answer, showBrowse, allowEmpty, foldersOnly);
}
