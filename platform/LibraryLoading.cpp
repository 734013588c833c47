#include "platform/LibraryLoading.h"

namespace vandrel {

LibraryLoadReport loadSystemLibrariesSafely(LibraryLoader& loader) {
    LibraryLoadReport report;
    if (loader.searchSystemFolderOnly()) {
        report.search = LibrarySearch::SystemFolderOnly;
    } else {
        report.search = LibrarySearch::SystemCopiesFirst;
        // Each step carries on after a failure: a library this system does
        // not have (dwmapi.dll on XP) is not asked for by the system either.
        static_cast<void>(loader.leaveOutCurrentFolder());
        for (std::wstring_view library : kUnprotectedLibraries) {
            static_cast<void>(loader.loadFromSystemFolder(library));
        }
    }
    report.commonControls = loader.loadByName(kCommonControlsLibrary);
    report.accessibility = loader.loadFromSystemFolder(kAccessibilityLibrary);
    return report;
}

}  // namespace vandrel
