// The Win32 tests: the platform against the real Windows API (under Wine on
// the build machine).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    if (!InitCommonControlsEx(&controls)) return 3;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
