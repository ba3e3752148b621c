#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its shipped files and where it writes.
//
// Portable: run from the build tree or any folder of its own, everything
// (documents, default dictionaries, settings file) stays beside the
// executable. Installed: the executable sits in a "bin" folder with
// "../share/velkor-szotar/" beside it; that folder holds the shipped files
// and is left alone, the settings go to the user's configuration folder and
// everything else the program writes to a per-user data folder.
namespace installlayout {

// The folder name under share/, the configuration and the data folders.
inline constexpr char16_t kFolderName[] = u"velkor-szotar";

// What the layout depends on outside the file system.
struct Environment {
    QString home;          // HOME
    QString xdgConfigHome; // XDG_CONFIG_HOME, may be empty
    QString xdgDataHome;   // XDG_DATA_HOME, may be empty

    // This process's own.
    static Environment current();
};

struct Layout {
    bool installed = false;
    QString programDir;  // the shipped files, with trailing separator
    QString userDir;     // where documents and dictionaries are written, with separator
    QString iniFileName; // the settings file
};

// The layout of the executable programFile. The folder layout alone decides
// (the shipped folder counts as installed also when it is writable, as it
// is for root). Relative XDG folders are ignored, as the XDG rules say.
Layout detect(const QString &programFile, const Environment &environment);

// Gives the per-user folder of an installed layout a copy of every shipped
// document (".rtf") and default dictionary (".DB") it lacks, so that the user can
// change them; files already there are kept. Creates the folder and the
// settings file's folder. Returns one Hungarian message per failure; nothing
// to do for a portable layout.
QStringList seedUserDir(const Layout &layout);

} // namespace installlayout
