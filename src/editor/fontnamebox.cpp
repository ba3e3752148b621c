#include "editor/fontnamebox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

constexpr int kItemHeight = 15;

class FontNameDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect,
                          option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        const QString name = index.data(Qt::DisplayRole).toString();
        QFont font = option.font;
        font.setFamilies({name});
        painter->save();
        painter->setFont(font);
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }
};

} // namespace

FontNameBox::FontNameBox(QWidget *parent) : QComboBox(parent)
{
    setItemDelegate(new FontNameDelegate(this));
    // A choice in the list is committed after the list has closed: the box
    // hides its list first and only then sets the new entry and reports it.
    connect(this, &QComboBox::activated, this, [this] {
        if (m_closing)
            closeUp();
    });
}

void FontNameBox::hidePopup()
{
    // The box also hides its list when nothing is shown (on changes of its
    // model, for one); only a list the user saw closes up.
    const bool shown = view() && view()->window()->isVisible();
    QComboBox::hidePopup();
    if (!shown)
        return;
    m_closing = true;
    // Nothing chosen (Esc, a click outside): no entry follows, and the list
    // closes up with the entry the box has.
    QTimer::singleShot(0, this, [this] {
        if (m_closing)
            closeUp();
    });
}

void FontNameBox::closeUp()
{
    m_closing = false;
    Q_EMIT closedUp();
}
