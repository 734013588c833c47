// Functions of Windows newer than XP, found at run time: the program loads
// on every Windows from XP on, and uses a newer function only where the
// system has it, with a fallback where it does not.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vandrel::win32 {

// The function `name` that a loaded library exports, or nullptr.
template <class Function>
Function exportedFunction(HMODULE library, const char* name) {
    if (!library) return nullptr;
    // FARPROC is only the generic function pointer type of GetProcAddress.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The function `name` of a library the program imports (kernel32, user32,
// shell32 ...), or nullptr where this Windows does not have it.
template <class Function>
Function systemFunction(const wchar_t* library, const char* name) {
    return exportedFunction<Function>(GetModuleHandleW(library), name);
}

}  // namespace vandrel::win32
