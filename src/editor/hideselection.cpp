#include "editor/hideselection.h"

#include <QTextEdit>

namespace {

constexpr char kProperty[] = "HideSelection";

} // namespace

bool HidesSelection(const QTextEdit &editor)
{
    return editor.property(kProperty).toBool();
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

SavedHideSelection SaveHideSelection(const QTextEdit &editor)
{
    const QPalette &colours = editor.palette();
    return {editor.property(kProperty), colours.color(QPalette::Inactive, QPalette::Highlight),
            colours.color(QPalette::Inactive, QPalette::HighlightedText)};
}

void RestoreHideSelection(QTextEdit &editor, const SavedHideSelection &saved)
{
    editor.setProperty(kProperty, saved.setting);
    QPalette colours = editor.palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, saved.inactiveHighlight);
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, saved.inactiveHighlightedText);
    editor.setPalette(colours);
}
