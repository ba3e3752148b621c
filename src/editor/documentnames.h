#pragma once

#include <QString>

// Names and texts of the editor's document commands. Paths use "/" as the
// separator, as Qt gives them.

// The directory part with its trailing separator; empty for a bare name.
QString DirectoryWithSeparator(const QString &path);
// The directory part without a trailing separator ("/" stays "/"); empty for
// a bare name.
QString DirectoryOf(const QString &path);
// The part after the last separator.
QString FileNamePart(const QString &path);
// The extension with its dot ("notes.txt" gives ".txt"); empty when the file
// name part has no dot.
QString ExtensionOf(const QString &path);
// The name with its extension replaced by ext, or with ext appended when it
// has none. An empty name stays empty.
QString WithExtension(const QString &path, const QString &ext);

// Name of the counter-th new document, in the directory of the previous name:
// "/texts/a.txt" and 1 give "/texts/Dokumentum1", a bare name gives "Dokumentum1".
QString NewDocumentName(const QString &previousName, int counter);

// Save dialog file types, numbered as the dialog's filters.
inline constexpr int kFilterRtf = 1;
inline constexpr int kFilterText = 2;

// The name a document is written under after the save dialog: with the
// Rich Text type a name without ".rtf" (any case) gets ".rtf" appended
// ("notes.txt" gives "notes.txt.rtf"); with the text type ".rtf" becomes
// ".txt" and any other name stays as it is.
QString SavedName(const QString &chosen, int filterIndex);

// The save dialog's file name after its type changed: ".rtf" for the Rich
// Text type, ".txt" for the text type, replacing the extension or added when
// there is none. Unknown types leave the name alone.
QString NameForFileType(const QString &name, int filterIndex);

// "A fájl már létezik:\n<file name>\nFelülírjam?"
QString OverwriteQuestion(const QString &path);
// "Az alma.txt tartalma megváltozott.\nMented a változásokat?"
QString ModifiedQuestion(const QString &docName);
