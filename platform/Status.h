// The outcome of one platform operation, and the ways the menu reacts to a
// failed one. Every operation of the platform returns a Status (or a Result
// carrying a value); the call site has to say what a failure means there:
//
//   carryOn(op)        the step is skipped and the handler goes on
//   orFatal(op)        the program cannot go on: FatalError is thrown, and the
//                      event dispatcher shows the fatal report and ends with a
//                      non-zero exit code (see Menu::guarded)
//   if (!op.ok()) ...  the call site handles it itself (the launch's message,
//                      page 1's recovery point)
//
// No exception crosses the platform interface: FatalError is thrown by the
// logic only, through orFatal.
#pragma once

#include <cstdint>
#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vandrel {

class [[nodiscard]] Status {
public:
    Status() = default;  // success

    // A failed call: the system call (or the platform operation) that failed,
    // the system's own error code where it gave one (0: none), and where in
    // the program it was made.
    static Status failure(std::string_view operation, std::uint32_t systemCode = 0,
                          std::source_location where = std::source_location::current()) {
        Status s;
        s.failed_ = true;
        s.operation_ = operation;
        s.systemCode_ = systemCode;
        s.where_ = where;
        return s;
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // "CreateProcessW", "RegSetValueExW", "setText" ...
    const std::string& operation() const { return operation_; }
    // The error code the system gave (GetLastError, an HRESULT); 0 when the
    // failure is not one of the system's.
    std::uint32_t systemCode() const { return systemCode_; }
    const std::source_location& where() const { return where_; }

private:
    bool failed_ = false;
    std::string operation_;
    std::uint32_t systemCode_ = 0;
    std::source_location where_;
};

// A value, or the failure that kept the platform from producing it.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}            // NOLINT: implicit on purpose
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
    explicit FatalError(Status s) : std::runtime_error(s.operation()), status_(std::move(s)) {}
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
