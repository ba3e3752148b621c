#pragma once

#include <QString>

class QTextEdit;

// Selects the word around the pane's caret (see platform/text/word_span.h) and returns
// it; an empty text when delimiters stand on both sides of the caret.
QString WordAtCaret(QTextEdit &pane);
