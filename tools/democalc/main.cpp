// The demo calculator. Copies of it named "Ten0000.exe" … "Ten0359.exe" stand
// in for the suite's calculators in the demo folder and in the end-to-end
// tests. It takes its number from its own file name ("Ten0012.exe" is 12),
// reads the hand-off values the menu writes for the calculators and shows
// them in a small window.
//
// With the environment variable VANDREL_DEMO_LOG set, it shows nothing: it
// appends one UTF-8 line to that file and ends at once. The line is
//   started <number>\tTkan=<v>\tKagam=<v>\tEnsui=<v>\tETkan=<v>\tgETkan=<v>\tcmdline=<command line>\tcwd=<current
//   folder>\texe=<own path>
// with tabs between the fields (a tab, CR or LF inside a value becomes a space),
// and <number> is -1 when the file name does not name a calculator.
#include <windows.h>

#include <cwctype>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/win32/WinHandles.h"

namespace {

using vandrel::win32::FileHandle;
using vandrel::win32::GdiObject;
using vandrel::win32::RegKey;

constexpr wchar_t kHandOffKey[] = L"Software\\VB and VBA Program Settings\\Derudaro\\Tenname";
constexpr const wchar_t* kHandOffNames[] = {L"Tkan", L"Kagam", L"Ensui", L"ETkan", L"gETkan"};
constexpr wchar_t kWindowClass[] = L"VandrelDemoCalculator";
constexpr int kCloseButtonId = IDCANCEL;

// A failed Win32 call: its name and the error code it left.
struct Failure {
    const wchar_t* call = nullptr;
    DWORD error = 0;
};

bool moduleFileName(std::wstring& path, Failure& failure) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            failure = {L"GetModuleFileNameW", GetLastError()};
            return false;
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            path = buffer;
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// "…\Ten0012.exe" → 12; -1 for any other name.
int programNumber(std::wstring_view path) {
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    if (name.size() != 11) return -1;
    auto lower = [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); };
    const std::wstring_view prefix = L"ten", suffix = L".exe";
    for (size_t i = 0; i < prefix.size(); ++i)
        if (lower(name[i]) != prefix[i]) return -1;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (lower(name[7 + i]) != suffix[i]) return -1;
    int number = 0;
    for (size_t i = 3; i < 7; ++i) {
        if (name[i] < L'0' || name[i] > L'9') return -1;
        number = number * 10 + (name[i] - L'0');
    }
    return number;
}

// A hand-off value: the stored text, the empty text when absent, or a note
// naming the error when the value cannot be read.
std::wstring handOffValue(HKEY key, const wchar_t* name) {
    if (key == nullptr) return L"";
    DWORD type = 0, bytes = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes);
    if (status == ERROR_FILE_NOT_FOUND) return L"";
    if (status != ERROR_SUCCESS) return L"<RegQueryValueExW error " + std::to_wstring(status) + L">";
    if (type != REG_SZ && type != REG_EXPAND_SZ) return L"<not a string>";
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes);
    if (status != ERROR_SUCCESS) return L"<RegQueryValueExW error " + std::to_wstring(status) + L">";
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return value;
}

struct HandOff {
    std::wstring values[std::size(kHandOffNames)];
};

HandOff readHandOff() {
    HandOff handOff;
    RegKey key;
    const LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kHandOffKey, 0, KEY_QUERY_VALUE, key.put());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        for (auto& value : handOff.values) value = L"<RegOpenKeyExW error " + std::to_wstring(status) + L">";
        return handOff;
    }
    for (size_t i = 0; i < std::size(kHandOffNames); ++i) handOff.values[i] = handOffValue(key.get(), kHandOffNames[i]);
    return handOff;
}

std::wstring currentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return L"<GetCurrentDirectoryW error " + std::to_wstring(GetLastError()) + L">";
    std::wstring folder(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, folder.data());
    if (length == 0 || length >= size) return L"<GetCurrentDirectoryW error " + std::to_wstring(GetLastError()) + L">";
    folder.resize(length);
    return folder;
}

std::wstring oneLine(std::wstring text) {
    for (auto& c : text)
        if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
    return text;
}

bool toUtf8(std::wstring_view text, std::string& utf8, Failure& failure) {
    if (text.empty()) {
        utf8.clear();
        return true;
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        failure = {L"WideCharToMultiByte", GetLastError()};
        return false;
    }
    utf8.assign(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                            nullptr) != size) {
        failure = {L"WideCharToMultiByte", GetLastError()};
        return false;
    }
    return true;
}

bool appendLine(const std::wstring& file, std::wstring_view line, Failure& failure) {
    std::string utf8;
    if (!toUtf8(line, utf8, failure)) return false;
    FileHandle handle(CreateFileW(file.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        failure = {L"CreateFileW", GetLastError()};
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(handle.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) ||
        written != utf8.size()) {
        failure = {L"WriteFile", GetLastError()};
        return false;
    }
    return true;
}

bool environmentVariable(const wchar_t* name, std::wstring& value) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return false;
    value.assign(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    if (length == 0 || length >= size) return false;
    value.resize(length);
    return true;
}

std::wstring numberText(int number) {
    std::wstring digits = std::to_wstring(number < 0 ? 0 : number);
    while (digits.size() < 4) digits.insert(digits.begin(), L'0');
    return number < 0 ? L"????" : digits;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kCloseButtonId) {
                DestroyWindow(window);
                return 0;
            }
            break;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void reportFailure(const Failure& failure) {
    const std::wstring text = std::wstring(failure.call) + L" failed (error " + std::to_wstring(failure.error) + L")";
    MessageBoxW(nullptr, text.c_str(), L"デモ計算プログラム", MB_OK | MB_ICONERROR);
}

bool showWindow(HINSTANCE instance, int number, const HandOff& handOff, int show, Failure& failure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (windowClass.hCursor == nullptr) {
        failure = {L"LoadCursorW", GetLastError()};
        return false;
    }
    if (RegisterClassExW(&windowClass) == 0) {
        failure = {L"RegisterClassExW", GetLastError()};
        return false;
    }

    const std::wstring title = L"Ten" + numberText(number) + L" デモ計算プログラム";
    std::wstring text = L"計算プログラム " + (number < 0 ? std::wstring(L"(番号なし)") : std::to_wstring(number)) +
                        L" のデモです。\r\n\r\nメニューからの受け渡し値:";
    for (size_t i = 0; i < std::size(kHandOffNames); ++i)
        text += L"\r\n    " + std::wstring(kHandOffNames[i]) + L" = " + handOff.values[i];

    HWND window =
        CreateWindowExW(0, kWindowClass, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                        CW_USEDEFAULT, CW_USEDEFAULT, 360, 270, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        failure = {L"CreateWindowExW", GetLastError()};
        return false;
    }
    GdiObject<HFONT> font(CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic"));
    if (!font) {
        failure = {L"CreateFontW", GetLastError()};
        return false;
    }
    HWND label = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 16, 14, 320, 160, window,
                                 nullptr, instance, nullptr);
    HWND button =
        CreateWindowExW(0, L"BUTTON", L"閉じる", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 236, 188, 96,
                        28, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseButtonId)), instance, nullptr);
    if (label == nullptr || button == nullptr) {
        failure = {L"CreateWindowExW", GetLastError()};
        return false;
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ShowWindow(window, show);
    if (!UpdateWindow(window)) {
        failure = {L"UpdateWindow", GetLastError()};
        return false;
    }
    SetFocus(button);

    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) break;
        if (got == -1) {
            failure = {L"GetMessageW", GetLastError()};
            return false;
        }
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    Failure failure;
    std::wstring path;
    if (!moduleFileName(path, failure)) {
        reportFailure(failure);
        return 1;
    }
    const int number = programNumber(path);
    const HandOff handOff = readHandOff();

    std::wstring log;
    if (environmentVariable(L"VANDREL_DEMO_LOG", log) && !log.empty()) {
        std::wstring line = L"started " + std::to_wstring(number);
        for (size_t i = 0; i < std::size(kHandOffNames); ++i)
            line += L"\t" + std::wstring(kHandOffNames[i]) + L"=" + oneLine(handOff.values[i]);
        line += L"\tcmdline=" + oneLine(GetCommandLineW());
        line += L"\tcwd=" + oneLine(currentFolder());
        line += L"\texe=" + oneLine(path);
        line += L"\n";
        return appendLine(log, line, failure) ? 0 : 3;
    }

    if (!showWindow(instance, number, handOff, show, failure)) {
        reportFailure(failure);
        return 1;
    }
    return 0;
}
