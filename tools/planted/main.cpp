// planted: a library of the name of a system library (uxtheme.dll,
// dwmapi.dll, oleacc.dll), laid into a program folder by the tests the way a stranger's
// copy might lie there. Loaded into a process, it leaves a mark beside
// itself, "<its path>.<program name>.loaded", and does nothing else.
#include <windows.h>

#include <string>

namespace {

std::wstring modulePath(HMODULE module) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH * 4);
    return std::wstring(buffer, length);
}

void leaveMark(HINSTANCE self) {
    std::wstring program = modulePath(nullptr);
    program = program.substr(program.find_last_of(L"\\/") + 1);
    const std::wstring mark = modulePath(self) + L"." + program + L".loaded";
    const HANDLE file =
        CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) leaveMark(self);
    return TRUE;
}
