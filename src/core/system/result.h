#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "system/file_failure.h"

namespace zvk {

// Why an operation failed, for the user to read.
struct Failure
{
    // The whole failure in English with the system's own words, as the terminal
    // prints it, e.g. "cannot write /data/LIST01.csv: No space left on device".
    std::string detail;
    // Where the failure is about one file: that file, whether it was being read or
    // written, and the system's reason, so that the window can say it in Slovak.
    // An empty path when it is not about one file.
    FileFailure file;
};

// The failure side of an Expected, as std::unexpected is for std::expected.
template <class E>
class Unexpected
{
public:
    explicit Unexpected(E error)
        : m_error(std::move(error))
    {
    }

    E& error() &
    {
        return m_error;
    }

    E&& error() &&
    {
        return std::move(m_error);
    }

private:
    E m_error;
};

// A value or the reason there is none: the subset of C++23's std::expected that the
// program uses, with the same names, so that it can be swapped for it.
template <class T, class E>
class [[nodiscard]] Expected
{
public:
    Expected()
        requires std::is_default_constructible_v<T>
        : m_content(std::in_place_index<0>)
    {
    }

    Expected(T value)
        : m_content(std::in_place_index<0>, std::move(value))
    {
    }

    template <class G>
    Expected(Unexpected<G> failure)
        : m_content(std::in_place_index<1>, std::move(failure).error())
    {
    }

    bool has_value() const
    {
        return m_content.index() == 0;
    }

    explicit operator bool() const
    {
        return has_value();
    }

    T& value() &
    {
        assert(has_value());
        return std::get<0>(m_content);
    }

    const T& value() const&
    {
        assert(has_value());
        return std::get<0>(m_content);
    }

    T&& value() &&
    {
        assert(has_value());
        return std::get<0>(std::move(m_content));
    }

    T& operator*() &
    {
        return value();
    }

    const T& operator*() const&
    {
        return value();
    }

    T* operator->()
    {
        return &value();
    }

    const T* operator->() const
    {
        return &value();
    }

    const E& error() const&
    {
        assert(!has_value());
        return std::get<1>(m_content);
    }

    E&& error() &&
    {
        assert(!has_value());
        return std::get<1>(std::move(m_content));
    }

private:
    std::variant<T, E> m_content;
};

// Success without a value, or the reason of the failure.
template <class E>
class [[nodiscard]] Expected<void, E>
{
public:
    Expected() = default;

    template <class G>
    Expected(Unexpected<G> failure)
        : m_error(std::move(failure).error())
    {
    }

    bool has_value() const
    {
        return !m_error.has_value();
    }

    explicit operator bool() const
    {
        return has_value();
    }

    const E& error() const&
    {
        assert(!has_value());
        return *m_error;
    }

    E&& error() &&
    {
        assert(!has_value());
        return std::move(*m_error);
    }

private:
    std::optional<E> m_error;
};

// What an operation that can fail for a reason the user must see gives back.
template <class T = void>
using Result = Expected<T, Failure>;

// The failure to return from an operation giving a Result.
inline Unexpected<Failure> Fail(std::string detail, FileFailure file = {})
{
    return Unexpected<Failure>(Failure{std::move(detail), std::move(file)});
}

} // namespace zvk
