#pragma once

#include <QString>

#include <utility>

// The outcome of a settings write or delete: either done, or a Hungarian
// message that says why not.
class [[nodiscard]] IniResult final {
public:
    static IniResult success() { return IniResult(); }
    static IniResult failure(QString message) { return IniResult(std::move(message)); }

    bool ok() const { return m_error.isEmpty(); }
    explicit operator bool() const { return ok(); }
    // Empty when ok().
    const QString &error() const { return m_error; }

private:
    IniResult() = default;
    explicit IniResult(QString message) : m_error(std::move(message))
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("Ismeretlen hiba a beállításfájlban.");
    }

    QString m_error;
};
