#pragma once
// Results of operations on outside data (files, lists, the radio). Core functions never throw
// across a layer: they return a Result holding either a value or an Error.

#include <cassert>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace r605 {

// The three sections of the language files.
enum class Section { Other, Option, Msg };

// A text of the language files, selected by number and section.
struct TextKey {
    int number = 0;
    Section section = Section::Other;
    bool operator==(const TextKey&) const = default;
};

// Why something failed: either a language-file message (key), a literal text, or both (the
// text is then a detail shown after the message, such as a file name or a line number).
struct Error {
    std::optional<TextKey> key;
    std::string text;

    static Error literal(std::string message) { return Error{std::nullopt, std::move(message)}; }
    static Error keyed(TextKey messageKey, std::string detail = {}) {
        return Error{messageKey, std::move(detail)};
    }
    static Error keyed(int number, std::string detail = {}) {
        return Error{TextKey{number, Section::Other}, std::move(detail)};
    }
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& value() & {
        assert(ok());
        return std::get<T>(m_state);
    }
    const T& value() const& {
        assert(ok());
        return std::get<T>(m_state);
    }
    T&& value() && {
        assert(ok());
        return std::get<T>(std::move(m_state));
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const {
        assert(!ok());
        return std::get<Error>(m_state);
    }

private:
    std::variant<T, Error> m_state;
};

// Success or an Error, for operations without a value.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : m_error(std::move(error)) {}
    static Status success() { return Status(); }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const {
        assert(!ok());
        return *m_error;
    }

private:
    std::optional<Error> m_error;
};

} // namespace r605
