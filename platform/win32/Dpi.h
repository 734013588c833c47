// The resolution of the monitors the pages are on. The program is DPI-aware:
// per monitor where Windows has it (8.1 on), with the system's resolution on
// Vista to 8, and at 96 dpi on XP, where the system does not scale programs.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vandrel::win32 {

// Tells Windows that the program scales its windows itself, per monitor
// (version 2) where the system has it, otherwise for the system's
// resolution. The manifest says so too; this covers a system that reads
// only one of the two. False when neither call is there or both refuse
// (the manifest's word then stands).
bool becomeDpiAware();

// The dots per inch of the monitor a window is on; the system's where
// Windows cannot tell one monitor from another.
int windowDpi(HWND window);

// The system's dots per inch: that of the primary monitor, where the pages
// are first placed.
int systemDpi();

// A system metric (GetSystemMetrics) at a resolution.
int systemMetric(int index, int dpi);

}  // namespace vandrel::win32
