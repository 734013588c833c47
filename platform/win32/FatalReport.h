// The report of a failure the program cannot go on after: a message box
// naming the failed operation and its error code, then the end of the
// process with a non-zero exit code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vandrel::win32 {

inline constexpr UINT kFatalExitCode = 1;

// "予期しないエラーが発生しました。" and, on the last line,
// "<operation> (エラー <code>)"; codes of HRESULT form in hexadecimal.
// Where the failure happened, when given, makes a last line of its own
// ("pages/PageSet.cpp:52").
std::wstring fatalMessage(const std::string& operation, std::uint32_t code, std::string_view where = {});

[[noreturn]] void endWithFatalReport(const std::string& operation, std::uint32_t code, std::string_view where = {});

// The last-resort guard of every window procedure of the program: no C++
// exception may unwind through Windows' own frames. The menu's logic
// handles its failures before they get here, so an exception that arrives
// is a fault the program cannot recover from, and it ends like any other
// fatal failure.
template <class Handler>
LRESULT guardedHandler(Handler&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        endWithFatalReport("C++ exception", ERROR_INTERNAL_ERROR);
    }
}

}  // namespace vandrel::win32
