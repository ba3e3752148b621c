#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// File type lists of the editor's open and save dialogs, written as pairs of
// "description|patterns" joined by "|", patterns separated by ";".
inline constexpr QStringView kOpenFilters =
    u"Text fájl (*.txt)|*.txt|Rich Text formátum (*.rtf)|*.rtf|"
    u"Szöveg fájl (*.txt;*.rtf)|*.txt;*.rtf|Minden fájl (*.*)|*.*";
inline constexpr int kOpenFilterAtStart = 3;
inline constexpr QStringView kSaveFilters =
    u"Rich Text formátum (*.rtf)|*.rtf|Csak szöveg (*.txt)|*.txt";
inline constexpr int kSaveFilterAtStart = 1;

// The list as QFileDialog name filters, one per pair: the description with
// the pair's own patterns in parentheses, separated by blanks, as Qt reads
// them ("Szöveg fájl (*.txt *.rtf)"). "*.*" becomes "*", so that names
// without a dot count as all files too. A trailing description without
// patterns is dropped.
QStringList QtNameFilters(QStringView pairs);
