#include "pages/pictures/Generator.h"

#include <fstream>
#include <stdexcept>

#include "pages/Pictures.h"
#include "pages/pictures/Canvas.h"
#include "pages/pictures/ImageFiles.h"
#include "pages/pictures/PictureTable.h"
#include "pages/pictures/Render.h"
#include "platform/Scaling.h"

namespace vandrel::picturegen {
namespace {

// A letter, the id and an extension. Built by appending: GCC 12 at -O3
// warns falsely (-Wrestrict) about "p" + std::to_string(id).
std::string numberedFile(char letter, int id, const char* extension) {
    std::string name(1, letter);
    name.append(std::to_string(id)).append(extension);
    return name;
}
// p1010-150.z: picture 1010 at 150 %, packed.
std::string bitmapFile(int id, int scale) {
    std::string name = numberedFile('p', id, "-");
    name.append(std::to_string(scale)).append(".z");
    return name;
}
std::string iconFile(int id) { return numberedFile('i', id, ".ico"); }
constexpr const char* kCursorFile = "click.cur";

const ProgramPicture& programRow(int id) {
    for (const ProgramPicture& row : programPictureTable()) {
        if (pictures::programPicture(row.number) == id) return row;
    }
    throw std::logic_error("no picture table row for resource " + std::to_string(id));
}

// Above 100 % a bitmap keeps six bits of each channel, widened again to the
// full range so that black and white stay exact. The steps are too fine to
// see in these drawings, and zlib packs their shading some 40 % smaller:
// with all the scales the program stays within its size. The 100 %
// pictures keep every bit, as they always have.
Image forScale(Image image, int scale) {
    if (scale == 100) return image;
    auto six = [](std::uint8_t v) {
        const unsigned level = (v * 63u + 127u) / 255u;
        return static_cast<std::uint8_t>((level << 2) | (level >> 4));
    };
    for (Pixel& p : image.pixels) p = Pixel{six(p.r), six(p.g), six(p.b), p.a};
    return image;
}

// The BMP file of a bitmap resource at a scale.
Bytes bitmapAt(int id, int scale) {
    switch (id) {
        case pictures::kNext: return encodeBmp24(forScale(renderNext(scale), scale));
        case pictures::kExit: return encodeBmp24(forScale(renderExit(scale), scale));
        case pictures::kHelp: return encodeBmp24(forScale(renderHelp(scale), scale));
        default: break;
    }
    const ProgramPicture& row = programRow(id);
    const PictureLayout layout = programPictureLayout(row.number);
    const Image image = forScale(renderProgramPicture(row, layout, scale), scale);
    switch (layout.format) {
        case Format::Bmp24: return encodeBmp24(image);
        case Format::Bmp8: return encodeBmp8(image);
        case Format::Icon: break;
    }
    throw std::logic_error("resource " + std::to_string(id) + " is not a bitmap");
}

Bytes iconFileOf(int id) {
    std::vector<Image> images;
    if (id == pictures::kWindowIcon) {
        for (int size : kWindowIconSizes) images.push_back(renderWindowIcon(size));
    } else {
        const ProgramPicture& row = programRow(id);
        const PictureLayout layout = programPictureLayout(row.number);
        for (int scale : scaling::kPictureScales) images.push_back(renderProgramPicture(row, layout, scale));
    }
    return encodeIcon(images);
}

Bytes cursorFile() {
    std::vector<CursorImage> images;
    for (int scale : scaling::kPictureScales) {
        images.push_back(
            {renderClickCursor(scale), scaling::scaled(kCursorHotX, scale), scaling::scaled(kCursorHotY, scale)});
    }
    return encodeCursor(images);
}

}  // namespace

std::vector<Resource> pictureResources() {
    std::vector<Resource> out;
    out.push_back({pictures::kClickCursor, ResourceType::Cursor, kCursorFile});
    std::vector<int> bitmaps{pictures::kNext, pictures::kExit, pictures::kHelp};
    std::vector<int> icons{pictures::kWindowIcon};
    for (const ProgramPicture& row : programPictureTable()) {
        const int id = pictures::programPicture(row.number);
        if (id == 0) throw std::logic_error("picture table row " + std::to_string(row.number) + " has no resource");
        (id < pictures::kIconPictureBase ? bitmaps : icons).push_back(id);
    }
    for (int scale : scaling::kPictureScales) {
        for (int id : bitmaps) out.push_back({id, ResourceType::Bitmap, bitmapFile(id, scale), scale});
    }
    for (int id : icons) out.push_back({id, ResourceType::Icon, iconFile(id)});
    return out;
}

std::string resourceTypeName(const Resource& resource) {
    switch (resource.type) {
        case ResourceType::Bitmap: return scaling::kPackedBitmapTypePrefix + std::to_string(resource.scale);
        case ResourceType::Icon: return "ICON";
        case ResourceType::Cursor: return "CURSOR";
    }
    return "";
}

void writePictures(const std::filesystem::path& folder) {
    requireFonts();
    std::filesystem::create_directories(folder);

    const std::vector<Resource> resources = pictureResources();
    for (const Resource& r : resources) {
        switch (r.type) {
            case ResourceType::Bitmap: writeFile(folder / r.file, packBitmap(bitmapAt(r.id, r.scale))); break;
            case ResourceType::Icon: writeFile(folder / r.file, iconFileOf(r.id)); break;
            case ResourceType::Cursor: writeFile(folder / r.file, cursorFile()); break;
        }
    }

    // The script last: the build treats it as the mark that the set is
    // complete.
    std::string script =
        "// The pictures of the program, written by vandrel-picturegen with the\n"
        "// pictures beside it. Do not edit: the build writes it afresh.\n";
    for (const Resource& r : resources) {
        script += std::to_string(r.id) + " " + resourceTypeName(r) + " \"" + r.file + "\"\n";
    }
    const std::filesystem::path path = folder / kResourceScript;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << script;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace vandrel::picturegen
