// Writes every picture of the program into a folder, and the resource
// script that names them for the resource compiler.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vandrel::picturegen {

// A bitmap is one packed resource per scale (vandrel::scaling); an icon or
// the cursor is one resource holding an image for every scale.
enum class ResourceType { Bitmap, Icon, Cursor };

struct Resource {
    int id = 0;
    ResourceType type = ResourceType::Bitmap;
    std::string file;  // name inside the folder
    int scale = 0;     // a bitmap's scale in percent; 0 for an icon or the cursor
};

// The resources of the program, by type and id: bitmaps 10 to 12 and one
// per program picture at every scale, the window icon and the icon buttons,
// the cursor.
std::vector<Resource> pictureResources();

// The resource type a resource has in the script: PICTURE100 and so on for
// a bitmap, ICON, CURSOR.
std::string resourceTypeName(const Resource& resource);

// Name of the generated resource script inside the folder.
inline const char* const kResourceScript = "pictures.rc";

// Draws and writes every resource, then the resource script, into the
// folder (made if missing). Throws std::runtime_error on failure.
void writePictures(const std::filesystem::path& folder);

}  // namespace vandrel::picturegen
