// The page windows of the platform, message boxes and the event loop.
#include "platform/win32/Failure.h"
#include "platform/win32/Win32Platform.h"

namespace vandrel::win32 {

PageWindow* Win32Platform::page(int number) const {
    if (number < 1 || number > kPages) return nullptr;
    PageWindow* found = pages_[static_cast<std::size_t>(number - 1)].get();
    return found && found->window() ? found : nullptr;
}

HWND Win32Platform::pageWindow(int number) const {
    const PageWindow* found = page(number);
    return found ? found->window() : nullptr;
}

namespace {

UINT messageStyle(MessageButtons buttons, MessageIcon icon) {
    UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (icon == MessageIcon::Question) style |= MB_ICONQUESTION;
    if (icon == MessageIcon::Exclamation) style |= MB_ICONEXCLAMATION;
    return style;
}

}  // namespace

Result<Answer> Win32Platform::messageBox(int ownerPage, TextView text, TextView title, MessageButtons buttons,
                                         MessageIcon icon) {
    const HWND owner = pageWindow(ownerPage);
    // A box without an owner page is still modal to the whole program.
    const UINT style = messageStyle(buttons, icon) | (owner ? 0u : static_cast<UINT>(MB_TASKMODAL));
    // The box holds the whole menu, not only its owner: every other page
    // takes no input until it is answered. The owner is left to the box,
    // which disables it and, closing, enables and activates it again.
    std::array<HWND, kPages> held{};
    for (int number = 1; number <= kPages; ++number) {
        const HWND window = pageWindow(number);
        // EnableWindow answers whether the window was disabled already; a
        // page that was stays so afterwards.
        if (window && window != owner && !EnableWindow(window, FALSE))
            held[static_cast<std::size_t>(number - 1)] = window;
    }
    const int answer = MessageBoxW(owner, Text(text).c_str(), Text(title).c_str(), style);
    const DWORD error = answer == 0 ? GetLastError() : ERROR_SUCCESS;
    for (const HWND window : held) {
        if (window) EnableWindow(window, TRUE);
    }
    switch (answer) {
        case 0: return errorCode("MessageBoxW", error);
        case IDYES: return Answer::Yes;
        case IDNO: return Answer::No;
        default: return Answer::Ok;  // the only button of an OK box, or its close box
    }
}

void Win32Platform::setEventSink(EventSink* sink) { environment_.sink = sink; }

Status Win32Platform::createWindow(int number, const WindowDesign& design) {
    if (number < 1 || number > kPages) return refused();
    if (!classesRegistered_) {
        if (Status registered = PageWindow::registerClasses(instance_); !registered) return registered;
        classesRegistered_ = true;
    }
    auto& slot = pages_[static_cast<std::size_t>(number - 1)];
    if (slot && slot->window()) return refused();  // one window per page
    auto made = std::make_unique<PageWindow>(environment_, number);
    if (Status created = made->create(design); !created) return created;
    slot = std::move(made);
    return {};
}

Status Win32Platform::createControl(int number, const ControlDesign& design) {
    PageWindow* p = page(number);
    return p ? p->createControl(design) : refused();
}

Status Win32Platform::setWindowSize(int number, int outerWidth, int outerHeight) {
    PageWindow* p = page(number);
    return p ? p->setWindowSize(outerWidth, outerHeight) : refused();
}

Status Win32Platform::setWindowTitle(int number, TextView title) {
    PageWindow* p = page(number);
    return p ? p->setTitle(title) : refused();
}

Status Win32Platform::setBounds(int number, ControlKey control, const Bounds& bounds) {
    PageWindow* p = page(number);
    return p ? p->setBounds(control, bounds) : refused();
}

Status Win32Platform::setText(int number, ControlKey control, TextView text) {
    PageWindow* p = page(number);
    return p ? p->setText(control, text) : refused();
}

Result<Text> Win32Platform::getText(int number, ControlKey control) {
    PageWindow* p = page(number);
    if (!p) return refused();
    return p->getText(control);
}

Status Win32Platform::setEnabled(int number, ControlKey control, bool enabled) {
    PageWindow* p = page(number);
    return p ? p->setEnabled(control, enabled) : refused();
}

Status Win32Platform::setVisible(int number, ControlKey control, bool visible) {
    PageWindow* p = page(number);
    return p ? p->setVisible(control, visible) : refused();
}

Status Win32Platform::setBackColour(int number, ControlKey control, Colour colour) {
    PageWindow* p = page(number);
    return p ? p->setBackColour(control, colour) : refused();
}

Status Win32Platform::setTooltip(int number, ControlKey control, TextView text) {
    PageWindow* p = page(number);
    return p ? p->setTooltip(control, text) : refused();
}

Status Win32Platform::showWindow(int number) {
    PageWindow* p = page(number);
    return p ? p->show() : refused();
}

Status Win32Platform::hideWindow(int number) {
    PageWindow* p = page(number);
    return p ? p->hide() : refused();
}

int Win32Platform::runEventLoop() {
    MSG message{};
    for (;;) {
        // Time with nothing to do unpacks the pictures of the pages not yet
        // shown, one at a time, so that input never waits for more than one.
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && idleStep()) continue;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);  // WM_QUIT
        if (got == -1) return 1;                                // fails only for a bad window filter, and there is none
        // Keyboard navigation within the page the message is for.
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        bool handled = false;
        for (int number = 1; number <= kPages && !handled; ++number) {
            PageWindow* p = page(number);
            if (p && root && p->window() == root) handled = p->translateKeys(message);
        }
        if (handled) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace vandrel::win32
