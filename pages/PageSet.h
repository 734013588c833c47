// The five page windows `Vandrel1` ... `Vandrel5`: each made and loaded the
// first time anything addresses it, then only hidden and shown, and the
// handlers of their controls.
#pragma once

#include <array>

#include "pages/PageData.h"
#include "pages/ProgramLife.h"
#include "pages/Session.h"

namespace vandrel {

class PageSet {
public:
    // `life` answers for what the pages' events start around them.
    PageSet(Platform& platform, ProgramLife& life) : platform_(platform), life_(life) {}
    PageSet(const PageSet&) = delete;
    PageSet& operator=(const PageSet&) = delete;

    // Makes and loads the page when it does not exist yet; it stays hidden.
    // A page window that cannot be made is fatal (FatalError).
    void ensureLoaded(int page);
    // Loads the page if needed, then shows it in front, active.
    void show(int page);
    void hide(int page);
    bool isLoaded(int page) const { return loaded_.at(static_cast<std::size_t>(page - 1)); }
    // The process-wide values of the run, which the pages keep.
    const Session& session() const { return session_; }

    // Routes a platform event to the handler of its page and control.
    void dispatch(const Event& event);

private:
    // Load sequences.
    void formLoad(const PageData& page);
    void loadFirstPage(const PageData& page);
    void loadOtherPage(const PageData& page);
    void createWindow(const PageData& page);
    void placeHeader(const PageData& page);
    void whitenButtons(const PageData& page);
    Status setTooltips(const PageData& page);
    Status nameCheck();
    // How the steps from page 1's name label to the end of its load meet a
    // failure: the first run stops at it, and page 1's recovery point runs
    // the steps again; that second run goes on past each failing step.
    enum class Steps { StopAtFailure, EachOnItsOwn };
    Status fromNameLabelToEnd(Steps steps);
    Status scan(const PageData& page);

    // Handlers, by control and event.
    void Command1_Click(const PageData& page, int index);
    void Command2_Click(const PageData& page, int index);
    void Command2_MouseDown(const PageData& page, int index, std::uint8_t button);
    void Command3_Click();
    void Label3_Click();
    void Label3_DblClick();
    void Text1_Click();
    void Command4_Click(const PageData& page);
    void Command5_Click(const PageData& page);
    void Command6_Click();
    void Command7_Click();
    void Form_QueryUnload();

    Platform& platform_;
    ProgramLife& life_;
    Session session_;
    std::array<bool, kPageCount> loaded_{};
};

}  // namespace vandrel
