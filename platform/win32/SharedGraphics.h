// Fonts, brushes, pictures and pointers shared by all controls of all pages.
// Five pages of some 85 controls each would otherwise hold several hundred
// copies of a handful of fonts and colours; here each exists once, made on
// first use and released with the cache.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/Platform.h"
#include "platform/win32/WinHandles.h"

namespace vandrel::win32 {

// A colour of the program's or of the system's, as a COLORREF.
COLORREF toColorRef(Colour colour);

// A picture ready to draw: a bitmap unpacked from the program's resources
// (no GDI object while it is shown), or an icon.
struct LoadedPicture {
    const BITMAPINFO* info = nullptr;  // bitmap: header and colour table
    const void* bits = nullptr;        // bitmap: the pixels
    HICON icon = nullptr;              // icon (owned by the cache)
    int width = 0;
    int height = 0;
};

// The data of a packed bitmap resource (scaling::kPackedBitmapTypePrefix),
// unpacked; nothing when it is damaged.
std::optional<std::vector<std::uint8_t>> unpackBitmap(const std::uint8_t* data, std::size_t size);

// Draws a picture at its own size; greyed when `disabled`.
void drawPicture(HDC dc, const LoadedPicture& picture, int x, int y, bool disabled);

class SharedGraphics {
public:
    explicit SharedGraphics(HINSTANCE instance) : instance_(instance) {}
    SharedGraphics(const SharedGraphics&) = delete;
    SharedGraphics& operator=(const SharedGraphics&) = delete;

    // The font of a design at a resolution (its points in that many dots
    // per inch); Font::face nullptr is the pages' default font.
    Result<HFONT> font(const Font& font, int dpi);
    // A solid brush; a system colour's brush belongs to the system.
    HBRUSH brush(Colour colour);
    // A bitmap or icon resource drawn for a resolution (the scale of
    // scaling::pictureScaleFor, or the largest below it that the program
    // has), ready to draw; nullptr when the program has none of that number
    // (it is then simply not drawn).
    const LoadedPicture* picture(Picture picture, int dpi);
    // A cursor resource at the scale for a resolution, or nullptr when
    // there is none.
    HCURSOR cursor(Picture cursor, int dpi);
    // An icon resource at a given size, for a window's caption and task bar.
    HICON windowIcon(Picture icon, int size);

    // Unpacks one more bitmap of the scale last asked for, for the event
    // loop to call while the program has nothing else to do: a page shown
    // for the first time then finds its pictures ready. False when there is
    // nothing left to unpack (or no picture has been asked for yet).
    bool prepareOnePicture();

private:
    using FontKey = std::tuple<std::wstring, int, bool, bool, int>;
    using ScaledPicture = std::pair<Picture, int>;  // the picture and its scale

    HINSTANCE instance_;
    std::map<FontKey, GdiObject<HFONT>> fonts_;
    std::map<Colour, GdiObject<HBRUSH>> brushes_;
    std::optional<LoadedPicture> loadBitmap(int resource, int scale);
    std::optional<LoadedPicture> loadIcon(ScaledPicture picture);

    std::map<ScaledPicture, std::optional<LoadedPicture>> pictures_;
    std::map<ScaledPicture, std::vector<std::uint8_t>> unpacked_;  // the bitmaps' data
    std::map<ScaledPicture, IconHandle> pictureIcons_;
    std::map<ScaledPicture, CursorHandle> cursors_;
    std::map<std::pair<Picture, int>, IconHandle> windowIcons_;
    int askedScale_ = 0;          // of the last bitmap asked for
    int preparingScale_ = 0;      // of the bitmaps still to unpack ...
    std::vector<int> toPrepare_;  // ... by resource number
};

}  // namespace vandrel::win32
