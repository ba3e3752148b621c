#pragma once

#include <QString>

// The state of the run that the store and the features share. The main
// window holds the one instance; the others get it by reference. Where the
// window itself stands is the window's own (app/windowplacement.h).
struct AppState {
    QString ProgramDir; // the shipped files' directory, with separator
    // Where the program's documents and dictionaries are written, with
    // separator: the per-user folder of an installed program, else empty,
    // which stands for ProgramDir.
    QString UserDir;
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

    bool SkipSettingsSave = false;

    const QString &userDir() const { return UserDir.isEmpty() ? ProgramDir : UserDir; }
};
