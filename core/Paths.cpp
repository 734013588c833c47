#include "core/Paths.h"

namespace vandrel {

Text folderOf(TextView filePath) {
    const auto cut = filePath.find_last_of(L"\\/");
    if (cut == TextView::npos) return Text();
    Text folder(filePath.substr(0, cut));
    const bool driveRoot = folder.size() == 2 && folder[1] == L':';
    if (driveRoot) folder += L'\\';
    return folder;
}

Text joinPath(TextView folder, TextView name) {
    Text path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).append(1, L'\\').append(name);
    return path;
}

Result<Text> appFolder(Platform& platform) {
    auto module = platform.modulePath();
    if (!module) return module.status();
    return folderOf(module.value());
}

Result<Text> pathInAppFolder(Platform& platform, TextView name) {
    auto folder = appFolder(platform);
    if (!folder) return folder.status();
    return joinPath(folder.value(), name);
}

}  // namespace vandrel
