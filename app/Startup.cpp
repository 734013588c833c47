#include "app/Startup.h"

#include "core/Paths.h"

namespace vandrel {

Status removeStaleExecutable(Platform& platform) {
    const auto path = pathInAppFolder(platform, kStaleExecutable);
    if (!path) return path.status();
    const auto exists = platform.fileExists(path.value());
    if (!exists) return exists.status();
    if (!exists.value()) return {};
    return platform.deleteFile(path.value());
}

}  // namespace vandrel
