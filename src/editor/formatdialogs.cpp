#include "editor/formatdialogs.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QPointer>

FormatDialogs QtFormatDialogs(QWidget &parent)
{
    QPointer<QWidget> owner(&parent);
    FormatDialogs dialogs;
    dialogs.chooseColour = [owner](const QColor &initial) -> std::optional<QColor> {
        QColorDialog cd1(initial, owner);
        cd1.setObjectName(QStringLiteral("cd1"));
        if (cd1.exec() != QDialog::Accepted)
            return std::nullopt;
        return cd1.selectedColor();
    };
    dialogs.chooseFont = [owner](const QFont &initial) -> std::optional<QFont> {
        QFontDialog fdREET(initial, owner);
        fdREET.setObjectName(QStringLiteral("fdREET"));
        if (fdREET.exec() != QDialog::Accepted)
            return std::nullopt;
        return fdREET.selectedFont();
    };
    return dialogs;
}
