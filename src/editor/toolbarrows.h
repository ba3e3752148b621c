#pragma once

class QToolBar;

// Fills the editor frame's two toolbar rows with their controls, in order,
// each with its object name: flat 23 x 22 buttons with their pictures,
// 6 x 22 separators and the 8 x 22 grip at the left end. The toggles (bold,
// italic, underline, word wrap, format painter) are checkable; word wrap is
// down at start, and the four alignments form one group with left down.
void FillSzokasRow(QToolBar &tobSzokas);
void FillFormazRow(QToolBar &tobFormaz);
