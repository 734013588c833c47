// The process operations of the Windows platform: the program's own path,
// the single running copy, starting other programs and ending this one.
#include <string>

#include "platform/win32/Failure.h"
#include "platform/win32/FatalReport.h"
#include "platform/win32/InstanceName.h"
#include "platform/win32/Win32Platform.h"

namespace vandrel::win32 {

Win32Platform::Win32Platform(HINSTANCE instance, const AccessibilityFunctions& accessibility)
    : instance_(instance), graphics_(instance), environment_{instance, graphics_, nullptr, accessibility} {}

Win32Platform::~Win32Platform() = default;

Result<Text> Win32Platform::modulePath() {
    // The buffer grows until the whole path fits: long and Japanese paths
    // are never cut. Most paths fit the first size.
    Text path(128, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) return lastError("GetModuleFileNameW");
        if (length < size && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            path.resize(length);
            return path;
        }
        if (size >= 0x10000) return errorCode("GetModuleFileNameW", ERROR_INSUFFICIENT_BUFFER);
        path.assign(static_cast<std::size_t>(size) * 2, L'\0');
    }
}

Result<bool> Win32Platform::anotherCopyRunning() {
    // The token is claimed once; asking again gives the first answer.
    if (anotherCopy_) return *anotherCopy_;

    Result<Text> path = modulePath();
    if (!path) return path.status();
    Text folded = path.value();
    CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    const std::wstring name = instanceMutexName(folded);

    UniqueHandle token(CreateMutexW(nullptr, FALSE, name.c_str()));
    const DWORD error = GetLastError();
    if (!token) {
        // A copy started by another account of this session holds it.
        if (error == ERROR_ACCESS_DENIED) return *(anotherCopy_ = true);
        return errorCode("CreateMutexW", error);
    }
    instanceToken_ = std::move(token);
    anotherCopy_ = (error == ERROR_ALREADY_EXISTS);
    return *anotherCopy_;
}

Status Win32Platform::startProgram(TextView path) {
    const Text application(path);
    // The command line is the quoted path alone, in a buffer the call may
    // write to.
    Text commandLine = L"\"" + application + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return lastError("CreateProcessW");
    }
    // The menu does not wait for the program nor keep track of it.
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    return {};
}

void Win32Platform::endProgram(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

void Win32Platform::fatalExit(const Status& failure) {
    const std::string where = std::string(failure.where().file_name()) + ":" + std::to_string(failure.where().line());
    endWithFatalReport(failure.operation(), failure.systemCode(), failure.where().line() != 0 ? where : std::string());
}

}  // namespace vandrel::win32
