// A small program the Win32 tests start in another process, to see the
// platform from outside. What it does depends on its arguments:
//
//   (none)                        writes its command line and current folder
//                                 to the file named by VANDREL_TEST_CHILD_OUT
//   module-path <file>            writes the platform's modulePath() to <file>
//   instance                      asks anotherCopyRunning(); exit code 10 for
//                                 no, 11 for yes, 2 when the platform failed
//   hold-instance <ready> <go>    asks, signals the event <ready>, and keeps
//                                 the token until the event <go> is set
//   fatal                         fatalExit() with CreateProcessW / 2
//
// Files are written in UTF-16, without terminator.
#include <string>

#include "platform/win32/Win32Platform.h"

namespace {

using vandrel::Text;

constexpr int kNo = 10;
constexpr int kYes = 11;
constexpr int kFailed = 2;

bool writeFile(const Text& path, const Text& content) {
    vandrel::win32::FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const DWORD bytes = static_cast<DWORD>(content.size() * sizeof(wchar_t));
    return WriteFile(file.get(), content.data(), bytes, &written, nullptr) && written == bytes;
}

int answer(const vandrel::Result<bool>& another) {
    if (!another) return kFailed;
    return another.value() ? kYes : kNo;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    vandrel::win32::Win32Platform platform(GetModuleHandleW(nullptr));
    const Text mode = argc > 1 ? argv[1] : L"";

    if (mode.empty()) {
        wchar_t out[MAX_PATH * 4];
        if (!GetEnvironmentVariableW(L"VANDREL_TEST_CHILD_OUT", out, MAX_PATH * 4)) return kFailed;
        wchar_t folder[MAX_PATH * 4];
        if (!GetCurrentDirectoryW(MAX_PATH * 4, folder)) return kFailed;
        return writeFile(out, Text(GetCommandLineW()) + L"\n" + folder) ? 0 : kFailed;
    }
    if (mode == L"module-path" && argc == 3) {
        const auto path = platform.modulePath();
        return path && writeFile(argv[2], path.value()) ? 0 : kFailed;
    }
    if (mode == L"instance") return answer(platform.anotherCopyRunning());
    if (mode == L"hold-instance" && argc == 4) {
        const int result = answer(platform.anotherCopyRunning());
        vandrel::win32::UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]));
        vandrel::win32::UniqueHandle go(OpenEventW(SYNCHRONIZE, FALSE, argv[3]));
        if (!ready || !go || !SetEvent(ready.get())) return kFailed;
        if (WaitForSingleObject(go.get(), 20000) != WAIT_OBJECT_0) return kFailed;
        return result;
    }
    if (mode == L"fatal") platform.fatalExit(vandrel::Status::failure("CreateProcessW", 2));
    return kFailed;
}
