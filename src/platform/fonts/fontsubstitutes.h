#pragma once

#include <QStringList>

// The fonts the program and its documents name ("Arial", "Arial Narrow",
// "Times New Roman", "MS Sans Serif") are drawn, where they are not
// installed, in free fonts of the same metrics. Documents keep the names
// they were written with. Call once, after the application object exists.
void InstallFontSubstitutes();

// The installed font families and the names that have a substitute,
// sorted without regard to case, each once: what the font-name box offers.
QStringList FontFamiliesWithSubstitutes();
