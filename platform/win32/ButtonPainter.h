// The look of the menu's buttons, which Windows leaves to the program
// (BS_OWNERDRAW): the face in the button's own colour, a raised edge that
// sinks while pressed, the picture centred above the caption, both embossed
// grey while disabled, and the focus rectangle.
#pragma once

#include <string>

#include "platform/win32/SharedGraphics.h"

namespace vandrel::win32 {

struct ButtonLook {
    HBRUSH face = nullptr;
    COLORREF text = 0;
    HFONT font = nullptr;
    const LoadedPicture* picture = nullptr;  // nullptr: caption only
    std::wstring caption;
};

void paintButton(const DRAWITEMSTRUCT& item, const ButtonLook& look);

}  // namespace vandrel::win32
