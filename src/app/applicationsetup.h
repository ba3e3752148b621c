#pragma once

class QCoreApplication;

// What the program does to its application object before the first window:
// its name (the task bar text) and Qt's own Hungarian texts, so that the
// standard dialogs and buttons speak Hungarian. No display name is set: the
// window system would append it to every window title.
void SetUpApplication(QCoreApplication &app);

// Loads Qt's Hungarian translations from Qt's translations folder and
// installs them on app; false when they are not installed there.
bool InstallHungarianQtTranslations(QCoreApplication &app);
