#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace store {

// The failure side of a Result: a Hungarian message meant for the user.
struct Failure {
    QString message;
};

// Either a value or a Failure. The dictionary operations above the table
// engine and the readers of outside formats report this way.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_data(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_data(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_data.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    T &value() { return std::get<0>(m_data); }
    const T &value() const { return std::get<0>(m_data); }
    T &operator*() { return value(); }
    const T &operator*() const { return value(); }
    T *operator->() { return &value(); }
    const T *operator->() const { return &value(); }

    // Only when !ok().
    const QString &error() const { return std::get<1>(m_data).message; }
    Failure failure() const { return std::get<1>(m_data); }

private:
    std::variant<T, Failure> m_data;
};

// The value of a Result that only tells success.
struct Done {};
using Status = Result<Done>;

} // namespace store
