// The Win32 tests: the platform against the real Windows API (under Wine on
// the build machine). The common controls are loaded as the program loads them.
#include <gtest/gtest.h>

#include "platform/win32/SystemLibraries.h"

int main(int argc, char** argv) {
    vandrel::win32::SystemLibraries libraries;
    if (!vandrel::win32::loadSystemLibraries(libraries).commonControls) return 3;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
