#include "catalogue/Scan.h"

#include "core/Paths.h"

namespace vandrel {

void scanPage(Platform& platform, const ProgramTable& table, const Text* folder, int page, int pageOffset) {
    int button = 0;
    for (int n = pageOffset; n < pageOffset + kButtonsPerPage; ++n, ++button) {
        const Text* name = table.slot(n);
        bool present = false;
        if (folder != nullptr && name != nullptr) {
            const auto found = platform.plainFileExists(joinPath(*folder, *name));
            present = found.ok() && found.value();
        }
        const ControlKey key{Ctl::Command1, static_cast<std::uint8_t>(button)};
        carryOn(platform.setEnabled(page, key, present));
    }
}

}  // namespace vandrel
