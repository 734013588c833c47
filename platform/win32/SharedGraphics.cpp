#include "platform/win32/SharedGraphics.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/Scaling.h"
#include "platform/win32/Failure.h"

namespace vandrel::win32 {

namespace {

constexpr wchar_t kDefaultFace[] = L"MS UI Gothic";
constexpr int kDefaultCentipoints = 900;
// No picture of the program comes near this when unpacked: a length above
// it is damaged data, not a picture.
constexpr std::uint32_t kLargestUnpacked = 16u << 20;

// The pixels of a bitmap resource's data (a DIB without its file header),
// or nullptr when the data is not a bitmap this program can draw.
const void* bitmapBits(const BITMAPINFOHEADER& header, DWORD size) {
    if (size < sizeof(BITMAPINFOHEADER) || header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size) {
        return nullptr;
    }
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1) return nullptr;
    // Far larger than any picture, or no pixel size: not a picture of the program's.
    constexpr LONG kWidest = 1 << 15;
    if (header.biWidth > kWidest || header.biBitCount == 0 || header.biBitCount > 32) return nullptr;
    DWORD colours = header.biClrUsed;
    if (header.biBitCount <= 8 && colours == 0) colours = 1u << header.biBitCount;
    if (colours > 256) return nullptr;
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

// The resource type of the packed bitmaps at a scale: "PICTURE150".
std::wstring packedType(int scale) {
    std::wstring type;
    for (const char* c = scaling::kPackedBitmapTypePrefix; *c != '\0'; ++c) type += static_cast<wchar_t>(*c);
    return type + std::to_wstring(scale);
}

// The data of a resource and its size; nullptr when it is not there.
std::pair<const std::uint8_t*, DWORD> resourceData(HINSTANCE instance, int id, const wchar_t* type) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    if (!resource) return {nullptr, 0};
    HGLOBAL data = LoadResource(instance, resource);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return {nullptr, 0};
    return {static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, resource)};
}

// The width of the smallest image of an icon or cursor resource: the size
// it has at 100 %. Zero when the group cannot be read.
int smallestOfGroup(HINSTANCE instance, int id, bool cursor) {
    const auto [data, size] = resourceData(
        instance, id, cursor ? MAKEINTRESOURCEW(12) /*RT_GROUP_CURSOR*/ : MAKEINTRESOURCEW(14) /*RT_GROUP_ICON*/);
    constexpr DWORD kHeader = 6, kEntry = 14;
    if (!data || size < kHeader) return 0;
    const DWORD count = data[4] | (data[5] << 8);
    if (count == 0 || (size - kHeader) / kEntry < count) return 0;
    int smallest = 0;
    for (DWORD i = 0; i < count; ++i) {
        const std::uint8_t* entry = data + kHeader + i * kEntry;
        // An icon's width is a byte (0 for 256); a cursor's a word.
        int width = cursor ? entry[0] | (entry[1] << 8) : entry[0];
        if (!cursor && width == 0) width = 256;
        if (width > 0 && (smallest == 0 || width < smallest)) smallest = width;
    }
    return smallest;
}

BOOL CALLBACK addResourceNumber(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR numbers) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<int>*>(numbers)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

// The numbers of the resources of a type.
std::vector<int> resourceNumbers(HINSTANCE instance, const wchar_t* type) {
    std::vector<int> numbers;
    EnumResourceNamesW(instance, type, &addResourceNumber, reinterpret_cast<LONG_PTR>(&numbers));
    return numbers;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> unpackBitmap(const std::uint8_t* data, std::size_t size) {
    if (!data || size < scaling::kPackedLengthBytes) return std::nullopt;
    const std::uint32_t length = data[0] | (data[1] << 8) | (data[2] << 16) | (std::uint32_t{data[3]} << 24);
    if (length == 0 || length > kLargestUnpacked) return std::nullopt;
    std::vector<std::uint8_t> unpacked(length);
    uLongf made = length;
    const int result = uncompress(unpacked.data(), &made, data + scaling::kPackedLengthBytes,
                                  static_cast<uLong>(size - scaling::kPackedLengthBytes));
    if (result != Z_OK || made != length) return std::nullopt;
    return unpacked;
}

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

Result<HFONT> SharedGraphics::font(const Font& font, int dpi) {
    const wchar_t* face = font.face ? font.face : kDefaultFace;
    const int centipoints = font.centipoints > 0 ? font.centipoints : kDefaultCentipoints;
    FontKey key{face, centipoints, font.bold, font.italic, dpi};
    if (auto found = fonts_.find(key); found != fonts_.end()) return found->second.get();

    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(centipoints, dpi, 7200);
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

std::optional<LoadedPicture> SharedGraphics::loadBitmap(int resource, int scale) {
    // Unpacked once, kept for the life of the cache (two resolutions may
    // share a scale).
    const ScaledPicture key{Picture{PictureKind::Bitmap, resource}, scale};
    auto kept = unpacked_.find(key);
    if (kept == unpacked_.end()) {
        const auto [data, size] = resourceData(instance_, resource, packedType(scale).c_str());
        std::optional<std::vector<std::uint8_t>> unpacked = unpackBitmap(data, size);
        if (!unpacked || unpacked->size() < sizeof(BITMAPINFOHEADER)) return std::nullopt;
        kept = unpacked_.emplace(key, std::move(*unpacked)).first;
    }
    // A vector's storage is aligned for any object: the header is read in place.
    const std::vector<std::uint8_t>& bytes = kept->second;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data());
    const void* bits = bitmapBits(*header, static_cast<DWORD>(bytes.size()));
    if (!bits) return std::nullopt;
    LoadedPicture p;
    p.info = reinterpret_cast<const BITMAPINFO*>(header);
    p.bits = bits;
    p.width = header->biWidth;
    p.height = std::abs(header->biHeight);
    return p;
}

std::optional<LoadedPicture> SharedGraphics::loadIcon(ScaledPicture scaled) {
    const int base = smallestOfGroup(instance_, scaled.first.resource, false);
    if (base == 0) return std::nullopt;
    const int size = scaling::scaled(base, scaled.second);
    IconHandle icon(static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(scaled.first.resource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon) return std::nullopt;
    LoadedPicture p;
    p.icon = icon.get();
    p.width = size;
    p.height = size;
    pictureIcons_.emplace(scaled, std::move(icon));
    return p;
}

const LoadedPicture* SharedGraphics::picture(Picture picture, int dpi) {
    if (picture.kind != PictureKind::Bitmap && picture.kind != PictureKind::Icon) return nullptr;
    const ScaledPicture key{picture, scaling::pictureScaleFor(dpi)};
    auto found = pictures_.find(key);
    if (found == pictures_.end()) {
        std::optional<LoadedPicture> loaded;
        if (picture.kind == PictureKind::Icon) {
            loaded = loadIcon(key);
        } else {
            askedScale_ = key.second;
            // The scale for the resolution, or the largest below it that
            // the program has.
            for (auto scale = scaling::kPictureScales.rbegin(); scale != scaling::kPictureScales.rend(); ++scale) {
                if (*scale > key.second) continue;
                loaded = loadBitmap(picture.resource, *scale);
                if (loaded) break;
            }
        }
        found = pictures_.emplace(key, loaded).first;
    }
    return found->second ? &*found->second : nullptr;
}

bool SharedGraphics::prepareOnePicture() {
    if (askedScale_ == 0) return false;
    if (preparingScale_ != askedScale_) {
        preparingScale_ = askedScale_;
        toPrepare_ = resourceNumbers(instance_, packedType(preparingScale_).c_str());
    }
    while (!toPrepare_.empty()) {
        const int resource = toPrepare_.back();
        toPrepare_.pop_back();
        if (unpacked_.count({Picture{PictureKind::Bitmap, resource}, preparingScale_}) != 0) continue;
        // A picture that cannot be unpacked is left to its paint, which
        // leaves it out.
        static_cast<void>(loadBitmap(resource, preparingScale_));
        return true;
    }
    return false;
}

HCURSOR SharedGraphics::cursor(Picture cursor, int dpi) {
    if (cursor.kind != PictureKind::Cursor) return nullptr;
    const ScaledPicture key{cursor, scaling::pictureScaleFor(dpi)};
    auto found = cursors_.find(key);
    if (found == cursors_.end()) {
        CursorHandle loaded;
        if (const int base = smallestOfGroup(instance_, cursor.resource, true); base > 0) {
            const int size = scaling::scaled(base, key.second);
            loaded.reset(static_cast<HCURSOR>(
                LoadImageW(instance_, MAKEINTRESOURCEW(cursor.resource), IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR)));
        }
        found = cursors_.emplace(key, std::move(loaded)).first;
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
