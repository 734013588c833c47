#include "MenuFixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;

class NavigationTest : public MenuTest {
protected:
    void SetUp() override { ASSERT_EQ(start(), Menu::Start::Running); }
    std::size_t loads(int page) { return platform.count(Op::CreateWindow, std::to_wstring(page)); }
};

struct RingCase {
    int from;
    int forward;
    int back;
};

TEST_F(NavigationTest, TheRingInBothDirections) {
    const RingCase ring[] = {{1, 2, 5}, {2, 3, 1}, {3, 4, 2}, {4, 5, 3}, {5, 1, 4}};
    for (const RingCase& c : ring) {
        menu.pages().show(c.from);
        leftClick(c.from, kNext);
        EXPECT_EQ(platform.frontPage(), c.forward) << "forward from " << c.from;
        if (c.from != 1) {
            EXPECT_FALSE(platform.visible(c.from)) << c.from;
        }

        menu.pages().show(c.from);
        press(c.from, kNext, kRightButton);
        EXPECT_EQ(platform.frontPage(), c.back) << "back from " << c.from;
        EXPECT_FALSE(platform.visible(c.from)) << c.from;
    }
}

TEST_F(NavigationTest, EachStepHidesTheCurrentPageBeforeShowingTheNext) {
    leftClick(1, kNext);
    platform.calls.clear();
    leftClick(2, kNext);
    EXPECT_THAT(platform.trace({Op::HideWindow, Op::ShowWindow}), ElementsAre("hideWindow 2", "showWindow 3"));
    platform.calls.clear();
    press(3, kNext, kRightButton);  // on the press: no click follows a right press
    EXPECT_THAT(platform.trace({Op::HideWindow, Op::ShowWindow}), ElementsAre("hideWindow 3", "showWindow 2"));
}

TEST_F(NavigationTest, WalkingForwardFiveTimesEndsOnPageOneWithEveryOtherPageLoadedOnce) {
    for (int page = 1; page <= 5; ++page) leftClick(page, kNext);
    EXPECT_THAT(visiblePages(), ElementsAre(1));
    EXPECT_EQ(platform.frontPage(), 1);
    for (int page = 1; page <= 5; ++page) EXPECT_EQ(loads(page), 1u) << page;
}

TEST_F(NavigationTest, PageOneStaysBeneathUnlessLeftBackwards) {
    leftClick(1, kNext);
    leftClick(2, kNext);
    EXPECT_THAT(visiblePages(), ElementsAre(1, 3));
    EXPECT_EQ(platform.frontPage(), 3);

    menu.pages().show(1);
    press(1, kNext, kRightButton);
    EXPECT_THAT(visiblePages(), ElementsAre(3, 5));
    EXPECT_EQ(platform.frontPage(), 5);
}

TEST_F(NavigationTest, BackFromPageOneCreatesPageFiveAloneFirst) {
    press(1, kNext, kRightButton);
    EXPECT_THAT(visiblePages(), ElementsAre(5));
    EXPECT_EQ(loads(5), 1u);
    for (int page = 2; page <= 4; ++page) EXPECT_EQ(loads(page), 0u) << page;
}

TEST_F(NavigationTest, KeyboardActivationMovesOnOnlyAfterALeftPress) {
    click(1, kNext);  // keyboard on page 1: always page 2
    EXPECT_EQ(platform.frontPage(), 2);
    click(2, kNext);  // no left press yet
    EXPECT_EQ(platform.frontPage(), 2);
    leftClick(2, kNext);
    EXPECT_EQ(platform.frontPage(), 3);
    click(3, kNext);  // the last press was a left one
    EXPECT_EQ(platform.frontPage(), 4);
    press(4, kNext, kRightButton);
    EXPECT_EQ(platform.frontPage(), 3);
    click(3, kNext);  // the last press was a right one
    EXPECT_EQ(platform.frontPage(), 3);
}

TEST_F(NavigationTest, AMiddlePressMovesNowhereAndBlocksTheKeyboard) {
    leftClick(1, kNext);
    press(2, kNext, kMiddleButton);
    EXPECT_EQ(platform.frontPage(), 2);
    EXPECT_EQ(menu.session().lastPressedButton, kMiddleButton);
    click(2, kNext);
    EXPECT_EQ(platform.frontPage(), 2);
}

TEST_F(NavigationTest, TheExitButtonEndsOnlyOnItsOrdinaryActivation) {
    for (std::uint8_t mouse : {kRightButton, kMiddleButton, kLeftButton}) press(1, kExit, mouse);
    EXPECT_FALSE(platform.ended);
    EXPECT_EQ(menu.session().lastPressedButton, 0);  // presses on the exit button are not kept
    leftClick(1, kNext);
    click(2, kExit);
    EXPECT_TRUE(platform.ended);
    EXPECT_EQ(platform.exitCode, 0);
}

TEST_F(NavigationTest, LeavingPageOneHidesItsNameEntryEvenWhenNoNameIsRegistered) {
    ASSERT_TRUE(control(1, kEntry).visible);
    leftClick(1, kNext);
    EXPECT_FALSE(control(1, kEntry).visible);
    EXPECT_FALSE(control(1, kConfirm).visible);
    EXPECT_TRUE(platform.visible(1));
}

TEST_F(NavigationTest, ReturningToAPageShowsItAsItWasLeft) {
    leftClick(1, kNext);
    const std::size_t textsBefore = platform.count(Op::SetText, L"2:");
    leftClick(2, kNext);
    press(3, kNext, kRightButton);
    EXPECT_EQ(platform.frontPage(), 2);
    EXPECT_EQ(platform.count(Op::SetText, L"2:"), textsBefore);
    EXPECT_EQ(loads(2), 1u);
}

}  // namespace
}  // namespace vandrel::testing
