#include "MenuFixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StartupTest : public MenuTest {};

TEST_F(StartupTest, FirstStartRunsEveryStepInOrderBeforePageOneIsShown) {
    platform.addPrograms({0, 71});
    ASSERT_EQ(start(), Menu::Start::Running);

    const std::size_t steps[] = {
        firstCall(Op::FileExists, L"Kestrova.exe"),
        firstCall(Op::AnotherCopyRunning),
        firstCall(Op::CreateWindow, L"1"),
        firstCall(Op::CreateFolder, L"ZOV_Temp"),
        firstCall(Op::CreateFolder, L"C:\\vurov\\"),
        firstCall(Op::CreateFolder, L"\\Zaviz"),
        firstCall(Op::SetTooltip, L"1:"),
        firstCall(Op::SetWindowTitle, L"1 | "),
        firstCall(Op::SetBounds, L"1:"),
        firstCall(Op::SetBackColour, L"1:"),
        firstCall(Op::ReadSetting, L"Doziz"),
        firstCall(Op::WriteSetting, L"Doziz"),
        firstCall(Op::PlainFileExists, L"Ten0000.exe"),
        lastCall(Op::PlainFileExists, L"Ten0071.exe"),
        firstCall(Op::CreateShortcut),
        firstCall(Op::ShowWindow, L"1"),
    };
    for (std::size_t i = 1; i < std::size(steps); ++i) {
        EXPECT_LT(steps[i - 1], steps[i]) << "step " << i;
        EXPECT_LT(steps[i], platform.calls.size()) << "step " << i << " never ran";
    }
    EXPECT_THAT(visiblePages(), ElementsAre(1));
    EXPECT_FALSE(platform.ended);
    EXPECT_EQ(platform.count(Op::CreateWindow), 1u);
}

TEST_F(StartupTest, AStaleExecutableIsDeletedReadOnlyToo) {
    platform.addFile(inApp(L"Kestrova.exe"), {.readOnly = true});
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_FALSE(platform.exists(inApp(L"Kestrova.exe")));
}

TEST_F(StartupTest, AFolderNamedLikeTheStaleExecutableIsLeftAlone) {
    platform.addFolder(inApp(L"Kestrova.exe"));
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_TRUE(platform.exists(inApp(L"Kestrova.exe")));
    EXPECT_EQ(platform.count(Op::DeleteFile), 0u);
}

TEST_F(StartupTest, AStaleExecutableThatCannotBeDeletedDoesNotStopTheStart) {
    platform.addFile(inApp(L"Kestrova.exe"), {.inUse = true});
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_TRUE(platform.exists(inApp(L"Kestrova.exe")));
    EXPECT_THAT(visiblePages(), ElementsAre(1));
    EXPECT_FALSE(platform.fatal.has_value());
}

TEST_F(StartupTest, ASecondCopyRemovesTheStaleFileAndEndsWithoutShowingAnything) {
    platform.addFile(inApp(L"Kestrova.exe"));
    platform.otherCopy = true;
    EXPECT_EQ(runMenu(platform), 0);
    EXPECT_FALSE(platform.exists(inApp(L"Kestrova.exe")));
    EXPECT_TRUE(platform.windows.empty());
    EXPECT_THAT(platform.boxes, IsEmpty());
    EXPECT_EQ(platform.count(Op::CreateFolder), 0u);
    EXPECT_EQ(platform.count(Op::DesktopFolder), 0u);
    EXPECT_EQ(platform.count(Op::WriteSetting), 0u);
}

TEST_F(StartupTest, WhenTheCopyCheckFailsTheMenuOpens) {
    platform.fail(Op::AnotherCopyRunning);
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_THAT(visiblePages(), ElementsAre(1));
}

TEST_F(StartupTest, APageWindowThatCannotBeMadeEndsWithTheFatalReport) {
    platform.fail(Op::CreateWindow, L"1");
    EXPECT_EQ(runMenu(platform), kFatalExitCode);
    ASSERT_TRUE(platform.fatal.has_value());
    EXPECT_EQ(platform.fatal->operation(), "createWindow");
    EXPECT_EQ(platform.exitCode, 1);
}

TEST_F(StartupTest, AFatalFailureDuringAnEventIsReported) {
    ASSERT_EQ(start(), Menu::Start::Running);
    platform.fail(Op::CreateWindow, L"2");
    leftClick(1, kNext);
    ASSERT_TRUE(platform.fatal.has_value());
    EXPECT_EQ(platform.fatal->operation(), "createWindow");
}

}  // namespace
}  // namespace vandrel::testing
