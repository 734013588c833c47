#include "company/CompanyName.h"

#include "MenuFixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr wchar_t kUnset[] = L"\u793E\u540D\u767B\u9332\uFF110\u6587\u5B57\u8FC4\u53EF";  // 社名登録１0文字迄可
constexpr wchar_t kPrompt[] = L"ここｸﾘｯｸして入力して下さい";

class CompanyNameTest : public MenuTest {
protected:
    std::optional<Text> stored() const { return platform.setting(L"Doziz", L"Nasa", L"name"); }
    void type(TextView text) { ASSERT_TRUE(platform.setText(1, kEntry, text).ok()); }
    void confirm(Answer answer) {
        platform.answers.push_back(answer);
        click(1, kConfirm);
    }
    bool entryShown() { return control(1, kEntry).visible && control(1, kConfirm).visible; }
    bool entryHidden() { return !control(1, kEntry).visible && !control(1, kConfirm).visible; }
};

TEST_F(CompanyNameTest, TheUnsetTextMixesAFullWidthOneAndAnAsciiZero) {
    EXPECT_EQ(Text(company::kUnsetNameText), kUnset);
    EXPECT_EQ(Text(company::kUnsetNameText).size(), 10u);
}

struct NameCheckCase {
    std::optional<const wchar_t*> stored;
    const wchar_t* label;
    bool entry;
    const wchar_t* storedAfter;
    std::size_t writes;
};

TEST_F(CompanyNameTest, TheNameCheckReadsTheStoreOnceAtStart) {
    const NameCheckCase cases[] = {
        {std::nullopt, kUnset, true, kUnset, 1},
        {L"", kUnset, true, kUnset, 1},
        {kUnset, kUnset, true, kUnset, 0},
        {L"山田板金", L"山田板金", false, L"山田板金", 0},
        {L" 社名登録１0文字迄可", L" 社名登録１0文字迄可", false, L" 社名登録１0文字迄可", 0},
    };
    for (const NameCheckCase& c : cases) {
        MemoryPlatform p;
        if (c.stored) p.putSetting(L"Doziz", L"Nasa", L"name", *c.stored);
        Menu m(p);
        ASSERT_EQ(m.start(), Menu::Start::Running);
        const Text label = c.label;
        EXPECT_EQ(p.control(1, kNameLabel)->text, label) << label.size();
        EXPECT_EQ(p.control(1, kEntry)->visible, c.entry);
        EXPECT_EQ(p.control(1, kConfirm)->visible, c.entry);
        EXPECT_EQ(p.control(1, kEntry)->text, kPrompt);
        EXPECT_EQ(p.setting(L"Doziz", L"Nasa", L"name"), Text(c.storedAfter));
        EXPECT_EQ(p.count(Op::WriteSetting, L"Doziz"), c.writes);
        EXPECT_EQ(p.control(1, kNameLabel)->tooltip, L"一度のみ入力可能です");
        m.pages().ensureLoaded(4);
        EXPECT_EQ(p.control(4, kNameLabel)->text, label);
    }
}

TEST_F(CompanyNameTest, ConfirmAsksWithTheExactQuestionAndYesRegistersEverywhereItShows) {
    ASSERT_EQ(start(), Menu::Start::Running);
    menu.pages().ensureLoaded(3);
    type(L"山田板金");
    confirm(Answer::Yes);

    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text,
              L"登録は一度のみ(10文字)有効です。\r\n\r\n現在の名称 [ 山田板金 ]\r\n\r\n登録しますか\u3000\uFF1F");
    EXPECT_EQ(platform.boxes[0].title, L"登録 ");
    EXPECT_EQ(platform.boxes[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(stored(), L"山田板金");
    EXPECT_TRUE(entryHidden());
    EXPECT_EQ(control(1, kNameLabel).text, L"山田板金");
    EXPECT_EQ(control(2, kNameLabel).text, L"山田板金");
    EXPECT_FALSE(platform.visible(2));               // made for its label, and left hidden
    EXPECT_EQ(control(3, kNameLabel).text, kUnset);  // made earlier: keeps its caption
    menu.pages().ensureLoaded(4);
    EXPECT_EQ(control(4, kNameLabel).text, L"山田板金");

    click(1, kNameLabel);
    EXPECT_TRUE(entryHidden());
}

TEST_F(CompanyNameTest, NoLeavesEverythingAsItWas) {
    ASSERT_EQ(start(), Menu::Start::Running);
    type(L"山田");
    confirm(Answer::No);
    EXPECT_EQ(stored(), kUnset);
    EXPECT_TRUE(entryShown());
    EXPECT_EQ(control(1, kEntry).text, L"山田");
    EXPECT_EQ(control(1, kNameLabel).text, kUnset);
    EXPECT_FALSE(menu.pages().isLoaded(2));
}

TEST_F(CompanyNameTest, AnyTextIsTakenWholeAndOnlyTheUnsetTextStaysUnregistered) {
    const struct {
        const wchar_t* entered;
        bool registered;
    } cases[] = {{L"", true}, {kPrompt, true}, {kUnset, false}, {L"  有限会社 山田  ", true}};
    for (const auto& c : cases) {
        MemoryPlatform p;
        Menu m(p);
        ASSERT_EQ(m.start(), Menu::Start::Running);
        if (c.entered != Text(kPrompt)) {
            ASSERT_TRUE(p.setText(1, kEntry, c.entered).ok());
        }
        p.answers.push_back(Answer::Yes);
        m.onEvent(Event{1, EventKind::Click, kConfirm, 0});
        EXPECT_EQ(p.boxes.at(0).text.find(Text(L"[ ") + c.entered + L" ]") != Text::npos, true);
        EXPECT_EQ(p.setting(L"Doziz", L"Nasa", L"name"), Text(c.entered));
        EXPECT_EQ(p.control(1, kNameLabel)->text, c.entered);
        EXPECT_EQ(p.control(2, kNameLabel)->text, c.entered);
        EXPECT_FALSE(p.control(1, kEntry)->visible);

        m.onEvent(
            Event{1, EventKind::Click, kNameLabel, 0});  // the label brings the entry back only while unregistered
        EXPECT_EQ(p.control(1, kEntry)->visible, !c.registered);
    }
}

TEST_F(CompanyNameTest, TheNextStartAfterAnEmptyNameOffersTheEntryAgain) {
    platform.putSetting(L"Doziz", L"Nasa", L"name", L"");
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_TRUE(entryShown());
    EXPECT_EQ(stored(), kUnset);
}

TEST_F(CompanyNameTest, ANameTheStoreRefusesIsReportedAndNotShownAsRegistered) {
    ASSERT_EQ(start(), Menu::Start::Running);
    type(L"山田板金");
    platform.fail(Op::WriteSetting, L"Doziz");
    confirm(Answer::Yes);

    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[1].title, L"登録 ");
    EXPECT_EQ(platform.boxes[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(platform.boxes[1].icon, MessageIcon::Exclamation);
    EXPECT_NE(platform.boxes[1].text.find(L"保存できませんでした"), Text::npos);
    EXPECT_TRUE(entryShown());
    EXPECT_EQ(control(1, kEntry).text, L"山田板金");
    EXPECT_EQ(control(1, kNameLabel).text, kUnset);
    EXPECT_EQ(menu.session().companyName, kUnset);

    confirm(Answer::Yes);  // the user tries again, and this time it is stored
    EXPECT_EQ(stored(), L"山田板金");
    EXPECT_TRUE(entryHidden());
}

TEST_F(CompanyNameTest, TheEntryFollowsTheLabelTheBoxAndTheNavigation) {
    ASSERT_EQ(start(), Menu::Start::Running);
    type(L"山田");
    click(1, kEntry);
    EXPECT_EQ(control(1, kEntry).text, L"");
    click(1, kEntry);
    EXPECT_EQ(control(1, kEntry).text, L"");

    leftClick(1, kNext);
    EXPECT_TRUE(entryHidden());
    menu.pages().show(1);
    EXPECT_TRUE(entryHidden());  // coming back does not bring it
    click(1, kNameLabel);
    EXPECT_TRUE(entryShown());
    EXPECT_EQ(control(1, kEntry).text, kPrompt);
    EXPECT_THAT(platform.trace({Op::SetVisible, Op::SetText}),
                ::testing::IsSupersetOf({"setVisible 1:Text1 | 1", "setText 1:Text1 | ここｸﾘｯｸして入力して下さい",
                                         "setVisible 1:Command3 | 1"}));
}

TEST_F(CompanyNameTest, ADoubleClickStartsTheRenameToolInEveryStateAndIsSilentWithoutIt) {
    ASSERT_EQ(start(), Menu::Start::Running);
    dblClick(1, kNameLabel);
    EXPECT_THAT(platform.started, IsEmpty());
    EXPECT_THAT(platform.boxes, IsEmpty());
    EXPECT_EQ(platform.count(Op::StartProgram, inApp(L"DuvArovADIDO.exe")), 1u);

    platform.addFile(inApp(L"DuvArovADIDO.exe"));
    dblClick(1, kNameLabel);
    EXPECT_THAT(platform.started, ElementsAre(inApp(L"DuvArovADIDO.exe")));
    dblClick(2, kNameLabel);  // other pages' labels have no handlers
    EXPECT_EQ(platform.started.size(), 1u);
}

TEST_F(CompanyNameTest, AFailedReadShowsThePromptAndTheLabelBringsTheEntry) {
    platform.putSetting(L"Doziz", L"Nasa", L"name", L"山田板金");
    platform.fail(Op::ReadSetting, L"Doziz");
    ASSERT_EQ(start(), Menu::Start::Running);
    EXPECT_EQ(control(1, kNameLabel).text, kUnset);
    EXPECT_EQ(platform.count(Op::WriteSetting, L"Doziz"), 0u);
    EXPECT_EQ(platform.count(Op::PlainFileExists), 72u);  // resumed: the table and the scan ran once
    EXPECT_TRUE(platform.exists(L"C:\\Users\\user\\Desktop\\Orvanto.lnk"));
    EXPECT_TRUE(entryHidden());
    click(1, kNameLabel);
    EXPECT_TRUE(entryShown());
}

TEST_F(CompanyNameTest, ASecondFailureAfterTheRecoveryPointSkipsOnlyItsOwnStep) {
    // A step of the name label's run that fails in both runs of the load.
    const struct {
        const char* step;
        Op op;
        const wchar_t* match;
        int times;  // the program folder is asked once before, for the stale executable
        bool buttonOfAPresentProgram;
    } cases[] = {
        {"name label", Op::SetText, L"1:Label3 | ", 2, true},
        {"program folder", Op::ModulePath, L"", 3, false},  // no folder: every button disabled
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        MemoryPlatform p;
        p.addPrograms({3});
        p.fail(c.op, c.match, c.times);
        Menu m(p);
        ASSERT_EQ(m.start(), Menu::Start::Running);
        EXPECT_EQ(*m.session().table.slot(3), L"Ten0003.exe");
        EXPECT_EQ(p.control(1, button(3))->enabled, c.buttonOfAPresentProgram);
        EXPECT_FALSE(p.control(1, button(4))->enabled);  // its calculator is missing
        EXPECT_TRUE(p.exists(L"C:\\Users\\user\\Desktop\\Orvanto.lnk"));
        EXPECT_TRUE(p.visible(1));
        EXPECT_FALSE(p.fatal.has_value());
    }
}

TEST_F(CompanyNameTest, TheEntryPairIsHiddenTogetherEvenWhenTheBoxFails) {
    ASSERT_EQ(start(), Menu::Start::Running);
    ASSERT_TRUE(entryShown());
    platform.fail(Op::SetVisible, L"1:Text1 | 0");
    const Status hidden = company::showEntry(platform, false);
    EXPECT_FALSE(hidden.ok()) << "the box's failure is reported";
    EXPECT_EQ(platform.count(Op::SetVisible, L"1:Command3 | 0"), 1u) << "the button was tried too";
    EXPECT_FALSE(control(1, kConfirm).visible);

    platform.fail(Op::SetVisible, L"1:Text1 | 0");
    leftClick(1, kNext);  // leaving page 1 puts the entry away
    EXPECT_FALSE(control(1, kConfirm).visible);
}

}  // namespace
}  // namespace vandrel::testing
