#include "platform/win32/SystemLibraries.h"

#include <commctrl.h>  // after windows.h

#include <string>

namespace vandrel::win32 {

namespace {

// Not declared in the headers of XP, whose kernel32 lacks the function.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

std::wstring systemFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
        if (length == 0) return std::wstring();
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.assign(length, L'\0');  // the size asked for, terminator included
    }
}

}  // namespace

bool SystemLibraries::searchSystemFolderOnly() {
    // Windows 8 and later; Vista and 7 with their update for it.
    using SetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    const auto restrict = systemFunction<SetDefaultDllDirectories>(L"kernel32.dll", "SetDefaultDllDirectories");
    return restrict&& restrict(kSearchSystem32);
}

bool SystemLibraries::leaveOutCurrentFolder() { return SetDllDirectoryW(L"") != FALSE; }

bool SystemLibraries::loadFromSystemFolder(std::wstring_view fileName) {
    const std::wstring folder = systemFolder();
    if (folder.empty()) return false;
    const std::wstring path = folder + L"\\" + std::wstring(fileName);
    // What the library imports is looked for in the system folder first,
    // not in the program's.
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) return false;
    byName_[std::wstring(fileName)] = module;
    return true;
}

bool SystemLibraries::loadByName(std::wstring_view fileName) {
    const std::wstring name(fileName);
    const HMODULE module = LoadLibraryExW(name.c_str(), nullptr, 0);
    if (!module) return false;
    byName_[name] = module;
    return true;
}

HMODULE SystemLibraries::loaded(std::wstring_view fileName) const {
    const auto found = byName_.find(fileName);
    return found == byName_.end() ? nullptr : found->second;
}

bool startCommonControls(HMODULE commonControls) {
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = exportedFunction<InitCommonControlsExFunction>(commonControls, "InitCommonControlsEx");
    if (!init) return false;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    return init(&controls) != FALSE;
}

LibraryLoadReport loadSystemLibraries(SystemLibraries& libraries) {
    LibraryLoadReport report = loadSystemLibrariesSafely(libraries);
    // Without the common controls the pages still open; each tooltip that
    // cannot be made reports its own failure.
    if (report.commonControls) {
        report.commonControls = startCommonControls(libraries.loaded(kCommonControlsLibrary));
    }
    return report;
}

}  // namespace vandrel::win32
