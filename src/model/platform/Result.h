#pragma once
// How a routine that can fail hands back the outcome: its value, or a failure
// with the words the user is to read, shaped like std::expected so callers
// read it the same way. The words may be empty where a failure passes without
// one (a polar table without data rows is not saved). `Kind` names the kinds
// of failure where a caller branches on the kind; callers that only need "ok
// or why not" use the plain `Outcome`.
//
//   Result<Table, ReadStatus> r = ReadTable(bytes);
//   if (!r) return r.error();          // hand the failure on
//   use(*r);

#include <QString>

#include <cassert>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace tarvex {

enum class Outcome { Ok, Failed };

template <typename Kind = Outcome>
struct Failure {
    Kind kind;
    QString message;

    Failure(Kind k, QString words) : kind(k), message(std::move(words)) {}
    // The plain kind needs no name for it.
    explicit Failure(QString words)
        requires std::is_same_v<Kind, Outcome>
        : kind(Outcome::Failed), message(std::move(words))
    {
    }
};

Failure(QString) -> Failure<Outcome>;
template <typename Kind>
Failure(Kind, QString) -> Failure<Kind>;

template <typename T = void, typename Kind = Outcome>
class [[nodiscard]] Result {
public:
    using value_type = T;
    using kind_type = Kind;

    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure<Kind> failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() &
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    const T& value() const&
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    T&& value() &&
    {
        assert(ok());
        return std::get<0>(std::move(m_state));
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    template <typename U>
    T value_or(U&& fallback) const&
    {
        return ok() ? value() : static_cast<T>(std::forward<U>(fallback));
    }

    const Failure<Kind>& error() const
    {
        assert(!ok());
        return std::get<1>(m_state);
    }
    // The failure's kind; only asked of a failure.
    Kind kind() const { return error().kind; }
    // The words for the user; empty for a success.
    QString message() const { return ok() ? QString() : error().message; }

private:
    std::variant<T, Failure<Kind>> m_state;
};

// A routine that only succeeds or fails.
template <typename Kind>
class [[nodiscard]] Result<void, Kind> {
public:
    using value_type = void;
    using kind_type = Kind;

    Result() = default;
    Result(Failure<Kind> failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure; }
    explicit operator bool() const { return ok(); }

    const Failure<Kind>& error() const
    {
        assert(!ok());
        return *m_failure;
    }
    Kind kind() const { return error().kind; }
    QString message() const { return ok() ? QString() : m_failure->message; }

private:
    std::optional<Failure<Kind>> m_failure;
};

} // namespace tarvex
