#include "platform/win32/SharedGraphics.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>

#include "platform/win32/Failure.h"

namespace vandrel::win32 {

namespace {

constexpr wchar_t kDefaultFace[] = L"MS UI Gothic";
constexpr int kDefaultCentipoints = 900;
// The pages are laid out in 96-dpi pixels; the system scales them.
constexpr int kLayoutDpi = 96;

// The pixels of an RT_BITMAP resource (a DIB without its file header), or
// nullptr when the data is not a bitmap this program can draw.
const void* bitmapBits(const BITMAPINFOHEADER& header, DWORD size) {
    if (size < sizeof(BITMAPINFOHEADER) || header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size) {
        return nullptr;
    }
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1) return nullptr;
    DWORD colours = header.biClrUsed;
    if (header.biBitCount <= 8 && colours == 0) colours = 1u << header.biBitCount;
    DWORD offset = header.biSize + colours * sizeof(RGBQUAD);
    if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER)) {
        offset += 3 * sizeof(DWORD);
    } else if (header.biCompression != BI_RGB) {
        return nullptr;
    }
    const DWORD stride = ((static_cast<DWORD>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const DWORD rows = static_cast<DWORD>(std::abs(header.biHeight));
    if (offset > size || (size - offset) / stride < rows) return nullptr;
    return reinterpret_cast<const BYTE*>(&header) + offset;
}

}  // namespace

// The system colour index of the menu's system colours.
int systemIndex(SystemColour colour) {
    switch (colour) {
        case SystemColour::InactiveBorder: return COLOR_INACTIVEBORDER;
        case SystemColour::ButtonFace: return COLOR_BTNFACE;
    }
    return COLOR_BTNFACE;
}

COLORREF toColorRef(Colour colour) {
    if (colour.isSystem()) return GetSysColor(systemIndex(colour.systemColour()));
    const std::uint32_t rgb = colour.rgbValue();
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void drawPicture(HDC dc, const LoadedPicture& picture, int x, int y, bool disabled) {
    // Painting has no caller to report to: a picture that cannot be drawn
    // is left out and the rest of the control is painted.
    if (picture.icon) {
        if (disabled) {
            DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.icon), 0, x, y, picture.width,
                       picture.height, DST_ICON | DSS_DISABLED);
        } else {
            DrawIconEx(dc, x, y, picture.icon, picture.width, picture.height, 0, nullptr, DI_NORMAL);
        }
        return;
    }
    if (!picture.info) return;
    const auto width = static_cast<DWORD>(picture.width);
    const auto height = static_cast<DWORD>(picture.height);
    if (!disabled) {
        SetDIBitsToDevice(dc, x, y, width, height, 0, 0, 0, height, picture.bits, picture.info, DIB_RGB_COLORS);
        return;
    }
    // A disabled picture is drawn in faded greys, so that the drawing stays
    // recognisable: white stays white, black becomes middle grey. The copy
    // lives only for this paint.
    BITMAPINFO grey{};
    grey.bmiHeader.biSize = sizeof grey.bmiHeader;
    grey.bmiHeader.biWidth = picture.width;
    grey.bmiHeader.biHeight = -picture.height;  // top-down
    grey.bmiHeader.biPlanes = 1;
    grey.bmiHeader.biBitCount = 32;
    grey.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> copy(CreateDIBSection(dc, &grey, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!copy || !memory || !bits) return;
    Selection selected(memory.get(), copy.get());
    SetDIBitsToDevice(memory.get(), 0, 0, width, height, 0, 0, 0, height, picture.bits, picture.info, DIB_RGB_COLORS);
    GdiFlush();
    auto* pixel = static_cast<std::uint32_t*>(bits);
    for (DWORD i = 0; i < width * height; ++i) {
        const std::uint32_t p = pixel[i];
        const std::uint32_t luminance = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
        const std::uint32_t v = 128 + luminance / 2;
        pixel[i] = (v << 16) | (v << 8) | v;
    }
    BitBlt(dc, x, y, picture.width, picture.height, memory.get(), 0, 0, SRCCOPY);
}

Result<HFONT> SharedGraphics::font(const Font& font) {
    const wchar_t* face = font.face ? font.face : kDefaultFace;
    const int centipoints = font.centipoints > 0 ? font.centipoints : kDefaultCentipoints;
    FontKey key{face, centipoints, font.bold, font.italic};
    if (auto found = fonts_.find(key); found != fonts_.end()) return found->second.get();

    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(centipoints, kLayoutDpi, 7200);
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic ? TRUE : FALSE;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    GdiObject<HFONT> made(CreateFontIndirectW(&logFont));
    if (!made) return lastError("CreateFontIndirectW");
    const HFONT handle = made.get();
    fonts_.emplace(std::move(key), std::move(made));
    return handle;
}

HBRUSH SharedGraphics::brush(Colour colour) {
    if (colour.isSystem()) {
        if (HBRUSH system = GetSysColorBrush(systemIndex(colour.systemColour()))) return system;
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    if (auto found = brushes_.find(colour); found != brushes_.end()) return found->second.get();
    GdiObject<HBRUSH> made(CreateSolidBrush(toColorRef(colour)));
    if (!made) return GetSysColorBrush(COLOR_BTNFACE);  // out of GDI objects: paint in the face colour
    const HBRUSH handle = made.get();
    brushes_.emplace(colour, std::move(made));
    return handle;
}

const LoadedPicture* SharedGraphics::picture(Picture picture) {
    if (picture.kind != PictureKind::Bitmap && picture.kind != PictureKind::Icon) return nullptr;
    const int id = picture.resource;
    auto found = pictures_.find(picture);
    if (found == pictures_.end()) {
        std::optional<LoadedPicture> loaded;
        if (picture.kind == PictureKind::Icon) {
            IconHandle icon(
                static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
            ICONINFO info{};
            if (icon && GetIconInfo(icon.get(), &info)) {
                GdiObject<HBITMAP> colour(info.hbmColor);
                GdiObject<HBITMAP> mask(info.hbmMask);
                BITMAP shape{};
                if (GetObjectW(mask.get(), sizeof shape, &shape)) {
                    LoadedPicture p;
                    p.icon = icon.get();
                    p.width = shape.bmWidth;
                    // Without a colour bitmap the mask holds AND and XOR halves.
                    p.height = colour ? shape.bmHeight : shape.bmHeight / 2;
                    loaded = p;
                    pictureIcons_.emplace(picture, std::move(icon));
                }
            }
        } else if (HRSRC resource = FindResourceW(instance_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /*RT_BITMAP*/)) {
            const DWORD size = SizeofResource(instance_, resource);
            HGLOBAL data = LoadResource(instance_, resource);
            const auto* header = data ? static_cast<const BITMAPINFOHEADER*>(LockResource(data)) : nullptr;
            if (const void* bits = header ? bitmapBits(*header, size) : nullptr) {
                LoadedPicture p;
                p.info = reinterpret_cast<const BITMAPINFO*>(header);
                p.bits = bits;
                p.width = header->biWidth;
                p.height = std::abs(header->biHeight);
                loaded = p;
            }
        }
        found = pictures_.emplace(picture, loaded).first;
    }
    return found->second ? &*found->second : nullptr;
}

HCURSOR SharedGraphics::cursor(Picture cursor) {
    if (cursor.kind != PictureKind::Cursor) return nullptr;
    auto found = cursors_.find(cursor);
    if (found == cursors_.end()) {
        // At the size it was drawn (the pointer of the pages is 16 x 16).
        CursorHandle loaded(static_cast<HCURSOR>(
            LoadImageW(instance_, MAKEINTRESOURCEW(cursor.resource), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
        found = cursors_.emplace(cursor, std::move(loaded)).first;
    }
    return found->second.get();
}

HICON SharedGraphics::windowIcon(Picture icon, int size) {
    if (icon.kind != PictureKind::Icon) return nullptr;
    const auto key = std::make_pair(icon, size);
    auto found = windowIcons_.find(key);
    if (found == windowIcons_.end()) {
        IconHandle loaded(static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(icon.resource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        found = windowIcons_.emplace(key, std::move(loaded)).first;
    }
    return found->second.get();
}

}  // namespace vandrel::win32
