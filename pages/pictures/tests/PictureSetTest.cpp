// The generated set as the program sees it: every resource that
// pages/Pictures.h names, of the size and depth its button needs, nothing
// more, no two program pictures alike, and a script the resource compiler
// takes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "pages/Pictures.h"
#include "pages/pictures/Generator.h"
#include "pages/pictures/tests/PictureFiles.h"

namespace vandrel::picturegen {
namespace {

namespace fs = std::filesystem;
using testing::readBmp;
using testing::readBytes;
using testing::readIcon;

struct ScriptEntry {
    std::string type;
    std::string file;
};

class PictureSet : public ::testing::Test {
protected:
    static fs::path folder(const char* name) {
        return fs::temp_directory_path() / ("vandrel-pictures-" + std::to_string(::getpid())) / name;
    }
    static void SetUpTestSuite() { writePictures(folder("set")); }
    static void TearDownTestSuite() { fs::remove_all(folder("set").parent_path()); }

    static fs::path dir() { return folder("set"); }

    // pictures.rc, id by id; a repeated id fails the test.
    static std::map<int, ScriptEntry> script() {
        std::ifstream in(dir() / kResourceScript);
        EXPECT_TRUE(in.good());
        std::map<int, ScriptEntry> entries;
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line.rfind("//", 0) == 0) continue;
            std::istringstream fields(line);
            int id = 0;
            ScriptEntry e;
            fields >> id >> e.type >> e.file;
            EXPECT_TRUE(fields) << line;
            EXPECT_EQ(e.file.front(), '"') << line;
            EXPECT_EQ(e.file.back(), '"') << line;
            e.file = e.file.substr(1, e.file.size() - 2);
            EXPECT_TRUE(entries.emplace(id, e).second) << "id " << id << " twice";
        }
        return entries;
    }

    static fs::path fileOf(int id) { return dir() / script().at(id).file; }
};

// What the program asks for, by resource id.
std::map<int, std::string> wantedResources() {
    std::map<int, std::string> wanted{
        {pictures::kClickCursor, "CURSOR"}, {pictures::kNext, "BITMAP"},     {pictures::kExit, "BITMAP"},
        {pictures::kHelp, "BITMAP"},        {pictures::kWindowIcon, "ICON"},
    };
    for (int n = 0; n < pictures::kProgramCount; ++n) {
        const int id = pictures::programPicture(n);
        if (id != 0) wanted[id] = id < pictures::kIconPictureBase ? "BITMAP" : "ICON";
    }
    return wanted;
}

TEST_F(PictureSet, ScriptNamesExactlyWhatTheProgramAsksFor) {
    const auto entries = script();
    std::map<int, std::string> found;
    std::set<std::string> named{kResourceScript};
    for (const auto& [id, e] : entries) {
        found[id] = e.type;
        EXPECT_TRUE(named.insert(e.file).second) << e.file << " named twice";
    }
    EXPECT_EQ(found, wantedResources());

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
        const fs::path file = fileOf(id);
        if (id >= pictures::kIconPictureBase) {
            const testing::IconFile icon = readIcon(readBytes(file));
            ASSERT_EQ(icon.type, 1u);
            ASSERT_EQ(icon.entries.size(), 1u);
            const int side = n == 292 ? 32 : 48;
            EXPECT_EQ(icon.entries[0].image.width, side);
            EXPECT_EQ(icon.entries[0].image.height, side);
            EXPECT_EQ(icon.entries[0].image.at(0, 0).a, 0) << "an icon's background is transparent";
            continue;
        }
        const testing::Bmp bmp = readBmp(readBytes(file));
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

TEST_F(PictureSet, HeaderPicturesWindowIconAndCursor) {
    struct Header {
        int id, width, height;
    };
    for (Header h :
         {Header{pictures::kNext, 43, 25}, Header{pictures::kExit, 43, 25}, Header{pictures::kHelp, 90, 18}}) {
        SCOPED_TRACE(h.id);
        const testing::Bmp bmp = readBmp(readBytes(fileOf(h.id)));
        EXPECT_EQ(bmp.width, h.width);
        EXPECT_EQ(bmp.height, h.height);
        EXPECT_EQ(bmp.bitsPerPixel, 24);
    }
    const Pixel yellow = readBmp(readBytes(fileOf(pictures::kNext))).image.at(21, 0);
    EXPECT_TRUE(yellow.r > 200 && yellow.g > 200 && yellow.b < 128) << "next is on yellow";
    const Pixel pink = readBmp(readBytes(fileOf(pictures::kExit))).image.at(0, 0);
    EXPECT_TRUE(pink.r > 200 && pink.g < pink.r && pink.b > pink.g) << "exit is on pink";

    const testing::IconFile icon = readIcon(readBytes(fileOf(pictures::kWindowIcon)));
    EXPECT_EQ(icon.type, 1u);
    ASSERT_FALSE(icon.entries.empty());
    EXPECT_EQ(icon.entries[0].image.width, 48);
    EXPECT_EQ(icon.entries[0].image.height, 48);

    const testing::IconFile cursor = readIcon(readBytes(fileOf(pictures::kClickCursor)));
    EXPECT_EQ(cursor.type, 2u);
    ASSERT_EQ(cursor.entries.size(), 1u);
    const testing::IconEntry& c = cursor.entries[0];
    EXPECT_EQ(c.image.width, 16);
    EXPECT_EQ(c.image.height, 16);
    const Pixel tip = c.image.at(static_cast<int>(c.field1), static_cast<int>(c.field2));
    EXPECT_EQ(tip.a, 255) << "the hot spot is on the arrow";
    bool red = false, word = false;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Pixel p = c.image.at(x, y);
            if (p.a == 255 && p.r > 200 && p.g < 64 && y < 10) red = true;
            if (p.a == 255 && p.r < 64 && p.g < 64 && p.b < 64 && y >= 10) word = true;
        }
    }
    EXPECT_TRUE(red) << "a red arrow at the top";
    EXPECT_TRUE(word) << "dark lettering below it";
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
        const Image image = id >= pictures::kIconPictureBase ? readIcon(readBytes(fileOf(id))).entries.at(0).image
                                                             : readBmp(readBytes(fileOf(id))).image;
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
    for (const auto& [id, e] : script()) {
        SCOPED_TRACE(e.file);
        EXPECT_TRUE(readBytes(dir() / e.file) == readBytes(again / e.file));
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
    for (const auto& [id, e] : script()) pictureBytes += fs::file_size(dir() / e.file);
    EXPECT_GT(fs::file_size(object), pictureBytes * 9 / 10) << "the pictures are inside";
}

}  // namespace
}  // namespace vandrel::picturegen
