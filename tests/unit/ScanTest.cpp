#include "catalogue/Scan.h"

#include "MenuFixture.h"

namespace vandrel::testing {
namespace {

class ScanTest : public MenuTest {
protected:
    void loadAllPages() {
        ASSERT_EQ(start(), Menu::Start::Running);
        for (int p = 2; p <= 5; ++p) menu.pages().ensureLoaded(p);
    }
    // "page:index" of every enabled program button.
    std::vector<std::string> enabledButtons() {
        std::vector<std::string> out;
        for (int p = 1; p <= 5; ++p) {
            for (int i = 0; i < 72; ++i) {
                if (control(p, button(i)).enabled) out.push_back(std::to_string(p) + ":" + std::to_string(i));
            }
        }
        return out;
    }
};

TEST_F(ScanTest, WithoutCalculatorsEveryButtonOfEveryPageIsDisabled) {
    loadAllPages();
    EXPECT_THAT(enabledButtons(), ::testing::IsEmpty());
}

TEST_F(ScanTest, EachPresentCalculatorEnablesItsOwnButtonOnly) {
    platform.addPrograms({0, 100, 215, 359});
    loadAllPages();
    EXPECT_THAT(enabledButtons(), ::testing::ElementsAre("1:0", "2:28", "3:71", "5:71"));
}

TEST_F(ScanTest, AFolderOrAHiddenOrSystemFileOfThatNameCountsAsAbsent) {
    platform.addFolder(inApp(L"Ten0005.exe"));
    platform.addFile(inApp(L"Ten0006.exe"), {.hidden = true});
    platform.addFile(inApp(L"Ten0007.exe"), {.system = true});
    platform.addFile(inApp(L"Ten0008.exe"), {.readOnly = true, .program = false});
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_FALSE(control(1, button(5)).enabled);
    EXPECT_FALSE(control(1, button(6)).enabled);
    EXPECT_FALSE(control(1, button(7)).enabled);
    EXPECT_TRUE(control(1, button(8)).enabled);  // only presence counts
}

TEST_F(ScanTest, AFailureGoesOnWithTheNextButtonAndKeepsEveryButtonOnItsOwnNumber) {
    platform.addPrograms({72, 73, 74, 75});
    ASSERT_EQ(start(), Menu::Start::Running);
    platform.fail(Op::CreateControl, L"2:Command1(1)");  // missing on page 2
    platform.fail(Op::PlainFileExists, L"Ten0074.exe");  // the look-up itself fails
    menu.pages().ensureLoaded(2);
    EXPECT_EQ(platform.control(2, button(1)), nullptr);
    EXPECT_TRUE(control(2, button(0)).enabled);
    EXPECT_FALSE(control(2, button(2)).enabled);  // look-up failed: disabled
    EXPECT_TRUE(control(2, button(3)).enabled);
    EXPECT_FALSE(control(2, button(4)).enabled);
    EXPECT_EQ(platform.count(Op::PlainFileExists, L"Ten0143.exe"), 1u);
}

TEST_F(ScanTest, AButtonDesignedEnabledIsDisabledAndOneWithItsFileEnabledEitherWay) {
    platform.addPrograms({1});
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(platform.count(Op::SetEnabled, L"1:Command1(0) | 0"), 1u);
    EXPECT_EQ(platform.count(Op::SetEnabled, L"1:Command1(1) | 1"), 1u);
    EXPECT_EQ(platform.count(Op::SetEnabled, L"1:Command1("), 72u);  // every button is set explicitly
}

TEST_F(ScanTest, APageScansOnlyOnceWhateverHappensToTheFolderLater) {
    ASSERT_EQ(start(), Menu::Start::Running);
    platform.addPrograms({3});
    leftClick(1, kNext);
    leftClick(2, kNext);
    leftClick(3, kNext);
    leftClick(4, kNext);
    leftClick(5, kNext);
    EXPECT_FALSE(control(1, button(3)).enabled);
    EXPECT_EQ(platform.count(Op::PlainFileExists, L"Ten0003.exe"), 1u);
}

}  // namespace
}  // namespace vandrel::testing
