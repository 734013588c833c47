// probe: looks at the menu's windows from outside and drives them with window
// messages, for the end-to-end tests and the benchmarks.
//
//   probe pages                       one line per page window (visible, foreground, enabled, place, title)
//   probe controls <page>             one line per control of a page (all levels)
//   probe msgbox <title> [ms]         waits for a message box, prints its text and buttons
//   probe answer <title> <button> [ms] presses IDOK, IDYES, IDNO or IDCANCEL of a message box
//   probe tooltip                     the text of each visible tooltip window
//   probe settext <page> <id> <text>  WM_SETTEXT to a control
//   probe click <page> <id>           the control's centre and its rectangle in screen pixels
//   probe focus <page> <id>           brings the page to the front and focuses the control
//   probe focused                     the control of the menu that has the keyboard focus
//   probe acc <page> <id>             what a screen reader is told of the control (Active
//                                     Accessibility): its name, role and state
//   probe close <page>                posts WM_CLOSE to a page window
//   probe endsession <page> [cancel]  sends WM_QUERYENDSESSION, prints its answer, then WM_ENDSESSION
//                                     (TRUE: the session ends; with cancel FALSE: the end was called off)
//   probe gui-resources               GDI and USER object counts of the menu's process
//   probe windows                     every top-level window (for diagnostics)
//
// A page window is a top-level window of class "VandrelPage" whose window
// property "VandrelPage" holds its page number (1 to 5).
//
// Output is UTF-8, one item per line, fields "name=value" separated by tabs;
// inside a value a backslash, tab, CR and LF are written \\, \t, \r and \n.
// Exit code: 0 done, 1 the window or control was not found (or did not go
// away), 2 bad usage or a failed call.
#include <windows.h>

#include <oleacc.h>

#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/AccessibleButton.h"  // the interface's identifier, spelled out
#include "platform/win32/WinHandles.h"

namespace {

constexpr wchar_t kPageClass[] = L"VandrelPage";
constexpr wchar_t kPageProperty[] = L"VandrelPage";
constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr wchar_t kTooltipClass[] = L"tooltips_class32";
constexpr UINT kMessageTimeoutMs = 3000;
constexpr DWORD kDefaultWaitMs = 5000;
constexpr DWORD kPollMs = 20;

enum ExitCode : int { kDone = 0, kNotFound = 1, kError = 2 };

// Shares this thread's input state with another thread while it lives, so
// that SetFocus may name a window of that thread.
class InputAttachment {
public:
    InputAttachment(DWORD self, DWORD other) : self_(self), other_(other) {
        attached_ = self_ != other_ && AttachThreadInput(self_, other_, TRUE);
    }
    InputAttachment(const InputAttachment&) = delete;
    InputAttachment& operator=(const InputAttachment&) = delete;
    ~InputAttachment() {
        if (attached_) AttachThreadInput(self_, other_, FALSE);
    }
    bool attached() const { return attached_; }

private:
    DWORD self_, other_;
    bool attached_ = false;
};

// ------------------------------------------------------------------ output

std::wstring escaped(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
            case L'\\': out += L"\\\\"; break;
            case L'\t': out += L"\\t"; break;
            case L'\r': out += L"\\r"; break;
            case L'\n': out += L"\\n"; break;
            default: out += c;
        }
    }
    return out;
}

// One output line built from fields.
class Line {
public:
    Line& field(std::wstring_view name, std::wstring_view value) {
        if (!text_.empty()) text_ += L'\t';
        text_ += name;
        text_ += L'=';
        text_ += escaped(value);
        return *this;
    }
    Line& field(std::wstring_view name, long long value) { return field(name, std::to_wstring(value)); }
    const std::wstring& text() const { return text_; }

private:
    std::wstring text_;
};

void writeUtf8(HANDLE stream, std::wstring_view text) {
    if (text.empty()) return;
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(stream, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void print(const Line& line) { writeUtf8(GetStdHandle(STD_OUTPUT_HANDLE), line.text() + L"\n"); }

int complain(std::wstring_view text) {
    writeUtf8(GetStdHandle(STD_ERROR_HANDLE), L"probe: " + std::wstring(text) + L"\n");
    return kError;
}

int failedCall(const wchar_t* call) {
    return complain(std::wstring(call) + L" failed (error " + std::to_wstring(GetLastError()) + L")");
}

int notFound(std::wstring_view what) {
    writeUtf8(GetStdHandle(STD_ERROR_HANDLE), L"probe: not found: " + std::wstring(what) + L"\n");
    return kNotFound;
}

// ------------------------------------------------------------------ windows

std::wstring className(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return length > 0 ? std::wstring(name, static_cast<size_t>(length)) : std::wstring();
}

// The window's text as its own window procedure reports it (WM_GETTEXT),
// or the text the system keeps for it when the owner does not answer.
std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length)) {
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                                SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied)) {
            text.resize(wcsnlen(text.c_str(), text.size()));
            return text;
        }
    }
    wchar_t buffer[1024];
    const int copied = InternalGetWindowText(window, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, copied > 0 ? static_cast<size_t>(copied) : 0);
}

template <typename Visit>
void forEachTopLevel(Visit visit) {
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            (*reinterpret_cast<Visit*>(context))(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visit));
}

template <typename Visit>
void forEachDescendant(HWND parent, Visit visit) {
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM context) -> BOOL {
            (*reinterpret_cast<Visit*>(context))(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visit));
}

int pageNumber(HWND window) {
    if (className(window) != kPageClass) return 0;
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window, kPageProperty)));
}

HWND findPage(int page) {
    HWND found = nullptr;
    forEachTopLevel([&](HWND window) {
        if (found == nullptr && pageNumber(window) == page) found = window;
    });
    return found;
}

HWND findControl(HWND page, int id) {
    HWND found = nullptr;
    forEachDescendant(page, [&](HWND window) {
        if (found == nullptr && GetDlgCtrlID(window) == id) found = window;
    });
    return found;
}

HWND waitForMessageBox(const std::wstring& title, DWORD waitMs) {
    const ULONGLONG end = GetTickCount64() + waitMs;
    for (;;) {
        HWND box = FindWindowW(kMessageBoxClass, title.c_str());
        if (box != nullptr || GetTickCount64() >= end) return box;
        Sleep(kPollMs);
    }
}

bool parseNumber(const wchar_t* text, long& value) {
    wchar_t* end = nullptr;
    value = std::wcstol(text, &end, 0);
    return end != text && *end == L'\0';
}

bool parsePage(const wchar_t* text, int& page) {
    long value = 0;
    if (!parseNumber(text, value) || value < 1 || value > 5) return false;
    page = static_cast<int>(value);
    return true;
}

// Both arguments of the commands that address a control: page and control id.
struct ControlTarget {
    HWND page = nullptr;
    HWND control = nullptr;
};

int findTarget(const wchar_t* pageArg, const wchar_t* idArg, ControlTarget& target) {
    int page = 0;
    long id = 0;
    if (!parsePage(pageArg, page)) return complain(L"a page is a number from 1 to 5");
    if (!parseNumber(idArg, id)) return complain(L"a control id is a number");
    target.page = findPage(page);
    if (target.page == nullptr) return notFound(L"page " + std::to_wstring(page));
    target.control = findControl(target.page, static_cast<int>(id));
    if (target.control == nullptr)
        return notFound(L"control " + std::to_wstring(id) + L" of page " + std::to_wstring(page));
    return kDone;
}

// ----------------------------------------------------------------- commands

int listPages() {
    const HWND foreground = GetForegroundWindow();
    forEachTopLevel([&](HWND window) {
        const int page = pageNumber(window);
        if (page == 0) return;
        RECT rect{};
        RECT client{};
        POINT origin{0, 0};
        // A window that goes away meanwhile is left out.
        if (!GetWindowRect(window, &rect) || !GetClientRect(window, &client) || !ClientToScreen(window, &origin))
            return;
        print(Line()
                  .field(L"page", page)
                  .field(L"visible", IsWindowVisible(window) ? 1 : 0)
                  .field(L"foreground", window == foreground ? 1 : 0)
                  .field(L"enabled", IsWindowEnabled(window) ? 1 : 0)
                  .field(L"left", rect.left)
                  .field(L"top", rect.top)
                  .field(L"right", rect.right)
                  .field(L"bottom", rect.bottom)
                  .field(L"client_left", origin.x)
                  .field(L"client_top", origin.y)
                  .field(L"client_width", client.right)
                  .field(L"client_height", client.bottom)
                  .field(L"title", windowText(window)));
    });
    return kDone;
}

int listControls(const wchar_t* pageArg) {
    int page = 0;
    if (!parsePage(pageArg, page)) return complain(L"a page is a number from 1 to 5");
    HWND pageWindow = findPage(page);
    if (pageWindow == nullptr) return notFound(L"page " + std::to_wstring(page));
    forEachDescendant(pageWindow, [&](HWND window) {
        HWND parent = GetParent(window);
        RECT rect{};
        if (parent == nullptr || !GetWindowRect(window, &rect)) return;
        SetLastError(0);
        if (MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2) == 0 && GetLastError() != 0)
            return;
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        print(Line()
                  .field(L"id", GetDlgCtrlID(window))
                  .field(L"parent", parent == pageWindow ? 0 : GetDlgCtrlID(parent))
                  .field(L"class", className(window))
                  .field(L"left", rect.left)
                  .field(L"top", rect.top)
                  .field(L"width", rect.right - rect.left)
                  .field(L"height", rect.bottom - rect.top)
                  .field(L"visible", (style & WS_VISIBLE) ? 1 : 0)
                  .field(L"shown", IsWindowVisible(window) ? 1 : 0)
                  .field(L"enabled", IsWindowEnabled(window) ? 1 : 0)
                  .field(L"text", windowText(window)));
    });
    return kDone;
}

int showMessageBox(const std::wstring& title, DWORD waitMs) {
    HWND box = waitForMessageBox(title, waitMs);
    if (box == nullptr) return notFound(L"message box \"" + title + L"\"");
    HWND owner = GetWindow(box, GW_OWNER);
    std::wstring text;
    HWND textControl = GetDlgItem(box, 0xFFFF);
    std::vector<HWND> buttons;
    forEachDescendant(box, [&](HWND window) {
        const std::wstring kind = className(window);
        if (_wcsicmp(kind.c_str(), L"Button") == 0) {
            if (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) buttons.push_back(window);
        } else if (textControl == nullptr && _wcsicmp(kind.c_str(), L"Static") == 0) {
            const std::wstring candidate = windowText(window);
            if (!candidate.empty()) textControl = window;
        }
    });
    if (textControl != nullptr) text = windowText(textControl);
    print(Line()
              .field(L"title", windowText(box))
              .field(L"owner_page", owner != nullptr ? pageNumber(owner) : 0)
              .field(L"text", text));
    for (HWND button : buttons)
        print(Line().field(L"button", GetDlgCtrlID(button)).field(L"caption", windowText(button)));
    return kDone;
}

int answerMessageBox(const std::wstring& title, const wchar_t* answer, DWORD waitMs) {
    struct Answer {
        const wchar_t* name;
        int id;
    };
    constexpr Answer kAnswers[] = {{L"IDOK", IDOK}, {L"IDCANCEL", IDCANCEL}, {L"IDYES", IDYES}, {L"IDNO", IDNO}};
    int id = 0;
    for (const auto& known : kAnswers)
        if (_wcsicmp(answer, known.name) == 0) id = known.id;
    if (id == 0) return complain(L"the answer is IDOK, IDCANCEL, IDYES or IDNO");
    HWND box = waitForMessageBox(title, waitMs);
    if (box == nullptr) return notFound(L"message box \"" + title + L"\"");
    if (!PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id))))
        return failedCall(L"PostMessageW");
    const ULONGLONG end = GetTickCount64() + waitMs;
    while (IsWindow(box)) {
        if (GetTickCount64() >= end) return notFound(L"the end of message box \"" + title + L"\" after the answer");
        Sleep(kPollMs);
    }
    return kDone;
}

int showTooltips() {
    int shown = 0;
    forEachTopLevel([&](HWND window) {
        if (_wcsicmp(className(window).c_str(), kTooltipClass) != 0 || !IsWindowVisible(window)) return;
        RECT rect{};
        GetWindowRect(window, &rect);
        print(Line()
                  .field(L"text", windowText(window))
                  .field(L"left", rect.left)
                  .field(L"top", rect.top)
                  .field(L"right", rect.right)
                  .field(L"bottom", rect.bottom));
        ++shown;
    });
    return shown > 0 ? kDone : notFound(L"visible tooltip");
}

int setText(const wchar_t* pageArg, const wchar_t* idArg, const wchar_t* text) {
    ControlTarget target;
    if (const int code = findTarget(pageArg, idArg, target); code != kDone) return code;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(target.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &result))
        return failedCall(L"SendMessageTimeoutW(WM_SETTEXT)");
    if (result == FALSE) return complain(L"the control refused the text");
    return kDone;
}

int controlCentre(const wchar_t* pageArg, const wchar_t* idArg) {
    ControlTarget target;
    if (const int code = findTarget(pageArg, idArg, target); code != kDone) return code;
    RECT rect{};
    if (!GetWindowRect(target.control, &rect)) return failedCall(L"GetWindowRect");
    print(Line()
              .field(L"x", (rect.left + rect.right) / 2)
              .field(L"y", (rect.top + rect.bottom) / 2)
              .field(L"left", rect.left)
              .field(L"top", rect.top)
              .field(L"right", rect.right)
              .field(L"bottom", rect.bottom));
    return kDone;
}

int focusedControl() {
    HWND page = nullptr;
    for (int number = 1; number <= 5 && page == nullptr; ++number) page = findPage(number);
    if (page == nullptr) return notFound(L"page window");
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &gui)) return failedCall(L"GetGUIThreadInfo");
    if (gui.hwndFocus == nullptr) return notFound(L"focused control");
    const HWND root = GetAncestor(gui.hwndFocus, GA_ROOT);
    const HWND parent = GetParent(gui.hwndFocus);
    print(Line()
              .field(L"page", pageNumber(root))
              .field(L"id", root == gui.hwndFocus ? 0 : GetDlgCtrlID(gui.hwndFocus))
              .field(L"parent", parent == root || parent == nullptr ? 0 : GetDlgCtrlID(parent)));
    return kDone;
}

// Asks the control's accessible object, as a screen reader does, from this
// process: its name, its role and its state (STATE_SYSTEM_* bits).
int accessibleControl(const wchar_t* pageArg, const wchar_t* idArg) {
    ControlTarget target;
    if (const int code = findTarget(pageArg, idArg, target); code != kDone) return code;
    vandrel::win32::ComApartment com;
    vandrel::win32::ComPtr<IAccessible> object;
    const HRESULT found =
        AccessibleObjectFromWindow(target.control, OBJID_CLIENT, vandrel::win32::kAccessibleInterface, object.put());
    if (FAILED(found) || !object) return complain(L"AccessibleObjectFromWindow failed: " + std::to_wstring(found));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT named = object->get_accName(self, &name);
    const std::wstring text = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
    SysFreeString(name);
    VARIANT role{};
    VARIANT state{};
    if (FAILED(named) || FAILED(object->get_accRole(self, &role)) || FAILED(object->get_accState(self, &state)))
        return complain(L"the accessible object did not answer");
    print(Line()
              .field(L"name", text)
              .field(L"role", role.vt == VT_I4 ? role.lVal : -1)
              .field(L"state", state.vt == VT_I4 ? state.lVal : -1));
    VariantClear(&role);
    VariantClear(&state);
    return kDone;
}

int focusControl(const wchar_t* pageArg, const wchar_t* idArg) {
    ControlTarget target;
    if (const int code = findTarget(pageArg, idArg, target); code != kDone) return code;
    InputAttachment attachment(GetCurrentThreadId(), GetWindowThreadProcessId(target.page, nullptr));
    if (!attachment.attached()) return failedCall(L"AttachThreadInput");
    // Activating the page lets the program move the focus as it likes: set it
    // until it stays on the control.
    int steady = 0;
    for (ULONGLONG end = GetTickCount64() + kDefaultWaitMs; steady < 3; Sleep(kPollMs)) {
        if (GetTickCount64() >= end) return complain(L"the control did not keep the focus");
        if (GetForegroundWindow() != target.page) SetForegroundWindow(target.page);
        if (GetFocus() == target.control) {
            ++steady;
        } else {
            steady = 0;
            SetFocus(target.control);
        }
    }
    return kDone;
}

int closePage(const wchar_t* pageArg) {
    int page = 0;
    if (!parsePage(pageArg, page)) return complain(L"a page is a number from 1 to 5");
    HWND window = findPage(page);
    if (window == nullptr) return notFound(L"page " + std::to_wstring(page));
    if (!PostMessageW(window, WM_CLOSE, 0, 0)) return failedCall(L"PostMessageW(WM_CLOSE)");
    return kDone;
}

int endSession(const wchar_t* pageArg, bool cancelled) {
    int page = 0;
    if (!parsePage(pageArg, page)) return complain(L"a page is a number from 1 to 5");
    HWND window = findPage(page);
    if (window == nullptr) return notFound(L"page " + std::to_wstring(page));
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &answer))
        return failedCall(L"SendMessageTimeoutW(WM_QUERYENDSESSION)");
    print(Line().field(L"query", static_cast<long long>(answer)));
    // The program may end while it handles the message: no answer is expected.
    SendMessageTimeoutW(window, WM_ENDSESSION, cancelled ? FALSE : TRUE, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                        nullptr);
    return kDone;
}

int guiResources() {
    HWND window = nullptr;
    for (int page = 1; page <= 5 && window == nullptr; ++page) window = findPage(page);
    if (window == nullptr) return notFound(L"page window");
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0) return failedCall(L"GetWindowThreadProcessId");
    vandrel::win32::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process.get() == nullptr) return failedCall(L"OpenProcess");
    print(Line()
              .field(L"pid", processId)
              .field(L"gdi", GetGuiResources(process.get(), GR_GDIOBJECTS))
              .field(L"user", GetGuiResources(process.get(), GR_USEROBJECTS)));
    return kDone;
}

int listWindows() {
    forEachTopLevel([](HWND window) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        print(Line()
                  .field(L"class", className(window))
                  .field(L"visible", IsWindowVisible(window) ? 1 : 0)
                  .field(L"pid", processId)
                  .field(L"title", windowText(window)));
    });
    return kDone;
}

int usage() {
    return complain(
        L"usage: probe pages | controls <page> | msgbox <title> [ms] | answer <title> <IDOK|IDCANCEL|IDYES|IDNO> [ms] "
        L"| "
        L"tooltip | settext <page> <id> <text> | click <page> <id> | focus <page> <id> | focused | acc <page> <id> | "
        L"close <page> | "
        L"endsession <page> [cancel] | "
        L"gui-resources | windows");
}

DWORD waitArgument(int argc, wchar_t** argv, int index) {
    long value = 0;
    if (index < argc && parseNumber(argv[index], value) && value >= 0) return static_cast<DWORD>(value);
    return kDefaultWaitMs;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return usage();
    const std::wstring_view command = argv[1];
    if (command == L"pages" && argc == 2) return listPages();
    if (command == L"controls" && argc == 3) return listControls(argv[2]);
    if (command == L"msgbox" && (argc == 3 || argc == 4)) return showMessageBox(argv[2], waitArgument(argc, argv, 3));
    if (command == L"answer" && (argc == 4 || argc == 5))
        return answerMessageBox(argv[2], argv[3], waitArgument(argc, argv, 4));
    if (command == L"tooltip" && argc == 2) return showTooltips();
    if (command == L"settext" && argc == 5) return setText(argv[2], argv[3], argv[4]);
    if (command == L"click" && argc == 4) return controlCentre(argv[2], argv[3]);
    if (command == L"focus" && argc == 4) return focusControl(argv[2], argv[3]);
    if (command == L"focused" && argc == 2) return focusedControl();
    if (command == L"acc" && argc == 4) return accessibleControl(argv[2], argv[3]);
    if (command == L"close" && argc == 3) return closePage(argv[2]);
    if (command == L"endsession" && argc == 3) return endSession(argv[2], false);
    if (command == L"endsession" && argc == 4 && std::wstring_view(argv[3]) == L"cancel")
        return endSession(argv[2], true);
    if (command == L"gui-resources" && argc == 2) return guiResources();
    if (command == L"windows" && argc == 2) return listWindows();
    return usage();
}
