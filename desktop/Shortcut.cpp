#include "desktop/Shortcut.h"

#include "core/Paths.h"

namespace vandrel::desktop {

namespace {

// The shortcut's path, or the empty text when the user has no desktop.
Result<Text> shortcutPath(Platform& platform) {
    auto desktop = platform.desktopFolder();
    if (!desktop) return desktop.status();
    if (desktop.value().empty()) return Text();
    return joinPath(desktop.value(), kShortcutName);
}

}  // namespace

Status removeShortcut(Platform& platform) {
    const auto link = shortcutPath(platform);
    if (!link) return link.status();
    if (link.value().empty()) return {};
    const auto exists = platform.fileExists(link.value());
    if (!exists) return exists.status();
    if (!exists.value()) return {};
    return platform.deleteFile(link.value());
}

Status flipShortcut(Platform& platform) {
    const auto link = shortcutPath(platform);
    if (!link) return link.status();
    if (link.value().empty()) return {};
    const auto exists = platform.fileExists(link.value());
    if (!exists) return exists.status();
    if (exists.value()) return removeShortcut(platform);
    const auto target = pathInAppFolder(platform, kShortcutTarget);
    if (!target) return target.status();
    return platform.createShortcut(link.value(), target.value());
}

}  // namespace vandrel::desktop
