// The outcome of one platform operation, and the ways the menu reacts to a
// failed one. Every operation of the platform returns a Status (or a Result
// carrying a value); the call site has to say what a failure means there:
//
//   carryOn(op)        the step is skipped and the handler goes on
//   orFatal(op)        the program cannot go on: FatalError is thrown, and the
//                      event dispatcher shows the fatal report and ends with a
//                      non-zero exit code (see Menu::dispatch)
//   if (!op.ok()) ...  the call site handles it itself (the launch's message,
//                      page 1's recovery point)
//
// No exception crosses the platform interface: FatalError is thrown by the
// logic only, through orFatal.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace vandrel {

class [[nodiscard]] Status {
public:
    Status() = default;  // success

    static Status failure(std::string operation, std::uint32_t code) {
        Status s;
        s.operation_ = std::move(operation);
        s.code_ = code == 0 ? 1 : code;
        return s;
    }

    bool ok() const { return code_ == 0; }
    explicit operator bool() const { return ok(); }
    // The platform call that failed ("CreateProcessW", "RegSetValueExW", ...).
    const std::string& operation() const { return operation_; }
    // The platform's error code (GetLastError or an HRESULT); never 0 on failure.
    std::uint32_t code() const { return code_; }

private:
    std::string operation_;
    std::uint32_t code_ = 0;
};

// A value, or the failure that kept the platform from producing it.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
    Result(Status failure) : status_(std::move(failure)) {}  // NOLINT

    bool ok() const { return status_.ok(); }
    explicit operator bool() const { return ok(); }
    const Status& status() const { return status_; }
    const T& value() const { return value_; }
    T& value() { return value_; }
    // The value, or `fallback` when the operation failed.
    T valueOr(T fallback) const { return ok() ? value_ : std::move(fallback); }

private:
    T value_{};
    Status status_;
};

// The program cannot go on. Thrown by orFatal only, caught by the event
// dispatcher, which shows the fatal report and ends the process.
class FatalError : public std::runtime_error {
public:
    explicit FatalError(Status s)
        : std::runtime_error(s.operation()), status_(std::move(s)) {}
    const Status& status() const { return status_; }

private:
    Status status_;
};

// Carry-on-after-error: a failed step is skipped and the handler goes on.
inline void carryOn(const Status&) {}
template <class T>
void carryOn(const Result<T>&) {}

// A step whose failure ends the program with the fatal report.
inline void orFatal(const Status& s) {
    if (!s.ok()) throw FatalError(s);
}
template <class T>
T orFatal(Result<T> r) {
    if (!r.ok()) throw FatalError(r.status());
    return std::move(r.value());
}

}  // namespace vandrel
