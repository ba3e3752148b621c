#pragma once

#include "maintenance/cleanup/reporting.h"
#include "platform/result.h"
#include "store/engine/engine_error.h"

#include <QString>

namespace store {
class Field;
class Table;
} // namespace store

// What the clean-ups and the German import share: the run around the work
// and the batching of its writes.
namespace cleanup::detail {

// The source and target fields of a dictionary in its natural direction
// (the languages in the order of its file name). Throws store::EngineError
// when table has no field components of those names.
struct NaturalFields {
    QString sourceName;
    store::Field *source = nullptr;
    store::Field *target = nullptr;
};
NaturalFields naturalFields(const store::Table &table);

// Detaches the views and groups the writes into batches while it lives.
// finish() commits the last batch and throws when that fails; without it
// the destructor commits what it can and swallows a failure.
class Batch final {
public:
    explicit Batch(store::Table &table);
    ~Batch();
    void finish();
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

private:
    store::Table &m_table;
    bool m_open = true;
};

// The message for an engine failure in the middle of a run.
QString interrupted(const store::EngineError &error, bool undoable);

} // namespace cleanup::detail
