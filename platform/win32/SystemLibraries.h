// The Windows side of the program's library loading (platform/LibraryLoading.h)
// and the start of the common controls. The libraries loaded here stay for
// the life of the process.
#pragma once

#include <map>
#include <string>

#include "platform/LibraryLoading.h"
#include "platform/win32/SystemFunctions.h"

namespace vandrel::win32 {

class SystemLibraries final : public LibraryLoader {
public:
    bool searchSystemFolderOnly() override;
    bool leaveOutCurrentFolder() override;
    bool loadFromSystemFolder(std::wstring_view fileName) override;
    bool loadByName(std::wstring_view fileName) override;

    // A library loaded by loadByName or loadFromSystemFolder, or nullptr.
    HMODULE loaded(std::wstring_view fileName) const;

private:
    std::map<std::wstring, HMODULE, std::less<>> byName_;
};

// Registers the classes of the common controls the pages use (the tooltip
// window above all). False when the library is missing or refuses; the
// pages then open without tooltips.
bool startCommonControls(HMODULE commonControls);

// The first step of every program that opens pages: makes the library
// search safe, then loads and starts the common controls.
LibraryLoadReport loadSystemLibraries(SystemLibraries& libraries);

}  // namespace vandrel::win32
