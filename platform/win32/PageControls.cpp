// The controls of a page window: making them, their subclass (the mouse
// presses they report) and their properties.
#include "platform/win32/PageWindow.h"

#include <commctrl.h>  // after windows.h, which PageWindow.h brings

#include "platform/Scaling.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/FatalReport.h"
#include "platform/win32/LabelFitting.h"
#include "platform/win32/WindowText.h"

namespace vandrel::win32 {

// The buttons and the entry box are subclassed the way every Windows since
// the first has it: their own window procedure is kept in their user data,
// and the control's parent (the page or the frame) knows the page.
LRESULT PageWindow::callOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return original ? CallWindowProcW(original, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PageWindow::controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PageWindow* self = ownerOf(GetParent(window));
    if (!self) return callOriginal(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The button's accessible object lets go of the window before it goes.
        if (Control* control = self->find(window)) control->accessible.reset();
        return callOriginal(window, message, wParam, lParam);
    }
    return guardedHandler([&] { return self->handleControl(window, message, wParam, lParam); });
}

LRESULT PageWindow::handleControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only mouse presses and releases, the focus and a screen reader's
    // request concern the page; every other message (painting above all)
    // goes straight on, without looking anything up.
    UINT press = 0;
    std::uint8_t button = 0;
    switch (message) {
        case WM_GETOBJECT: return onGetObject(window, message, wParam, lParam);
        case WM_SETFOCUS: onGridFocus(window); return callOriginal(window, message, wParam, lParam);
        // A quick second click is one more press, not a double click.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            press = WM_LBUTTONDOWN;
            button = kLeftButton;
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            press = WM_RBUTTONDOWN;
            button = kRightButton;
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            press = WM_MBUTTONDOWN;
            button = kMiddleButton;
            break;
        case WM_LBUTTONUP: break;
        default: return callOriginal(window, message, wParam, lParam);
    }
    const Control* control = find(window);
    if (!control) return callOriginal(window, message, wParam, lParam);
    const ControlKey key = controlKeyOf(GetDlgCtrlID(window));

    if (control->kind == ControlKind::Button && button != 0) {
        // The press is reported before the button reacts to it: a right
        // press acts at once, not on release.
        if (control->mouseDown) deliver(EventKind::MouseDown, key, button);
        return callOriginal(window, press, wParam, lParam);
    }
    if (control->kind == ControlKind::TextBox && message == WM_LBUTTONUP) {
        const LRESULT result = callOriginal(window, message, wParam, lParam);
        deliver(EventKind::Click, key);
        return result;
    }
    return callOriginal(window, message, wParam, lParam);
}

LRESULT PageWindow::onGetObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A button's client area is named by the menu; for everything else the
    // system answers.
    if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        Control* control = find(window);
        if (control && control->kind == ControlKind::Button) {
            const LRESULT answer =
                control->accessible.answer(environment_.accessibility, window, wParam, control->accessibleName);
            if (answer != 0) return answer;
        }
    }
    return callOriginal(window, message, wParam, lParam);
}

PageWindow::Control* PageWindow::find(ControlKey key) {
    const auto found = controls_.find(controlId(key));
    return found == controls_.end() ? nullptr : &found->second;
}

PageWindow::Control* PageWindow::find(HWND window) {
    if (!window) return nullptr;
    const auto found = controls_.find(GetDlgCtrlID(window));
    return found != controls_.end() && found->second.window == window ? &found->second : nullptr;
}

Result<HWND> PageWindow::makeControlWindow(const ControlDesign& design, HWND parent) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (design.visible) style |= WS_VISIBLE;
    if (!design.enabled) style |= WS_DISABLED;
    DWORD extended = 0;
    const wchar_t* windowClass = nullptr;
    void* createParam = nullptr;
    switch (design.kind) {
        case ControlKind::Label:
            windowClass = WC_STATICW;
            // One line: text that does not fit is cut at the label's end,
            // never wrapped onto a line the label has no room for.
            style |= SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX;
            break;
        case ControlKind::Button:
            windowClass = WC_BUTTONW;
            style |= BS_OWNERDRAW;
            // The buttons of a grid share one stop of the Tab key (PageKeyboard.cpp).
            if (!(design.inFrame && gridColumns_ > 0)) style |= WS_TABSTOP;
            break;
        case ControlKind::TextBox:
            windowClass = WC_EDITW;
            style |= ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
            extended |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Frame:
            windowClass = kFrameClass;
            style |= WS_CLIPCHILDREN;
            // Tab moves into the program buttons.
            extended |= WS_EX_CONTROLPARENT;
            createParam = this;
            break;
    }
    const Bounds b = pixels(design.bounds);
    const HWND made = CreateWindowExW(
        extended, windowClass, design.text.c_str(), style, b.left, b.top, b.width, b.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(design.key))), environment_.instance, createParam);
    if (!made) return lastError("CreateWindowExW");
    return made;
}

Status PageWindow::createControl(const ControlDesign& design) {
    const int id = controlId(design.key);
    if (!window_ || controls_.count(id) != 0) return refused();  // no page, or the control is there already
    HWND parent = window_;
    if (design.inFrame) {
        if (!frame_) return refused();
        parent = frame_;
    }
    const Result<HFONT> font = environment_.graphics.font(design.font, dpi_);
    if (!font) return font.status();

    // Recorded before the window exists: it is asked for its colours while
    // it is being made.
    Control& control = controls_[id];
    control.kind = design.kind;
    control.back = design.back;
    control.fore = design.fore;
    control.twips = design.bounds;
    control.design = design.font;
    control.font = font.value();
    control.picture = design.picture;
    control.cursor = design.cursor;
    control.mouseDown = design.mouseDown;
    control.autoSize = design.autoSize;
    control.accessibleName = design.accessibleName;

    const Result<HWND> made = makeControlWindow(design, parent);
    if (!made) {
        controls_.erase(id);
        return made.status();
    }
    control.window = made.value();
    auto undo = [&](Status failed) {
        DestroyWindow(control.window);
        controls_.erase(id);
        return failed;
    };

    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    if (design.kind == ControlKind::Button || design.kind == ControlKind::TextBox) {
        // The control's own procedure goes into its user data first: the
        // new one needs it from its first message on.
        SetLastError(ERROR_SUCCESS);
        const LONG_PTR original = GetWindowLongPtrW(control.window, GWLP_WNDPROC);
        if (original == 0) return undo(lastError("GetWindowLongPtrW"));
        SetWindowLongPtrW(control.window, GWLP_USERDATA, original);
        SetLastError(ERROR_SUCCESS);
        if (SetWindowLongPtrW(control.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PageWindow::controlProc)) ==
                0 &&
            GetLastError() != ERROR_SUCCESS) {
            return undo(lastError("SetWindowLongPtrW"));
        }
    }
    if (design.kind == ControlKind::TextBox && design.maxTyped > 0) {
        // Limits typing only; the program's own WM_SETTEXT is not cut.
        SendMessageW(control.window, EM_LIMITTEXT, static_cast<WPARAM>(design.maxTyped), 0);
    }
    // Where controls overlap, the one above in the z-order is seen.
    const bool beneath = design.kind == ControlKind::Frame || design.kind == ControlKind::TextBox;
    if (Status placed = stacking_.place(parent, control.window, beneath); !placed) return undo(placed);
    if (design.kind == ControlKind::Frame && !frame_) {
        frame_ = control.window;
        gridColumns_ = design.gridColumns;
    }
    if (design.inFrame && gridColumns_ > 0) addToGrid(design.key.index, control.window);
    fitLabel(control);
    return {};
}

int PageWindow::pixels(int twips) const { return scaling::pixels(twips, dpi_); }
Bounds PageWindow::pixels(const Bounds& twips) const { return scaling::pixels(twips, dpi_); }

void PageWindow::fitLabel(const Control& control) {
    if (control.autoSize) fitLabelToText(control.window, control.font, pixels(control.twips.width));
}

Status PageWindow::setBounds(ControlKey key, const Bounds& bounds) {
    Control* control = find(key);
    if (!control) return refused();
    const Bounds b = pixels(bounds);
    if (!SetWindowPos(control->window, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE)) {
        return lastError("SetWindowPos");
    }
    control->twips = bounds;
    fitLabel(*control);
    return {};
}

void PageWindow::layOut() {
    // Painting and the look-ups of each paint follow the resolution by
    // themselves (pictures, pointers); places, sizes and fonts are set here.
    for (auto& [id, control] : controls_) {
        if (const Result<HFONT> font = environment_.graphics.font(control.design, dpi_)) {
            control.font = font.value();
            SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
        }
        // Nothing to report to: a control that cannot be moved keeps its
        // place, and the rest of the page follows.
        const Bounds b = pixels(control.twips);
        SetWindowPos(control.window, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
        fitLabel(control);
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

Status PageWindow::setText(ControlKey key, TextView text) {
    Control* control = find(key);
    if (!control) return refused();
    if (!SetWindowTextW(control->window, Text(text).c_str())) return lastError("SetWindowTextW");
    fitLabel(*control);
    // A button on screen shows its new caption at once; a hidden one is
    // painted whole when it appears.
    if (control->kind == ControlKind::Button && IsWindowVisible(control->window)) {
        InvalidateRect(control->window, nullptr, FALSE);
    }
    return {};
}

Result<Text> PageWindow::getText(ControlKey key) {
    Control* control = find(key);
    if (!control) return refused();
    return windowText(control->window);
}

Status PageWindow::setEnabled(ControlKey key, bool enabled) {
    Control* control = find(key);
    if (!control) return refused();
    // A control that loses the focus with its use hands it on.
    if (!enabled) beforeUnusable(control->window);
    EnableWindow(control->window, enabled ? TRUE : FALSE);  // returns the earlier state, not an error
    if (enabled) afterUsable(control->window);
    return {};
}

Status PageWindow::setVisible(ControlKey key, bool visible) {
    Control* control = find(key);
    if (!control) return refused();
    if (!visible) beforeUnusable(control->window);
    ShowWindow(control->window, visible ? SW_SHOW : SW_HIDE);  // returns the earlier visibility
    if (visible) afterUsable(control->window);
    return {};
}

Status PageWindow::setBackColour(ControlKey key, Colour colour) {
    Control* control = find(key);
    if (!control) return refused();
    if (control->back == colour) return {};
    control->back = colour;
    return check(InvalidateRect(control->window, nullptr, TRUE), "InvalidateRect");
}

Status PageWindow::setTooltip(ControlKey key, TextView text) {
    Control* control = find(key);
    if (!control) return refused();
    return tooltips_.set(environment_.instance, window_, control->window, text);
}

}  // namespace vandrel::win32
