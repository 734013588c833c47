#include "pages/pictures/Generator.h"

#include <fstream>
#include <stdexcept>

#include "pages/Pictures.h"
#include "pages/pictures/Canvas.h"
#include "pages/pictures/ImageFiles.h"
#include "pages/pictures/PictureTable.h"
#include "pages/pictures/Render.h"

namespace vandrel::picturegen {
namespace {

// A letter, the id and an extension. Built by appending: GCC 12 at -O3
// warns falsely (-Wrestrict) about "p" + std::to_string(id).
std::string numberedFile(char letter, int id, const char* extension) {
    std::string name(1, letter);
    name.append(std::to_string(id)).append(extension);
    return name;
}
std::string bitmapFile(int id) { return numberedFile('p', id, ".bmp"); }
std::string iconFile(int id) { return numberedFile('i', id, ".ico"); }
constexpr const char* kCursorFile = "click.cur";

const char* typeName(ResourceType type) {
    switch (type) {
        case ResourceType::Bitmap: return "BITMAP";
        case ResourceType::Icon: return "ICON";
        case ResourceType::Cursor: return "CURSOR";
    }
    return "";
}

Bytes encodeProgramPicture(const ProgramPicture& row) {
    const PictureLayout layout = programPictureLayout(row.number);
    const Image image = renderProgramPicture(row, layout);
    switch (layout.format) {
        case Format::Bmp24: return encodeBmp24(image);
        case Format::Bmp8: return encodeBmp8(image);
        case Format::Icon: return encodeIcon({image});
    }
    throw std::logic_error("unknown picture format");
}

}  // namespace

std::vector<Resource> pictureResources() {
    std::vector<Resource> out;
    out.push_back({pictures::kClickCursor, ResourceType::Cursor, kCursorFile});
    for (int id : {pictures::kNext, pictures::kExit, pictures::kHelp}) {
        out.push_back({id, ResourceType::Bitmap, bitmapFile(id)});
    }
    for (const ProgramPicture& row : programPictureTable()) {
        const int id = pictures::programPicture(row.number);
        if (id == 0) throw std::logic_error("picture table row " + std::to_string(row.number) + " has no resource");
        if (id < pictures::kIconPictureBase) out.push_back({id, ResourceType::Bitmap, bitmapFile(id)});
    }
    out.push_back({pictures::kWindowIcon, ResourceType::Icon, iconFile(pictures::kWindowIcon)});
    for (const ProgramPicture& row : programPictureTable()) {
        const int id = pictures::programPicture(row.number);
        if (id >= pictures::kIconPictureBase) out.push_back({id, ResourceType::Icon, iconFile(id)});
    }
    return out;
}

void writePictures(const std::filesystem::path& folder) {
    requireFonts();
    std::filesystem::create_directories(folder);

    writeFile(folder / kCursorFile, encodeCursor(renderClickCursor(), kCursorHotX, kCursorHotY));
    writeFile(folder / bitmapFile(pictures::kNext), encodeBmp24(renderNext()));
    writeFile(folder / bitmapFile(pictures::kExit), encodeBmp24(renderExit()));
    writeFile(folder / bitmapFile(pictures::kHelp), encodeBmp24(renderHelp()));
    writeFile(folder / iconFile(pictures::kWindowIcon), encodeIcon(renderWindowIcon()));
    for (const ProgramPicture& row : programPictureTable()) {
        const int id = pictures::programPicture(row.number);
        const std::string file = id >= pictures::kIconPictureBase ? iconFile(id) : bitmapFile(id);
        writeFile(folder / file, encodeProgramPicture(row));
    }

    // The script last: the build treats it as the mark that the set is
    // complete.
    std::string script =
        "// The pictures of the program, written by vandrel-picturegen with the\n"
        "// pictures beside it. Do not edit: the build writes it afresh.\n";
    for (const Resource& r : pictureResources()) {
        script += std::to_string(r.id) + " " + typeName(r.type) + " \"" + r.file + "\"\n";
    }
    const std::filesystem::path path = folder / kResourceScript;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << script;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace vandrel::picturegen
