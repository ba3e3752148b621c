#include "dialogs/frmkonyvtbeker.h"

#include "dialogs/dialogplacement.h"
#include "dialogs/questions.h"
#include "dialogs/safefiledialog.h"
#include "platform/text/textfunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

TfrmKonyvtBeker *g_instance = nullptr;

QFont msSansSerif(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TfrmKonyvtBeker::TfrmKonyvtBeker(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    if (!g_instance)
        g_instance = this;
    setObjectName(QStringLiteral("frmKonyvtBeker"));
    setWindowTitle(QStringLiteral("Könyvtár választás"));
    setFont(msSansSerif(13));
    resize(527, 368);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pnlUzen = new QFrame(this);
    pnlUzen->setObjectName(QStringLiteral("pnlUzen"));
    pnlUzen->setFixedHeight(65);
    pnlUzen->setAutoFillBackground(true);
    QPalette strip = pnlUzen->palette();
    strip.setColor(QPalette::Window, QColor(0x70, 0x95, 0xB6));
    strip.setColor(QPalette::WindowText, Qt::black);
    pnlUzen->setPalette(strip);
    lblUzen = new QLabel(pnlUzen);
    lblUzen->setObjectName(QStringLiteral("lblUzen"));
    lblUzen->setAlignment(Qt::AlignCenter);
    lblUzen->setWordWrap(true);
    lblUzen->setFont(msSansSerif(15, true));
    auto *stripLayout = new QVBoxLayout(pnlUzen);
    stripLayout->addWidget(lblUzen);
    layout->addWidget(pnlUzen);

    // Hidden folders too: the program's own data may live in one
    // (~/.local/share/velkor-szotar).
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
    m_contents = new QFileSystemModel(this);
    m_contents->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
    m_contents->setReadOnly(false);
    // The models work from start-up on and may list folders such as /proc or
    // /dev: they must never open what they list. One provider each, as each
    // model asks it from a thread of its own.
    m_folders->setIconProvider(NewNameOnlyIconProvider(*this));
    m_contents->setIconProvider(NewNameOnlyIconProvider(*this));
    m_folders->setRootPath(QDir::rootPath());

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(2);
    stv1 = new QTreeView(Splitter1);
    stv1->setObjectName(QStringLiteral("stv1"));
    stv1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        stv1->hideColumn(column);
    stv1->setHeaderHidden(true);
    stv1->setIndentation(19);
    stv1->setContextMenuPolicy(Qt::CustomContextMenu);
    slv1 = new QTreeView(Splitter1);
    slv1->setObjectName(QStringLiteral("slv1"));
    slv1->setModel(m_contents);
    slv1->setRootIsDecorated(false);
    slv1->setItemsExpandable(false);
    slv1->setSortingEnabled(true);
    slv1->sortByColumn(0, Qt::AscendingOrder);
    slv1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    Splitter1->setSizes({225, 300});
    layout->addWidget(Splitter1, 1);

    auto *buttons = new QWidget(this);
    buttons->setFixedHeight(41);
    bbtnOk = new QPushButton(QStringLiteral("OK"), buttons);
    bbtnOk->setObjectName(QStringLiteral("bbtnOk"));
    bbtnOk->setGeometry(8, 8, 89, 25);
    bbtnOk->setDefault(true);
    bbtnMegsem = new QPushButton(QStringLiteral("Mégsem"), buttons);
    bbtnMegsem->setObjectName(QStringLiteral("bbtnMegsem"));
    bbtnMegsem->setGeometry(112, 8, 97, 25);
    bbtnMegsem->setAutoDefault(false);
    layout->addWidget(buttons);

    connect(bbtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbtnMegsem, &QPushButton::clicked, this, &QDialog::reject);
    connect(stv1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { stv1Changed(current); });
    connect(stv1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        // A right click selects, as a left one does.
        const QModelIndex index = stv1->indexAt(pos);
        if (index.isValid())
            stv1->setCurrentIndex(index);
    });
    connect(slv1, &QAbstractItemView::activated, this,
            [this](const QModelIndex &index) { slv1Activated(index); });
    // The tree fills in as folders are read: keep the selected one in view.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] {
        if (stv1->currentIndex().isValid())
            stv1->scrollTo(stv1->currentIndex());
    });

    m_defaultStart = QDir::homePath();
    m_start = m_defaultStart;
    selectFolder(m_defaultStart);
}

TfrmKonyvtBeker::~TfrmKonyvtBeker()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmKonyvtBeker *TfrmKonyvtBeker::instance()
{
    return g_instance;
}

bool TfrmKonyvtBeker::AskFolder(const QString &message, const QString &startFolder, QString &folder)
{
    const QString start = startFolder.isEmpty() ? m_defaultStart : startFolder;
    if (!QFileInfo(start).isDir()) {
        ShowInfo(WithArticle(QDir::toNativeSeparators(start)) +
                 QStringLiteral("\nkönyvtár nem található"));
        return false;
    }
    pnlUzen->setVisible(!message.isEmpty());
    lblUzen->setText(message);
    m_start = QDir::cleanPath(start);
    selectFolder(m_start);
    if (exec() != QDialog::Accepted)
        return false;
    folder = selectedFolder();
    return true;
}

QString TfrmKonyvtBeker::selectedFolder() const
{
    const QModelIndex current = stv1->currentIndex();
    return current.isValid() ? m_folders->filePath(current) : m_start;
}

void TfrmKonyvtBeker::expandTo(const QString &path)
{
    for (QModelIndex index = m_folders->index(path); index.isValid(); index = index.parent())
        stv1->expand(index);
}

void TfrmKonyvtBeker::selectFolder(const QString &path)
{
    // The tree always starts at the file system's root, so that every folder
    // stays reachable; the home folder and the chosen one are opened.
    expandTo(QDir::homePath());
    const QString clean = QDir::cleanPath(path);
    expandTo(clean);
    const QModelIndex index = m_folders->index(clean);
    stv1->setCurrentIndex(index);
    stv1->scrollTo(index);
    stv1Changed(index);
}

void TfrmKonyvtBeker::stv1Changed(const QModelIndex &current)
{
    // The list always shows the folder selected in the tree.
    const QString path = current.isValid() ? m_folders->filePath(current) : m_start;
    slv1->setRootIndex(m_contents->setRootPath(path));
}

void TfrmKonyvtBeker::slv1Activated(const QModelIndex &index)
{
    // Opening a folder in the list selects it in the tree.
    if (m_contents->isDir(index))
        selectFolder(m_contents->filePath(index));
}

void TfrmKonyvtBeker::showEvent(QShowEvent *event)
{
    centreOverMainWindow(*this);
    QDialog::showEvent(event);
    stv1->setFocus();
}

bool AskFolder(const QString &message, const QString &startFolder, QString &folder)
{
    if (TfrmKonyvtBeker *dialog = TfrmKonyvtBeker::instance())
        return dialog->AskFolder(message, startFolder, folder);
    TfrmKonyvtBeker dialog;
    return dialog.AskFolder(message, startFolder, folder);
}
