#include "platform/win32/FatalReport.h"

#include <cwchar>

namespace vandrel::win32 {

namespace {

// Names of calls and of source files are plain ASCII.
std::wstring widened(std::string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring fatalMessage(const std::string& operation, std::uint32_t code, std::string_view where) {
    std::wstring message = L"予期しないエラーが発生しました。\r\n\r\n" + widened(operation);
    if (code != 0) {
        wchar_t number[16];
        if (code >= 0x80000000u) {
            swprintf(number, sizeof number / sizeof number[0], L"0x%08X", static_cast<unsigned>(code));
        } else {
            swprintf(number, sizeof number / sizeof number[0], L"%u", static_cast<unsigned>(code));
        }
        message += L" (エラー " + std::wstring(number) + L")";
    }
    if (!where.empty()) message += L"\r\n" + widened(where);
    return message;
}

void endWithFatalReport(const std::string& operation, std::uint32_t code, std::string_view where) {
    // Nothing is left to report a failed message box to: the process ends
    // either way.
    MessageBoxW(nullptr, fatalMessage(operation, code, where).c_str(), L"Vandrel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(kFatalExitCode);
}

}  // namespace vandrel::win32
