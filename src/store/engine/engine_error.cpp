#include "store/engine/engine_error.h"

namespace store {

EngineError::EngineError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{}

} // namespace store
