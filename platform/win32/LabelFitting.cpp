#include "platform/win32/LabelFitting.h"

#include <algorithm>

#include "platform/win32/WinHandles.h"
#include "platform/win32/WindowText.h"

namespace vandrel::win32 {

namespace {

void setWidth(HWND label, int width) {
    RECT now{};
    if (!GetWindowRect(label, &now)) return;
    SetWindowPos(label, nullptr, 0, 0, width, now.bottom - now.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void fitLabelToText(HWND label, HFONT font, int designWidth) {
    const Result<Text> text = windowText(label);
    if (!text) return;
    const Text& t = text.value();
    if (t.empty()) {
        setWidth(label, designWidth);
        return;
    }
    WindowDc dc(label);
    if (!dc) return;
    Selection selected(dc.get(), font);
    SIZE extent{};
    if (!GetTextExtentPoint32W(dc.get(), t.c_str(), static_cast<int>(t.size()), &extent)) return;
    // A slanted last letter reaches beyond its advance.
    ABC last{};
    if (GetCharABCWidthsW(dc.get(), t.back(), t.back(), &last) && last.abcC < 0) extent.cx -= last.abcC;
    setWidth(label, std::max<int>(extent.cx, designWidth));
}

}  // namespace vandrel::win32
