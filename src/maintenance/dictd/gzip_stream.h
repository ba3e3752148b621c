#pragma once

#include "maintenance/dictd/result.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace dictd {

// Inflates a whole gzip file (one member or several in a row), checking each
// member's CRC and length. Fails on corrupt or truncated data and when the
// output would exceed maxOutput bytes.
Result<QByteArray> inflateGzip(QByteArrayView compressed, std::int64_t maxOutput);

} // namespace dictd
