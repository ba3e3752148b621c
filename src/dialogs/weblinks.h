#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// Opening the program's web links and other outside programs. No command
// line is ever built from an address: an address goes to the desktop's
// handler as one URL, a program gets its arguments as a list.
//
// Result words of RunCommand and OpenWithApp: "?" before a start is tried,
// "OK" started, "0" out of memory, "ERROR_FILE_NOT_FOUND",
// "ERROR_PATH_NOT_FOUND" (the folder is missing), "ERROR_BAD_FORMAT" (not an
// executable program), "OTHER_ERROR" (the start failed otherwise),
// "OTHER_ERROR_2" (the start raised an exception).

// Opens an address with the desktop's handler; false when that failed.
using UrlOpener = std::function<bool(const QUrl &)>;
// QDesktopServices::openUrl.
UrlOpener DesktopUrlOpener();

// The product version of fileName: the build's version when fileName is
// this program's own executable, otherwise (no version data, a missing
// file, an empty name) the empty string.
QString GetProductVersion(const QString &fileName);

// A byte as two upper-case hexadecimal digits: 0 → "00", 14 → "0E".
QString ByteToHex(quint8 value);

// Kind is "INTERNET" or "EXCEL", in any letter case. True when the kind has
// a handler here: for INTERNET the desktop's URL handler, which needs no
// command, so command is left as it was. EXCEL has none: command :=
// "Error: EXCEL not in Registry", false. Any other kind: command :=
// "Error: " + kind + " not supported", false.
bool FindAppCommand(const QString &kind, QString &command);

// Starts program (a path, or a name searched on PATH) with the arguments,
// each passed as it is, without a shell; result receives a result word.
void RunCommand(const QString &program, const QStringList &arguments, QString &result);

// Opens target, an address or a local file, with the handler of kind
// through opener. result: "OK", "OTHER_ERROR" when the opener failed or the
// address is not valid, "ERROR_FILE_NOT_FOUND" for a missing local file,
// "OTHER_ERROR_2" when the opener threw, or FindAppCommand's error text.
void OpenWithApp(const QString &kind, const QString &target, QString &result,
                 const UrlOpener &opener = DesktopUrlOpener());
