#include "pages/PageSet.h"

#include "catalogue/Scan.h"
#include "core/Paths.h"
#include "desktop/Help.h"
#include "desktop/Shortcut.h"
#include "pages/PageDesign.h"

namespace vandrel {

namespace {

using namespace controls;

constexpr int kNextButton = kNext.index;
constexpr int kExitButton = kExit.index;
// A confirmed name shows at once on the first page and on this one.
constexpr int kAlsoShowsConfirmedName = 2;

int nextPage(int page) { return page == kPageCount ? 1 : page + 1; }
int previousPage(int page) { return page == 1 ? kPageCount : page - 1; }

}  // namespace

// ------------------------------------------------------------------ page set

void PageSet::ensureLoaded(int page) {
    if (isLoaded(page)) return;
    loaded_.at(static_cast<std::size_t>(page - 1)) = true;  // its own load may address it
    formLoad(pageData(page));
}

void PageSet::show(int page) {
    ensureLoaded(page);
    carryOn(platform_.showWindow(page));
}

void PageSet::hide(int page) { carryOn(platform_.hideWindow(page)); }

// ------------------------------------------------------------ load sequences

void PageSet::createWindow(const PageData& page) {
    // A page without its window cannot be shown or used: the one step of a
    // load whose failure ends the program.
    orFatal(platform_.createWindow(page.number, windowDesign(page)));
    for (const ControlDesign& control : controlDesigns(page)) {
        // A control that cannot be made fails each later step that uses it.
        carryOn(platform_.createControl(page.number, control));
    }
}

void PageSet::formLoad(const PageData& page) {
    createWindow(page);
    if (page.setsUp) {
        loadFirstPage(page);
    } else {
        loadOtherPage(page);
    }
}

void PageSet::loadFirstPage(const PageData& page) {
    const int p = page.number;
    // The working folders. Any of them that cannot be made is left out; the
    // menu opens all the same.
    life_.firstPageLoading();

    // Layout: each step that fails is skipped.
    if (page.nameEntry) carryOn(platform_.setTooltip(p, kNameLabel, company::kLabelTooltip));
    session_.pageCaption = kPageCaption;
    carryOn(platform_.setWindowSize(p, layout::kWindowWidth, layout::kWindowHeight));
    carryOn(platform_.setWindowTitle(p, session_.pageCaption));
    placeHeader(page);
    whitenButtons(page);

    // Page 1's recovery point: a failure from the name check to the end of
    // the load resumes at the name label and runs the remaining steps again.
    // In that second run each step that fails is skipped and the next one
    // runs, so the page still opens with its buttons set.
    if (!nameCheck()) {
        carryOn(fromNameLabelToEnd(Steps::EachOnItsOwn));
    }
}

void PageSet::loadOtherPage(const PageData& page) {
    const int p = page.number;
    // Every step carries on after a failure.
    carryOn(platform_.setWindowSize(p, layout::kWindowWidth, layout::kWindowHeight));
    carryOn(platform_.setWindowTitle(p, session_.pageCaption));
    placeHeader(page);
    whitenButtons(page);
    carryOn(setTooltips(page));  // `Capution03`: page 3's table (the others have none)
    carryOn(platform_.setText(p, kNameLabel, session_.companyName));
    carryOn(scan(page));
}

void PageSet::placeHeader(const PageData& page) {
    const int p = page.number;
    for (const Placement& place : headerPlacements(page)) {
        carryOn(platform_.setBounds(p, place.key, place.rect));
        if (place.key == kVersion) {
            if (page.setsUp) {
                carryOn(platform_.setText(p, kVersion, kVersionText));
            } else if (auto version = platform_.getText(kFirstPage, kVersion)) {
                // Every page shows the version text that page 1 set.
                carryOn(platform_.setText(p, kVersion, version.value()));
            }
        } else if (place.key == kManual) {
            carryOn(platform_.setVisible(p, kManual, true));
        }
    }
}

void PageSet::whitenButtons(const PageData& page) {
    for (int i = 0; i < kButtonsPerPage; ++i) {
        carryOn(platform_.setBackColour(page.number, programButton(i), kWhite));
        if (page.numbersAsCaptions) {
            carryOn(platform_.setText(page.number, programButton(i), std::to_wstring(page.offset() + i)));
        }
    }
}

Status PageSet::setTooltips(const PageData& page) {
    // A row that fails leaves the rows after it without their text.
    for (std::size_t i = 0; i < page.tooltips.size(); ++i) {
        if (Status s = platform_.setTooltip(page.number, programButton(static_cast<int>(i)), page.tooltips[i]); !s) {
            return s;
        }
    }
    return {};
}

Status PageSet::nameCheck() {
    if (Status s = company::checkName(platform_, session_.companyName); !s) return s;
    return fromNameLabelToEnd(Steps::StopAtFailure);
}

Status PageSet::fromNameLabelToEnd(Steps steps) {
    Status first;
    // Keeps the first failure; whether the run goes on after this step.
    const auto goesOn = [&](const Status& s) {
        if (first.ok() && !s.ok()) first = s;
        return first.ok() || steps == Steps::EachOnItsOwn;
    };
    if (!goesOn(platform_.setText(kFirstPage, kNameLabel, session_.companyName))) return first;
    const auto folder = appFolder(platform_);
    if (!goesOn(folder.status())) return first;
    session_.table.fill();  // `Menumot`
    // Without the program folder every button is disabled.
    scanPage(platform_, session_.table, folder ? &folder.value() : nullptr, kFirstPage,
             pageOffset(kFirstPage));          // `Menu01`
    goesOn(desktop::flipShortcut(platform_));  // `DisktopPASS`
    return first;
}

Status PageSet::scan(const PageData& page) {
    const auto folder = appFolder(platform_);
    scanPage(platform_, session_.table, folder ? &folder.value() : nullptr, page.number, page.offset());
    return folder.status();
}

// ------------------------------------------------------------------ events

void PageSet::dispatch(const Event& event) {
    if (event.page < 1 || event.page > kPageCount || !isLoaded(event.page)) return;
    const PageData& page = pageData(event.page);
    const bool entry = page.nameEntry;  // the entry's handlers
    const ControlKey control = event.control;

    switch (event.kind) {
        case EventKind::QueryUnload:
        case EventKind::EndSession:  // closes the menu as a window close does
            Form_QueryUnload();
            return;
        case EventKind::MouseDown:
            if (control.name == Ctl::Command2) Command2_MouseDown(page, control.index, event.button);
            return;
        case EventKind::DblClick:
            if (entry && control == kNameLabel) Label3_DblClick();
            return;
        case EventKind::Click: break;
    }
    switch (control.name) {
        case Ctl::Command1: Command1_Click(page, control.index); return;
        case Ctl::Command2: Command2_Click(page, control.index); return;
        case Ctl::Command3:
            if (entry) Command3_Click();
            return;
        case Ctl::Label3:
            if (entry) Label3_Click();
            return;
        case Ctl::Text1:
            if (entry) Text1_Click();
            return;
        case Ctl::Command4: Command4_Click(page); return;
        case Ctl::Command5: Command5_Click(page); return;
        case Ctl::Command6: Command6_Click(); return;
        case Ctl::Command7: Command7_Click(); return;
        case Ctl::Label1:
        case Ctl::Label2:
        case Ctl::Frame1: return;
    }
}

void PageSet::Command1_Click(const PageData& page, int index) {
    if (index < 0 || index >= kButtonsPerPage) return;
    launchProgram(platform_, session_.table, page.number, page.offset(), page.handOff,
                  static_cast<std::int16_t>(index));
}

void PageSet::Command2_MouseDown(const PageData& page, int index, std::uint8_t button) {
    if (index != kNextButton) return;
    session_.lastPressedButton = button;
    if (button == kRightButton) {
        // Back on the press, not the release.
        hide(page.number);
        show(previousPage(page.number));
    }
}

void PageSet::Command2_Click(const PageData& page, int index) {
    if (page.staysBeneath) {
        // Leaving page 1 by either button puts its name entry away.
        carryOn(company::showEntry(platform_, false));
        if (index == kNextButton) show(nextPage(page.number));  // page 1 stays beneath
        if (index == kExitButton) platform_.endProgram(0);
        return;
    }
    if (index == kNextButton && session_.lastPressedButton == kLeftButton) {
        hide(page.number);
        show(nextPage(page.number));
    }
    if (index == kExitButton) platform_.endProgram(0);
}

void PageSet::Command3_Click() {
    const Text entered = platform_.getText(kFirstPage, kEntryBox).valueOr(Text());
    if (!company::askToRegister(platform_, entered)) return;
    // A name the store did not take must not look registered: the user is
    // told, and the entry stays as it is for another try.
    if (!company::storeName(platform_, entered)) {
        carryOn(platform_.messageBox(kFirstPage, company::storeFailureText(), company::kConfirmTitle,
                                     MessageButtons::Ok, MessageIcon::Exclamation));
        return;
    }
    session_.companyName = entered;
    carryOn(company::showEntry(platform_, false));
    carryOn(platform_.setText(kFirstPage, kNameLabel, entered));
    ensureLoaded(kAlsoShowsConfirmedName);
    carryOn(platform_.setText(kAlsoShowsConfirmedName, kNameLabel, entered));
}

void PageSet::Label3_Click() {
    if (company::isRegistered(session_.companyName)) return;
    carryOn(platform_.setVisible(kFirstPage, kEntryBox, true));
    carryOn(platform_.setText(kFirstPage, kEntryBox, company::kEntryPrompt));
    carryOn(platform_.setVisible(kFirstPage, kConfirm, true));
}

void PageSet::Label3_DblClick() {
    // A rename tool that cannot be started shows nothing.
    carryOn(company::startRenameTool(platform_));
}

void PageSet::Text1_Click() { carryOn(platform_.setText(kFirstPage, kEntryBox, Text())); }

// The side buttons never report a failure.
void PageSet::Command4_Click(const PageData& page) { carryOn(desktop::openManual(platform_, page.number)); }
void PageSet::Command5_Click(const PageData& page) { carryOn(desktop::remoteSupport(platform_, page.number)); }
void PageSet::Command6_Click() { carryOn(desktop::openWebsite(platform_)); }
void PageSet::Command7_Click() { carryOn(desktop::errorRepair(platform_)); }

void PageSet::Form_QueryUnload() { life_.pageClosing(); }

}  // namespace vandrel
