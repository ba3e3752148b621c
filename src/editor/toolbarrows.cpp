#include "editor/toolbarrows.h"

#include "editor/fontnamebox.h"
#include "editor/toolbaricons.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

#include <initializer_list>

namespace {

enum class Kind { Grip, Separator, Button, Toggle, Alignment, FontName, FontSize };

struct Item {
    const char16_t *name;
    Kind kind;
};

constexpr int kButtonWidth = 23;
constexpr int kRowHeight = 22;

QLabel *picture(QToolBar &bar, const QString &name, int width)
{
    auto *label = new QLabel(&bar);
    label->setObjectName(name);
    label->setFixedSize(width, kRowHeight);
    return label;
}

QToolButton *toolButton(QToolBar &bar, const QString &name, bool checkable)
{
    auto *button = new QToolButton(&bar);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonWidth, kRowHeight);
    button->setIconSize(QSize(16, 16));
    button->setIcon(ToolbarIcon(name));
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus); // the editor keeps the focus and its selection
    return button;
}

void setUpBox(QComboBox *box, const QString &name, int width, bool editable)
{
    box->setObjectName(name);
    box->setFixedSize(width, kRowHeight);
    box->setEditable(editable);
    box->setFocusPolicy(Qt::ClickFocus);
}

void fill(QToolBar &bar, std::initializer_list<Item> items)
{
    QButtonGroup *alignment = nullptr;
    for (const Item &item : items) {
        const QString name = QString::fromUtf16(item.name);
        QWidget *control = nullptr;
        switch (item.kind) {
        case Kind::Grip: {
            QLabel *grip = picture(bar, name, 8);
            grip->setPixmap(GripPicture());
            grip->setCursor(Qt::SizeAllCursor);
            control = grip;
            break;
        }
        case Kind::Separator:
            control = picture(bar, name, 6);
            break;
        case Kind::Button:
            control = toolButton(bar, name, false);
            break;
        case Kind::Toggle:
            control = toolButton(bar, name, true);
            break;
        case Kind::Alignment: {
            QToolButton *button = toolButton(bar, name, true);
            if (!alignment) {
                alignment = new QButtonGroup(&bar);
                alignment->setExclusive(true);
                button->setChecked(true);
            }
            alignment->addButton(button);
            control = button;
            break;
        }
        case Kind::FontName: {
            auto *box = new FontNameBox(&bar);
            setUpBox(box, name, 145, false);
            QFont font(QStringLiteral("Arial Narrow"));
            font.setPixelSize(12);
            box->setFont(font);
            control = box;
            break;
        }
        case Kind::FontSize: {
            auto *box = new QComboBox(&bar);
            setUpBox(box, name, 40, true);
            box->setMaxVisibleItems(25);
            for (int size :
                 {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 32, 40, 48, 72})
                box->addItem(QString::number(size));
            box->setCurrentIndex(-1);
            control = box;
            break;
        }
        }
        bar.addWidget(control);
    }
}

} // namespace

void FillSzokasRow(QToolBar &tobSzokas)
{
    fill(tobSzokas, {
                        {u"imgSzokasEleje", Kind::Grip},
                        {u"spbUj", Kind::Button},
                        {u"spbMegnyit", Kind::Button},
                        {u"spbMent", Kind::Button},
                        {u"spbMentMask", Kind::Button},
                        {u"Image2", Kind::Separator},
                        {u"spbKeres", Kind::Button},
                        {u"spbCserel", Kind::Button},
                        {u"Image7", Kind::Separator},
                        {u"spbKivag", Kind::Button},
                        {u"spbMasol", Kind::Button},
                        {u"spbBeill", Kind::Button},
                        {u"spbFormFest", Kind::Toggle},
                        {u"Image3", Kind::Separator},
                        {u"spbMegsem", Kind::Button},
                        {u"spbMegis", Kind::Button},
                    });
}

void FillFormazRow(QToolBar &tobFormaz)
{
    fill(tobFormaz, {
                        {u"imgFormazEleje", Kind::Grip},     {u"cobBetuTipNev", Kind::FontName},
                        {u"cobBetuMeret", Kind::FontSize},   {u"spbSzin", Kind::Button},
                        {u"Image8", Kind::Separator},        {u"spbBetuTip", Kind::Button},
                        {u"spbFelkov", Kind::Toggle},        {u"spbDolt", Kind::Toggle},
                        {u"spbAlahuzott", Kind::Toggle},     {u"spbNagyobbBetu", Kind::Button},
                        {u"spbKisebbBetu", Kind::Button},    {u"Image5", Kind::Separator},
                        {u"spbIgazitBal", Kind::Alignment},  {u"spbIgazitKozep", Kind::Alignment},
                        {u"spbIgazitJobb", Kind::Alignment}, {u"spbIgazitSorkiz", Kind::Alignment},
                        {u"Image4", Kind::Separator},        {u"spbFelsorol", Kind::Button},
                        {u"spbBehuzCsokk", Kind::Button},    {u"spbBehuzNov", Kind::Button},
                        {u"Image1", Kind::Separator},        {u"spbSorTor", Kind::Toggle},
                    });
    if (auto *wrap = tobFormaz.findChild<QToolButton *>(QStringLiteral("spbSorTor")))
        wrap->setChecked(true);
}
