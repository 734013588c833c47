#include "app/WorkFolders.h"

#include "MenuFixture.h"

namespace vandrel::testing {
namespace {

constexpr wchar_t kTempWork[] = L"C:\\Users\\user\\AppData\\Local\\Temp\\ZOV_Temp";

class WorkFoldersTest : public MenuTest {};

TEST_F(WorkFoldersTest, FirstStartOnACleanMachineMakesAllThree) {
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_TRUE(platform.item(kTempWork) && platform.item(kTempWork)->folder);
    EXPECT_TRUE(platform.item(L"C:\\vurov") && platform.item(L"C:\\vurov")->folder);
    EXPECT_TRUE(platform.item(L"C:\\Zaviz") && platform.item(L"C:\\Zaviz")->folder);
}

TEST_F(WorkFoldersTest, FoldersAlreadyThereAreLeftAsTheyAre) {
    platform.addFile(Text(kTempWork) + L"\\work.dxf");
    platform.addFile(L"C:\\vurov\\a.txt");
    platform.addFile(L"C:\\Zaviz\\b.txt");
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(platform.count(Op::CreateFolder), 0u);
    EXPECT_TRUE(platform.exists(Text(kTempWork) + L"\\work.dxf"));
    EXPECT_TRUE(platform.exists(L"C:\\vurov\\a.txt"));
}

TEST_F(WorkFoldersTest, TheRootFolderIsMadeOnTheCurrentDrive) {
    platform.currentDrive = L"D:";
    platform.addFolder(L"D:\\work");
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_TRUE(platform.exists(L"D:\\Zaviz"));
    EXPECT_FALSE(platform.exists(L"C:\\Zaviz"));
}

TEST_F(WorkFoldersTest, AFileNamedZavizCountsAsTheFolder) {
    platform.addFile(L"C:\\Zaviz");
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_FALSE(platform.item(L"C:\\Zaviz")->folder);
    EXPECT_EQ(platform.count(Op::CreateFolder, L"Zaviz"), 0u);
    EXPECT_TRUE(platform.visible(1));
}

TEST_F(WorkFoldersTest, FoldersThatCannotBeMadeDoNotKeepThePageFromOpening) {
    platform.fail(Op::TempFolder);
    platform.fail(Op::CreateFolder, L"vurov");
    platform.fail(Op::CreateFolder, L"Zaviz");
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_TRUE(platform.visible(1));
    EXPECT_FALSE(platform.fatal.has_value());
    EXPECT_EQ(platform.count(Op::PlainFileExists), 72u);  // the rest of the load ran
}

TEST_F(WorkFoldersTest, ClosingAnyPageRemovesTwoFoldersWithTheirContentsAndEnds) {
    for (int page = 1; page <= 5; ++page) {
        MemoryPlatform p;
        Menu m(p);
        ASSERT_EQ(m.start(), Menu::Start::Running);
        p.addFile(Text(kTempWork) + L"\\sub\\old.dxf", {.readOnly = true});
        p.addFile(L"C:\\vurov\\x.txt");
        m.pages().show(page);
        m.onEvent(Event{page, EventKind::QueryUnload, {}, 0});
        EXPECT_FALSE(p.exists(kTempWork)) << page;
        EXPECT_FALSE(p.exists(L"C:\\vurov")) << page;
        EXPECT_TRUE(p.exists(L"C:\\Zaviz")) << page;
        EXPECT_TRUE(p.ended) << page;
        EXPECT_EQ(p.exitCode, 0) << page;
    }
}

TEST_F(WorkFoldersTest, TheEndOfTheSessionClosesTheMenuLikeAWindowClose) {
    ASSERT_EQ(start(), Menu::Start::Running);
    platform.addFile(L"C:\\vurov\\x.txt");
    menu.pages().ensureLoaded(3);  // a hidden page hears of it as well
    menu.onEvent(Event{3, EventKind::EndSession, {}, 0});
    EXPECT_FALSE(platform.exists(kTempWork));
    EXPECT_FALSE(platform.exists(L"C:\\vurov"));
    EXPECT_TRUE(platform.exists(L"C:\\Zaviz"));
    EXPECT_EQ(platform.count(Op::DeleteFolderTree), 2u);
    EXPECT_EQ(platform.count(Op::EndProgram), 1u);
    EXPECT_LT(lastCall(Op::DeleteFolderTree), firstCall(Op::EndProgram)) << "the folders go first, then the program";
    EXPECT_EQ(platform.exitCode, 0);
}

TEST_F(WorkFoldersTest, HiddenWorkFoldersAreKeptAtStartAndRemovedAtCloseLikePlainOnes) {
    const MemoryPlatform::FileFlags concealed{.hidden = true, .system = true};
    platform.addFolder(L"C:\\vurov", concealed);
    platform.addFile(L"C:\\vurov\\hidden.tmp", concealed);
    platform.addFolder(kTempWork, concealed);
    platform.addFolder(Text(kTempWork) + L"\\sub", concealed);
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(platform.count(Op::CreateFolder), 1u) << "only \\Zaviz was missing";
    close(1);
    EXPECT_FALSE(platform.exists(L"C:\\vurov"));
    EXPECT_FALSE(platform.exists(kTempWork));
    EXPECT_TRUE(platform.ended);
}

TEST_F(WorkFoldersTest, TheExitButtonKeepsAllThree) {
    ASSERT_EQ(start(), Menu::Start::Running);
    leftClick(1, kExit);
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(platform.exists(kTempWork));
    EXPECT_TRUE(platform.exists(L"C:\\vurov"));
    EXPECT_TRUE(platform.exists(L"C:\\Zaviz"));
}

TEST_F(WorkFoldersTest, ClosingWithoutTheTemporaryFolderStillRemovesTheFixedOne) {
    ASSERT_EQ(start(), Menu::Start::Running);
    ASSERT_TRUE(platform.deleteFolderTree(kTempWork).ok());
    close(1);
    EXPECT_FALSE(platform.exists(L"C:\\vurov"));
    EXPECT_TRUE(platform.ended);
}

TEST_F(WorkFoldersTest, ClosingEndsQuietlyWhateverCannotBeRemoved) {
    ASSERT_EQ(start(), Menu::Start::Running);
    platform.addFile(Text(kTempWork) + L"\\held.dxf", {.inUse = true});  // open in a running calculator
    platform.addFile(Text(kTempWork) + L"\\done.dxf");
    platform.addFile(L"C:\\vurov\\x.txt");
    close(1);
    EXPECT_TRUE(platform.exists(Text(kTempWork) + L"\\held.dxf"));
    EXPECT_FALSE(platform.exists(Text(kTempWork) + L"\\done.dxf"));
    EXPECT_FALSE(platform.exists(L"C:\\vurov"));  // still tried after the first failed
    EXPECT_TRUE(platform.ended);
    EXPECT_EQ(platform.exitCode, 0);
    EXPECT_FALSE(platform.fatal.has_value());
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(WorkFoldersTest, AFileWhereTheFixedFolderShouldBeIsLeftAndTheCloseEnds) {
    platform.addFile(L"C:\\vurov");
    ASSERT_EQ(start(), Menu::Start::Running);
    platform.fail(Op::TempFolder);
    close(1);
    EXPECT_TRUE(platform.exists(L"C:\\vurov"));
    EXPECT_TRUE(platform.ended);
    EXPECT_FALSE(platform.fatal.has_value());
}

}  // namespace
}  // namespace vandrel::testing
