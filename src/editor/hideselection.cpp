#include "editor/hideselection.h"

#include <QTextEdit>
#include <QVariant>

namespace {

constexpr char kProperty[] = "HideSelection";

} // namespace

bool HidesSelection(const QTextEdit &editor)
{
    const QVariant value = editor.property(kProperty);
    return !value.isValid() || value.toBool();
}

void SetHideSelection(QTextEdit &editor, bool hide)
{
    editor.setProperty(kProperty, hide);
    QPalette colours = editor.palette();
    for (auto [role, shown] : {std::pair{QPalette::Highlight, QPalette::Base},
                               {QPalette::HighlightedText, QPalette::Text}}) {
        // A hidden selection is painted in the plain text colours while the
        // control is inactive.
        const QPalette::ColorRole source = hide ? shown : role;
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, source));
    }
    editor.setPalette(colours);
}
