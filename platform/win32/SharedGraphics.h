// Fonts, brushes, pictures and pointers shared by all controls of all pages.
// Five pages of some 85 controls each would otherwise hold several hundred
// copies of a handful of fonts and colours; here each exists once, made on
// first use and released with the cache.
#pragma once

#include <map>
#include <optional>
#include <tuple>

#include "platform/Platform.h"
#include "platform/win32/WinHandles.h"

namespace vandrel::win32 {

// A colour of the program's or of the system's, as a COLORREF.
COLORREF toColorRef(Colour colour);

// A picture resource: a bitmap drawn straight from the program's resource
// data (no GDI object while it is shown), or an icon.
struct LoadedPicture {
    const BITMAPINFO* info = nullptr;  // bitmap: header and colour table
    const void* bits = nullptr;        // bitmap: the pixels
    HICON icon = nullptr;              // icon (owned by the cache)
    int width = 0;
    int height = 0;
};

// Draws a picture at its own size; greyed when `disabled`.
void drawPicture(HDC dc, const LoadedPicture& picture, int x, int y, bool disabled);

class SharedGraphics {
public:
    explicit SharedGraphics(HINSTANCE instance) : instance_(instance) {}
    SharedGraphics(const SharedGraphics&) = delete;
    SharedGraphics& operator=(const SharedGraphics&) = delete;

    // The font of a design; Font::face nullptr is the pages' default font.
    Result<HFONT> font(const Font& font);
    // A solid brush; a system colour's brush belongs to the system.
    HBRUSH brush(Colour colour);
    // A bitmap or icon resource, ready to draw, or nullptr when the program
    // has none of that number (it is then simply not drawn).
    const LoadedPicture* picture(Picture picture);
    // A cursor resource, or nullptr when there is none.
    HCURSOR cursor(Picture cursor);
    // An icon resource at a given size, for a window's caption and task bar.
    HICON windowIcon(Picture icon, int size);

private:
    using FontKey = std::tuple<std::wstring, int, bool, bool>;

    HINSTANCE instance_;
    std::map<FontKey, GdiObject<HFONT>> fonts_;
    std::map<Colour, GdiObject<HBRUSH>> brushes_;
    std::map<Picture, std::optional<LoadedPicture>> pictures_;
    std::map<Picture, IconHandle> pictureIcons_;
    std::map<Picture, CursorHandle> cursors_;
    std::map<std::pair<Picture, int>, IconHandle> windowIcons_;
};

}  // namespace vandrel::win32
