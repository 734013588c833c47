// A small reader of the picture files, for the tests: BMP (24-bit and
// 8-bit palettised, bottom-up), packed bitmaps, and icon and cursor
// directories with 32-bit entries. It reads what the headers say and checks nothing beyond what it
// needs; the tests compare.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <zlib.h>

#include "pages/pictures/Image.h"

namespace vandrel::picturegen::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::uint32_t u16(const Bytes& b, std::size_t at) {
    if (at + 2 > b.size()) throw std::out_of_range("read past the end");
    return b[at] | (b[at + 1] << 8);
}
inline std::uint32_t u32(const Bytes& b, std::size_t at) { return u16(b, at) | (u16(b, at + 2) << 16); }
inline std::int32_t i32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

struct Bmp {
    std::uint32_t fileSizeField = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    int width = 0, height = 0;  // height as stored (positive: bottom-up)
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<Pixel> palette;
    Image image;  // alpha 255
};

inline Bmp readBmp(const Bytes& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error("not a BMP");
    Bmp bmp;
    bmp.fileSizeField = u32(b, 2);
    bmp.pixelOffset = u32(b, 10);
    bmp.infoSize = u32(b, 14);
    bmp.width = i32(b, 18);
    bmp.height = i32(b, 22);
    bmp.bitsPerPixel = static_cast<int>(u16(b, 28));
    bmp.compression = u32(b, 30);
    bmp.imageSize = u32(b, 34);
    bmp.coloursUsed = u32(b, 46);
    if (bmp.bitsPerPixel == 8) {
        const std::uint32_t count = bmp.coloursUsed ? bmp.coloursUsed : 256;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = 14 + bmp.infoSize + 4 * i;
            bmp.palette.push_back(Pixel{b.at(at + 2), b.at(at + 1), b.at(at), 255});
        }
    }
    const int h = bmp.height < 0 ? -bmp.height : bmp.height;
    const std::size_t stride = ((static_cast<std::size_t>(bmp.width) * bmp.bitsPerPixel + 31) / 32) * 4;
    bmp.image = Image(bmp.width, h);
    for (int row = 0; row < h; ++row) {
        const int y = bmp.height > 0 ? h - 1 - row : row;
        const std::size_t start = bmp.pixelOffset + stride * row;
        for (int x = 0; x < bmp.width; ++x) {
            if (bmp.bitsPerPixel == 24) {
                const std::size_t at = start + 3 * static_cast<std::size_t>(x);
                bmp.image.at(x, y) = Pixel{b.at(at + 2), b.at(at + 1), b.at(at), 255};
            } else if (bmp.bitsPerPixel == 8) {
                bmp.image.at(x, y) = bmp.palette.at(b.at(start + x));
            } else {
                throw std::runtime_error("unexpected bit depth");
            }
        }
    }
    return bmp;
}

// The DIB of a packed bitmap: its stated length, then zlib's stream of it.
// Throws unless the stream holds exactly the stated number of bytes.
inline Bytes unpackBitmap(const Bytes& packed) {
    const std::uint32_t length = u32(packed, 0);
    Bytes dib(length + 1u);  // one more, so that a longer stream shows
    uLongf got = static_cast<uLongf>(dib.size());
    if (uncompress(dib.data(), &got, packed.data() + 4, static_cast<uLong>(packed.size() - 4)) != Z_OK) {
        throw std::runtime_error("not a zlib stream");
    }
    if (got != length) throw std::runtime_error("unpacked length differs from the stated one");
    dib.resize(got);
    return dib;
}

// A DIB as a bitmap resource holds it, read through the file header a BMP
// file would have in front of it.
inline Bmp readDib(const Bytes& dib) {
    const std::uint32_t infoSize = u32(dib, 0);
    const std::uint32_t bits = u16(dib, 14);
    const std::uint32_t used = u32(dib, 32);
    const std::uint32_t colours = bits <= 8 ? (used ? used : 1u << bits) : 0;
    const std::uint32_t offset = 14 + infoSize + 4 * colours;
    const auto size = static_cast<std::uint32_t>(14 + dib.size());
    Bytes file{'B', 'M'};
    for (std::uint32_t v : {size, 0u, offset}) {
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    file.insert(file.end(), dib.begin(), dib.end());
    return readBmp(file);
}

struct IconEntry {
    int width = 0, height = 0;        // from the directory (0 read as 256)
    unsigned field1 = 0, field2 = 0;  // planes and bit count, or the cursor's hot spot
    std::uint32_t bytes = 0, offset = 0;
    int dibWidth = 0, dibHeight = 0, dibBits = 0;  // from the entry's own header
    Image image;                                   // 32-bit colour with alpha
    std::vector<bool> mask;                        // AND mask, row after row from the top
};

struct IconFile {
    unsigned type = 0;  // 1 icon, 2 cursor
    std::vector<IconEntry> entries;
};

inline IconFile readIcon(const Bytes& b) {
    IconFile file;
    if (u16(b, 0) != 0) throw std::runtime_error("not an icon directory");
    file.type = u16(b, 2);
    const unsigned count = u16(b, 4);
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * i;
        IconEntry e;
        e.width = b.at(at) ? b.at(at) : 256;
        e.height = b.at(at + 1) ? b.at(at + 1) : 256;
        e.field1 = u16(b, at + 4);
        e.field2 = u16(b, at + 6);
        e.bytes = u32(b, at + 8);
        e.offset = u32(b, at + 12);
        if (e.offset + e.bytes > b.size()) throw std::runtime_error("icon entry past the end");
        e.dibWidth = i32(b, e.offset + 4);
        e.dibHeight = i32(b, e.offset + 8);
        e.dibBits = static_cast<int>(u16(b, e.offset + 14));
        if (e.dibBits != 32) throw std::runtime_error("icon entry is not 32-bit");
        const int w = e.dibWidth, h = e.dibHeight / 2;
        e.image = Image(w, h);
        const std::size_t pixels = e.offset + u32(b, e.offset);
        for (int row = 0; row < h; ++row) {
            for (int x = 0; x < w; ++x) {
                const std::size_t p = pixels + (static_cast<std::size_t>(row) * w + x) * 4;
                e.image.at(x, h - 1 - row) = Pixel{b.at(p + 2), b.at(p + 1), b.at(p), b.at(p + 3)};
            }
        }
        const std::size_t maskStart = pixels + static_cast<std::size_t>(w) * h * 4;
        const std::size_t maskStride = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
        e.mask.assign(static_cast<std::size_t>(w) * h, false);
        for (int row = 0; row < h; ++row) {
            for (int x = 0; x < w; ++x) {
                const std::uint8_t byte = b.at(maskStart + maskStride * row + x / 8);
                e.mask[static_cast<std::size_t>(h - 1 - row) * w + x] = (byte >> (7 - x % 8)) & 1;
            }
        }
        file.entries.push_back(std::move(e));
    }
    return file;
}

}  // namespace vandrel::picturegen::testing
