#pragma once

#include "editor/hostbinding.h"

class QTextEdit;
class TfraREEszkTar;

// The store is the frame's EditorHosts::painter; without hosts the painter
// does nothing.

// Applies the picked-up format to the editor's selection, or, without one,
// to the word at its caret, the caret staying where it is; disarms the
// painter unless it is sticky.
void ApplyPickedFormat(TfraREEszkTar &frame, QTextEdit &editor);
// Disarms the painter and releases the frame's painter button.
void DisarmFormatPainter(TfraREEszkTar &frame);
// The alignment buttons show the selection's first paragraph, the font
// boxes and the style buttons its first character (the size in points,
// also for a font sized in pixels).
void SyncToolbarWithSelection(TfraREEszkTar &frame, QTextEdit &editor);
