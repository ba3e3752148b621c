#pragma once

#include <QRect>
#include <QString>

// The state of the run that the parts of the program share. The main window
// holds the one instance; the others get it by reference.
struct AppState {
    QString ProgramDir;     // the executable's directory, with separator
    QString DatabaseDir;    // the dictionary directory, without separator
    QString DatabasePath;   // the same, with separator
    QString IniFileName;    // the settings file
    QString DictionaryFile; // full path of the dictionary to open, or open now

    QString FromColumn;    // source-language field of the open dictionary
    QString ToColumn;      // target-language field
    int ToColumnIndex = 1; // grid column that shows ToColumn

    QString TextDocName;
    bool TextDocHasFile = false;
    QString HelpDocName;
    bool HelpDocHasFile = false;

    QRect NormalBounds{100, 100, 500, 300};
    bool WindowMaximized = false;
    int StartPageIndex = 0;
    bool SkipSettingsSave = false;
};
