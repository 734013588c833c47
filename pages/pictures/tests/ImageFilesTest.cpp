// The BMP, icon and cursor writers: the bytes read back to the same pixels,
// the headers say what Windows and ImageMagick expect, bad input is refused.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "pages/pictures/ImageFiles.h"
#include "pages/pictures/tests/PictureFiles.h"

namespace vandrel::picturegen {
namespace {

using testing::readBmp;
using testing::readIcon;

// Every pixel a different colour, so that a swapped channel, a flipped row
// or a lost padding byte shows.
Image pattern(int w, int h, bool withAlpha = false) {
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.at(x, y) = Pixel{static_cast<std::uint8_t>(x * 37 + y * 5), static_cast<std::uint8_t>(200 - y * 13),
                                   static_cast<std::uint8_t>(x * 3 + y * 71),
                                   static_cast<std::uint8_t>(withAlpha ? (x + y) % 3 * 127 : 255)};
        }
    }
    return image;
}

std::size_t stride(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

TEST(Bmp24, ReadsBackBottomUpWithPaddedRows) {
    for (int width : {1, 2, 3, 4, 5, 62, 73}) {
        SCOPED_TRACE(width);
        const Image image = pattern(width, 3);
        const Bytes bytes = encodeBmp24(image);
        const testing::Bmp bmp = readBmp(bytes);
        EXPECT_EQ(bmp.fileSizeField, bytes.size());
        EXPECT_EQ(bmp.pixelOffset, 54u);
        EXPECT_EQ(bmp.infoSize, 40u);
        EXPECT_EQ(bmp.width, width);
        EXPECT_EQ(bmp.height, 3);  // positive: rows stored from the bottom
        EXPECT_EQ(bmp.bitsPerPixel, 24);
        EXPECT_EQ(bmp.compression, 0u);
        EXPECT_EQ(bmp.imageSize, stride(width, 24) * 3);
        EXPECT_EQ(bytes.size(), 54 + stride(width, 24) * 3);
        EXPECT_EQ(bmp.image.pixels, image.pixels);
    }
}

TEST(Bmp8, KeepsUpTo256ColoursExactly) {
    const Image image = pattern(16, 16);  // 256 different colours
    const testing::Bmp bmp = readBmp(encodeBmp8(image));
    EXPECT_EQ(bmp.bitsPerPixel, 8);
    EXPECT_EQ(bmp.coloursUsed, 256u);
    EXPECT_EQ(bmp.pixelOffset, 54u + 4 * 256);
    EXPECT_EQ(bmp.image.pixels, image.pixels);

    const Image few = Image(5, 2, Pixel{10, 20, 30, 255});
    const testing::Bmp small = readBmp(encodeBmp8(few));
    EXPECT_EQ(small.coloursUsed, 1u);
    EXPECT_EQ(small.image.pixels, few.pixels);
}

TEST(Bmp8, GivesRareColoursTheNearestFrequentOne) {
    // 256 greys, each twice, and 40 rare shades one step redder than a grey.
    Image image(552, 1);
    int x = 0;
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        image.at(x++, 0) = Pixel{v, v, v, 255};
        image.at(x++, 0) = Pixel{v, v, v, 255};
    }
    for (int i = 0; i < 40; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 6);
        image.at(x++, 0) = Pixel{static_cast<std::uint8_t>(v + 1), v, v, 255};
    }
    const testing::Bmp bmp = readBmp(encodeBmp8(image));
    EXPECT_EQ(bmp.coloursUsed, 256u);
    for (int i = 0; i < 512; ++i) EXPECT_EQ(bmp.image.at(i, 0), image.at(i, 0)) << i;
    for (int i = 0; i < 40; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 6);
        EXPECT_EQ(bmp.image.at(512 + i, 0), (Pixel{v, v, v, 255})) << i;
    }
}

TEST(Icon, HoldsEachSizeWithItsAlphaAndMask) {
    const std::vector<Image> images{pattern(48, 48, true), pattern(32, 32, true), pattern(16, 16, true)};
    const Bytes bytes = encodeIcon(images);
    const testing::IconFile icon = readIcon(bytes);
    EXPECT_EQ(icon.type, 1u);
    ASSERT_EQ(icon.entries.size(), 3u);
    std::uint32_t next = 6 + 16 * 3;
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        const testing::IconEntry& e = icon.entries[i];
        EXPECT_EQ(e.width, images[i].width);
        EXPECT_EQ(e.height, images[i].height);
        EXPECT_EQ(e.field1, 1u);   // planes
        EXPECT_EQ(e.field2, 32u);  // bits per pixel
        EXPECT_EQ(e.offset, next);
        next += e.bytes;
        EXPECT_EQ(e.dibWidth, images[i].width);
        EXPECT_EQ(e.dibHeight, 2 * images[i].height);  // colour and mask
        EXPECT_EQ(e.image.pixels, images[i].pixels);
        for (std::size_t p = 0; p < e.mask.size(); ++p) {
            ASSERT_EQ(e.mask[p], images[i].pixels[p].a == 0) << p;
        }
    }
    EXPECT_EQ(next, bytes.size());
}

TEST(Icon, StoresSize256AsZero) {
    const Bytes bytes = encodeIcon({Image(256, 256, Pixel{1, 2, 3, 255})});
    EXPECT_EQ(bytes[6], 0);
    EXPECT_EQ(bytes[7], 0);
    EXPECT_EQ(readIcon(bytes).entries.at(0).image.width, 256);
}

TEST(Cursor, HoldsEachSizeWithItsOwnHotSpot) {
    const std::vector<CursorImage> images{
        {pattern(16, 16, true), 3, 11}, {pattern(20, 20, true), 4, 14}, {pattern(32, 32, true), 6, 22}};
    const Bytes bytes = encodeCursor(images);
    const testing::IconFile cursor = readIcon(bytes);
    EXPECT_EQ(cursor.type, 2u);
    ASSERT_EQ(cursor.entries.size(), images.size());
    std::uint32_t next = 6 + 16 * 3;
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        const testing::IconEntry& e = cursor.entries[i];
        EXPECT_EQ(e.width, images[i].image.width);
        EXPECT_EQ(e.height, images[i].image.height);
        EXPECT_EQ(e.field1, static_cast<unsigned>(images[i].hotX));
        EXPECT_EQ(e.field2, static_cast<unsigned>(images[i].hotY));
        EXPECT_EQ(e.offset, next);
        next += e.bytes;
        EXPECT_EQ(e.dibHeight, 2 * images[i].image.height);
        EXPECT_EQ(e.image.pixels, images[i].image.pixels);
    }
    EXPECT_EQ(next, bytes.size());
}

// The packed form holds the BMP file's bytes after its file header, which
// is what a bitmap resource holds.
TEST(PackedBitmap, UnpacksToTheDibOfTheFile) {
    for (const Bytes& file : {encodeBmp24(pattern(62, 74)), encodeBmp8(pattern(16, 16)), encodeBmp24(pattern(1, 1))}) {
        const Bytes packed = packBitmap(file);
        const Bytes dib(file.begin() + 14, file.end());
        EXPECT_EQ(testing::u32(packed, 0), dib.size()) << "the length in front, little-endian";
        EXPECT_EQ(packed[4], 0x78) << "a zlib stream";
        EXPECT_EQ(packed[5], 0xDA) << "at the best compression";
        EXPECT_EQ(testing::unpackBitmap(packed), dib);
    }
    // A picture of few colours packs to a small part of itself.
    const Bytes plain = encodeBmp24(Image(62, 74, Pixel{255, 255, 255, 255}));
    EXPECT_LT(packBitmap(plain).size(), plain.size() / 20);
}

TEST(Writers, RefuseWhatTheFormatsCannotHold) {
    EXPECT_THROW(encodeBmp24(Image()), std::invalid_argument);
    EXPECT_THROW(encodeBmp8(Image(0, 5)), std::invalid_argument);
    EXPECT_THROW(encodeIcon({}), std::invalid_argument);
    EXPECT_THROW(encodeIcon({Image(257, 16)}), std::invalid_argument);
    EXPECT_THROW(encodeCursor({{Image(16, 16), 16, 0}}), std::invalid_argument);
    EXPECT_THROW(encodeCursor({{Image(16, 16), 0, 0}, {Image(20, 20), 0, -1}}), std::invalid_argument);
    EXPECT_THROW(encodeCursor({}), std::invalid_argument);
    EXPECT_THROW(packBitmap(Bytes{}), std::invalid_argument);
    const Bytes icon = encodeIcon({Image(16, 16)});
    EXPECT_THROW(packBitmap(icon), std::invalid_argument);
}

// ImageMagick, a reader written by others, sees the same format, size and
// colour class.
TEST(Writers, ImageMagickReadsThem) {
    if (std::system("identify -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's identify is missing";
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vandrel-imagefiles-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    struct Case {
        const char* file;
        Bytes bytes;
        const char* expected;
    };
    const Case cases[] = {
        {"a.bmp", encodeBmp24(pattern(62, 74)), "BMP3 62 74 DirectClass\n"},
        {"b.bmp", encodeBmp8(pattern(16, 16)), "BMP3 16 16 PseudoClass\n"},
        {"c.ico", encodeIcon({pattern(48, 48, true), pattern(16, 16, true)}),
         "ICO 48 48 DirectClass\nICO 16 16 DirectClass\n"},
        {"d.cur", encodeCursor({{pattern(16, 16, true), 0, 0}, {pattern(24, 24, true), 0, 0}}),
         "CUR 16 16 DirectClass\nCUR 24 24 DirectClass\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        writeFile(dir / c.file, c.bytes);
        const std::string command = "identify -format '%m %w %h %r\\n' '" + (dir / c.file).string() + "' 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        ASSERT_TRUE(pipe);
        std::string out;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
        // The class is followed by the colour space ("DirectClass sRGB"): keep the first word.
        std::string shortened;
        std::size_t start = 0;
        while (start < out.size()) {
            std::size_t end = out.find('\n', start);
            if (end == std::string::npos) end = out.size();
            const std::string line = out.substr(start, end - start);
            const std::size_t cls = line.find("Class");
            shortened += (cls == std::string::npos ? line : line.substr(0, cls + 5)) + "\n";
            start = end + 1;
        }
        EXPECT_EQ(shortened, c.expected);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vandrel::picturegen
