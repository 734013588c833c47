#include "pages/Layout.h"

#include "platform/Scaling.h"

#include "MenuFixture.h"
#include "pages/Pictures.h"

namespace vandrel::testing {
namespace {

class LayoutTest : public MenuTest {
protected:
    void SetUp() override {
        ASSERT_EQ(start(), Menu::Start::Running);
        for (int p = 2; p <= 5; ++p) menu.pages().ensureLoaded(p);
    }
};

// The pages' lengths in pixels at 96 dpi, as the pages were designed.
Bounds at96(const Bounds& twips) { return scaling::pixels(twips, 96); }

TEST(Twips, ScaleWithTheMonitorRoundedToTheNearestPixel) {
    struct Case {
        int twips, dpi, pixels;
    };
    const Case table[] = {
        // 15 twips to the pixel at 96 dpi
        {11820, 96, 788},
        {8415, 96, 561},
        {100, 96, 7},
        {50, 96, 3},
        {15, 96, 1},
        {7, 96, 0},
        {8, 96, 1},
        // 1.5 times at 144 dpi, halves away from zero
        {11820, 144, 1182},
        {8415, 144, 842},
        {15, 144, 2},
        {960, 144, 96},
        {1140, 144, 114},
        {-15, 144, -2},
        // 125 % and 200 %
        {960, 120, 80},
        {15, 120, 1},
        {8415, 120, 701},
        {8415, 192, 1122},
        {0, 192, 0},
    };
    for (const Case& c : table) {
        EXPECT_EQ(scaling::pixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi << " dpi";
    }
}

TEST(Twips, TheGridStaysWithoutGapsAtTheCommonScales) {
    for (int dpi : {96, 120, 144, 192}) {
        for (int i = 0; i + 1 < layout::kColumns; ++i) {
            const Bounds here = scaling::pixels(layout::programButton(i), dpi);
            const Bounds next = scaling::pixels(layout::programButton(i + 1), dpi);
            EXPECT_EQ(here.left + here.width, next.left) << "column " << i << " at " << dpi << " dpi";
        }
    }
}

TEST(PictureScale, TheLargestThatFitsTheMonitor) {
    struct Case {
        int dpi, scale;
    };
    const Case table[] = {{72, 100},  {96, 100},  {119, 100}, {120, 125}, {143, 125},
                          {144, 150}, {168, 150}, {191, 150}, {192, 200}, {288, 200}};
    for (const Case& c : table) EXPECT_EQ(scaling::pictureScaleFor(c.dpi), c.scale) << c.dpi << " dpi";
    EXPECT_EQ(scaling::scaled(64, 150), 96);
    EXPECT_EQ(scaling::scaled(43, 125), 54);  // 53.75
}

TEST_F(LayoutTest, EveryPageHasTheSameWindowTitleSizeAndVersionText) {
    for (int p = 1; p <= 5; ++p) {
        const auto& w = platform.windows.at(p);
        EXPECT_EQ(w.title, L" Vandrel  [全DXF出力] B版 (XP/Vista/7/8/10  32/64bit)") << p;
        EXPECT_EQ(scaling::pixels(w.outerWidth, 96), 788) << p;
        EXPECT_EQ(scaling::pixels(w.outerHeight, 96), 561) << p;
        EXPECT_EQ(w.design.back, p == 5 ? kButtonFace : kInactiveBorder) << p;
        EXPECT_EQ(w.design.icon, pictures::icon(pictures::kWindowIcon)) << p;
        EXPECT_EQ(control(p, {Ctl::Label2, 0}).text, L"Ver 2.315.5     B版") << p;
    }
    EXPECT_EQ(platform.count(Op::SetText, L"Ver 2.315.5"), 5u);
}

TEST_F(LayoutTest, HeaderControlsSitWhereThePageTablePutsThem) {
    struct Expected {
        int page;
        ControlKey key;
        Bounds bounds;
    };
    const Expected table[] = {
        {1, {Ctl::Frame1}, {6, 60, 771, 481}},     {1, {Ctl::Label1}, {20, 7, 178, 33}},
        {1, {Ctl::Label2, 0}, {203, 23, 84, 15}},  {1, {Ctl::Label2, 1}, {308, 7, 139, 16}},
        {3, {Ctl::Label2, 1}, {308, 7, 138, 16}},  {1, {Ctl::Label3}, {460, 44, 148, 15}},
        {2, {Ctl::Label3}, {460, 44, 166, 15}},    {1, {Ctl::Text1}, {460, 4, 189, 21}},
        {1, {Ctl::Command3}, {627, 5, 38, 20}},    {4, {Ctl::Command2, 0}, {681, 3, 47, 29}},
        {4, {Ctl::Command2, 1}, {728, 3, 47, 29}}, {5, {Ctl::Command6}, {1, 44, 227, 20}},
        {5, {Ctl::Command5}, {228, 44, 64, 20}},   {5, {Ctl::Command7}, {292, 44, 84, 20}},
        {2, {Ctl::Command4}, {681, 44, 94, 22}},
    };
    for (const Expected& e : table) {
        EXPECT_EQ(at96(control(e.page, e.key).bounds), e.bounds)
            << "page " << e.page << " control " << controlName(e.key);
    }
    EXPECT_EQ(platform.control(2, kEntry), nullptr);
    EXPECT_EQ(platform.control(2, kConfirm), nullptr);
}

TEST_F(LayoutTest, TheGridHasTwelveColumnsAndSixRowsWithoutGaps) {
    EXPECT_EQ(control(3, button(0)).bounds, (Bounds{15, 105, 960, 1140}));
    EXPECT_EQ(control(3, button(1)).bounds.left, 975);   // button 0's right edge
    EXPECT_EQ(control(3, button(12)).bounds.top, 1245);  // right below button 0
    EXPECT_EQ(at96(control(3, button(0)).bounds), (Bounds{1, 7, 64, 76}));
    EXPECT_EQ(at96(control(3, button(71)).bounds), (Bounds{705, 387, 64, 76}));  // column 11, row 5
    for (int i = 0; i < 72; ++i) EXPECT_TRUE(control(3, button(i)).design.inFrame) << i;
}

TEST_F(LayoutTest, PagesDifferInTitleAndColours) {
    const wchar_t* titles[] = {L"[ 展開図Menu ] ①", L"[ 展開図Menu ] ②", L"[ 展開図Menu ] ③", L"[ 展開図Menu ] ④",
                               L"[ 展開図Menu ] ⑤"};
    for (int p = 1; p <= 5; ++p) {
        EXPECT_EQ(control(p, {Ctl::Label2, 1}).text, titles[p - 1]);
        EXPECT_EQ(control(p, kNext).back.rgbValue(), p <= 2 ? 0xFFFF80u : 0xFFFFC0u) << p;
        EXPECT_EQ(control(p, kExit).back.rgbValue(), 0xFF8080u) << p;
        EXPECT_EQ(control(p, {Ctl::Command4}).back.rgbValue(), p == 2 ? 0x00FFFFu : 0x80FFFFu) << p;
        EXPECT_TRUE(control(p, {Ctl::Command4}).visible) << p;
        EXPECT_EQ(control(p, {Ctl::Command5}).back.rgbValue(), 0x00FF00u) << p;
        EXPECT_EQ(control(p, {Ctl::Command6}).back.rgbValue(), 0xFFC0FFu) << p;
        EXPECT_EQ(control(p, {Ctl::Command7}).back.rgbValue(), 0x00FF00u) << p;
        EXPECT_EQ(control(p, {Ctl::Label1}).text, L"Orvanto展開") << p;
        for (int i = 0; i < 72; ++i) EXPECT_EQ(control(p, button(i)).back, kWhite) << p << ":" << i;
    }
}

TEST_F(LayoutTest, ButtonCaptionsAndPictures) {
    for (int i = 0; i < 72; ++i) {
        EXPECT_EQ(control(5, button(i)).text, std::to_wstring(288 + i)) << i;
        EXPECT_EQ(control(1, button(i)).text, L"") << i;
        EXPECT_EQ(control(1, button(i)).design.picture, pictures::bitmap(1000 + i)) << i;
        EXPECT_EQ(static_cast<bool>(control(5, button(i)).design.picture), i < 18) << i;
    }
    for (int i : {20, 48, 49, 59}) EXPECT_EQ(control(4, button(i)).text, std::to_wstring(216 + i)) << i;
    EXPECT_EQ(control(4, button(21)).text, L"");
    EXPECT_EQ(control(5, button(4)).design.picture.kind, PictureKind::Icon);
    EXPECT_EQ(control(5, button(5)).design.picture.kind, PictureKind::Bitmap);
    EXPECT_EQ(control(1, kNameLabel).design.cursor, pictures::cursor(pictures::kClickCursor));
    EXPECT_EQ(control(2, kNameLabel).design.cursor, Picture{});
}

TEST_F(LayoutTest, OnlyPageThreesFirstButtonsAndPageOnesNameLabelCarryTooltips) {
    EXPECT_EQ(control(3, button(0)).tooltip,
              L"\u5909\u5F62\u89D2\u4E38\u3000\u4E00\u7D1A\u8AB2\u984C");  // 変形角丸　一級課題
    EXPECT_EQ(control(3, button(9)).tooltip, L"\u898F\u683C\u306B\u7121\u3044\uFF74\uFF99\uFF8E\uFF9E");  // ｴﾙﾎﾞ
    EXPECT_EQ(control(3, button(15)).tooltip,
              L"\u89D2\u9310\u53F0(\u4E0A\uFF76\uFF84\uFF9ER)(\u4E0B\uFF76\uFF84\uFF9ER)");
    EXPECT_EQ(control(3, button(42)).tooltip, L"角錐台A(芯ｽﾞﾚ)");
    EXPECT_EQ(control(3, button(41)).tooltip, control(3, button(42)).tooltip);
    EXPECT_EQ(control(1, kNameLabel).tooltip, L"一度のみ入力可能です");

    std::size_t withTooltip = 0;
    for (const auto& [page, window] : platform.windows) {
        for (const auto& [key, c] : window.controls) {
            if (!c.tooltip) continue;
            ++withTooltip;
            const bool expected =
                (page == 3 && key.name == Ctl::Command1 && key.index <= 42) || (page == 1 && key == kNameLabel);
            EXPECT_TRUE(expected) << "page " << page << " control " << controlName(key);
        }
    }
    EXPECT_EQ(withTooltip, 44u);
}

TEST_F(LayoutTest, ScreenReadersNameEachButtonByItsNumberOrWhatItDoes) {
    struct Expected {
        int page;
        ControlKey key;
        const wchar_t* name;
    } expected[] = {
        {1, button(0), L"0"},
        {2, button(7), L"79"},
        {3, button(0), L"144 変形角丸　一級課題"},  // one ASCII space, then the tooltip
        {3, button(9), L"153 規格に無いｴﾙﾎﾞ"},
        {3, button(42), L"186 角錐台A(芯ｽﾞﾚ)"},
        {3, button(43), L"187"},  // past the tooltips
        {4, button(20), L"236"},
        {5, button(71), L"359"},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(control(e.page, e.key).design.accessibleName, e.name) << e.page << " " << controlName(e.key);
    }
    for (int p = 1; p <= 5; ++p) {
        EXPECT_EQ(control(p, kNext).design.accessibleName, L"次ページ") << p;
        EXPECT_EQ(control(p, kExit).design.accessibleName, L"終了") << p;
        EXPECT_EQ(control(p, kManual).design.accessibleName, L"使用法マニュアル") << p;
        // The captioned controls are read by their caption.
        EXPECT_EQ(control(p, kSupport).design.accessibleName, L"") << p;
    }
    // The names are for screen readers only: what the buttons show stays.
    EXPECT_EQ(control(3, button(0)).text, L"");
    EXPECT_EQ(control(5, button(0)).text, L"288");
}

TEST_F(LayoutTest, ADisabledButtonKeepsItsTooltip) {
    EXPECT_FALSE(control(3, button(0)).enabled);
    EXPECT_TRUE(control(3, button(0)).tooltip.has_value());
}

TEST(LayoutFailures, ATooltipThatFailsSkipsTheRowsAfterItAndTheLoadGoesOn) {
    MemoryPlatform platform;
    platform.addPrograms({150});
    Menu menu(platform);
    ASSERT_EQ(menu.start(), Menu::Start::Running);
    platform.fail(Op::SetTooltip, L"3:Command1(5)");
    menu.pages().ensureLoaded(3);
    EXPECT_TRUE(platform.control(3, ControlKey{Ctl::Command1, 4})->tooltip.has_value());
    EXPECT_FALSE(platform.control(3, ControlKey{Ctl::Command1, 5})->tooltip.has_value());
    EXPECT_FALSE(platform.control(3, ControlKey{Ctl::Command1, 42})->tooltip.has_value());
    EXPECT_EQ(platform.control(3, ControlKey{Ctl::Label3})->text, L"社名登録１0文字迄可");
    EXPECT_TRUE(platform.control(3, ControlKey{Ctl::Command1, 6})->enabled);
}

TEST(LayoutFailures, EveryLayoutStepThatFailsIsSkippedAndThePageStillOpens) {
    MemoryPlatform platform;
    platform.fail(Op::SetBounds, L"", -1);
    platform.fail(Op::SetBackColour, L"", -1);
    platform.fail(Op::SetWindowTitle, L"", -1);
    platform.fail(Op::SetTooltip, L"", -1);
    Menu menu(platform);
    ASSERT_EQ(menu.start(), Menu::Start::Running);
    menu.pages().show(5);
    EXPECT_TRUE(platform.visible(5));
    EXPECT_EQ(platform.control(5, ControlKey{Ctl::Command1, 71})->text, L"359");
    EXPECT_FALSE(platform.fatal.has_value());
}

}  // namespace
}  // namespace vandrel::testing
