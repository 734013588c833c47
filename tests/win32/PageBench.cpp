// Measures the page windows in-process on the real platform: the first show
// of each page (window, 72 pictures, availability scan), later switches
// between pages, and the GDI and USER objects the program holds with all
// five pages loaded (where the system cannot tell, its windows and the
// graphics objects the pages ask for are counted). Run it from a program folder holding calculators:
//   PageBench.exe [switch rounds]
// It prints one line per figure and ends; it is a benchmark, not a test.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/Menu.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Win32Platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using vandrel::Bounds;
using vandrel::Colour;
using vandrel::ControlDesign;
using vandrel::ControlKey;
using vandrel::Result;
using vandrel::Status;
using vandrel::Text;
using vandrel::TextView;
using vandrel::WindowDesign;

// Passes every call on to the real platform and adds up the time each kind
// of call takes, to say where a page's first show spends it.
class TimedPlatform final : public vandrel::Platform {
public:
    explicit TimedPlatform(vandrel::Platform& real) : real_(real) {}

    void report() const {
        std::vector<std::pair<double, std::string>> rows;
        for (const auto& [name, total] : totals_) rows.emplace_back(total.first, name);
        std::sort(rows.rbegin(), rows.rend());
        for (const auto& [ms, name] : rows) {
            std::printf("  %-20s %8.2f ms in %zu calls\n", name.c_str(), ms, totals_.at(name).second);
        }
    }
    void reset() { totals_.clear(); }

    // The shared graphics objects the pages ask for, as the program caches
    // them: one font per face, size and style, one brush per colour that is
    // not a system colour, one icon per icon picture and size.
    void reportGraphics() const {
        std::printf(
            "graphics objects the pages use: %zu fonts, %zu brushes, %zu icon pictures, %zu cursors "
            "(and the window icon at two sizes)\n",
            fonts_.size(), brushes_.size(), icons_.size(), cursors_.size());
    }

#define VANDREL_TIMED(name, call)                                                             \
    const auto started = Clock::now();                                                        \
    auto result = call;                                                                       \
    auto& total = totals_[name];                                                              \
    total.first += std::chrono::duration<double, std::milli>(Clock::now() - started).count(); \
    ++total.second;                                                                           \
    return result;

    Result<Text> modulePath() override{
        VANDREL_TIMED("modulePath", real_.modulePath())} Result<bool> anotherCopyRunning() override{
        VANDREL_TIMED("anotherCopyRunning", real_.anotherCopyRunning())} Status
        startProgram(TextView p) override{VANDREL_TIMED("startProgram", real_.startProgram(p))} Status
        openDocument(int o, TextView p) override{VANDREL_TIMED("openDocument", real_.openDocument(o, p))} Status
        runCommand(TextView c) override {
        VANDREL_TIMED("runCommand", real_.runCommand(c))
    }
    void endProgram(int code) override { real_.endProgram(code); }
    void fatalExit(const Status& failure) override { real_.fatalExit(failure); }
    Result<Text> readSetting(TextView a, TextView s,
                             TextView k) override{VANDREL_TIMED("readSetting", real_.readSetting(a, s, k))} Status
        writeSetting(TextView a, TextView s, TextView k, TextView v) override{
            VANDREL_TIMED("writeSetting", real_.writeSetting(a, s, k, v))} Result<bool> fileExists(TextView p) override{
            VANDREL_TIMED("fileExists", real_.fileExists(p))} Result<bool> plainFileExists(TextView p) override{
            VANDREL_TIMED("plainFileExists", real_.plainFileExists(p))} Result<bool> folderExists(TextView p) override{
            VANDREL_TIMED("folderExists", real_.folderExists(p))} Result<bool> itemExists(TextView p) override{
            VANDREL_TIMED("itemExists", real_.itemExists(p))} Status
        deleteFile(TextView p) override{VANDREL_TIMED("deleteFile", real_.deleteFile(p))} Status
        createFolder(TextView p) override{VANDREL_TIMED("createFolder", real_.createFolder(p))} Status
        deleteFolderTree(TextView p) override{
            VANDREL_TIMED("deleteFolderTree", real_.deleteFolderTree(p))} Result<Text> tempFolder() override{
            VANDREL_TIMED("tempFolder", real_.tempFolder())} Result<Text> desktopFolder() override{
            VANDREL_TIMED("desktopFolder", real_.desktopFolder())} Status createShortcut(TextView l, TextView t)
            override{VANDREL_TIMED("createShortcut", real_.createShortcut(l, t))} Result<vandrel::Answer> messageBox(
                int o, TextView t, TextView c, vandrel::MessageButtons b, vandrel::MessageIcon i) override {
        VANDREL_TIMED("messageBox", real_.messageBox(o, t, c, b, i))
    }
    void setEventSink(vandrel::EventSink* sink) override { real_.setEventSink(sink); }
    Status createWindow(int p, const WindowDesign& d) override {
        noteColour(d.back);
        VANDREL_TIMED("createWindow", real_.createWindow(p, d))
    }
    Status createControl(int p, const ControlDesign& d) override {
        fonts_.emplace(d.font.face ? d.font.face : L"", d.font.centipoints, d.font.bold, d.font.italic);
        noteColour(d.back);
        if (d.picture.kind == vandrel::PictureKind::Icon) icons_.insert(d.picture);
        if (d.cursor) cursors_.insert(d.cursor);
        VANDREL_TIMED("createControl", real_.createControl(p, d))
    }
    Status setWindowSize(int p, int w,
                         int h) override{VANDREL_TIMED("setWindowSize", real_.setWindowSize(p, w, h))} Status
        setWindowTitle(int p, TextView t) override{VANDREL_TIMED("setWindowTitle", real_.setWindowTitle(p, t))} Status
        setBounds(int p, ControlKey c,
                  const Bounds& b) override{VANDREL_TIMED("setBounds", real_.setBounds(p, c, b))} Status
        setText(int p, ControlKey c, TextView t) override{
            VANDREL_TIMED("setText", real_.setText(p, c, t))} Result<Text> getText(int p, ControlKey c) override{
            VANDREL_TIMED("getText", real_.getText(p, c))} Status
        setEnabled(int p, ControlKey c, bool e) override{VANDREL_TIMED("setEnabled", real_.setEnabled(p, c, e))} Status
        setVisible(int p, ControlKey c, bool v) override{VANDREL_TIMED("setVisible", real_.setVisible(p, c, v))} Status
        setBackColour(int p, ControlKey c, Colour k) override {
        noteColour(k);
        VANDREL_TIMED("setBackColour", real_.setBackColour(p, c, k))
    }
    Status setTooltip(int p, ControlKey c,
                      TextView t) override{VANDREL_TIMED("setTooltip", real_.setTooltip(p, c, t))} Status
        showWindow(int p) override{VANDREL_TIMED("showWindow", real_.showWindow(p))} Status hideWindow(int p) override {
        VANDREL_TIMED("hideWindow", real_.hideWindow(p))
    }
    int runEventLoop() override { return real_.runEventLoop(); }
#undef VANDREL_TIMED

private:
    void noteColour(Colour colour) {
        if (!colour.isSystem()) brushes_.insert(colour);
    }

    vandrel::Platform& real_;
    std::map<std::string, std::pair<double, std::size_t>> totals_;
    std::set<std::tuple<std::wstring, int, bool, bool>> fonts_;
    std::set<Colour> brushes_;
    std::set<vandrel::Picture> icons_;
    std::set<vandrel::Picture> cursors_;
};

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the windows paint what the last step changed, as the event loop would.
void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The windows of this thread, top-level and child: the bulk of the USER
// objects, counted directly where GetGuiResources answers 0 (Wine).
std::size_t countWindows() {
    std::size_t count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            auto& n = *reinterpret_cast<std::size_t*>(counter);
            ++n;
            EnumChildWindows(
                window, [](HWND, LPARAM c) { return ++*reinterpret_cast<std::size_t*>(c), TRUE; }, counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What the system itself costs for a page of this size: a bare window with
// 72 owner-drawn buttons that draw nothing, made, shown and painted, then
// hidden and shown again. The menu's figures are read against these.
void measureBareWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW bare{};
    bare.cbSize = sizeof bare;
    bare.lpfnWndProc = DefWindowProcW;
    bare.hInstance = instance;
    bare.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    bare.lpszClassName = L"VandrelBenchBare";
    if (!RegisterClassExW(&bare)) return;
    const auto start = Clock::now();
    const HWND window = CreateWindowExW(0, bare.lpszClassName, L"bare", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                        800, 600, nullptr, nullptr, instance, nullptr);
    if (!window) return;
    for (int i = 0; i < 72; ++i) {
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW, (i % 12) * 64,
                        80 + (i / 12) * 76, 64, 76, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(600 + i)),
                        instance, nullptr);
    }
    const double made = millisecondsSince(start);
    ShowWindow(window, SW_SHOW);
    const double shown = millisecondsSince(start);
    pumpMessages();
    const double painted = millisecondsSince(start);
    std::vector<double> again;
    for (int round = 0; round < 20; ++round) {
        const auto switchStart = Clock::now();
        ShowWindow(window, SW_HIDE);
        ShowWindow(window, SW_SHOW);
        pumpMessages();
        again.push_back(millisecondsSince(switchStart));
    }
    std::printf(
        "bare window with 72 buttons: made %.2f ms, shown %.2f ms, painted %.2f ms; "
        "hidden and shown again until painted, median %.2f ms\n",
        made, shown, painted, median(again));
    DestroyWindow(window);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 50;
    vandrel::win32::SystemLibraries libraries;
    static_cast<void>(vandrel::win32::loadSystemLibraries(libraries));

    vandrel::win32::Win32Platform real(GetModuleHandleW(nullptr));
    TimedPlatform platform(real);
    vandrel::Menu menu(platform);
    platform.setEventSink(&menu);

    auto start = Clock::now();
    if (menu.start() != vandrel::Menu::Start::Running) {
        std::fprintf(stderr, "the menu did not start\n");
        return 2;
    }
    const double firstPage = millisecondsSince(start);
    pumpMessages();
    std::printf("page 1 first show (start-up included): %.2f ms, painted after %.2f ms\n", firstPage,
                millisecondsSince(start));
    platform.report();
    platform.reset();

    // While the user looks at page 1, the event loop's idle time unpacks the
    // pictures of the other pages.
    start = Clock::now();
    int steps = 0;
    while (real.idleStep()) ++steps;
    std::printf("idle time while page 1 is read: %d pictures unpacked in %.2f ms\n", steps, millisecondsSince(start));

    for (int page = 2; page <= 5; ++page) {
        start = Clock::now();
        menu.pages().show(page);
        const double shown = millisecondsSince(start);
        pumpMessages();
        std::printf("page %d first show: %.2f ms, painted after %.2f ms\n", page, shown, millisecondsSince(start));
        platform.report();
        platform.reset();
    }

    std::vector<double> switches;
    std::vector<double> painted;
    for (int round = 0; round < rounds; ++round) {
        for (int page = 1; page <= 5; ++page) {
            const int next = page == 5 ? 1 : page + 1;
            start = Clock::now();
            menu.pages().hide(page);
            menu.pages().show(next);
            switches.push_back(millisecondsSince(start));
            pumpMessages();
            painted.push_back(millisecondsSince(start));
        }
    }
    platform.report();
    std::printf("later switch (hide + show), median of %zu: %.3f ms, worst %.3f ms\n", switches.size(),
                median(switches), *std::max_element(switches.begin(), switches.end()));
    std::printf("later switch until painted, median: %.3f ms, worst %.3f ms\n", median(painted),
                *std::max_element(painted.begin(), painted.end()));

    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    std::printf("GDI objects with five pages loaded: %lu\n", static_cast<unsigned long>(gdi));
    std::printf("USER objects with five pages loaded: %lu\n", static_cast<unsigned long>(user));
    std::printf("windows of the program with five pages loaded: %zu\n", countWindows());
    platform.reportGraphics();
    platform.setEventSink(nullptr);
    measureBareWindow();
    return 0;
}
