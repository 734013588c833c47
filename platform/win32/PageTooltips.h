// The tooltips of a page: one tooltip window per page serves all its
// controls, each a tool named by its window.
#pragma once

#include "platform/Platform.h"
#include "platform/win32/Failure.h"

namespace vandrel::win32 {

class PageTooltips {
public:
    // Sets the text shown when the pointer rests on `control`, a child of
    // `page`; the empty text takes the tooltip away. The tooltip window is
    // made on first use, owned by the page (and destroyed with it).
    Status set(HINSTANCE instance, HWND page, HWND control, TextView text);
    // The page window is gone, and its tooltip window with it.
    void forget() { window_ = nullptr; }

private:
    HWND window_ = nullptr;
};

}  // namespace vandrel::win32
