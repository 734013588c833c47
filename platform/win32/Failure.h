// How a failed Windows call becomes the Status the menu understands: the
// name of the call, the error code Windows gave, and where in the program
// the call was made. Every failure of the Win32 platform is made by one of
// these.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <source_location>
#include <string>

#include "platform/Status.h"

namespace vandrel::win32 {

using Where = std::source_location;

// A call that set the thread's last error (GetLastError).
inline Status lastError(const char* call, Where where = Where::current()) {
    return Status::failure(call, GetLastError(), where);
}

// A call that returns its error code (the registry, ShellExecuteW).
inline Status errorCode(const char* call, DWORD code, Where where = Where::current()) {
    return Status::failure(call, code, where);
}

// A COM call.
inline Status comError(const char* call, HRESULT hr, Where where = Where::current()) {
    return Status::failure(call, static_cast<std::uint32_t>(hr), where);
}

// Checks a BOOL-returning call: success, or the last error named after it.
inline Status check(BOOL succeeded, const char* call, Where where = Where::current()) {
    return succeeded ? Status() : lastError(call, where);
}

inline Status checkCode(LSTATUS code, const char* call, Where where = Where::current()) {
    return code == ERROR_SUCCESS ? Status() : errorCode(call, static_cast<DWORD>(code), where);
}

inline Status checkHr(HRESULT hr, const char* call, Where where = Where::current()) {
    return SUCCEEDED(hr) ? Status() : comError(call, hr, where);
}

// The short name of the function `where` lies in ("setText").
inline std::string functionOf(const Where& where) {
    std::string name = where.function_name();
    name = name.substr(0, name.find('('));
    const auto cut = name.find_last_of(": ");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

// An operation the platform refuses without asking Windows (a page or a
// control that does not exist, a folder where a file is asked for): named
// by the platform operation itself, with no error code of the system's.
inline Status refused(Where where = Where::current()) { return Status::failure(functionOf(where), 0, where); }

}  // namespace vandrel::win32
