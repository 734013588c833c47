#include "catalogue/Launch.h"

#include "MenuFixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct LaunchCase {
    int page;
    int index;
    const wchar_t* key;  // nullptr: nothing handed over
    const wchar_t* program;
};

class LaunchTest : public MenuTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchTest, HandsOverTheIndexForItsGroupThenStartsTheCalculator) {
    const LaunchCase c = GetParam();
    platform.addFile(inApp(c.program));
    ASSERT_EQ(start(), Menu::Start::Running);
    menu.pages().show(c.page);
    const std::size_t writesBefore = platform.count(Op::WriteSetting, L"Derudaro");

    click(c.page, button(c.index));

    EXPECT_THAT(platform.started, ElementsAre(inApp(c.program)));
    EXPECT_THAT(platform.boxes, IsEmpty());
    const std::size_t handOffs = platform.count(Op::WriteSetting, L"Derudaro") - writesBefore;
    if (c.key == nullptr) {
        EXPECT_EQ(handOffs, 0u);
    } else {
        EXPECT_EQ(handOffs, 1u);
        EXPECT_EQ(platform.setting(L"Derudaro", L"Tenname", c.key), std::to_wstring(c.index));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, LaunchTest,
    ::testing::Values(LaunchCase{1, 0, nullptr, L"Ten0000.exe"}, LaunchCase{1, 11, nullptr, L"Ten0011.exe"},
                      LaunchCase{1, 12, L"Tkan", L"Ten0012.exe"}, LaunchCase{1, 15, L"Tkan", L"Ten0015.exe"},
                      LaunchCase{1, 16, nullptr, L"Ten0016.exe"}, LaunchCase{1, 43, L"Kagam", L"Ten0043.exe"},
                      LaunchCase{1, 47, L"Kagam", L"Ten0047.exe"}, LaunchCase{1, 48, L"Ensui", L"Ten0048.exe"},
                      LaunchCase{1, 52, L"Ensui", L"Ten0052.exe"}, LaunchCase{1, 53, nullptr, L"Ten0053.exe"},
                      LaunchCase{2, 6, nullptr, L"Ten0078.exe"}, LaunchCase{2, 7, L"ETkan", L"Ten0079.exe"},
                      LaunchCase{2, 10, L"ETkan", L"Ten0082.exe"}, LaunchCase{2, 19, L"gETkan", L"Ten0091.exe"},
                      LaunchCase{2, 22, L"gETkan", L"Ten0094.exe"}, LaunchCase{2, 23, nullptr, L"Ten0095.exe"},
                      LaunchCase{3, 10, L"ETkan", L"Ten0154.exe"}, LaunchCase{3, 19, L"gETkan", L"Ten0163.exe"},
                      LaunchCase{4, 10, nullptr, L"Ten0226.exe"}, LaunchCase{4, 19, nullptr, L"Ten0235.exe"},
                      LaunchCase{5, 12, nullptr, L"Ten0300.exe"}, LaunchCase{5, 71, nullptr, L"Ten0359.exe"}));

TEST_F(LaunchTest, ACalculatorThatCannotStartGetsTheLaunchMessageAfterItsHandOff) {
    ASSERT_EQ(start(), Menu::Start::Running);
    click(1, button(13));

    EXPECT_EQ(platform.setting(L"Derudaro", L"Tenname", L"Tkan"), L"13");
    EXPECT_THAT(platform.started, IsEmpty());
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, L"[番号] = 13\r\n          ファイルがありません。");
    EXPECT_EQ(platform.boxes[0].title, L"Vandrel");
    EXPECT_EQ(platform.boxes[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(platform.boxes[0].icon, MessageIcon::None);
    EXPECT_EQ(platform.boxes[0].owner, 1);
    EXPECT_FALSE(platform.ended);
}

TEST_F(LaunchTest, AFileThatIsNoProgramGetsTheSameMessage) {
    platform.addFile(inApp(L"Ten0149.exe"), {.program = false});
    ASSERT_EQ(start(), Menu::Start::Running);
    menu.pages().show(3);
    click(3, button(5));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, L"[番号] = 149\r\n          ファイルがありません。");
    EXPECT_EQ(platform.boxes[0].owner, 3);
}

TEST_F(LaunchTest, AFailedHandOffStillStartsTheCalculator) {
    platform.addPrograms({12});
    ASSERT_EQ(start(), Menu::Start::Running);
    platform.fail(Op::WriteSetting, L"Tkan");
    click(1, button(12));
    EXPECT_THAT(platform.started, ElementsAre(inApp(L"Ten0012.exe")));
    EXPECT_THAT(platform.boxes, IsEmpty());
}

TEST_F(LaunchTest, EachClickStartsAnotherProcessFromAFreshPath) {
    platform.addPrograms({5});
    ASSERT_EQ(start(), Menu::Start::Running);
    click(1, button(5));
    click(1, button(5));
    platform.setModulePath(L"E:\\Moved\\Vandrel.exe");
    platform.addFile(L"E:\\Moved\\Ten0005.exe");
    click(1, button(5));
    EXPECT_THAT(platform.started, ElementsAre(inApp(L"Ten0005.exe"), inApp(L"Ten0005.exe"), L"E:\\Moved\\Ten0005.exe"));
}

TEST_F(LaunchTest, AtADriveRootThePathKeepsBothSeparators) {
    platform.setModulePath(L"D:\\Vandrel.exe");
    platform.addFile(L"D:\\Ten0001.exe");
    ASSERT_EQ(start(), Menu::Start::Running);
    click(1, button(1));
    EXPECT_EQ(platform.count(Op::StartProgram, L"D:\\\\Ten0001.exe"), 1u);
    EXPECT_EQ(platform.started.size(), 1u);
}

TEST(HandOffKey, RangesAreInclusive) {
    const HandOffRow rows[] = {{7, 10, L"ETkan"}, {19, 22, L"gETkan"}};
    EXPECT_EQ(handOffKey(rows, 6), nullptr);
    EXPECT_STREQ(handOffKey(rows, 7), L"ETkan");
    EXPECT_STREQ(handOffKey(rows, 10), L"ETkan");
    EXPECT_EQ(handOffKey(rows, 11), nullptr);
    EXPECT_STREQ(handOffKey(rows, 22), L"gETkan");
    EXPECT_EQ(handOffKey({}, 12), nullptr);
}

}  // namespace
}  // namespace vandrel::testing
