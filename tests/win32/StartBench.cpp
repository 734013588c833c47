// Measures how long the real program takes to start: from CreateProcessW
// until its first thread waits for input with page 1 on screen (the loader
// with every library the program imports or loads, the start-up steps, page
// 1's load and its first paint). Each copy is then ended from outside, so
// that the next start is a first copy again. It is a benchmark, not a test:
//   StartBench.exe <path of Vandrel.exe> [starts]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/WinHandles.h"

namespace {

using Clock = std::chrono::steady_clock;
using vandrel::win32::UniqueHandle;

struct Search {
    DWORD process;
    bool visible;
};

// Whether the process shows a page window.
bool showsPage(DWORD process) {
    Search search{process, false};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (owner == s.process && std::wcscmp(name, L"VandrelPage") == 0 && IsWindowVisible(window)) {
                s.visible = true;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.visible;
}

// One start; the milliseconds until the program waits for input with its
// page on screen, or a negative number when it did not get there.
double timeOneStart(const std::wstring& program, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const auto begin = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started)) {
        std::fprintf(stderr, "CreateProcessW failed: %lu\n", GetLastError());
        return -1;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    const DWORD idle = WaitForInputIdle(process.get(), 20000);
    double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    // Idle with no page on screen is not the end of the start: it is then
    // timed until the page shows.
    bool shown = idle == 0 && showsPage(started.dwProcessId);
    for (int poll = 0; idle == 0 && !shown && poll < 500; ++poll) {
        Sleep(10);
        shown = showsPage(started.dwProcessId);
        elapsed = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    }
    if (!shown) elapsed = -1;
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: StartBench <path of Vandrel.exe> [starts]\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const int starts = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;
    const std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));

    // The first start of a fresh environment also pays for the system's own
    // first use of the display and the fonts: it warms up, uncounted.
    if (timeOneStart(program, folder) < 0) {
        std::fprintf(stderr, "the warm-up start did not reach page 1\n");
        return 1;
    }
    Sleep(200);
    std::vector<double> times;
    for (int i = 0; i < starts; ++i) {
        const double ms = timeOneStart(program, folder);
        if (ms < 0) {
            std::fprintf(stderr, "start %d did not reach page 1\n", i + 1);
            return 1;
        }
        times.push_back(ms);
        Sleep(200);  // let the ended copy's windows go
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("start until page 1 waits for input, %d starts: median %.1f ms, fastest %.1f ms, slowest %.1f ms\n",
                starts, sorted[sorted.size() / 2], sorted.front(), sorted.back());
    return 0;
}
