// Windows path rules, kept here so that they behave the same on every host.
#pragma once

#include "platform/Platform.h"

namespace vandrel {

// The folder of a file path: everything before the last separator. A
// drive root keeps its separator ("C:\\"); any other folder has none.
Text folderOf(TextView filePath);

// `folder` + "\\" + `name`, as plain text. At a drive root this gives two
// separators in a row ("C:\\\\name"), which Windows reads as one.
Text joinPath(TextView folder, TextView name);

// `AppFolder`: the folder of the running menu, asked afresh of the platform.
Result<Text> appFolder(Platform& platform);

// `AppFolder` + "\\" + name.
Result<Text> pathInAppFolder(Platform& platform, TextView name);

}  // namespace vandrel
