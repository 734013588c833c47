// How the program loads the system libraries it does not import: from the
// system's own folders only, never from the program's folder (a folder of
// other programs, copied from sticks and installers) nor from the working
// folder, on every Windows from XP on.
//
// The executable imports only libraries that Windows itself protects (the
// known DLLs, always taken from the system folder). The common controls and
// what they pull in (the theme and desktop-composition libraries, which are
// not protected) are loaded at run time, after the search has been made safe:
//
//  - Where the system can restrict the search to its own folder (Windows 8
//    on, and Vista and 7 with their update for it), that restriction holds
//    for every library the process loads from then on, also those the
//    system loads on the program's behalf.
//  - Elsewhere (XP, Vista and 7 without the update) the current folder
//    leaves the search, and the unprotected libraries are loaded first by
//    their full path in the system folder: a library already loaded is never
//    looked for again, so the program's folder is not searched for them.
//
// Either way the common controls are then loaded by name, so that the
// manifest's version 6 comes from the system's side-by-side store.
//
// Portable: the choice is tested with a recording loader, on any host.
#pragma once

#include <string_view>

namespace vandrel {

// What the system offers for loading libraries. Each call answers whether
// it did what it says.
class LibraryLoader {
public:
    // From now on every library comes from the system folder only
    // (SetDefaultDllDirectories). False where the system cannot do that.
    virtual bool searchSystemFolderOnly() = 0;
    // The current folder leaves the search order (SetDllDirectoryW(L"")).
    virtual bool leaveOutCurrentFolder() = 0;
    // Loads a library by its full path in the system folder; what it
    // imports is looked for beside it first.
    virtual bool loadFromSystemFolder(std::wstring_view fileName) = 0;
    // Loads a library by name, with the search as it now stands.
    virtual bool loadByName(std::wstring_view fileName) = 0;

protected:
    ~LibraryLoader() = default;
};

enum class LibrarySearch {
    SystemFolderOnly,   // the system restricts every later search
    SystemCopiesFirst,  // the unprotected libraries were loaded from the system folder
};

struct LibraryLoadReport {
    LibrarySearch search = LibrarySearch::SystemFolderOnly;
    bool commonControls = false;  // comctl32.dll is loaded
    bool accessibility = false;   // oleacc.dll is loaded
};

inline constexpr wchar_t kCommonControlsLibrary[] = L"comctl32.dll";
// Active Accessibility, which names the buttons for screen readers. Not
// protected either: always loaded by its full path in the system folder.
// Without it the menu runs without those names.
inline constexpr wchar_t kAccessibilityLibrary[] = L"oleacc.dll";
// What the common controls pull in that Windows does not protect; a system
// without one of them (XP has no dwmapi.dll) simply does not load it.
inline constexpr std::wstring_view kUnprotectedLibraries[] = {L"uxtheme.dll", L"dwmapi.dll"};

// Makes the search safe, then loads the common controls and Active
// Accessibility. Runs first in the program, before any window exists.
LibraryLoadReport loadSystemLibrariesSafely(LibraryLoader& loader);

}  // namespace vandrel
