#pragma once

#include "maintenance/import/text_line_reader.h"
#include "platform/textencoding.h"

#include <QString>

#include <optional>

class QIODevice;

namespace dictimport {

// What a line reader must know of a text file before its first line: one
// pass over the whole file in bounded pieces. The encoding and the line
// breaks are decided on the bytes before a Ctrl+Z, the bytes a reader
// reads; a NUL byte anywhere makes the file binary.
struct TextFileFacts {
    platform::TextEncoding encoding = platform::TextEncoding::Windows1250;
    LineBreaks breaks = LineBreaks::Lf; // CrOnly: CRs and no LF at all
    bool binary = false;
};

// Nullopt, with error set to the device's reason, when a read fails. The
// device is put back where it was.
std::optional<TextFileFacts> ScanTextFile(QIODevice &device, QString *error = nullptr);

} // namespace dictimport
