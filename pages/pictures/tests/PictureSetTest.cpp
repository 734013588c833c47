// The generated set as the program sees it: every resource that
// pages/Pictures.h names at every scale, of the size and depth its button
// needs, nothing more, no two program pictures alike, the larger scales
// drawn afresh rather than enlarged, and a script the resource compiler
// takes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "pages/Pictures.h"
#include "pages/pictures/Generator.h"
#include "pages/pictures/Render.h"
#include "pages/pictures/tests/PictureFiles.h"
#include "platform/Scaling.h"

namespace vandrel::picturegen {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::readIcon;

// A resource of the script: its id and type.
using Key = std::pair<int, std::string>;

std::string packedType(int scale) { return scaling::kPackedBitmapTypePrefix + std::to_string(scale); }

class PictureSet : public ::testing::Test {
protected:
    static fs::path folder(const char* name) {
        return fs::temp_directory_path() / ("vandrel-pictures-" + std::to_string(::getpid())) / name;
    }
    static void SetUpTestSuite() { writePictures(folder("set")); }
    static void TearDownTestSuite() { fs::remove_all(folder("set").parent_path()); }

    static fs::path dir() { return folder("set"); }

    // pictures.rc, file by id and type; a repeated resource fails the test.
    static std::map<Key, std::string> script() {
        std::ifstream in(dir() / kResourceScript);
        EXPECT_TRUE(in.good());
        std::map<Key, std::string> entries;
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line.rfind("//", 0) == 0) continue;
            std::istringstream fields(line);
            Key key;
            std::string file;
            fields >> key.first >> key.second >> file;
            EXPECT_TRUE(fields) << line;
            EXPECT_EQ(file.front(), '"') << line;
            EXPECT_EQ(file.back(), '"') << line;
            EXPECT_TRUE(entries.emplace(key, file.substr(1, file.size() - 2)).second) << line << " twice";
        }
        return entries;
    }

    static fs::path fileOf(int id, const std::string& type) { return dir() / script().at({id, type}); }
    // A bitmap at a scale, unpacked.
    static testing::Bmp bitmap(int id, int scale = 100) {
        return testing::readDib(testing::unpackBitmap(readBytes(fileOf(id, packedType(scale)))));
    }
    static testing::IconFile iconFile(int id) { return readIcon(readBytes(fileOf(id, "ICON"))); }
};

// The bitmaps the program asks for.
std::vector<int> bitmapIds() {
    std::vector<int> ids{pictures::kNext, pictures::kExit, pictures::kHelp};
    for (int n = 0; n < pictures::kProgramCount; ++n) {
        const int id = pictures::programPicture(n);
        if (id != 0 && id < pictures::kIconPictureBase) ids.push_back(id);
    }
    return ids;
}

// What the program asks for: every bitmap at every scale, the icons, the
// cursor.
std::set<Key> wantedResources() {
    std::set<Key> wanted{{pictures::kClickCursor, "CURSOR"}, {pictures::kWindowIcon, "ICON"}};
    for (int id : bitmapIds()) {
        for (int scale : scaling::kPictureScales) wanted.insert({id, packedType(scale)});
    }
    for (int n = 0; n < pictures::kProgramCount; ++n) {
        const int id = pictures::programPicture(n);
        if (id >= pictures::kIconPictureBase) wanted.insert({id, "ICON"});
    }
    return wanted;
}

TEST_F(PictureSet, ScriptNamesExactlyWhatTheProgramAsksFor) {
    const auto entries = script();
    std::set<Key> found;
    std::set<std::string> named{kResourceScript};
    for (const auto& [key, file] : entries) {
        found.insert(key);
        EXPECT_TRUE(named.insert(file).second) << file << " named twice";
    }
    EXPECT_EQ(found, wantedResources());
    EXPECT_EQ(entries.at({1010, "PICTURE150"}), "p1010-150.z");

    std::set<std::string> present;
    for (const fs::directory_entry& f : fs::directory_iterator(dir())) present.insert(f.path().filename().string());
    EXPECT_EQ(present, named);
}

TEST_F(PictureSet, ProgramPicturesHaveTheSizeAndDepthOfTheirPage) {
    std::set<std::pair<int, int>> page4Sizes;
    int page4EightBit = 0;
    for (int n = 0; n < pictures::kProgramCount; ++n) {
        const int id = pictures::programPicture(n);
        if (id == 0) continue;
        SCOPED_TRACE("program " + std::to_string(n));
        const int page = n / 72 + 1, index = n % 72;
        if (id >= pictures::kIconPictureBase) {
            const testing::IconFile icon = iconFile(id);
            ASSERT_EQ(icon.type, 1u);
            ASSERT_EQ(icon.entries.size(), scaling::kPictureScales.size());
            const int side = n == 292 ? 32 : 48;
            for (std::size_t s = 0; s < icon.entries.size(); ++s) {
                const testing::IconEntry& e = icon.entries[s];
                const int scaledSide = scaling::scaled(side, scaling::kPictureScales[s]);
                EXPECT_EQ(std::make_pair(e.width, e.height), std::make_pair(scaledSide, scaledSide));
                EXPECT_EQ(std::make_pair(e.image.width, e.image.height), std::make_pair(scaledSide, scaledSide));
                EXPECT_EQ(e.image.at(0, 0).a, 0) << "an icon's background is transparent";
            }
            continue;
        }
        const testing::Bmp bmp = bitmap(id);
        EXPECT_EQ(bmp.image.at(0, 0), (Pixel{255, 255, 255, 255})) << "white background";
        if (page <= 3) {
            EXPECT_EQ(bmp.width, 62);
            EXPECT_EQ(bmp.height, 74);
            EXPECT_EQ(bmp.bitsPerPixel, 24);
        } else if (page == 4) {
            if (index == 20) {
                EXPECT_EQ(std::make_pair(bmp.width, bmp.height), std::make_pair(40, 37));
            } else if (index == 40) {
                EXPECT_EQ(std::make_pair(bmp.width, bmp.height), std::make_pair(73, 78));
            } else {
                EXPECT_TRUE(bmp.width >= 59 && bmp.width <= 64 && bmp.height >= 71 && bmp.height <= 75)
                    << bmp.width << "x" << bmp.height;
                page4Sizes.insert({bmp.width, bmp.height});
            }
            EXPECT_TRUE(bmp.bitsPerPixel == 24 || bmp.bitsPerPixel == 8);
            if (bmp.bitsPerPixel == 8) ++page4EightBit;
        } else {
            EXPECT_LT(index, pictures::kPage5PictureCount);
            EXPECT_TRUE(bmp.width >= 45 && bmp.width <= 64) << bmp.width;
            EXPECT_EQ(bmp.bitsPerPixel, 24);
        }
    }
    EXPECT_EQ(page4EightBit, 1);
    EXPECT_GE(page4Sizes.size(), 6u) << "page 4's sizes vary";
}

// Every bitmap at every scale: the 100 % size scaled and rounded, the depth
// of its 100 % form, the background of its button; above 100 % only the 64
// levels of six bits a channel, black and white exact among them.
TEST_F(PictureSet, BitmapsAtEveryScaleHaveTheScaledSizeAndTheirDepth) {
    for (int id : bitmapIds()) {
        const testing::Bmp design = bitmap(id);
        for (int scale : scaling::kPictureScales) {
            SCOPED_TRACE("bitmap " + std::to_string(id) + " at " + std::to_string(scale) + " %");
            const testing::Bmp bmp = bitmap(id, scale);
            EXPECT_EQ(bmp.infoSize, 40u);
            EXPECT_EQ(bmp.width, scaling::scaled(design.width, scale));
            EXPECT_EQ(bmp.height, scaling::scaled(design.height, scale));
            EXPECT_EQ(bmp.bitsPerPixel, design.bitsPerPixel);
            EXPECT_EQ(bmp.compression, 0u);
            // The larger scales keep six bits of a channel.
            const Pixel p = bmp.image.at(0, 0), q = design.image.at(0, 0);
            EXPECT_LE(std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)}), 2)
                << "the same background";
            if (scale == 100) continue;
            for (const Pixel& px : bmp.image.pixels) {
                for (std::uint8_t v : {px.r, px.g, px.b}) {
                    const unsigned level = v >> 2;
                    ASSERT_EQ(v, (level << 2) | (level >> 4)) << "a channel off the six-bit levels";
                }
            }
        }
    }
}

TEST_F(PictureSet, HeaderPicturesWindowIconAndCursor) {
    struct Header {
        int id, width, height;
    };
    for (Header h :
         {Header{pictures::kNext, 43, 25}, Header{pictures::kExit, 43, 25}, Header{pictures::kHelp, 90, 18}}) {
        SCOPED_TRACE(h.id);
        const testing::Bmp bmp = bitmap(h.id);
        EXPECT_EQ(bmp.width, h.width);
        EXPECT_EQ(bmp.height, h.height);
        EXPECT_EQ(bmp.bitsPerPixel, 24);
    }
    for (int scale : scaling::kPictureScales) {
        SCOPED_TRACE(scale);
        const Pixel yellow = bitmap(pictures::kNext, scale).image.at(scaling::scaled(21, scale), 0);
        EXPECT_TRUE(yellow.r > 200 && yellow.g > 200 && yellow.b < 128) << "next is on yellow";
        const Pixel pink = bitmap(pictures::kExit, scale).image.at(0, 0);
        EXPECT_TRUE(pink.r > 200 && pink.g < pink.r && pink.b > pink.g) << "exit is on pink";
    }

    const testing::IconFile icon = iconFile(pictures::kWindowIcon);
    EXPECT_EQ(icon.type, 1u);
    ASSERT_EQ(icon.entries.size(), kWindowIconSizes.size());
    for (std::size_t i = 0; i < icon.entries.size(); ++i) {
        const int side = kWindowIconSizes[i];
        EXPECT_EQ(std::make_pair(icon.entries[i].width, icon.entries[i].height), std::make_pair(side, side));
        EXPECT_EQ(std::make_pair(icon.entries[i].image.width, icon.entries[i].image.height),
                  std::make_pair(side, side));
    }

    const testing::IconFile cursor = readIcon(readBytes(fileOf(pictures::kClickCursor, "CURSOR")));
    EXPECT_EQ(cursor.type, 2u);
    ASSERT_EQ(cursor.entries.size(), scaling::kPictureScales.size());
    for (std::size_t i = 0; i < cursor.entries.size(); ++i) {
        const int scale = scaling::kPictureScales[i];
        SCOPED_TRACE("cursor at " + std::to_string(scale) + " %");
        const testing::IconEntry& c = cursor.entries[i];
        const int side = scaling::scaled(16, scale);
        EXPECT_EQ(std::make_pair(c.width, c.height), std::make_pair(side, side));
        EXPECT_EQ(std::make_pair(c.image.width, c.image.height), std::make_pair(side, side));
        EXPECT_EQ(c.field1, static_cast<unsigned>(scaling::scaled(kCursorHotX, scale)));
        EXPECT_EQ(c.field2, static_cast<unsigned>(scaling::scaled(kCursorHotY, scale)));
        const Pixel tip = c.image.at(static_cast<int>(c.field1), static_cast<int>(c.field2));
        EXPECT_EQ(tip.a, 255) << "the hot spot is on the arrow";
        // The arrow above the word, as in the 16 x 16 art: rows 0 to 9 and
        // 10 to 15 there.
        const int wordTop = scaling::scaled(10, scale);
        bool red = false, word = false, redBelow = false;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const Pixel p = c.image.at(x, y);
                const bool isRed = p.a == 255 && p.r > 200 && p.g < 64;
                if (isRed && y < wordTop) red = true;
                if (isRed && y >= wordTop) redBelow = true;
                if (p.a == 255 && p.r < 64 && p.g < 64 && p.b < 64 && y >= wordTop) word = true;
            }
        }
        EXPECT_TRUE(red) << "a red arrow at the top";
        EXPECT_FALSE(redBelow) << "the arrow ends above the word";
        EXPECT_TRUE(word) << "dark lettering below it";
    }
}

// Enlargements of a picture, to tell a picture drawn at a scale from a
// resampled one.
Image nearestUpscale(const Image& from, int w, int h) {
    Image out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) out.at(x, y) = from.at(x * from.width / w, y * from.height / h);
    }
    return out;
}

Image bilinearUpscale(const Image& from, int w, int h) {
    Image out(w, h);
    auto sample = [](double at, int size, int& lo, int& hi, double& t) {
        const double c = std::clamp(at, 0.0, size - 1.0);
        lo = static_cast<int>(c);
        hi = std::min(lo + 1, size - 1);
        t = c - lo;
    };
    for (int y = 0; y < h; ++y) {
        int y0 = 0, y1 = 0;
        double ty = 0;
        sample((y + 0.5) * from.height / h - 0.5, from.height, y0, y1, ty);
        for (int x = 0; x < w; ++x) {
            int x0 = 0, x1 = 0;
            double tx = 0;
            sample((x + 0.5) * from.width / w - 0.5, from.width, x0, x1, tx);
            auto mix = [&](std::uint8_t Pixel::*channel) {
                const double top = from.at(x0, y0).*channel * (1 - tx) + from.at(x1, y0).*channel * tx;
                const double bottom = from.at(x0, y1).*channel * (1 - tx) + from.at(x1, y1).*channel * tx;
                return static_cast<std::uint8_t>(std::lround(top * (1 - ty) + bottom * ty));
            };
            out.at(x, y) = Pixel{mix(&Pixel::r), mix(&Pixel::g), mix(&Pixel::b), mix(&Pixel::a)};
        }
    }
    return out;
}

// The share of pixels that differ plainly (by more than an eighth of the
// range in some channel) between two pictures of one size.
double plainlyDifferent(const Image& a, const Image& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const Pixel p = a.pixels[i], q = b.pixels[i];
        const int most = std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b), std::abs(p.a - q.a)});
        if (most > 32) ++count;
    }
    return static_cast<double>(count) / static_cast<double>(a.pixels.size());
}

// A larger picture is drawn again, its lines and text at their new size,
// not an enlargement of the 100 % one: a few representative pictures (a
// fitting with its number and note, the next button, the window icon)
// differ plainly from both a nearest-neighbour and a bilinear enlargement.
TEST_F(PictureSet, LargerScalesAreDrawnNotEnlarged) {
    struct Case {
        std::string name;
        Image design;
        std::vector<Image> larger;
    };
    std::vector<Case> cases;
    for (int id : {pictures::programPicture(15), pictures::kNext}) {
        Case c{"bitmap " + std::to_string(id), bitmap(id).image, {}};
        for (int scale : {125, 150, 200}) c.larger.push_back(bitmap(id, scale).image);
        cases.push_back(c);
    }
    // The window icon's 32 x 32 image against its 40, 48 and 64 ones.
    const testing::IconFile icon = iconFile(pictures::kWindowIcon);
    Case windowIcon{"window icon", {}, {}};
    for (const testing::IconEntry& e : icon.entries) {
        if (e.width == 32) windowIcon.design = e.image;
        if (e.width == 40 || e.width == 48 || e.width == 64) windowIcon.larger.push_back(e.image);
    }
    cases.push_back(windowIcon);

    for (const Case& c : cases) {
        ASSERT_EQ(c.larger.size(), 3u) << c.name;
        for (const Image& drawn : c.larger) {
            SCOPED_TRACE(c.name + " at " + std::to_string(drawn.width) + " x " + std::to_string(drawn.height));
            EXPECT_GT(plainlyDifferent(drawn, nearestUpscale(c.design, drawn.width, drawn.height)), 0.05);
            EXPECT_GT(plainlyDifferent(drawn, bilinearUpscale(c.design, drawn.width, drawn.height)), 0.05);
        }
    }
}

// The measure itself: an enlargement is not plainly different from itself
// enlarged the same way, and a picture differs from a shifted copy.
TEST(PlainlyDifferent, SeparatesAnEnlargementFromADrawing) {
    Image stripes(10, 10, Pixel{255, 255, 255, 255});
    for (int y = 0; y < 10; ++y) stripes.at(4, y) = Pixel{0, 0, 0, 255};
    const Image nearest = nearestUpscale(stripes, 20, 20);
    EXPECT_EQ(plainlyDifferent(nearest, nearestUpscale(stripes, 20, 20)), 0.0);
    EXPECT_EQ(nearest.at(8, 3), (Pixel{0, 0, 0, 255}));
    EXPECT_EQ(nearest.at(9, 3), (Pixel{0, 0, 0, 255}));
    EXPECT_EQ(nearest.at(10, 3), (Pixel{255, 255, 255, 255}));
    const Image bilinear = bilinearUpscale(stripes, 20, 20);
    EXPECT_EQ(bilinear.at(0, 0), (Pixel{255, 255, 255, 255}));
    EXPECT_LT(bilinear.at(9, 5).r, 128);
    Image moved(20, 20, Pixel{255, 255, 255, 255});
    for (int y = 0; y < 20; ++y) moved.at(14, y) = moved.at(15, y) = Pixel{0, 0, 0, 255};
    EXPECT_DOUBLE_EQ(plainlyDifferent(nearest, moved), 0.2);
}

// No two program pictures alike: neither as a whole nor in the drawing
// alone (the band of the number set aside), so that two rows of the table
// drawing the same fitting show.
TEST_F(PictureSet, NoTwoProgramPicturesAlike) {
    // The keys are strings of bytes: GCC 12 at -O3 warns falsely
    // (-Wstringop-overread) about comparing vectors of them in a map.
    std::map<std::string, int> whole, drawings;
    auto key = [](const Image& image, int rows) {
        std::string k{static_cast<char>(image.width), static_cast<char>(image.height)};
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const Pixel p = image.at(x, y);
                k.append(
                    {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b), static_cast<char>(p.a)});
            }
        }
        return k;
    };
    int count = 0;
    for (int n = 0; n < pictures::kProgramCount; ++n) {
        const int id = pictures::programPicture(n);
        if (id == 0) continue;
        ++count;
        const Image image = id >= pictures::kIconPictureBase ? iconFile(id).entries.at(0).image : bitmap(id).image;
        const auto [w, fresh] = whole.emplace(key(image, image.height), n);
        EXPECT_TRUE(fresh) << n << " looks exactly like " << w->second;
        const int numberBand = 14;
        const auto [d, freshDrawing] = drawings.emplace(key(image, std::max(1, image.height - numberBand)), n);
        EXPECT_TRUE(freshDrawing) << n << " draws the same as " << d->second;
    }
    EXPECT_EQ(count, 306);
}

TEST_F(PictureSet, SameTableDrawsTheSameBytes) {
    const fs::path again = folder("again");
    writePictures(again);
    for (const auto& [key, file] : script()) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(readBytes(dir() / file) == readBytes(again / file));
    }
    EXPECT_TRUE(readBytes(dir() / kResourceScript) == readBytes(again / kResourceScript));
}

TEST_F(PictureSet, ResourceCompilerTakesTheScript) {
    const std::string windres = "x86_64-w64-mingw32-windres";
    if (std::system((windres + " --version >/dev/null 2>&1").c_str()) != 0) GTEST_SKIP() << windres << " missing";
    const fs::path object = folder("pictures.o");
    const std::string command = windres + " -I '" + dir().string() + "' -O coff -o '" + object.string() + "' '" +
                                (dir() / kResourceScript).string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::uintmax_t pictureBytes = 0;
    for (const auto& [key, file] : script()) pictureBytes += fs::file_size(dir() / file);
    EXPECT_GT(fs::file_size(object), pictureBytes * 9 / 10) << "the pictures are inside";
}

}  // namespace
}  // namespace vandrel::picturegen
