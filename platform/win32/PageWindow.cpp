#include "platform/win32/PageWindow.h"

#include <algorithm>

#include "platform/win32/ButtonPainter.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Failure.h"
#include "platform/win32/FatalReport.h"
#include "platform/win32/WindowText.h"

namespace vandrel::win32 {

namespace {

constexpr DWORD kPageStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Not in the headers of XP: the page has moved to a monitor of another
// resolution, or the user has changed it (Windows 8.1 on).
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED

// Stores `self` in a window being created, from CreateWindowExW's last
// argument; false when it cannot be stored (the creation then fails).
bool adopt(HWND window, LPARAM createStruct) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(createStruct);
    SetLastError(ERROR_SUCCESS);
    const LONG_PTR previous =
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return previous != 0 || GetLastError() == ERROR_SUCCESS;
}

}  // namespace

// ------------------------------------------------------------ window classes

PageWindow* PageWindow::ownerOf(HWND window) {
    return reinterpret_cast<PageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

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
        self->tooltips_.forget();
        self->lastFocus_ = nullptr;
        self->grid_.clear();
        self->gridStop_ = nullptr;
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

// ----------------------------------------------------------------- messages

LRESULT PageWindow::handlePage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DRAWITEM: onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
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
        case WM_ERASEBKGND: onEraseBackground(window_, reinterpret_cast<HDC>(wParam), back_); return 1;
        case kDpiChanged:
            if (lParam != 0) onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
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
        default: break;
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
        case WM_PAINT: onPaintFrame(frame); return 0;
        default: return DefWindowProcW(frame, message, wParam, lParam);
    }
}

void PageWindow::onCommand(int id, int code) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) return;
    const ControlKey key = controlKeyOf(id);
    switch (found->second.kind) {
        case ControlKind::Label:
            if (code == STN_CLICKED) deliver(EventKind::Click, key);
            if (code == STN_DBLCLK) deliver(EventKind::DblClick, key);
            break;
        case ControlKind::Button:
            if (code == BN_CLICKED) deliver(EventKind::Click, key);
            break;
        case ControlKind::TextBox:
        case ControlKind::Frame: break;
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
    look.picture = environment_.graphics.picture(control->picture, dpi_);
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
    if (!control) return false;
    const HCURSOR cursor = environment_.graphics.cursor(control->cursor, dpi_);
    if (!cursor) return false;
    SetCursor(cursor);
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

void PageWindow::onDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    // Where the system suggests, at the page's size in the new resolution.
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, pixels(outerWidth_), pixels(outerHeight_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    setIcons();
    layOut();
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
    if (window_) return refused();  // one window per page
    back_ = design.back;
    icon_ = design.icon;
    outerWidth_ = design.outerWidth;
    outerHeight_ = design.outerHeight;
    // The pages are first placed on the primary monitor: the system's
    // resolution, until the window knows its own.
    dpi_ = systemDpi();
    const POINT at = commonPosition(pixels(outerWidth_), pixels(outerHeight_));
    const HWND made = CreateWindowExW(0, kPageClass, design.title.c_str(), kPageStyle, at.x, at.y, pixels(outerWidth_),
                                      pixels(outerHeight_), nullptr, nullptr, environment_.instance, this);
    if (!made) return lastError("CreateWindowExW");
    if (!SetPropW(made, kPageProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(page_)))) {
        const Status failed = lastError("SetPropW");
        DestroyWindow(made);
        return failed;
    }
    if (const int own = windowDpi(made); own != dpi_) {
        dpi_ = own;
        const POINT place = commonPosition(pixels(outerWidth_), pixels(outerHeight_));
        SetWindowPos(made, nullptr, place.x, place.y, pixels(outerWidth_), pixels(outerHeight_),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setIcons();
    return {};
}

void PageWindow::setIcons() {
    // At the sizes of the caption and the task bar in the page's
    // resolution. A missing icon leaves the system's default.
    if (HICON big = environment_.graphics.windowIcon(icon_, systemMetric(SM_CXICON, dpi_))) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (HICON small = environment_.graphics.windowIcon(icon_, systemMetric(SM_CXSMICON, dpi_))) {
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

Status PageWindow::setWindowSize(int outerWidth, int outerHeight) {
    outerWidth_ = outerWidth;
    outerHeight_ = outerHeight;
    const int width = pixels(outerWidth), height = pixels(outerHeight);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT at{};
    // A hidden page moves with its size to the common place; a page on
    // screen keeps the place the user sees.
    if (IsWindowVisible(window_)) {
        flags |= SWP_NOMOVE;
    } else {
        at = commonPosition(width, height);
    }
    return check(SetWindowPos(window_, nullptr, at.x, at.y, width, height, flags), "SetWindowPos");
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

// ----------------------------------------------------------------- keyboard

bool PageWindow::translateKeys(MSG& message) {
    // The arrow keys, Home and End on a program button walk the grid.
    if (message.message == WM_KEYDOWN && onGridKey(message.hwnd, message.wParam)) return true;
    // Enter on a focused button clicks it, as in a dialog box. A held key
    // does not repeat the click.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && (message.lParam & (1 << 30)) == 0) {
        const Control* control = find(message.hwnd);
        if (control && control->kind == ControlKind::Button && IsWindowEnabled(control->window)) {
            SendMessageW(GetParent(control->window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control->window), BN_CLICKED),
                         reinterpret_cast<LPARAM>(control->window));
            return true;
        }
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

}  // namespace vandrel::win32
