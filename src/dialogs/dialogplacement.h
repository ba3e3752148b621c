#pragma once

class QWidget;

// Moves dialog so that it stands centred over its parent's window, or over
// the primary screen when it has none that is shown.
void centreOverMainWindow(QWidget &dialog);
