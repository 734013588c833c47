#include "app/WorkFolders.h"

#include "core/Paths.h"

namespace vandrel {

namespace {

// The user's temporary folder + "\\ZOV_Temp"; asked afresh each time.
Result<Text> tempWorkFolder(Platform& platform) {
    auto temp = platform.tempFolder();
    if (!temp) return temp.status();
    return joinPath(temp.value(), kTempWorkFolderName);
}

Status createFolderIfMissing(Platform& platform, const Text& folder) {
    const auto exists = platform.folderExists(folder + L'\\');
    if (!exists) return exists.status();
    if (exists.value()) return {};
    return platform.createFolder(folder + L'\\');
}

}  // namespace

Status createTempWorkFolder(Platform& platform) {
    const auto folder = tempWorkFolder(platform);
    if (!folder) return folder.status();
    return createFolderIfMissing(platform, folder.value());
}

Status createFixedWorkFolder(Platform& platform) { return createFolderIfMissing(platform, kFixedWorkFolder); }

Status createRootWorkFolder(Platform& platform) {
    // Anything named "Zaviz" at the drive root, folder or file, counts.
    const auto present = platform.itemExists(kRootWorkFolder);
    if (!present) return present.status();
    if (present.value()) return {};
    return platform.createFolder(kRootWorkFolder);
}

Status removeTempWorkFolder(Platform& platform) {
    const auto folder = tempWorkFolder(platform);
    if (!folder) return folder.status();
    const auto exists = platform.folderExists(folder.value() + L'\\');
    if (!exists) return exists.status();
    if (!exists.value()) return {};
    return platform.deleteFolderTree(folder.value());
}

Status removeFixedWorkFolder(Platform& platform) {
    // A file of that name is not ours to delete.
    const auto exists = platform.folderExists(kFixedWorkFolder);
    if (!exists) return exists.status();
    if (!exists.value()) return {};
    return platform.deleteFolderTree(kFixedWorkFolder);
}

void closeSession(Platform& platform) {
    // Each removal carries on after a failure (a file held open by a running
    // calculator, a read-only item, a file where a folder should be): the
    // program ends quietly all the same.
    carryOn(removeTempWorkFolder(platform));
    carryOn(removeFixedWorkFolder(platform));
    platform.endProgram(0);
}

}  // namespace vandrel
