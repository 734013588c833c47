// The first steps of a start, before page 1 is shown.
#pragma once

#include "platform/Platform.h"

namespace vandrel {

inline constexpr wchar_t kStaleExecutable[] = L"Kestrova.exe";

// `RemoveStaleExecutable`: deletes `AppFolder` + "\\Kestrova.exe" when it
// is a file, read-only too; a folder of that name is left alone.
Status removeStaleExecutable(Platform& platform);

}  // namespace vandrel
