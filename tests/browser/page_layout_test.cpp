#include "browser_fixture.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

class PageLayoutTest : public BrowserFixture {};

struct Control {
    const char16_t *name;
    const char16_t *caption; // nullptr: a control without a caption
};

TEST_F(PageLayoutTest, EveryControlHasItsNameAndCaption)
{
    EXPECT_EQ(page->objectName(), u"tsSzotar"_s);
    const Control controls[] = {{u"dbgrSzotar", nullptr},         {u"pnlSzotar", nullptr},
                                {u"bbtnKeres", u"Keresés"},       {u"edtKeres", nullptr},
                                {u"pnlGombok1", nullptr},         {u"bbtnUjSzo", u"Új szó"},
                                {u"bbtnSzoTorl", u"Szó törlése"}, {u"Label1", u"Sorrend:"},
                                {u"rbAngol", u"Angol"},           {u"rbMagyar", u"Magyar"}};
    for (const Control &control : controls) {
        QWidget *widget = find(control.name);
        if (!widget) {
            ADD_FAILURE() << "missing " << QString::fromUtf16(control.name).toStdString();
            continue;
        }
        if (!control.caption)
            continue;
        const QString caption = QString::fromUtf16(control.caption);
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            EXPECT_EQ(button->text(), caption);
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            EXPECT_EQ(label->text(), caption);
        }
    }
    EXPECT_TRUE(find<QRadioButton>(u"rbAngol")->isChecked());
    EXPECT_TRUE(find<QLabel>(u"Label1")->font().bold());
}

TEST_F(PageLayoutTest, BarsAreNavyWithWhiteTexts)
{
    const QColor navy(0, 0, 0x80);
    for (const char16_t *name : {u"pnlSzotar", u"pnlGombok1"})
        EXPECT_EQ(find(name)->palette().color(QPalette::Window), navy);
    for (const char16_t *name : {u"Label1", u"rbAngol", u"rbMagyar"})
        EXPECT_EQ(find(name)->palette().color(QPalette::WindowText), Qt::white);
}

TEST_F(PageLayoutTest, BottomBarGeometry)
{
    QWidget *bar = find(u"pnlSzotar");
    EXPECT_EQ(bar->height(), 41);
    EXPECT_EQ(bar->width(), 900);
    EXPECT_EQ(find(u"bbtnKeres")->geometry(), QRect(8, 8, 75, 25));
    QWidget *buttons = find(u"pnlGombok1");
    EXPECT_EQ(buttons->geometry(), QRect(900 - 316, 0, 316, 41));

    page->FitSearchBoxWidth();
    EXPECT_EQ(searchBox()->x(), 88);
    EXPECT_EQ(searchBox()->width(), 900 - 8 - 75 - 316 - 6);
    page->resize(1000, 400);
    EXPECT_EQ(searchBox()->width(), 1000 - 8 - 75 - 316 - 6) << "the box stretches with the bar";
    EXPECT_EQ(buttons->x(), 1000 - 316);
}

TEST_F(PageLayoutTest, ColumnWidthsFollowTheWindowsWidth)
{
    EXPECT_EQ(titles()->sectionSize(0), 185);
    EXPECT_EQ(titles()->sectionSize(1), 176);
    page->FitGridColumns(773);
    EXPECT_EQ(titles()->sectionSize(0), 356);
    EXPECT_EQ(titles()->sectionSize(1), 356);
}

} // namespace
