#pragma once

#include <QColor>
#include <QFont>

#include <functional>
#include <optional>

class QWidget;

// The colour dialog (`cd1`) and the font dialog (`fdREET`) of the
// formatting row, preset with the selection's values; empty when the user
// cancels. Tests put answers of their own in their place.
struct FormatDialogs {
    std::function<std::optional<QColor>(const QColor &initial)> chooseColour;
    std::function<std::optional<QFont>(const QFont &initial)> chooseFont;
};

FormatDialogs QtFormatDialogs(QWidget &parent);
