#include "dialogs/frmnevjegy.h"

#include "dialogs/buildinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

TfrmNevjegy *g_instance = nullptr;

const QColor kPanelBlue(0x00, 0x00, 0x79); // 7929856
const QColor kTextCyan(0x9F, 0xDF, 0xDB);  // 14409631
constexpr int kPanelWidth = 338;

// The named font first, then its metric-compatible free equivalent.
QFont pixelFont(const QStringList &families, int pixels, bool bold = false)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont arial(int pixels, bool bold = false)
{
    return pixelFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, pixels, bold);
}

QFont timesNewRoman(int pixels, bool bold = false)
{
    return pixelFont({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
                     pixels, bold);
}

QFont msSansSerif(int pixels, bool bold = false)
{
    return pixelFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans")},
                     pixels, bold);
}

void paint(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
}

} // namespace

TfrmNevjegy::TfrmNevjegy(QWidget *parent, const QString &programDir)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    if (!g_instance)
        g_instance = this;
    setObjectName(QStringLiteral("frmNevjegy"));
    setWindowTitle(QStringLiteral("Névjegy"));
    setFixedSize(348, 446);
    FormCreate(programDir);
}

TfrmNevjegy::~TfrmNevjegy()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmNevjegy *TfrmNevjegy::instance()
{
    return g_instance;
}

void TfrmNevjegy::FormCreate(const QString &programDir)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    paint(Panel1, kPanelBlue, kTextCyan);
    outer->addWidget(Panel1);
    auto *inner = new QVBoxLayout(Panel1);
    inner->setContentsMargins(5, 5, 5, 5);
    Panel2 = new QWidget(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAutoFillBackground(true);
    paint(Panel2, kPanelBlue, kTextCyan);
    inner->addWidget(Panel2);

    const auto label = [this](const char *name, int top, int height, const QString &text,
                              const QFont &font) {
        auto *l = new QLabel(text, Panel2);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(0, top, kPanelWidth, height);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setFont(font);
        return l;
    };
    label("Label8", 15, 31, QStringLiteral("Velkor"), arial(17, true));
    label("Label4", 40, 36, QStringLiteral("Szótár és fordító"), timesNewRoman(27, true));
    label("Label2", 64, 35, QStringLiteral("program"), timesNewRoman(27, true));
    const QString ownFile =
        QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    lblVerz = label("lblVerz", 117, 16, QStringLiteral("Verzió: ") + GetProductVersion(ownFile),
                    msSansSerif(13));
    label("Label3", 140, 20, QStringLiteral(VELKOR_RELEASE_YEARS), msSansSerif(15, true));
    label("Label1", 176, 29, QStringLiteral("Ingyenes szoftver"), timesNewRoman(23, true));
    label("Label5", 213, 16, QStringLiteral("Ha tetszik, ajánld ismerőseidnek!"), msSansSerif(13));
    label("Label6", 237, 16, QStringLiteral("Itt egyéb ingyenes programokat találsz:"),
          msSansSerif(13));
    lblTamogat = label(
        "lblTamogat", 289, 56,
        QStringLiteral("Ha hasznosnak találod a programot és úgy érzed, hozzá tudnál járulni a "
                       "fejlesztéséhez egy jelképes összeggel, a becsületkasszát itt találod:"),
        msSansSerif(13));
    lblTamogat->setWordWrap(true);

    // Without an address of its own a link shows the README beside the program.
    const QString dir = programDir.isEmpty() && QCoreApplication::instance()
                            ? QCoreApplication::applicationDirPath()
                            : programDir;
    const QString readme = QDir::cleanPath(QDir(dir).filePath(QStringLiteral("README.md")));
    const QString home = QStringLiteral(VELKOR_HOME_PAGE_URL);
    const QString support = QStringLiteral(VELKOR_SUPPORT_PAGE_URL);
    edtHonlap = makeLink("edtHonlap", 254, home.isEmpty() ? readme : home);
    edtTamogatLink = makeLink("edtTamogatLink", 344, support.isEmpty() ? readme : support);

    BitBtn1 = new QPushButton(QStringLiteral("Bezár"), Panel2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(128, 400, 80, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

QLineEdit *TfrmNevjegy::makeLink(const char *name, int top, const QString &address)
{
    auto *link = new QLineEdit(address, Panel2);
    link->setObjectName(QString::fromLatin1(name));
    link->setGeometry(0, top, 337, 17);
    link->setReadOnly(true);
    link->setFrame(false);
    link->setAlignment(Qt::AlignHCenter);
    link->setCursor(Qt::PointingHandCursor);
    link->setCursorPosition(0);
    QFont font = msSansSerif(13, true);
    font.setUnderline(true);
    link->setFont(font);
    paint(link, kPanelBlue, kTextCyan);
    link->installEventFilter(this);
    return link;
}

bool TfrmNevjegy::eventFilter(QObject *watched, QEvent *event)
{
    auto *link = qobject_cast<QLineEdit *>(watched);
    if (link && (link == edtHonlap || link == edtTamogatLink)) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_linkDownX = static_cast<QMouseEvent *>(event)->position().toPoint().x();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const int x = static_cast<QMouseEvent *>(event)->position().toPoint().x();
            if (std::abs(x - m_linkDownX) < kClickSlack)
                OpenWithApp(QStringLiteral("INTERNET"), link->text(), m_lastLinkResult, m_opener);
        }
    }
    return QDialog::eventFilter(watched, event);
}
