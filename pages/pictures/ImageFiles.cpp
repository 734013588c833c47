#include "pages/pictures/ImageFiles.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include <zlib.h>

#include "platform/Scaling.h"

namespace vandrel::picturegen {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;             // BITMAPINFOHEADER
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

class Writer {
public:
    explicit Writer(Bytes& out) : out_(out) {}
    void u8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }

private:
    Bytes& out_;
};

void requireSize(const Image& image, int maxSide) {
    if (image.width <= 0 || image.height <= 0 || image.width > maxSide || image.height > maxSide ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        throw std::invalid_argument("picture of unsupported size " + std::to_string(image.width) + "x" +
                                    std::to_string(image.height));
    }
}

// Bytes of one row padded to a multiple of four.
std::size_t stride(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void infoHeader(Writer& w, int width, int height, int bitsPerPixel, std::uint32_t imageBytes,
                std::uint32_t coloursUsed) {
    w.u32(kInfoHeaderSize);
    w.i32(width);
    w.i32(height);
    w.u16(1);  // planes
    w.u16(static_cast<unsigned>(bitsPerPixel));
    w.u32(0);  // BI_RGB
    w.u32(imageBytes);
    w.i32(kPixelsPerMetre);
    w.i32(kPixelsPerMetre);
    w.u32(coloursUsed);
    w.u32(0);  // all colours important
}

void fileHeader(Writer& w, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    w.u8('B');
    w.u8('M');
    w.u32(fileSize);
    w.u32(0);
    w.u32(pixelOffset);
}

std::uint32_t packRgb(Pixel p) { return (std::uint32_t{p.r} << 16) | (std::uint32_t{p.g} << 8) | p.b; }

int distance(std::uint32_t a, std::uint32_t b) {
    const int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
    const int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
    const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}

// The 32-bit colour image and the AND mask of one icon or cursor entry, as
// stored after its directory: a BITMAPINFOHEADER of twice the height.
Bytes iconEntryImage(const Image& image) {
    Bytes out;
    Writer w(out);
    const std::size_t maskStride = stride(image.width, 1);
    const std::size_t colourBytes = static_cast<std::size_t>(image.width) * image.height * 4;
    const std::size_t maskBytes = maskStride * image.height;
    infoHeader(w, image.width, image.height * 2, 32, static_cast<std::uint32_t>(colourBytes + maskBytes), 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Pixel p = image.at(x, y);
            w.u8(p.b);
            w.u8(p.g);
            w.u8(p.r);
            w.u8(p.a);
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y).a == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

struct DirectoryEntry {
    const Image* image;
    unsigned field1;  // icon: colour planes; cursor: hot spot x
    unsigned field2;  // icon: bits per pixel; cursor: hot spot y
};

Bytes iconDirectory(unsigned type, const std::vector<DirectoryEntry>& entries) {
    if (entries.empty() || entries.size() > 0xFFFF) throw std::invalid_argument("icon without images");
    std::vector<Bytes> images;
    for (const DirectoryEntry& e : entries) {
        requireSize(*e.image, 256);
        images.push_back(iconEntryImage(*e.image));
    }
    Bytes out;
    Writer w(out);
    w.u16(0);
    w.u16(type);
    w.u16(static_cast<unsigned>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Image& image = *entries[i].image;
        w.u8(static_cast<unsigned>(image.width) & 0xFF);  // 256 is stored as 0
        w.u8(static_cast<unsigned>(image.height) & 0xFF);
        w.u8(0);  // no colour table
        w.u8(0);
        w.u16(entries[i].field1);
        w.u16(entries[i].field2);
        w.u32(static_cast<std::uint32_t>(images[i].size()));
        w.u32(offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace

Bytes encodeBmp24(const Image& image) {
    requireSize(image, 0x7FFF);
    const std::size_t rowBytes = stride(image.width, 24);
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * image.height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out;
    out.reserve(offset + pixelBytes);
    Writer w(out);
    fileHeader(w, offset + pixelBytes, offset);
    infoHeader(w, image.width, image.height, 24, pixelBytes, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Pixel p = image.at(x, y);
            w.u8(p.b);
            w.u8(p.g);
            w.u8(p.r);
        }
        w.zeros(rowBytes - static_cast<std::size_t>(image.width) * 3);
    }
    return out;
}

Bytes encodeBmp8(const Image& image) {
    requireSize(image, 0x7FFF);
    // Palette: the most frequent colours, ties broken by colour value so the
    // file does not depend on the order of a hash table.
    std::map<std::uint32_t, std::size_t> counts;
    for (const Pixel& p : image.pixels) ++counts[packRgb(p)];
    std::vector<std::pair<std::uint32_t, std::size_t>> byCount(counts.begin(), counts.end());
    std::stable_sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    if (byCount.size() > 256) byCount.resize(256);
    std::vector<std::uint32_t> palette;
    for (const auto& entry : byCount) palette.push_back(entry.first);

    std::map<std::uint32_t, std::uint8_t> indexOf;
    auto lookup = [&](std::uint32_t colour) {
        auto found = indexOf.find(colour);
        if (found != indexOf.end()) return found->second;
        std::size_t best = 0;
        for (std::size_t i = 1; i < palette.size(); ++i) {
            if (distance(colour, palette[i]) < distance(colour, palette[best])) best = i;
        }
        const auto index = static_cast<std::uint8_t>(best);
        indexOf.emplace(colour, index);
        return index;
    };

    const std::size_t rowBytes = stride(image.width, 8);
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * image.height);
    const std::uint32_t offset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * palette.size());
    Bytes out;
    Writer w(out);
    fileHeader(w, offset + pixelBytes, offset);
    infoHeader(w, image.width, image.height, 8, pixelBytes, static_cast<std::uint32_t>(palette.size()));
    for (std::uint32_t colour : palette) {
        w.u8(colour & 0xFF);
        w.u8((colour >> 8) & 0xFF);
        w.u8((colour >> 16) & 0xFF);
        w.u8(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) w.u8(lookup(packRgb(image.at(x, y))));
        w.zeros(rowBytes - static_cast<std::size_t>(image.width));
    }
    return out;
}

Bytes encodeIcon(const std::vector<Image>& images) {
    std::vector<DirectoryEntry> entries;
    for (const Image& image : images) entries.push_back({&image, 1, 32});
    return iconDirectory(1, entries);
}

Bytes encodeCursor(const std::vector<CursorImage>& images) {
    std::vector<DirectoryEntry> entries;
    for (const CursorImage& c : images) {
        if (c.hotX < 0 || c.hotY < 0 || c.hotX >= c.image.width || c.hotY >= c.image.height) {
            throw std::invalid_argument("cursor hot spot outside the picture");
        }
        entries.push_back({&c.image, static_cast<unsigned>(c.hotX), static_cast<unsigned>(c.hotY)});
    }
    return iconDirectory(2, entries);
}

Bytes packBitmap(const Bytes& bmpFile) {
    if (bmpFile.size() <= kFileHeaderSize + kInfoHeaderSize || bmpFile[0] != 'B' || bmpFile[1] != 'M') {
        throw std::invalid_argument("not a BMP file");
    }
    const std::uint8_t* dib = bmpFile.data() + kFileHeaderSize;
    const uLong dibBytes = static_cast<uLong>(bmpFile.size() - kFileHeaderSize);
    uLongf packedBytes = compressBound(dibBytes);
    Bytes out(scaling::kPackedLengthBytes + packedBytes);
    if (compress2(out.data() + scaling::kPackedLengthBytes, &packedBytes, dib, dibBytes, Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("zlib could not pack a bitmap");
    }
    out.resize(scaling::kPackedLengthBytes + packedBytes);
    for (int i = 0; i < scaling::kPackedLengthBytes; ++i) out[i] = static_cast<std::uint8_t>(dibBytes >> (8 * i));
    return out;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw std::runtime_error("cannot create " + path.string());
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace vandrel::picturegen
