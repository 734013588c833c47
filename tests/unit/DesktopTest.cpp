#include "desktop/Help.h"
#include "desktop/Shortcut.h"

#include "MenuFixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr wchar_t kLink[] = L"C:\\Users\\user\\Desktop\\Orvanto.lnk";

class ShortcutTest : public MenuTest {};

TEST_F(ShortcutTest, EachStartFlipsTheShortcut) {
    ASSERT_EQ(start(), Menu::Start::Running);
    ASSERT_TRUE(platform.exists(kLink));
    EXPECT_EQ(platform.item(kLink)->target, inApp(L"Orvanto.exe"));  // whether or not the target exists

    platform.newProcess();
    Menu second(platform);
    ASSERT_EQ(second.start(), Menu::Start::Running);
    EXPECT_FALSE(platform.exists(kLink));
    EXPECT_EQ(platform.count(Op::CreateShortcut), 0u);

    platform.newProcess();
    Menu third(platform);
    ASSERT_EQ(third.start(), Menu::Start::Running);
    EXPECT_TRUE(platform.exists(kLink));
}

TEST_F(ShortcutTest, AnyFileOfThatNameIsRemovedReadOnlyTooAndNoNewOneIsMade) {
    platform.addFile(kLink, {.readOnly = true});
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_FALSE(platform.exists(kLink));
    EXPECT_EQ(platform.count(Op::CreateShortcut), 0u);
}

TEST_F(ShortcutTest, AShortcutUnderAnotherNameIsNeverTouched) {
    platform.addFile(L"C:\\Users\\user\\Desktop\\Orvanto - コピー.lnk");
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_TRUE(platform.exists(L"C:\\Users\\user\\Desktop\\Orvanto - コピー.lnk"));
    EXPECT_TRUE(platform.exists(kLink));
}

TEST_F(ShortcutTest, AUserWithoutADesktopGetsNoShortcutAndNoError) {
    platform.desktop.clear();
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(platform.count(Op::CreateShortcut), 0u);
    EXPECT_EQ(platform.count(Op::PlainFileExists), 72u);  // no recovery run
}

TEST_F(ShortcutTest, OneFailureResumesAtTheNameLabelAndRunsTheRestAgain) {
    platform.addPrograms({3});
    platform.fail(Op::CreateShortcut);
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(platform.count(Op::SetText, L"1:Label3 | "), 2u);  // the name label, twice
    EXPECT_EQ(platform.count(Op::PlainFileExists), 144u);        // the scan, twice
    EXPECT_EQ(platform.count(Op::CreateShortcut), 2u);
    EXPECT_TRUE(platform.exists(kLink));
    EXPECT_TRUE(control(1, button(3)).enabled);
    EXPECT_TRUE(platform.visible(1));
}

TEST_F(ShortcutTest, ASecondFailureInTheSameLoadStillOpensThePage) {
    platform.fail(Op::CreateShortcut, L"", 2);
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(platform.count(Op::CreateShortcut), 2u);
    EXPECT_TRUE(platform.visible(1));
    EXPECT_FALSE(platform.fatal.has_value());
    EXPECT_FALSE(platform.exists(kLink));
}

TEST_F(ShortcutTest, AShortcutThatCannotBeDeletedIsRetriedOnceAndThePageOpens) {
    platform.addFile(kLink, {.inUse = true});
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(platform.count(Op::DeleteFile, L"Orvanto.lnk"), 2u);
    EXPECT_TRUE(platform.visible(1));
    EXPECT_FALSE(platform.fatal.has_value());
}

class HelpTest : public MenuTest {
protected:
    void SetUp() override { ASSERT_EQ(start(), Menu::Start::Running); }
};

TEST_F(HelpTest, TheManualOpensOwnedByTheClickedPageAndIsSilentWhenMissing) {
    click(1, {Ctl::Command4});
    EXPECT_THAT(platform.documents, IsEmpty());
    EXPECT_THAT(platform.boxes, IsEmpty());

    platform.addFile(inApp(L"使用法ﾏﾆｭｱﾙ.pdf"));
    platform.calls.clear();
    for (int page = 1; page <= 5; ++page) {
        menu.pages().show(page);
        click(page, {Ctl::Command4});
        EXPECT_EQ(platform.count(Op::OpenDocument, std::to_wstring(page) + L" | " + inApp(L"使用法ﾏﾆｭｱﾙ.pdf")), 1u)
            << page;
    }
    EXPECT_EQ(platform.documents.size(), 5u);
    EXPECT_THAT(platform.boxes, IsEmpty());
}

TEST_F(HelpTest, RemoteSupportAsksFirstAndStartsTheToolOnlyOnYes) {
    platform.addFile(inApp(L"HelvikSupport.exe"));
    platform.answers = {Answer::No, Answer::Yes};
    click(1, {Ctl::Command5});
    EXPECT_THAT(platform.started, IsEmpty());
    menu.pages().show(4);
    click(4, {Ctl::Command5});
    EXPECT_THAT(platform.started, ElementsAre(inApp(L"HelvikSupport.exe")));

    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[1].owner, 4);
    EXPECT_EQ(platform.boxes[1].title, L"サポート [遠隔操作]");
    EXPECT_EQ(platform.boxes[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(platform.boxes[1].icon, MessageIcon::Question);
    EXPECT_EQ(platform.boxes[1].text,
              L"インターネットに接続して下さい。\r\n\r\n次画面はそのままの状態で、\r\n\r\n"
              L"ID番号をスカイプ(推薦)又は\r\n\r\nTelでお知らせ下さい[遠隔操作]");
}

TEST_F(HelpTest, MissingToolsDoNothingVisible) {
    platform.answers = {Answer::Yes};
    click(1, {Ctl::Command5});
    click(1, {Ctl::Command7});
    EXPECT_THAT(platform.started, IsEmpty());
    EXPECT_EQ(platform.boxes.size(), 1u);  // the support question only
    EXPECT_EQ(platform.count(Op::StartProgram, inApp(L"ErrXYZ.exe")), 1u);
    EXPECT_FALSE(platform.ended);
}

TEST_F(HelpTest, ErrorRepairStartsAtOnceEveryTime) {
    platform.addFile(inApp(L"ErrXYZ.exe"));
    menu.pages().show(5);
    click(5, {Ctl::Command7});
    click(5, {Ctl::Command7});
    EXPECT_THAT(platform.started, ElementsAre(inApp(L"ErrXYZ.exe"), inApp(L"ErrXYZ.exe")));
    EXPECT_THAT(platform.boxes, IsEmpty());
}

TEST_F(HelpTest, TheWebsiteOpensInEdgeOrElseInTheDefaultBrowser) {
    click(1, {Ctl::Command6});
    EXPECT_THAT(platform.commands, ElementsAre(L"microsoft-edge:https://www.orvanto.example/"));

    platform.fail(Op::RunCommand, L"microsoft-edge:");
    click(1, {Ctl::Command6});
    EXPECT_THAT(platform.commands,
                ElementsAre(L"microsoft-edge:https://www.orvanto.example/", L"https://www.orvanto.example/"));
    EXPECT_THAT(platform.boxes, IsEmpty());
}

}  // namespace
}  // namespace vandrel::testing
