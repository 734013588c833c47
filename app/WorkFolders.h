// The working folders that exist while the menu runs, and the close
// sequence that removes them.
#pragma once

#include "platform/Platform.h"

namespace vandrel {

inline constexpr wchar_t kTempWorkFolderName[] = L"ZOV_Temp";
inline constexpr wchar_t kFixedWorkFolder[] = L"C:\\vurov";
inline constexpr wchar_t kRootWorkFolder[] = L"\\Zaviz";  // at the root of the current drive

// Each makes its folder when missing and reports a failure to the caller.
Status createTempWorkFolder(Platform& platform);
Status createFixedWorkFolder(Platform& platform);
Status createRootWorkFolder(Platform& platform);

// Each removes its folder with everything in it, when present. What can be
// removed is removed; links inside are removed, never followed.
Status removeTempWorkFolder(Platform& platform);
Status removeFixedWorkFolder(Platform& platform);

// `CloseSession`: a page window is being closed. Removes the temporary and
// the fixed folder (the root folder stays) and ends the program. It always
// ends quietly: a folder that cannot be removed, in part or at all, is left.
void closeSession(Platform& platform);

}  // namespace vandrel
