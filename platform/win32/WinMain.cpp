// The program's entry point: a safe DLL search path, the common controls,
// then the menu on the Windows platform.
#include "app/Menu.h"
#include "platform/win32/Win32Platform.h"

#include <commctrl.h>  // after windows.h

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Libraries loaded later come from System32 only: a DLL placed in the
    // program's folder is never picked up. A system too old for the call
    // keeps its own search order, which is all it can do.
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");  // at least not the current folder
    }

    // The tooltips; buttons, labels and entry boxes in the version 6 look
    // that the manifest asks for. Should it fail, the pages still open and
    // the tooltip that cannot be made reports its own failure.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    static_cast<void>(InitCommonControlsEx(&controls));

    vandrel::win32::Win32Platform platform(instance);
    return vandrel::runMenu(platform);
}
