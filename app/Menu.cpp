#include "app/Menu.h"

#include <new>

#include "app/Startup.h"
#include "app/WorkFolders.h"

namespace vandrel {

// Where a fatal failure ends up: the platform tells the user which operation
// failed and ends the program with a non-zero exit code.
template <class Step>
bool Menu::guarded(Step&& step) {
    try {
        step();
        return true;
    } catch (const FatalError& fatal) {
        platform_.fatalExit(fatal.status());
    } catch (const std::bad_alloc&) {
        platform_.fatalExit(Status::failure("operator new"));  // not enough memory
    }
    return false;
}

Menu::Start Menu::start() {
    Start outcome = Start::Running;
    const bool completed = guarded([&] {
        // A stale executable that cannot be deleted (in use, no right) is
        // left where it is; the menu starts all the same.
        carryOn(removeStaleExecutable(platform_));
        // When the platform cannot tell, the menu opens.
        const auto another = platform_.anotherCopyRunning();
        if (another.ok() && another.value()) {
            outcome = Start::AnotherCopy;
            return;
        }
        pages_.show(1);
    });
    return completed ? outcome : Start::Failed;
}

void Menu::firstPageLoading() {
    // Any working folder that cannot be made is left out; the menu opens all
    // the same.
    carryOn(createTempWorkFolder(platform_));
    carryOn(createFixedWorkFolder(platform_));
    carryOn(createRootWorkFolder(platform_));
}

void Menu::pageClosing() { closeSession(platform_); }

void Menu::onEvent(const Event& event) {
    guarded([&] { pages_.dispatch(event); });
}

int runMenu(Platform& platform) {
    Menu menu(platform);
    platform.setEventSink(&menu);
    int exitCode = 0;
    switch (menu.start()) {
        case Menu::Start::Running: exitCode = platform.runEventLoop(); break;
        case Menu::Start::AnotherCopy: exitCode = 0; break;  // nothing shown
        case Menu::Start::Failed: exitCode = kFatalExitCode; break;
    }
    platform.setEventSink(nullptr);
    return exitCode;
}

}  // namespace vandrel
