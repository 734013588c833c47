// What a screen reader is told of the menu's buttons (Active Accessibility):
// the system's own accessible object for the button's window, with the name
// the menu gives the button (its number, its fitting, what it does) and the
// role of a push button. Everything else (state, place, parent, default
// action) is the system's answer, so a disabled button reads as unavailable.
#pragma once

#include "platform/win32/WinHandles.h"

#include <oleacc.h>  // after windows.h

#include <string>

namespace vandrel::win32 {

// The interface's identifier, spelled out: mingw's oleacc import library
// defines IID_IAccessible as an import thunk, not as the identifier.
inline constexpr IID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The functions of oleacc.dll the buttons need. The library is not one that
// Windows protects, so it is loaded at start by its full path in the system
// folder (platform/LibraryLoading.h) and its functions are found at run time;
// where it is missing both are empty and the buttons are left to the system,
// without the menu's names.
struct AccessibilityFunctions {
    using CreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    CreateStandard createStandard = nullptr;      // CreateStdAccessibleObject
    ResultFromObject resultFromObject = nullptr;  // LresultFromObject

    explicit operator bool() const { return createStandard && resultFromObject; }
};

// The functions of the loaded library (nullptr: none).
AccessibilityFunctions accessibilityFunctions(HMODULE oleacc);

class AccessibleButtonObject;

// The accessible object of one button: made on the first request and kept
// with the button, so that every request gets the same object, and cut off
// from the window when the button goes (a screen reader may hold on to it
// longer: it then answers that the button is gone). Move-only.
class AccessibleButton {
public:
    AccessibleButton() = default;
    AccessibleButton(const AccessibleButton&) = delete;
    AccessibleButton& operator=(const AccessibleButton&) = delete;
    AccessibleButton(AccessibleButton&& other) noexcept;
    AccessibleButton& operator=(AccessibleButton&& other) noexcept;
    ~AccessibleButton() { reset(); }

    // The answer to WM_GETOBJECT for the button's client area; 0 when there
    // is none to give (no library, or the system's object cannot be made),
    // and the button's own window procedure should answer.
    LRESULT answer(const AccessibilityFunctions& functions, HWND button, WPARAM wParam, const std::wstring& name);
    // The button's window is going: the object lets go of it.
    void reset();

private:
    AccessibleButtonObject* object_ = nullptr;
};

}  // namespace vandrel::win32
