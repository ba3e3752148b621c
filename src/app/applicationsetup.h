#pragma once

class QCoreApplication;
class QIcon;

// What the program does to its application object before the first window:
// its name (the task bar text), its icon (on a GUI application) and Qt's own
// Hungarian texts, so that the standard dialogs and buttons speak Hungarian. No display name is
// set: the window system would append it to every window title.
void SetUpApplication(QCoreApplication &app);

// The program's icon, the one the desktop entry names, built into the
// program; drawn by Qt's SVG plugin (Debian package libqt6svg6), and null
// without it.
QIcon ProgramIcon();

// Loads Qt's Hungarian translations from Qt's translations folder and
// installs them on app; false when they are not installed there.
bool InstallHungarianQtTranslations(QCoreApplication &app);
