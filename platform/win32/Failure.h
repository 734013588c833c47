// How a failed Windows call becomes the Status the menu understands: the
// name of the call and its error code. Every call of the Win32 platform
// reports its failure through one of these.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Status.h"

namespace vandrel::win32 {

// A call that set the thread's last error (GetLastError).
inline Status lastError(const char* operation) {
    return Status::failure(operation, GetLastError());
}

// A call that returns its error code (the registry, ShellExecuteW).
inline Status errorCode(const char* operation, DWORD code) {
    return Status::failure(operation, code);
}

// A COM call.
inline Status comError(const char* operation, HRESULT hr) {
    return Status::failure(operation, static_cast<std::uint32_t>(hr));
}

// Checks a BOOL-returning call: success, or the last error named after it.
inline Status check(BOOL succeeded, const char* operation) {
    return succeeded ? Status() : lastError(operation);
}

inline Status checkCode(LSTATUS code, const char* operation) {
    return code == ERROR_SUCCESS ? Status() : errorCode(operation, static_cast<DWORD>(code));
}

inline Status checkHr(HRESULT hr, const char* operation) {
    return SUCCEEDED(hr) ? Status() : comError(operation, hr);
}

}  // namespace vandrel::win32
