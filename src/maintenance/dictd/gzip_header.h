#pragma once

#include "maintenance/dictd/result.h"

#include <QByteArrayView>

#include <cstdint>
#include <vector>

namespace dictd {

// The header of a gzip member, with the random-access table that a dictzip
// file keeps in the "RA" extra field.
struct GzipHeader {
    std::int64_t dataStart = 0;            // offset of the first byte of deflate data
    bool randomAccess = false;             // an RA field was present
    int chunkLength = 0;                   // uncompressed bytes of every chunk but the last
    std::vector<std::uint16_t> chunkSizes; // compressed bytes of each chunk
};

// True when bytes begin with the gzip signature.
bool hasGzipSignature(QByteArrayView bytes);

// Parses the header at the start of bytes, which must hold all of it.
// Failures describe the fault in Hungarian, without naming the file.
Result<GzipHeader> parseGzipHeader(QByteArrayView bytes);

} // namespace dictd
