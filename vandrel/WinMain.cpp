// The program's entry point: safe library loading, then the menu on the
// Windows platform.
#include "app/Menu.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Before anything loads a library: from here on none comes from the
    // program's folder or the working folder. The pages open all the same
    // without the common controls (no tooltips) and without Active
    // Accessibility (no names of the menu's for screen readers).
    vandrel::win32::SystemLibraries libraries;
#ifndef VANDREL_UNSAFE_LIBRARY_SEARCH
    static_cast<void>(vandrel::win32::loadSystemLibraries(libraries));
#else
    // A build for the tests only: the common controls and Active
    // Accessibility loaded with the search as Windows leaves it, to show that
    // the safe search is what keeps a planted library out.
    if (libraries.loadByName(vandrel::kCommonControlsLibrary)) {
        static_cast<void>(vandrel::win32::startCommonControls(libraries.loaded(vandrel::kCommonControlsLibrary)));
    }
    static_cast<void>(libraries.loadByName(vandrel::kAccessibilityLibrary));
#endif
    // The pages lay themselves out for each monitor's resolution. Where the
    // system cannot be told (XP, or it refuses), the manifest's word stands.
    static_cast<void>(vandrel::win32::becomeDpiAware());
    vandrel::win32::Win32Platform platform(
        instance, vandrel::win32::accessibilityFunctions(libraries.loaded(vandrel::kAccessibilityLibrary)));
    return vandrel::runMenu(platform);
}
