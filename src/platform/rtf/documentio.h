#pragma once

#include "platform/fileaccess.h"
#include "platform/result.h"

#include <QString>

class QTextDocument;

// Loading and saving the editor's documents: the one layer between document
// files and QTextDocument.
namespace documentio {

// Every function returns success, or a Hungarian message for the user that
// names the file.
enum class FileFormat { Rtf, PlainText };

// Files larger than this are refused rather than read into memory.
inline constexpr qint64 kMaxFileSize = 256 * 1024 * 1024;

// True when the name's extension is ".rtf" in any case: the name alone
// decides the format a document is written in.
bool isRtfName(const QString &path);

// Every function opens its file through files, the real file system unless a
// test hands in another.

// Replaces the content of doc with the file at path. The content decides the
// format, not the name: RTF when it starts with "{\rtf" (rtf::looksLikeRtf),
// otherwise plain text (plaintext::read, which notes the text's encoding for
// the next save). When format is given it receives
// the format read. On failure (the file is missing, not a regular file,
// unreadable or too large) doc is left as it was.
platform::Status loadDocument(const QString &path, QTextDocument &doc, FileFormat *format = nullptr,
                              const platform::FileAccess &files = platform::FileAccess::system());

// Writes doc as RTF (rtf::write) or as plain text with CR LF after every
// line (plaintext::encode), in the encoding it was read in, or in
// Windows-1250 unless that cannot hold the text (plaintext::encodeToSave). The file is replaced
// only when the whole new content has been written; on failure the old file stays. A path that
// names something other than a regular file (a device, a pipe) is refused, never replaced.
platform::Status saveRtf(const QString &path, const QTextDocument &doc,
                         const platform::FileAccess &files = platform::FileAccess::system());
platform::Status savePlainText(const QString &path, const QTextDocument &doc,
                               const platform::FileAccess &files = platform::FileAccess::system());

// Makes doc a new document: its next plain-text save chooses the encoding
// afresh, whatever file it was read from.
void startNewDocument(QTextDocument &doc);

// saveRtf for a name with the ".rtf" extension, savePlainText for any other.
// Every caller that writes a document by its name goes through here.
platform::Status saveDocument(const QString &path, const QTextDocument &doc,
                              const platform::FileAccess &files = platform::FileAccess::system());

} // namespace documentio
