#include "platform/win32/PageWindow.h"

#include <commctrl.h>  // after windows.h, which PageWindow.h brings

#include <algorithm>

#include "platform/win32/ButtonPainter.h"
#include "platform/win32/Failure.h"
#include "platform/win32/FatalReport.h"

namespace vandrel::win32 {

namespace {

constexpr DWORD kPageStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

Status missingControl() { return errorCode("GetDlgItem", ERROR_INVALID_WINDOW_HANDLE); }

Result<Text> windowText(HWND window) {
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(window);
    if (length == 0 && GetLastError() != ERROR_SUCCESS) return lastError("GetWindowTextLengthW");
    Text text(static_cast<std::size_t>(length) + 1, L'\0');
    SetLastError(ERROR_SUCCESS);
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    if (copied == 0 && GetLastError() != ERROR_SUCCESS) return lastError("GetWindowTextW");
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

// Stores `self` in a window being created, from CreateWindowExW's last
// argument; false when it cannot be stored (the creation then fails).
bool adopt(HWND window, LPARAM createStruct) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(createStruct);
    SetLastError(ERROR_SUCCESS);
    const LONG_PTR previous =
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return previous != 0 || GetLastError() == ERROR_SUCCESS;
}

PageWindow* ownerOf(HWND window) { return reinterpret_cast<PageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

}  // namespace

// ------------------------------------------------------------ window classes

Status PageWindow::registerClasses(HINSTANCE instance) {
    WNDCLASSEXW page{};
    page.cbSize = sizeof page;
    page.lpfnWndProc = &PageWindow::pageProc;
    page.hInstance = instance;
    page.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    page.lpszClassName = kPageClass;
    if (!RegisterClassExW(&page) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return lastError("RegisterClassExW");

    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.style = CS_HREDRAW | CS_VREDRAW;
    frame.lpfnWndProc = &PageWindow::frameProc;
    frame.hInstance = instance;
    frame.hCursor = page.hCursor;
    frame.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&frame) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return lastError("RegisterClassExW");
    return {};
}

LRESULT CALLBACK PageWindow::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        if (!adopt(window, lParam)) return FALSE;
        ownerOf(window)->window_ = window;
    }
    PageWindow* self = ownerOf(window);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        RemovePropW(window, kPageProperty);
        // The controls and the tooltip went with the window.
        self->window_ = nullptr;
        self->frame_ = nullptr;
        self->tooltip_ = nullptr;
        self->lastFocus_ = nullptr;
        self->controls_.clear();
        self->stacking_.clear();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return guardedHandler([&] { return self->handlePage(message, wParam, lParam); });
}

LRESULT CALLBACK PageWindow::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && !adopt(window, lParam)) return FALSE;
    PageWindow* self = ownerOf(window);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return guardedHandler([&] { return self->handleFrame(window, message, wParam, lParam); });
}

// The buttons and the entry box are subclassed the way every Windows since
// the first has it: their own window procedure is kept in their user data,
// and the control's parent (the page or the frame) knows the page.
LRESULT PageWindow::callOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return original ? CallWindowProcW(original, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PageWindow::controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PageWindow* self = message == WM_NCDESTROY ? nullptr : ownerOf(GetParent(window));
    if (!self) return callOriginal(window, message, wParam, lParam);
    return guardedHandler([&] { return self->handleControl(window, message, wParam, lParam); });
}

// ----------------------------------------------------------------- messages

LRESULT PageWindow::handlePage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DRAWITEM:
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            if (LRESULT brush = onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return brush;
            }
            break;
        case WM_SETCURSOR:
            if (onSetCursor(reinterpret_cast<HWND>(wParam), static_cast<short>(LOWORD(lParam)))) return TRUE;
            break;
        case WM_ACTIVATE:
            // Activation gives the focus to a control, not to the page.
            if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
                onActivate(true);
                return 0;
            }
            if (LOWORD(wParam) == WA_INACTIVE) onActivate(false);
            break;
        case WM_ERASEBKGND:
            onEraseBackground(window_, reinterpret_cast<HDC>(wParam), back_);
            return 1;
        case WM_CLOSE:
            // The menu decides what closing means; the window stays.
            deliver(EventKind::QueryUnload);
            return 0;
        case WM_QUERYENDSESSION:
            // The session may end; the menu closes when it does.
            return TRUE;
        case WM_ENDSESSION:
            // Logging off or shutting down: the menu runs its close, which
            // ends the process before any other page hears of it. A session
            // end that was called off (FALSE) leaves the menu running.
            if (wParam) deliver(EventKind::EndSession);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT PageWindow::handleFrame(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            // The program buttons are the page's controls: the page handles
            // what they report.
            return SendMessageW(window_, message, wParam, lParam);
        case WM_ERASEBKGND: {
            const Control* self = find(frame);
            onEraseBackground(frame, reinterpret_cast<HDC>(wParam), self ? self->back : back_);
            return 1;
        }
        case WM_PAINT:
            onPaintFrame(frame);
            return 0;
        default:
            return DefWindowProcW(frame, message, wParam, lParam);
    }
}

LRESULT PageWindow::handleControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only mouse presses and releases concern the page; every other message
    // (painting above all) goes straight on, without looking anything up.
    UINT press = 0;
    std::uint8_t button = 0;
    switch (message) {
        // A quick second click is one more press, not a double click.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: press = WM_LBUTTONDOWN; button = kLeftButton; break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: press = WM_RBUTTONDOWN; button = kRightButton; break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: press = WM_MBUTTONDOWN; button = kMiddleButton; break;
        case WM_LBUTTONUP: break;
        default: return callOriginal(window, message, wParam, lParam);
    }
    const Control* control = find(window);
    if (!control) return callOriginal(window, message, wParam, lParam);
    const ControlKey key = ControlKey::fromId(GetDlgCtrlID(window));

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

void PageWindow::onCommand(int id, int code) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) return;
    const ControlKey key = ControlKey::fromId(id);
    switch (found->second.kind) {
        case ControlKind::Label:
            if (code == STN_CLICKED) deliver(EventKind::Click, key);
            if (code == STN_DBLCLK) deliver(EventKind::DblClick, key);
            break;
        case ControlKind::Button:
            if (code == BN_CLICKED) deliver(EventKind::Click, key);
            break;
        case ControlKind::TextBox:
        case ControlKind::Frame:
            break;
    }
}

void PageWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return;
    const Control* control = find(item.hwndItem);
    if (!control) return;
    ButtonLook look;
    look.face = environment_.graphics.brush(control->back);
    look.text = toColorRef(control->fore);
    look.font = control->font;
    look.picture = environment_.graphics.picture(control->picture);
    look.caption = windowText(item.hwndItem).valueOr({});
    paintButton(item, look);
}

LRESULT PageWindow::onControlColour(HDC dc, HWND window) {
    const Control* control = find(window);
    if (!control) return 0;
    SetTextColor(dc, toColorRef(control->fore));
    SetBkColor(dc, toColorRef(control->back));
    return reinterpret_cast<LRESULT>(environment_.graphics.brush(control->back));
}

bool PageWindow::onSetCursor(HWND target, int hitTest) {
    if (hitTest != HTCLIENT) return false;
    const Control* control = find(target);
    if (!control || !control->cursor) return false;
    SetCursor(control->cursor);
    return true;
}

void PageWindow::onActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    HWND target = lastFocus_;
    if (!target || !IsChild(window_, target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    SetFocus(target ? target : window_);
}

void PageWindow::onEraseBackground(HWND window, HDC dc, Colour colour) {
    RECT client{};
    if (GetClientRect(window, &client)) FillRect(dc, &client, environment_.graphics.brush(colour));
}

void PageWindow::onPaintFrame(HWND frame) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(frame, &paint);
    if (!dc) return;
    RECT edge{};
    if (GetClientRect(frame, &edge)) DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    EndPaint(frame, &paint);
}

void PageWindow::deliver(EventKind kind, ControlKey key, std::uint8_t button) {
    if (!environment_.sink) return;
    Event event;
    event.page = page_;
    event.kind = kind;
    event.control = key;
    event.button = button;
    environment_.sink->onEvent(event);
}

PageWindow::Control* PageWindow::find(ControlKey key) {
    const auto found = controls_.find(key.id());
    return found == controls_.end() ? nullptr : &found->second;
}

PageWindow::Control* PageWindow::find(HWND window) {
    if (!window) return nullptr;
    const auto found = controls_.find(GetDlgCtrlID(window));
    return found != controls_.end() && found->second.window == window ? &found->second : nullptr;
}

// ------------------------------------------------------------------ windows

PageWindow::~PageWindow() {
    if (window_) DestroyWindow(window_);
}

POINT PageWindow::commonPosition(int outerWidth, int outerHeight) const {
    // Every page at the same place, centred on the primary monitor's work
    // area, so that the page in front covers page 1.
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    POINT at;
    at.x = work.left + std::max(0, static_cast<int>(work.right - work.left) - outerWidth) / 2;
    at.y = work.top + std::max(0, static_cast<int>(work.bottom - work.top) - outerHeight) / 2;
    return at;
}

Status PageWindow::create(const WindowDesign& design) {
    if (window_) return errorCode("CreateWindowExW", ERROR_ALREADY_EXISTS);
    back_ = design.back;
    const POINT at = commonPosition(design.outerWidth, design.outerHeight);
    const HWND made = CreateWindowExW(0, kPageClass, design.title.c_str(), kPageStyle, at.x, at.y, design.outerWidth,
                                      design.outerHeight, nullptr, nullptr, environment_.instance, this);
    if (!made) return lastError("CreateWindowExW");
    if (!SetPropW(made, kPageProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(page_)))) {
        const Status failed = lastError("SetPropW");
        DestroyWindow(made);
        return failed;
    }
    // A missing icon leaves the system's default in the caption.
    if (HICON big = environment_.graphics.windowIcon(design.icon, GetSystemMetrics(SM_CXICON))) {
        SendMessageW(made, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (HICON small = environment_.graphics.windowIcon(design.icon, GetSystemMetrics(SM_CXSMICON))) {
        SendMessageW(made, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
    return {};
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
            style |= BS_OWNERDRAW | WS_TABSTOP;
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
    const Bounds& b = design.bounds;
    const HWND made = CreateWindowExW(extended, windowClass, design.text.c_str(), style, b.left, b.top, b.width,
                                      b.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.key.id())),
                                      environment_.instance, createParam);
    if (!made) return lastError("CreateWindowExW");
    return made;
}

Status PageWindow::createControl(const ControlDesign& design) {
    const int id = design.key.id();
    if (!window_) return errorCode("CreateWindowExW", ERROR_INVALID_WINDOW_HANDLE);
    if (controls_.count(id) != 0) return errorCode("CreateWindowExW", ERROR_ALREADY_EXISTS);
    HWND parent = window_;
    if (design.inFrame) {
        if (!frame_) return missingControl();
        parent = frame_;
    }
    const Result<HFONT> font = environment_.graphics.font(design.font);
    if (!font) return font.status();

    // Recorded before the window exists: it is asked for its colours while
    // it is being made.
    Control& control = controls_[id];
    control.kind = design.kind;
    control.back = design.back;
    control.fore = design.fore;
    control.font = font.value();
    control.picture = design.picture;
    control.cursor = environment_.graphics.cursor(design.cursor);
    control.mouseDown = design.mouseDown;
    control.autoSize = design.autoSize;
    control.designWidth = design.bounds.width;

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
        if (SetWindowLongPtrW(control.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PageWindow::controlProc)) == 0 &&
            GetLastError() != ERROR_SUCCESS) {
            return undo(lastError("SetWindowLongPtrW"));
        }
    }
    if (design.kind == ControlKind::TextBox && design.maxTyped > 0) {
        // Limits typing only; the program's own WM_SETTEXT is not cut.
        SendMessageW(control.window, EM_LIMITTEXT, static_cast<WPARAM>(design.maxTyped), 0);
    }
    // Where controls overlap, the one above in the z-order is seen. The
    // other controls lie in the order they are made (which is also the
    // order of the Tab key); text boxes and the frame lie beneath them all,
    // so that whatever overlaps those stays in view: the confirm button on
    // the end of the entry box, the manual button on the frame's edge.
    // A new control is made at the bottom, which is already its place
    // unless a text box or a frame lies there; moving a window costs as
    // much as making it, so the program buttons are never moved.
    const bool beneath = design.kind == ControlKind::Frame || design.kind == ControlKind::TextBox;
    Stacking& stacking = stacking_[parent];
    if (beneath) {
        stacking.anyBeneath = true;
    } else {
        if (stacking.anyBeneath &&
            !SetWindowPos(control.window, stacking.lastOrdinary ? stacking.lastOrdinary : HWND_TOP, 0, 0, 0, 0,
                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
            return undo(lastError("SetWindowPos"));
        }
        stacking.lastOrdinary = control.window;
    }
    if (design.kind == ControlKind::Frame && !frame_) frame_ = control.window;
    if (control.autoSize) fitToText(control);
    return {};
}

void PageWindow::fitToText(Control& label) {
    // An auto-sized label widens to the width of its text, and is never
    // narrower than designed, so that it stays a target for the mouse; its
    // place and height stay. Measuring cannot fail for a live window; if it
    // does, the label keeps its width.
    const Result<Text> text = windowText(label.window);
    if (!text) return;
    if (text.value().empty()) {
        RECT now{};
        if (GetWindowRect(label.window, &now)) {
            SetWindowPos(label.window, nullptr, 0, 0, label.designWidth, now.bottom - now.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    WindowDc dc(label.window);
    if (!dc) return;
    Selection font(dc.get(), label.font);
    SIZE extent{};
    const Text& t = text.value();
    if (!GetTextExtentPoint32W(dc.get(), t.c_str(), static_cast<int>(t.size()), &extent)) return;
    // A slanted last letter reaches beyond its advance.
    ABC last{};
    if (GetCharABCWidthsW(dc.get(), t.back(), t.back(), &last) && last.abcC < 0) extent.cx -= last.abcC;
    RECT now{};
    if (!GetWindowRect(label.window, &now)) return;
    SetWindowPos(label.window, nullptr, 0, 0, std::max<int>(extent.cx, label.designWidth), now.bottom - now.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Status PageWindow::setWindowSize(int outerWidth, int outerHeight) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT at{};
    // A hidden page moves with its size to the common place; a page on
    // screen keeps the place the user sees.
    if (IsWindowVisible(window_)) {
        flags |= SWP_NOMOVE;
    } else {
        at = commonPosition(outerWidth, outerHeight);
    }
    return check(SetWindowPos(window_, nullptr, at.x, at.y, outerWidth, outerHeight, flags), "SetWindowPos");
}

Status PageWindow::setTitle(TextView title) {
    return check(SetWindowTextW(window_, Text(title).c_str()), "SetWindowTextW");
}

Status PageWindow::show() {
    // A hidden page comes up in front as it is shown; one already on
    // screen is brought to the front. A page the user has minimised comes
    // back as well. (ShowWindow returns the earlier visibility, not an
    // error.)
    const bool wasVisible = IsWindowVisible(window_) != FALSE;
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    if (wasVisible && !SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE)) {
        return lastError("SetWindowPos");
    }
    // The system may keep the foreground for another program; the page is
    // then at least the program's active window.
    if (GetForegroundWindow() != window_ && !SetForegroundWindow(window_)) SetActiveWindow(window_);
    return {};
}

Status PageWindow::hide() {
    ShowWindow(window_, SW_HIDE);
    return {};
}

// ----------------------------------------------------------------- controls

Status PageWindow::setBounds(ControlKey key, const Bounds& bounds) {
    Control* control = find(key);
    if (!control) return missingControl();
    if (!SetWindowPos(control->window, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
        return lastError("SetWindowPos");
    }
    if (control->autoSize) {
        control->designWidth = bounds.width;
        fitToText(*control);
    }
    return {};
}

Status PageWindow::setText(ControlKey key, TextView text) {
    Control* control = find(key);
    if (!control) return missingControl();
    if (!SetWindowTextW(control->window, Text(text).c_str())) return lastError("SetWindowTextW");
    if (control->autoSize) fitToText(*control);
    // A button on screen shows its new caption at once; a hidden one is
    // painted whole when it appears.
    if (control->kind == ControlKind::Button && IsWindowVisible(control->window)) {
        InvalidateRect(control->window, nullptr, FALSE);
    }
    return {};
}

Result<Text> PageWindow::getText(ControlKey key) {
    Control* control = find(key);
    if (!control) return missingControl();
    return windowText(control->window);
}

Status PageWindow::setEnabled(ControlKey key, bool enabled) {
    Control* control = find(key);
    if (!control) return missingControl();
    // A control that loses the focus with its use hands it on.
    if (!enabled && GetFocus() == control->window) SetFocus(GetNextDlgTabItem(window_, control->window, FALSE));
    EnableWindow(control->window, enabled ? TRUE : FALSE);  // returns the earlier state, not an error
    return {};
}

Status PageWindow::setVisible(ControlKey key, bool visible) {
    Control* control = find(key);
    if (!control) return missingControl();
    if (!visible && GetFocus() == control->window) SetFocus(GetNextDlgTabItem(window_, control->window, FALSE));
    ShowWindow(control->window, visible ? SW_SHOW : SW_HIDE);  // returns the earlier visibility
    return {};
}

Status PageWindow::setBackColour(ControlKey key, Colour colour) {
    Control* control = find(key);
    if (!control) return missingControl();
    if (control->back == colour) return {};
    control->back = colour;
    return check(InvalidateRect(control->window, nullptr, TRUE), "InvalidateRect");
}

Status PageWindow::setTooltip(ControlKey key, TextView text) {
    Control* control = find(key);
    if (!control) return missingControl();
    if (!tooltip_) {
        // One tooltip window per page serves all its controls.
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   environment_.instance, nullptr);
        if (!tooltip_) return lastError("CreateWindowExW");
    }
    Text copy(text);
    TOOLINFOW tool{};
    // The size every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control->window);
    tool.lpszText = copy.data();
    TOOLINFOW existing = tool;
    existing.lpszText = nullptr;
    const bool known = SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing)) != 0;
    if (copy.empty()) {
        if (known) SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return {};
    }
    if (known) {
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        return {};
    }
    if (!SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        return errorCode("TTM_ADDTOOLW", ERROR_NOT_ENOUGH_MEMORY);
    }
    return {};
}

// ----------------------------------------------------------------- keyboard

bool PageWindow::translateKeys(MSG& message) {
    // Enter on a focused button clicks it, as in a dialog box. A held key
    // does not repeat the click.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && (message.lParam & (1 << 30)) == 0) {
        const Control* control = find(message.hwnd);
        if (control && control->kind == ControlKind::Button && IsWindowEnabled(control->window)) {
            SendMessageW(GetParent(control->window), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(control->window), BN_CLICKED),
                         reinterpret_cast<LPARAM>(control->window));
            return true;
        }
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

}  // namespace vandrel::win32
