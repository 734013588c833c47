#include "platform/win32/Dpi.h"

#include "platform/Scaling.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/WinHandles.h"

namespace vandrel::win32 {

namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, not in the headers of XP.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

}  // namespace

bool becomeDpiAware() {
    // Windows 10 1703 on.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (const auto setContext = systemFunction<SetContext>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorAwareV2)) return true;
    }
    // Vista on: the system's resolution.
    using SetAware = BOOL(WINAPI*)();
    const auto setAware = systemFunction<SetAware>(L"user32.dll", "SetProcessDPIAware");
    return setAware && setAware();
}

int systemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : scaling::kDesignDpi;
}

int windowDpi(HWND window) {
    // Windows 10 1607 on; before it, a window is at the system's resolution
    // until the system says otherwise (WM_DPICHANGED, 8.1 on).
    using GetForWindow = UINT(WINAPI*)(HWND);
    if (const auto forWindow = systemFunction<GetForWindow>(L"user32.dll", "GetDpiForWindow")) {
        if (const UINT dpi = forWindow(window); dpi > 0) return static_cast<int>(dpi);
    }
    return systemDpi();
}

int systemMetric(int index, int dpi) {
    // Windows 10 1607 on.
    using ForDpi = int(WINAPI*)(int, UINT);
    if (const auto forDpi = systemFunction<ForDpi>(L"user32.dll", "GetSystemMetricsForDpi")) {
        return forDpi(index, static_cast<UINT>(dpi));
    }
    // Before it the system's metrics are those of the system's resolution.
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

}  // namespace vandrel::win32
