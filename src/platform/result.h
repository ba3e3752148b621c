#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace platform {

// The failure side of a Result: a Hungarian message meant for the user.
struct Failure {
    QString message;
};

// The value of a Result that only tells success.
struct Done {};

// Either a value or a Failure with a Hungarian message that says why not
// (return a T or Done{} on success, Failure{message} otherwise).
// Every operation that can fail without throwing reports this way: the
// settings file, the documents, the dictionary operations above the table
// engine and the readers of outside formats.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_data(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_data(std::in_place_index<1>, std::move(failure))
    {
        // A failure always says something to the user.
        if (std::get<1>(m_data).message.isEmpty())
            std::get<1>(m_data).message = QStringLiteral("Ismeretlen hiba.");
    }

    bool ok() const { return m_data.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    T &value() { return std::get<0>(m_data); }
    const T &value() const { return std::get<0>(m_data); }
    T &operator*() { return value(); }
    const T &operator*() const { return value(); }
    T *operator->() { return &value(); }
    const T *operator->() const { return &value(); }

    // Empty when ok().
    const QString &error() const
    {
        static const QString none;
        return ok() ? none : std::get<1>(m_data).message;
    }
    // Only when !ok().
    Failure failure() const { return std::get<1>(m_data); }

private:
    std::variant<T, Failure> m_data;
};

using Status = Result<Done>;

} // namespace platform
