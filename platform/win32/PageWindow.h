// One page window of the menu and its controls: a top-level window of the
// class "VandrelPage" whose child windows are real Windows controls, each
// with the identifier ControlKey::id(). The program buttons live in a child
// window of the class "VandrelFrame".
#pragma once

#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/GridKeys.h"
#include "platform/Platform.h"
#include "platform/win32/AccessibleButton.h"
#include "platform/win32/ControlStacking.h"
#include "platform/win32/PageTooltips.h"
#include "platform/win32/SharedGraphics.h"
#include "platform/win32/WinHandles.h"

namespace vandrel::win32 {

// The window class of the pages, and the window property that carries the
// page number (1..5) so that tools outside the program can tell pages apart.
inline constexpr wchar_t kPageClass[] = L"VandrelPage";
inline constexpr wchar_t kFrameClass[] = L"VandrelFrame";
inline constexpr wchar_t kPageProperty[] = L"VandrelPage";

// What the pages share: the program, its graphics and where events go.
struct PageEnvironment {
    HINSTANCE instance = nullptr;
    SharedGraphics& graphics;
    EventSink* sink = nullptr;
    AccessibilityFunctions accessibility;  // empty: the buttons have no names of the menu's
};

class PageWindow {
public:
    PageWindow(PageEnvironment& environment, int page) : environment_(environment), page_(page) {}
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;
    ~PageWindow();

    // Registers the two window classes once per process.
    static Status registerClasses(HINSTANCE instance);

    // Makes the window, hidden, at the pages' common place on the screen,
    // laid out for the resolution of the monitor it is on.
    Status create(const WindowDesign& design);
    Status createControl(const ControlDesign& design);

    HWND window() const { return window_; }
    // The dots per inch the page is laid out for.
    int dpi() const { return dpi_; }
    Status setWindowSize(int outerWidth, int outerHeight);
    Status setTitle(TextView title);
    Status setBounds(ControlKey key, const Bounds& bounds);
    Status setText(ControlKey key, TextView text);
    Result<Text> getText(ControlKey key);
    Status setEnabled(ControlKey key, bool enabled);
    Status setVisible(ControlKey key, bool visible);
    Status setBackColour(ControlKey key, Colour colour);
    Status setTooltip(ControlKey key, TextView text);
    Status show();
    Status hide();

    // The page's part of the message loop: keyboard navigation between
    // controls and over the grid of program buttons, and Enter on a focused
    // button. True when the message has been handled.
    bool translateKeys(MSG& message);

private:
    struct Control {
        HWND window = nullptr;
        ControlKind kind = ControlKind::Label;
        Colour back = kButtonFace;
        Colour fore;
        Bounds twips;          // where the page puts it
        Font design;           // the font it is made with ...
        HFONT font = nullptr;  // ... at the page's resolution
        Picture picture;
        Picture cursor;
        bool mouseDown = false;
        bool autoSize = false;
        Text accessibleName;          // empty: the system's name (the window text)
        AccessibleButton accessible;  // a button's, once a screen reader has asked
    };

    static LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT callOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static PageWindow* ownerOf(HWND window);

    LRESULT handlePage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleFrame(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Handlers of the page window.
    void onCommand(int id, int code);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT onControlColour(HDC dc, HWND control);
    bool onSetCursor(HWND target, int hitTest);
    void onActivate(bool active);
    void onEraseBackground(HWND window, HDC dc, Colour colour);
    void onPaintFrame(HWND frame);
    void onDpiChanged(int dpi, const RECT& suggested);
    LRESULT onGetObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The grid of program buttons (PageKeyboard.cpp).
    void addToGrid(int index, HWND button);
    std::optional<int> gridIndexOf(HWND window) const;
    bool onGridKey(HWND target, WPARAM key);
    void onGridFocus(HWND button);
    void beforeUnusable(HWND control);
    void afterUsable(HWND control);
    void moveGridStop(HWND button);

    void deliver(EventKind kind, ControlKey key = {}, std::uint8_t button = 0);
    Control* find(ControlKey key);
    Control* find(HWND window);
    Result<HWND> makeControlWindow(const ControlDesign& design, HWND parent);
    // Twips in the page's pixels.
    int pixels(int twips) const;
    Bounds pixels(const Bounds& twips) const;
    POINT commonPosition(int outerWidth, int outerHeight) const;
    void setIcons();
    // A label that widens to its text, never narrower than the page puts it.
    void fitLabel(const Control& control);
    // Makes every control's place, size and font those of the page's
    // resolution.
    void layOut();

    PageEnvironment& environment_;
    const int page_;
    HWND window_ = nullptr;
    Colour back_ = kInactiveBorder;
    Picture icon_;
    int dpi_ = 96;
    int outerWidth_ = 0, outerHeight_ = 0;  // twips
    std::unordered_map<int, Control> controls_;
    HWND frame_ = nullptr;
    ControlStacking stacking_;
    PageTooltips tooltips_;
    HWND lastFocus_ = nullptr;
    // The program buttons by index, when the frame makes them a grid
    // (ControlDesign::gridColumns). The grid is one stop of the Tab key: the
    // one button that carries WS_TABSTOP, the last one that had the focus.
    int gridColumns_ = 0;
    std::vector<HWND> grid_;
    HWND gridStop_ = nullptr;
};

}  // namespace vandrel::win32
