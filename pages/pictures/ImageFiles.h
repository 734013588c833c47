// The Windows picture files the program embeds: device-independent bitmaps
// (.bmp, 24-bit or palettised 8-bit, stored packed), icons (.ico) and
// cursors (.cur).
// Encoders produce the exact bytes of a file; nothing here touches a disk
// except writeFile.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "pages/pictures/Image.h"

namespace vandrel::picturegen {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit bottom-up BMP of the image's colours; alpha is ignored.
Bytes encodeBmp24(const Image& image);

// An 8-bit palettised BMP. An image of at most 256 colours keeps them
// exactly; otherwise the 256 most frequent colours form the palette and
// every other pixel takes the nearest of them. Alpha is ignored.
Bytes encodeBmp8(const Image& image);

// An icon file holding one 32-bit image (with alpha and a matching AND
// mask) per entry, in the given order. Sizes 1 to 256.
Bytes encodeIcon(const std::vector<Image>& images);

// A cursor file holding one 32-bit image per entry, in the given order,
// each with its own hot spot. Sizes 1 to 256.
struct CursorImage {
    Image image;
    int hotX = 0, hotY = 0;
};
Bytes encodeCursor(const std::vector<CursorImage>& images);

// A bitmap as the program stores it (vandrel::scaling): the bytes of a BMP
// file without its file header, that is the DIB a bitmap resource holds,
// packed with zlib at its best compression behind the length of the DIB
// (four bytes, little-endian). Throws std::invalid_argument unless given a
// BMP file, std::runtime_error if zlib fails.
Bytes packBitmap(const Bytes& bmpFile);

// Writes the bytes to a file, replacing it; throws std::runtime_error on
// failure.
void writeFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace vandrel::picturegen
