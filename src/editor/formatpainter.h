#pragma once

class QTextEdit;
class TfraREEszkTar;

// The format painter's store, shared by both frames: while armed, the next
// mouse release in a host pane applies the picked-up format instead of
// doing anything else.
struct FormatPainterStore {
    bool FormatPainterArmed = false;
    bool FormatPainterSticky = false;
};

FormatPainterStore &FormatPainter();

// Applies the picked-up format to the editor's selection (or the word at its
// caret); disarms the painter unless it is sticky.
void ApplyPickedFormat(TfraREEszkTar &frame, QTextEdit &editor);
// Disarms the painter and releases the frame's painter button.
void DisarmFormatPainter(TfraREEszkTar &frame);
// The alignment buttons, the font boxes and the style buttons show the
// selection's format.
void SyncToolbarWithSelection(TfraREEszkTar &frame, QTextEdit &editor);
