// The desktop shortcut "Orvanto.lnk", flipped at every start.
#pragma once

#include "platform/Platform.h"

namespace vandrel::desktop {

inline constexpr wchar_t kShortcutName[] = L"Orvanto.lnk";
inline constexpr wchar_t kShortcutTarget[] = L"Orvanto.exe";

// `DisktopPASS`: removes the shortcut when a file of its name is on the
// user's desktop, and makes it (target `AppFolder` + "\\Orvanto.exe")
// otherwise. A user without a desktop folder gets no shortcut and no error.
// Stops at the first failure and reports it.
Status flipShortcut(Platform& platform);

// `DisktopPASSx`: deletes the shortcut when present, read-only too.
Status removeShortcut(Platform& platform);

}  // namespace vandrel::desktop
