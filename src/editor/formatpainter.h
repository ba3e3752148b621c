#pragma once

#include "editor/pickedformat.h"

class QTextEdit;
class TfraREEszkTar;

// The format painter's store, shared by both frames: while armed, the next
// mouse release in a host pane applies the picked-up format instead of
// doing anything else. The picked-up format stays after disarming; only a
// new pick-up replaces it.
struct FormatPainterStore {
    bool FormatPainterArmed = false;
    bool FormatPainterSticky = false;
    bool pickedUp = false; // until the first pick-up there is nothing to apply
    PickedFormat picked;
};

FormatPainterStore &FormatPainter();

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
