// The menu program: start-up, the five pages and everything they do, driven
// by the platform's events.
#pragma once

#include "pages/PageSet.h"
#include "pages/ProgramLife.h"
#include "platform/Platform.h"

namespace vandrel {

// The exit code of a run that ended with the fatal report.
inline constexpr int kFatalExitCode = 1;

class Menu final : public EventSink, private ProgramLife {
public:
    enum class Start { Running, AnotherCopy, Failed };

    explicit Menu(Platform& platform) : platform_(platform), pages_(platform, *this) {}
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // `Main`: removes a stale executable, ends quietly when another copy
    // runs, and otherwise shows page 1, fully loaded.
    Start start();

    // One event, handled to its end. A fatal failure is reported here.
    void onEvent(const Event& event) override;

    const Session& session() const { return pages_.session(); }
    PageSet& pages() { return pages_; }

private:
    // ProgramLife: the working folders, and the close sequence.
    void firstPageLoading() override;
    void pageClosing() override;

    template <class Step>
    bool guarded(Step&& step);

    Platform& platform_;
    PageSet pages_;
};

// Runs the menu on a platform: start-up, then the event loop until the
// program ends. Returns the process exit code.
int runMenu(Platform& platform);

}  // namespace vandrel
