// The frame's controls and panels, and InitToolbarFrame.

#include "editor/fraREEszkTar.h"
#include "editor/frmSzoKeres.h"
#include "editor/hostbinding.h"
#include "editor/qtfiledialogs.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

enum class Kind { Grip, Separator, Button, Combo };

struct Control {
    const char *name;
    int x;
    Kind kind;
};

const Control kSzokas[] = {
    {"imgSzokasEleje", 0, Kind::Grip},  {"spbUj", 8, Kind::Button},
    {"spbMegnyit", 31, Kind::Button},   {"spbMent", 54, Kind::Button},
    {"spbMentMask", 77, Kind::Button},  {"Image2", 100, Kind::Separator},
    {"spbKeres", 106, Kind::Button},    {"spbCserel", 129, Kind::Button},
    {"Image7", 152, Kind::Separator},   {"spbKivag", 158, Kind::Button},
    {"spbMasol", 181, Kind::Button},    {"spbBeill", 204, Kind::Button},
    {"spbFormFest", 227, Kind::Button}, {"Image3", 250, Kind::Separator},
    {"spbMegsem", 256, Kind::Button},   {"spbMegis", 279, Kind::Button},
};

const Control kFormaz[] = {
    {"imgFormazEleje", 0, Kind::Grip},    {"cobBetuTipNev", 8, Kind::Combo},
    {"cobBetuMeret", 153, Kind::Combo},   {"spbSzin", 193, Kind::Button},
    {"Image8", 216, Kind::Separator},     {"spbBetuTip", 222, Kind::Button},
    {"spbFelkov", 245, Kind::Button},     {"spbDolt", 268, Kind::Button},
    {"spbAlahuzott", 291, Kind::Button},  {"spbNagyobbBetu", 314, Kind::Button},
    {"spbKisebbBetu", 337, Kind::Button}, {"Image5", 360, Kind::Separator},
    {"spbIgazitBal", 366, Kind::Button},  {"spbIgazitKozep", 389, Kind::Button},
    {"spbIgazitJobb", 412, Kind::Button}, {"spbIgazitSorkiz", 435, Kind::Button},
    {"Image4", 458, Kind::Separator},     {"spbFelsorol", 464, Kind::Button},
    {"spbBehuzCsokk", 487, Kind::Button}, {"spbBehuzNov", 510, Kind::Button},
    {"Image1", 533, Kind::Separator},     {"spbSorTor", 539, Kind::Button},
};

QSize sizeOf(Kind kind, const char *name)
{
    switch (kind) {
    case Kind::Grip:
        return {8, 22};
    case Kind::Separator:
        return {6, 22};
    case Kind::Button:
        return {23, 22};
    case Kind::Combo:
        return {QByteArrayView(name) == "cobBetuTipNev" ? 145 : 40, 22};
    }
    return {};
}

template <size_t N> void expectRow(QToolBar &bar, const Control (&row)[N])
{
    const QWidget *grip = bar.findChild<QWidget *>(QString::fromLatin1(row[0].name));
    ASSERT_NE(grip, nullptr);
    for (const Control &c : row) {
        SCOPED_TRACE(c.name);
        const auto *w = bar.findChild<QWidget *>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->size(), sizeOf(c.kind, c.name));
        EXPECT_EQ(w->x() - grip->x(), c.x);
        EXPECT_EQ(w->y(), grip->y());
        if (c.kind == Kind::Button) {
            const auto *button = qobject_cast<const QToolButton *>(w);
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->autoRaise());
            EXPECT_FALSE(button->icon().isNull());
        }
        if (c.kind == Kind::Grip) {
            const auto *picture = qobject_cast<const QLabel *>(w);
            ASSERT_NE(picture, nullptr);
            EXPECT_FALSE(picture->pixmap().isNull());
        }
    }
}

class ToolbarFrameTest : public ::testing::Test {
protected:
    ToolbarFrameTest() { frame.setHosts(&hosts); }

    QToolButton &button(const char *name)
    {
        QToolButton *b = frame.button(name);
        EXPECT_NE(b, nullptr) << name;
        return *b;
    }

    EditorHosts hosts;
    TfraREEszkTar frame;
};

TEST_F(ToolbarFrameTest, EveryControlInItsPlace)
{
    InitToolbarFrame(frame, 1);
    frame.resize(800, 200);
    frame.show();
    QCoreApplication::processEvents();
    expectRow(*frame.tobSzokas(), kSzokas);
    expectRow(*frame.tobFormaz(), kFormaz);
}

TEST_F(ToolbarFrameTest, PanelsAndBordersBeforeAndAfterInit)
{
    EXPECT_EQ(frame.pnlSzokas()->pos(), QPoint(0, 0));
    EXPECT_EQ(frame.pnlFormaz()->pos(), QPoint(0, 40));
    EXPECT_EQ(frame.tobSzokas()->parentWidget(), frame.pnlSzokas());
    EXPECT_EQ(frame.tobFormaz()->parentWidget(), frame.pnlFormaz());
    EXPECT_EQ(frame.tobSzokas()->pos(), QPoint(3, 3));
    EXPECT_EQ(frame.tobFormaz()->pos(), QPoint(3, 3));
    const auto *szokas = qobject_cast<QFrame *>(frame.pnlSzokas());
    ASSERT_NE(szokas, nullptr);
    EXPECT_EQ(szokas->lineWidth(), 2);
    EXPECT_EQ(frame.tobSzokas()->layout()->contentsMargins().left(), 2);

    InitToolbarFrame(frame, 2);
    EXPECT_EQ(hosts.binding.ActiveHostIndex, 2);
    EXPECT_EQ(szokas->lineWidth(), 1);
    EXPECT_EQ(qobject_cast<QFrame *>(frame.pnlFormaz())->lineWidth(), 1);
    EXPECT_EQ(frame.tobFormaz()->layout()->contentsMargins().top(), 0);
    // Each panel fits around its toolbar, the toolbar panel around the lowest row.
    for (QWidget *panel : {frame.pnlSzokas(), frame.pnlFormaz()}) {
        const QWidget *bar = panel->findChild<QToolBar *>();
        EXPECT_EQ(panel->size(), bar->size() + QSize(6, 6));
    }
    EXPECT_EQ(frame.pnlToolBar()->height(), frame.pnlFormaz()->geometry().bottom() + 1);
    EXPECT_EQ(frame.sizeHint().height(), frame.pnlToolBar()->height());
}

TEST_F(ToolbarFrameTest, FirstPanelGrowsWithControlsTheHostAdds)
{
    InitToolbarFrame(frame, 1);
    const int before = frame.pnlSzokas()->width();
    auto *check = new QCheckBox(QStringLiteral("Fordítás"), frame.tobSzokas());
    check->setObjectName(QStringLiteral("chbFord"));
    check->setFixedWidth(70);
    frame.tobSzokas()->addWidget(check);
    QCoreApplication::processEvents();
    EXPECT_GE(frame.pnlSzokas()->width(), before + 70);
    EXPECT_EQ(frame.pnlSzokas()->width(), frame.tobSzokas()->width() + 6);
}

TEST_F(ToolbarFrameTest, InitFillsTheFontBoxWithTheInstalledFontsAndTheSubstitutedNames)
{
    EXPECT_EQ(frame.cobBetuTipNev()->count(), 0);
    InitToolbarFrame(frame, 1);
    QStringList names;
    for (int i = 0; i < frame.cobBetuTipNev()->count(); ++i)
        names.append(frame.cobBetuTipNev()->itemText(i));
    for (const QString &family : QFontDatabase::families())
        EXPECT_TRUE(names.contains(family)) << family.toStdString();
    // The names documents use are offered even where a free font draws them.
    EXPECT_TRUE(names.contains(QStringLiteral("Arial")));
    EXPECT_TRUE(names.contains(QStringLiteral("Times New Roman")));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    }));
    EXPECT_FALSE(frame.cobBetuTipNev()->isEditable());
}

TEST_F(ToolbarFrameTest, SizeBoxStartsWithTheStandardSizes)
{
    QComboBox *sizes = frame.cobBetuMeret();
    ASSERT_NE(sizes, nullptr);
    EXPECT_TRUE(sizes->isEditable());
    EXPECT_EQ(sizes->maxVisibleItems(), 25);
    QStringList items;
    for (int i = 0; i < sizes->count(); ++i)
        items.append(sizes->itemText(i));
    EXPECT_EQ(items.join(u' '), QStringLiteral("6 7 8 9 10 11 12 13 14 15 16 18 20 22 24 26 28 "
                                               "32 40 48 72"));
}

TEST_F(ToolbarFrameTest, TogglesAndTheAlignmentGroup)
{
    for (const char *name : {"spbFelkov", "spbDolt", "spbAlahuzott", "spbFormFest"}) {
        EXPECT_TRUE(button(name).isCheckable()) << name;
        EXPECT_FALSE(button(name).isChecked()) << name;
    }
    EXPECT_TRUE(button("spbSorTor").isChecked());
    EXPECT_FALSE(button("spbUj").isCheckable());

    // Bold may be released again: it is not in a group.
    button("spbFelkov").click();
    button("spbFelkov").click();
    EXPECT_FALSE(button("spbFelkov").isChecked());

    EXPECT_TRUE(button("spbIgazitBal").isChecked());
    button("spbIgazitJobb").click();
    EXPECT_TRUE(button("spbIgazitJobb").isChecked());
    EXPECT_FALSE(button("spbIgazitBal").isChecked());
    button("spbIgazitJobb").click();
    EXPECT_TRUE(button("spbIgazitJobb").isChecked()); // a radio group stays down
}

TEST_F(ToolbarFrameTest, DialogsAndHiddenControlsExist)
{
    // The file dialogs are made when first needed, as children of the frame.
    auto *dialogs = dynamic_cast<QtFileDialogs *>(&frame.fileDialogs());
    ASSERT_NE(dialogs, nullptr);
    EXPECT_EQ(frame.findChild<QFileDialog *>(QStringLiteral("sdREET")), nullptr);
    QFileDialog *open = &dialogs->odREET();
    QFileDialog *save = &dialogs->sdREET();
    EXPECT_EQ(open, frame.findChild<QFileDialog *>(QStringLiteral("odREET")));
    EXPECT_EQ(save, frame.findChild<QFileDialog *>(QStringLiteral("sdREET")));
    EXPECT_EQ(save, &dialogs->sdREET());
    for (QFileDialog *dialog : {open, save})
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(save->testOption(QFileDialog::DontConfirmOverwrite));
    for (const char *name : {"mmMentTxt", "reFontMeret"}) {
        const auto *w = frame.findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(w->isHidden());
    }
}

TEST(FindDialogTest, IsTheNamedDialog)
{
    TfrmSzoKeres dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmSzoKeres"));
}

} // namespace
