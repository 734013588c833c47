#include "platform/win32/ButtonPainter.h"

#include <algorithm>

namespace vandrel::win32 {

namespace {

constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

// Caption text, embossed like the system's disabled text when `disabled`.
void drawCaption(HDC dc, const std::wstring& caption, RECT box, COLORREF colour, bool disabled) {
    const int length = static_cast<int>(caption.size());
    if (disabled) {
        RECT light = box;
        OffsetRect(&light, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, caption.c_str(), length, &light, kCaptionFormat);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    } else {
        SetTextColor(dc, colour);
    }
    DrawTextW(dc, caption.c_str(), length, &box, kCaptionFormat);
}

}  // namespace

void paintButton(const DRAWITEMSTRUCT& item, const ButtonLook& look) {
    HDC dc = item.hDC;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0;

    RECT whole = item.rcItem;
    FillRect(dc, &whole, look.face ? look.face : GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &whole, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    RECT inside = whole;
    InflateRect(&inside, -2, -2);
    if (pressed) OffsetRect(&inside, 1, 1);

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = look.font ? SelectObject(dc, look.font) : nullptr;

    // The caption keeps the bottom of the button; the picture is centred
    // in the room above it (or in the whole button without a caption).
    RECT captionBox = inside;
    int captionHeight = 0;
    if (!look.caption.empty()) {
        RECT measure = inside;
        DrawTextW(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &measure,
                  kCaptionFormat | DT_CALCRECT);
        captionHeight = std::min<int>(measure.bottom - measure.top, inside.bottom - inside.top);
        if (look.picture) {
            captionBox.top = inside.bottom - captionHeight;
        } else {
            captionBox.top = inside.top + ((inside.bottom - inside.top) - captionHeight) / 2;
        }
        captionBox.bottom = captionBox.top + captionHeight;
    }
    if (look.picture) {
        const int roomHeight = (inside.bottom - inside.top) - captionHeight;
        const int x = inside.left + ((inside.right - inside.left) - look.picture->width) / 2;
        const int y = inside.top + (roomHeight - look.picture->height) / 2;
        drawPicture(dc, *look.picture, x, y, disabled);
    }
    if (!look.caption.empty()) drawCaption(dc, look.caption, captionBox, look.text, disabled);

    if (oldFont) SelectObject(dc, oldFont);
    RestoreDC(dc, saved);

    if (focused) {
        RECT focus = whole;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace vandrel::win32
