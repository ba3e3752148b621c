#pragma once

#include <QColor>
#include <QVariant>

class QTextEdit;

// A rich text control's setting to hide its selection while it is not
// focused. A control never given one shows it, as Qt's text controls do.
bool HidesSelection(const QTextEdit &editor);
void SetHideSelection(QTextEdit &editor, bool hide);

// The setting as the control had it, to be given back exactly, whether its
// host ever set it or not.
struct SavedHideSelection {
    QVariant setting;
    QColor inactiveHighlight;
    QColor inactiveHighlightedText;
};
SavedHideSelection SaveHideSelection(const QTextEdit &editor);
void RestoreHideSelection(QTextEdit &editor, const SavedHideSelection &saved);
