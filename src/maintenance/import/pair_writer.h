#pragma once

#include "maintenance/import/stored_pair_set.h"

#include <QString>

namespace store {
class DictionaryLoader;
} // namespace store

namespace dictimport {

// Appends pairs to a dictionary being loaded the way the program's own
// import does: a pair with an empty side is dropped, and so is one equal,
// in any letter case, to a pair written before. Memory grows by a few
// bytes a written pair, whatever their texts. Engine failures propagate as
// store::EngineError.
class PairWriter final {
public:
    enum class Outcome { Written, Duplicate, EmptySide };

    // expectedPairs: about how many pairs will be written (see StoredPairSet).
    explicit PairWriter(store::DictionaryLoader &loader, std::int64_t expectedPairs = 0);

    // source and target as they are to be stored (see storedText): no
    // longer than their fields, so the table keeps them unchanged.
    Outcome add(const QString &source, const QString &target);

private:
    store::DictionaryLoader &m_loader;
    StoredPairSet m_written;
};

} // namespace dictimport
