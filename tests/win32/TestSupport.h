// Helpers of the Win32 tests: scratch folders, files, child processes and
// waiting for something to happen.
#pragma once

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "platform/win32/Win32Platform.h"

namespace vandrel::win32::test {

// A name no other test process uses at the same time.
inline Text uniqueName(const Text& stem) {
    static unsigned counter = 0;
    return stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

inline Text tempPath() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return Text(buffer, length);  // with its trailing separator
}

// The folder of the running test executable, with its trailing separator.
inline Text binFolder() {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    Text path(buffer, length);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

inline Text childProgram() { return binFolder() + L"vandrel_test_child.exe"; }

// Makes a file; false when it cannot.
inline bool writeFile(const Text& path, const std::string& bytes = "x") {
    UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
}

// The content of a file written in UTF-16, or nothing when unreadable.
inline Text readUtf16File(const Text& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return Text();
    }
    Text content(GetFileSize(file.get(), nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)), &read, nullptr)) {
        return Text();
    }
    content.resize(read / sizeof(wchar_t));
    return content;
}

inline DWORD attributes(const Text& path) { return GetFileAttributesW(path.c_str()); }
inline bool exists(const Text& path) { return attributes(path) != INVALID_FILE_ATTRIBUTES; }

// Polls until `done` or the time is up; the answer of the last poll.
inline bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        Sleep(20);
    }
}

// Runs a function on a thread of its own, joined when the object goes (the
// C++ runtime of the cross build has no std::thread).
class Thread {
public:
    explicit Thread(std::function<void()> body) : body_(std::move(body)) {
        handle_.reset(CreateThread(nullptr, 0, &Thread::run, this, 0, nullptr));
        if (!handle_) body_();  // no thread to be had: run it here, still done once
    }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    ~Thread() { join(); }
    void join() {
        if (handle_) WaitForSingleObject(handle_.get(), INFINITE);
        handle_.reset();
    }

private:
    static DWORD WINAPI run(void* self) {
        static_cast<Thread*>(self)->body_();
        return 0;
    }
    std::function<void()> body_;
    UniqueHandle handle_;
};

// Starts a program with arguments; the process, or an empty handle.
inline UniqueHandle start(const Text& program, const Text& arguments) {
    Text commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return UniqueHandle();
    }
    CloseHandle(started.hThread);
    return UniqueHandle(started.hProcess);
}

// Runs a program to its end; its exit code, or ~0u when it could not run or
// did not end within the time.
inline DWORD run(const Text& program, const Text& arguments, DWORD limitMs = 10000) {
    UniqueHandle process = start(program, arguments);
    if (!process || WaitForSingleObject(process.get(), limitMs) != WAIT_OBJECT_0) return ~0u;
    DWORD code = ~0u;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

// Under Wine: runs a Unix command on Unix paths of the given Windows paths
// ("/bin/ln -s" target link), and waits until `done`. False elsewhere.
inline bool runUnix(const Text& command, std::initializer_list<Text> paths, const std::function<bool()>& done) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    Text line = command;
    for (const Text& path : paths) {
        char* name = unixName(path.c_str());
        if (!name) return false;
        const int length = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
        Text wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, name, -1, wide.data(), length);
        HeapFree(GetProcessHeap(), 0, name);
        wide.resize(wide.size() - 1);  // the terminator
        line += L" \"" + wide + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        return false;
    }
    // A Unix process gives no handle to wait for: watch for its work.
    return waitFor(done);
}

// Makes a symbolic link at `link` to the folder or file `target` (a
// junction for a folder on Windows, where a plain user may not make
// symbolic links to folders); false when this system cannot. Under Wine,
// whose CreateSymbolicLinkW makes nothing, it is a Unix link.
inline bool makeLink(const Text& link, const Text& target, bool folder) {
    if (runUnix(L"/bin/ln -s", {target, link}, [&] { return exists(link); })) return true;
    if (folder) {
        wchar_t system[MAX_PATH];
        GetSystemDirectoryW(system, MAX_PATH);
        return run(Text(system) + L"\\cmd.exe", L"/c mklink /J \"" + link + L"\" \"" + target + L"\"") == 0 &&
               exists(link);
    }
    return CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
           exists(link);
}

// Removes a link the program under test had to leave.
inline void removeLink(const Text& link) {
    if (runUnix(L"/bin/rm -f", {link}, [&] { return !exists(link); })) return;
    if (!RemoveDirectoryW(link.c_str())) DeleteFileW(link.c_str());
}

// A fresh folder in the temporary folder, removed with all it holds at the
// end of the test.
class ScratchFolder {
public:
    explicit ScratchFolder(Win32Platform& platform, const Text& stem = L"vandrel-test")
        : platform_(platform), path_(tempPath() + uniqueName(stem)) {
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        if (exists(path_)) static_cast<void>(platform_.deleteFolderTree(path_));
    }
    const Text& path() const { return path_; }
    Text operator/(const Text& name) const { return path_ + L"\\" + name; }

private:
    Win32Platform& platform_;
    Text path_;
};

}  // namespace vandrel::win32::test
