#include "platform/win32/FatalReport.h"

#include <cwchar>

namespace vandrel::win32 {

std::wstring fatalMessage(const std::string& operation, std::uint32_t code) {
    // Operation names are the names of API calls: plain ASCII.
    std::wstring name(operation.begin(), operation.end());
    wchar_t number[16];
    if (code >= 0x80000000u) {
        swprintf(number, sizeof number / sizeof number[0], L"0x%08X", static_cast<unsigned>(code));
    } else {
        swprintf(number, sizeof number / sizeof number[0], L"%u", static_cast<unsigned>(code));
    }
    return L"予期しないエラーが発生しました。\r\n\r\n" + name + L" (エラー " + number + L")";
}

void endWithFatalReport(const std::string& operation, std::uint32_t code) {
    // Nothing is left to report a failed message box to: the process ends
    // either way.
    MessageBoxW(nullptr, fatalMessage(operation, code).c_str(), L"Vandrel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(kFatalExitCode);
}

}  // namespace vandrel::win32
