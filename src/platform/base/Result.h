#pragma once

#include <cassert>
#include <utility>
#include <variant>

#include "base/Error.h"

namespace base {

// The outcome of a fallible operation: a value or an error, never both. Callers test it
// with `ok()` (or in a boolean context) before reading `value()`.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& value() & {
        assert(ok());
        return std::get<T>(state_);
    }
    const T& value() const& {
        assert(ok());
        return std::get<T>(state_);
    }
    T&& value() && {
        assert(ok());
        return std::get<T>(std::move(state_));
    }
    T valueOr(T fallback) const { return ok() ? std::get<T>(state_) : std::move(fallback); }

    const Error& error() const {
        assert(!ok());
        return std::get<Error>(state_);
    }

private:
    std::variant<T, Error> state_;
};

// A fallible operation with nothing to return but success.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const {
        assert(failed_);
        return error_;
    }

private:
    Error error_;
    bool failed_ = false;
};

}  // namespace base
