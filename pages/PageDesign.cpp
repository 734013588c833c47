#include "pages/PageDesign.h"

#include <string>

#include "company/CompanyName.h"
#include "pages/Pictures.h"

namespace vandrel {

namespace {

using namespace controls;

constexpr const wchar_t* kGothic = L"ＭＳ Ｐゴシック";
constexpr Colour kBlue = Colour::rgb(0x00, 0x00, 0xFF);
constexpr Colour kDarkBlue = Colour::rgb(0x00, 0x00, 0xC0);
constexpr Colour kPink = Colour::rgb(0xFF, 0x80, 0x80);
constexpr Colour kMagentaPale = Colour::rgb(0xFF, 0xC0, 0xFF);
constexpr Colour kGreen = Colour::rgb(0x00, 0xFF, 0x00);

// What a screen reader calls the picture buttons without a caption.
constexpr const wchar_t* kNextName = L"次ページ";
constexpr const wchar_t* kExitName = L"終了";
constexpr const wchar_t* kManualName = L"使用法マニュアル";

Bounds rectOf(const PageData& page, ControlKey key) {
    switch (key.name) {
        case Ctl::Frame1: return {90, 900, 11565, 7215};
        case Ctl::Label1: return {300, 100, 2670, 495};
        case Ctl::Label2:
            return key.index == 0 ? Bounds{3045, 340, 1260, 225} : Bounds{4625, 105, page.titleWidth, 240};
        case Ctl::Label3: return {6900, 660, page.nameWidth, 225};
        case Ctl::Text1: return {6900, 60, 2835, 315};
        case Ctl::Command3: return {9405, 75, 570, 300};
        case Ctl::Command2: return key.index == 0 ? Bounds{10215, 50, 705, 435} : Bounds{10920, 50, 705, 435};
        case Ctl::Command4: return {10215, 660, 1410, 330};
        case Ctl::Command5: return {3420, 660, 960, 300};
        case Ctl::Command6: return {15, 660, 3405, 300};
        case Ctl::Command7: return {4380, 660, 1260, 300};
        case Ctl::Command1: return layout::programButton(key.index);
    }
    return {};
}

ControlDesign make(const PageData& page, ControlKey key, ControlKind kind) {
    ControlDesign d;
    d.key = key;
    d.kind = kind;
    d.bounds = rectOf(page, key);
    return d;
}

ControlDesign label(const PageData& page, ControlKey key, Font font, Colour fore = kBlack) {
    ControlDesign d = make(page, key, ControlKind::Label);
    d.font = font;
    d.fore = fore;
    d.back = kInactiveBorder;
    return d;
}

ControlDesign button(const PageData& page, ControlKey key, Colour back) {
    ControlDesign d = make(page, key, ControlKind::Button);
    d.back = back;
    return d;
}

ControlDesign programButtonDesign(const PageData& page, int index) {
    ControlDesign d = make(page, programButton(index), ControlKind::Button);
    d.inFrame = true;
    const int number = page.offset() + index;
    d.picture = pictures::programButtonPicture(number);
    for (std::uint8_t captioned : page.captioned) {
        if (captioned == index) d.text = std::to_wstring(number);
    }
    // A screen reader names the button by its number, and by the fitting
    // where the page has a tooltip for it: "144 変形角丸　一級課題".
    d.accessibleName = std::to_wstring(number);
    if (static_cast<std::size_t>(index) < page.tooltips.size()) {
        d.accessibleName += L' ';
        d.accessibleName += page.tooltips[static_cast<std::size_t>(index)];
    }
    return d;
}

}  // namespace

WindowDesign windowDesign(const PageData& page) {
    WindowDesign w;
    w.title = kPageCaption;
    w.outerWidth = layout::kWindowWidth;
    w.outerHeight = layout::kWindowHeight;
    w.back = page.windowBack;
    w.icon = pictures::icon(pictures::kWindowIcon);
    return w;
}

std::vector<ControlDesign> controlDesigns(const PageData& page) {
    std::vector<ControlDesign> all;
    all.reserve(90);

    ControlDesign title = label(page, kTitle, {kGothic, 2175, true, true}, kBlue);
    title.text = L"Orvanto展開";
    all.push_back(title);

    ControlDesign version = label(page, kVersion, {kGothic, 1125, true, true});
    // The labels widen to their text where it is wider than designed: the
    // version text, the page title's circled number, a ten-character name.
    version.autoSize = true;
    all.push_back(version);

    ControlDesign pageTitle = label(page, kPageTitle, {kGothic, 1200, true, false}, kDarkBlue);
    pageTitle.text = page.title;
    pageTitle.autoSize = true;
    all.push_back(pageTitle);

    ControlDesign name = label(page, kNameLabel, {kGothic, 1125, true, false});
    name.autoSize = true;
    if (page.nameEntry) name.cursor = pictures::cursor(pictures::kClickCursor);
    all.push_back(name);

    if (page.nameEntry) {
        ControlDesign entry = make(page, kEntryBox, ControlKind::TextBox);
        entry.text = company::kEntryPrompt;
        entry.back = kWhite;
        entry.visible = false;  // the name check decides
        entry.maxTyped = company::kMaxNameLength;
        all.push_back(entry);

        ControlDesign confirm = button(page, kConfirm, kButtonFace);
        confirm.text = company::kConfirmCaption;
        confirm.visible = false;
        all.push_back(confirm);
    }

    ControlDesign next = button(page, kNext, page.nextBack);
    next.picture = pictures::bitmap(pictures::kNext);
    next.mouseDown = true;
    next.accessibleName = kNextName;
    all.push_back(next);

    ControlDesign exit = button(page, kExit, kPink);
    exit.picture = pictures::bitmap(pictures::kExit);
    exit.mouseDown = true;
    exit.accessibleName = kExitName;
    all.push_back(exit);

    ControlDesign website = button(page, kWebsite, kMagentaPale);
    website.text = L"最新版チエック → クリックHPへ";
    all.push_back(website);

    ControlDesign support = button(page, kSupport, kGreen);
    support.text = L"サポート";
    support.font = {kGothic, 900, true, true};
    all.push_back(support);

    ControlDesign repair = button(page, kRepair, kGreen);
    repair.text = L"エラー修復";
    repair.font = {kGothic, 975, true, false};
    all.push_back(repair);

    ControlDesign manual = button(page, kManual, page.helpBack);
    manual.picture = pictures::bitmap(pictures::kHelp);
    manual.visible = false;  // shown by the load
    manual.accessibleName = kManualName;
    all.push_back(manual);

    ControlDesign frame = make(page, kFrame, ControlKind::Frame);
    frame.back = kInactiveBorder;
    frame.gridColumns = layout::kColumns;
    all.push_back(frame);

    for (int i = 0; i < kButtonsPerPage; ++i) all.push_back(programButtonDesign(page, i));
    return all;
}

std::vector<Placement> headerPlacements(const PageData& page) {
    constexpr ControlKey kOrder[] = {kFrame,   kTitle,  kNameLabel, kNext,    kVersion, kExit,  kEntryBox,
                                     kConfirm, kManual, kPageTitle, kSupport, kWebsite, kRepair};
    std::vector<Placement> placements;
    placements.reserve(std::size(kOrder));
    for (ControlKey key : kOrder) {
        const bool entryOnly = key == kEntryBox || key == kConfirm;
        if (entryOnly && !page.nameEntry) continue;
        placements.push_back({key, rectOf(page, key)});
    }
    return placements;
}

}  // namespace vandrel
