// The about box: its texts and layout, and link clicks.
#include "dialogs/buildinfo.h"
#include "dialogs/frmnevjegy.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(AboutBox, LabelsAsLaidOut)
{
    TfrmNevjegy box;
    EXPECT_EQ(box.windowTitle(), u"Névjegy"_s);
    EXPECT_EQ(box.size(), QSize(348, 446));
    const struct {
        const char *name;
        int top, height;
        QString text;
        int pixels;
        bool bold;
        const char *freeFamily; // the metric-compatible family installed here
    } cases[] = {
        {"Label8", 15, 31, u"Velkor"_s, 17, true, "Liberation Sans"},
        {"Label4", 40, 36, u"Szótár és fordító"_s, 27, true, "Liberation Serif"},
        {"Label2", 64, 35, u"program"_s, 27, true, "Liberation Serif"},
        {"lblVerz", 117, 16, u"Verzió: "_s + QStringLiteral(VELKOR_PRODUCT_VERSION), 13, false,
         "Liberation Sans"},
        {"Label3", 140, 20, QStringLiteral(VELKOR_RELEASE_YEARS), 15, true, "Liberation Sans"},
        {"Label1", 176, 29, u"Ingyenes szoftver"_s, 23, true, "Liberation Serif"},
        {"Label5", 213, 16, u"Ha tetszik, ajánld ismerőseidnek!"_s, 13, false, "Liberation Sans"},
        {"Label6", 237, 16, u"Itt egyéb ingyenes programokat találsz:"_s, 13, false,
         "Liberation Sans"},
        {"lblTamogat", 289, 56,
         u"Ha hasznosnak találod a programot és úgy érzed, hozzá tudnál járulni a fejlesztéséhez "
         "egy jelképes összeggel, a becsületkasszát itt találod:"_s,
         13, false, "Liberation Sans"},
    };
    const QColor cyan(0x9F, 0xDF, 0xDB);
    for (const auto &c : cases) {
        auto *label = box.findChild<QLabel *>(QString::fromLatin1(c.name));
        ASSERT_NE(label, nullptr) << c.name;
        EXPECT_EQ(label->text(), c.text) << c.name;
        EXPECT_EQ(label->geometry(), QRect(0, c.top, 338, c.height)) << c.name;
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << c.name;
        EXPECT_EQ(label->font().pixelSize(), c.pixels) << c.name;
        EXPECT_EQ(label->font().bold(), c.bold) << c.name;
        EXPECT_TRUE(label->font().families().contains(QString::fromLatin1(c.freeFamily))) << c.name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), cyan) << c.name;
    }
    EXPECT_NE(QStringLiteral(VELKOR_PRODUCT_VERSION), QString());
    EXPECT_TRUE(box.findChild<QLabel *>(u"lblTamogat"_s)->wordWrap());
    auto *close = box.findChild<QPushButton *>(u"BitBtn1"_s);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), u"Bezár"_s);
    EXPECT_EQ(close->geometry(), QRect(128, 400, 80, 25));
    for (const char *panel : {"Panel1", "Panel2"})
        EXPECT_EQ(
            box.findChild<QWidget *>(QString::fromLatin1(panel))->palette().color(QPalette::Window),
            QColor(0, 0, 0x79))
            << panel;
}

// A program directory with its README, and the box with a recording opener.
class AboutLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.isValid());
        QFile readme(program.filePath(u"README.md"_s));
        ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
        readme.close();
        box = std::make_unique<TfrmNevjegy>(nullptr, program.path());
        box->setUrlOpener([this](const QUrl &url) {
            opened << url;
            return true;
        });
        box->show();
    }

    QLineEdit *link(const char *name) const
    {
        return box->findChild<QLineEdit *>(QString::fromLatin1(name));
    }

    QTemporaryDir program;
    std::unique_ptr<TfrmNevjegy> box;
    QList<QUrl> opened;
};

TEST_F(AboutLinks, WithoutAnAddressBothLinksShowAndOpenTheReadme)
{
    if (!QStringLiteral(VELKOR_HOME_PAGE_URL).isEmpty() ||
        !QStringLiteral(VELKOR_SUPPORT_PAGE_URL).isEmpty())
        GTEST_SKIP() << "this build names its pages";
    const QString readme = QDir(program.path()).filePath(u"README.md"_s);
    for (const char *name : {"edtHonlap", "edtTamogatLink"}) {
        opened.clear();
        QLineEdit *edit = link(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->text(), readme) << name;
        EXPECT_TRUE(edit->isReadOnly()) << name;
        EXPECT_EQ(edit->cursor().shape(), Qt::PointingHandCursor) << name;
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(20, 8));
        EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(readme)}) << name;
        EXPECT_EQ(box->lastLinkResult(), u"OK"_s) << name;
    }
}

TEST_F(AboutLinks, OnlyAClickShorterThanFortyPixelsAcrossOpens)
{
    const struct {
        int downX, upX, upY;
        Qt::MouseButton button;
        bool opens;
    } cases[] = {
        {10, 49, 8, Qt::LeftButton, true},    {10, 50, 8, Qt::LeftButton, false},
        {60, 21, 8, Qt::LeftButton, true},    {60, 20, 8, Qt::LeftButton, false},
        {10, 10, 16, Qt::LeftButton, true},   {10, 10, 2, Qt::RightButton, true},
        {10, 10, -300, Qt::LeftButton, true}, // vertical distance plays no part
    };
    QLineEdit *edit = link("edtHonlap");
    for (const auto &c : cases) {
        opened.clear();
        QTest::mousePress(edit, c.button, {}, QPoint(c.downX, 8));
        QTest::mouseRelease(edit, c.button, {}, QPoint(c.upX, c.upY));
        EXPECT_EQ(opened.size(), c.opens ? 1 : 0) << c.downX << "→" << c.upX << "," << c.upY;
    }
}

TEST_F(AboutLinks, ThePressIsRememberedAcrossBothLinks)
{
    QTest::mousePress(link("edtHonlap"), Qt::LeftButton, {}, QPoint(200, 8));
    QTest::mouseRelease(link("edtTamogatLink"), Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(AboutLinks, CloseButtonClosesTheBox)
{
    QTest::mouseClick(box->findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
}

} // namespace
