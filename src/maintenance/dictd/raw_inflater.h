#pragma once

#include "maintenance/dictd/result.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

namespace dictd {

// Inflates the independent chunks of a dictzip file: raw deflate data that
// the compressor flushed completely at each chunk's end, so every chunk
// decodes on its own. One zlib stream is kept and reset between chunks.
class RawInflater final {
public:
    RawInflater();
    ~RawInflater();
    RawInflater(const RawInflater &) = delete;
    RawInflater &operator=(const RawInflater &) = delete;

    // The uncompressed bytes of one chunk, at most capacity of them. Fails on
    // corrupt data and when the chunk holds more than capacity bytes.
    Result<QByteArray> inflateChunk(QByteArrayView compressed, int capacity);

private:
    struct Stream;
    std::unique_ptr<Stream> m_stream;
};

} // namespace dictd
