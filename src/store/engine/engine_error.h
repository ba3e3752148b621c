#pragma once

#include <QString>

#include <stdexcept>

namespace store {

// The one exception type of the table engine. The message is Hungarian and
// names the file, field or index involved; it is what the user is shown.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString &message);
    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

} // namespace store
