#pragma once

class QTextEdit;

// A rich text control's setting to hide its selection while it is not
// focused. A control that was never given one hides it, as the platform's
// rich text control does by default.
bool HidesSelection(const QTextEdit &editor);
void SetHideSelection(QTextEdit &editor, bool hide);
