#include "editor/formatpainter.h"

#include "editor/fraREEszkTar.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

namespace {

void setDown(TfraREEszkTar &frame, const char *name, bool down)
{
    if (QToolButton *button = frame.button(name)) {
        const QSignalBlocker quiet(button);
        button->setChecked(down);
    }
}

} // namespace

FormatPainterStore &FormatPainter()
{
    static FormatPainterStore store;
    return store;
}

void ApplyPickedFormat(TfraREEszkTar &frame, QTextEdit &editor)
{
    // Picking a format up belongs to the painter button; until one has been
    // picked up there is nothing to apply.
    Q_UNUSED(editor);
    if (!FormatPainter().FormatPainterSticky)
        DisarmFormatPainter(frame);
}

void DisarmFormatPainter(TfraREEszkTar &frame)
{
    FormatPainter().FormatPainterArmed = false;
    FormatPainter().FormatPainterSticky = false;
    setDown(frame, "spbFormFest", false);
}

void SyncToolbarWithSelection(TfraREEszkTar &frame, QTextEdit &editor)
{
    QTextCursor cursor = editor.textCursor();
    // A selection reports the format of its first character.
    QTextCursor first(editor.document());
    first.setPosition(cursor.selectionStart());
    if (cursor.hasSelection())
        first.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat character = first.charFormat();
    const Qt::Alignment alignment = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    setDown(frame, "spbIgazitBal", alignment == Qt::AlignLeft || alignment == Qt::AlignLeading);
    setDown(frame, "spbIgazitJobb", alignment == Qt::AlignRight || alignment == Qt::AlignTrailing);
    setDown(frame, "spbIgazitKozep", alignment == Qt::AlignHCenter);
    setDown(frame, "spbIgazitSorkiz", alignment == Qt::AlignJustify);

    const QStringList families = character.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? editor.font().family() : families.front();
    if (QComboBox *name = frame.cobBetuTipNev()) {
        const QSignalBlocker quiet(name);
        name->setCurrentIndex(name->findText(family, Qt::MatchFixedString));
    }
    if (QComboBox *size = frame.cobBetuMeret()) {
        const QSignalBlocker quiet(size);
        const double points =
            character.fontPointSize() > 0 ? character.fontPointSize() : editor.font().pointSizeF();
        size->setEditText(QString::number(qRound(points)));
    }
    setDown(frame, "spbFelkov", character.fontWeight() >= QFont::Bold);
    setDown(frame, "spbDolt", character.fontItalic());
    setDown(frame, "spbAlahuzott", character.fontUnderline());
}
