#include "core/Paths.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"

namespace vandrel {
namespace {

TEST(Paths, FolderOfAFileKeepsNoSeparatorExceptAtADriveRoot) {
    const struct {
        const wchar_t* file;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Program Files\\Vandrel\\Vandrel.exe", L"C:\\Program Files\\Vandrel"},
        {L"C:\\Vandrel.exe", L"C:\\"},
        {L"D:\\板金 展開\\メニュー\\Vandrel.exe", L"D:\\板金 展開\\メニュー"},
        {L"\\\\server\\share\\Vandrel.exe", L"\\\\server\\share"},
    };
    for (const auto& c : cases) EXPECT_EQ(folderOf(c.file), c.folder) << c.file;
}

TEST(Paths, JoinIsPlainConcatenationEvenAtADriveRoot) {
    EXPECT_EQ(joinPath(L"C:\\Program Files\\Vandrel", L"Ten0012.exe"), L"C:\\Program Files\\Vandrel\\Ten0012.exe");
    EXPECT_EQ(joinPath(L"C:\\", L"Ten0012.exe"), L"C:\\\\Ten0012.exe");
}

TEST(Paths, AppFolderIsAskedOfThePlatformEachTime) {
    MemoryPlatform platform;
    platform.setModulePath(L"E:\\メニュー\\Vandrel.exe");
    EXPECT_EQ(pathInAppFolder(platform, L"Kestrova.exe").value(), L"E:\\メニュー\\Kestrova.exe");
    platform.setModulePath(L"E:\\Vandrel.exe");
    EXPECT_EQ(pathInAppFolder(platform, L"Kestrova.exe").value(), L"E:\\\\Kestrova.exe");
    platform.fail(Op::ModulePath);
    EXPECT_FALSE(appFolder(platform).ok());
}

}  // namespace
}  // namespace vandrel
