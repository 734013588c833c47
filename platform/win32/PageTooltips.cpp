#include "platform/win32/PageTooltips.h"

#include <commctrl.h>  // after windows.h

namespace vandrel::win32 {

Status PageTooltips::set(HINSTANCE instance, HWND page, HWND control, TextView text) {
    if (!window_) {
        window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, page, nullptr, instance,
                                  nullptr);
        if (!window_) return lastError("CreateWindowExW");
    }
    Text copy(text);
    TOOLINFOW tool{};
    // The size every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = page;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = copy.data();
    TOOLINFOW existing = tool;
    existing.lpszText = nullptr;
    const bool known = SendMessageW(window_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing)) != 0;
    if (copy.empty()) {
        if (known) SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return {};
    }
    if (known) {
        SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        return {};
    }
    if (!SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        return Status::failure("TTM_ADDTOOLW");  // the message answers no reason
    }
    return {};
}

}  // namespace vandrel::win32
