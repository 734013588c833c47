// Everything the menu asks of the desktop platform, in the terms the menu
// needs. The logic above platform/ sees no Windows type: it talks to this
// interface only. Two implementations exist: platform/win32 (the real
// program) and platform/memory (an in-memory platform for the unit tests).
//
// Conventions:
//  - Text is UTF-16 on Windows (std::wstring); the logic never depends on
//    the width of wchar_t beyond the Basic Multilingual Plane.
//  - Paths are Windows paths, formed by the logic ("C:\\menu" + "\\" + name).
//  - Geometry is in pixels; the logic converts its twips tables once
//    (pages/Layout.h).
//  - All calls are made on the user-interface thread and block.
//  - No operation throws: each returns a Status or a Result (platform/Status.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Controls.h"
#include "platform/Status.h"

namespace vandrel {

using Text = std::wstring;
using TextView = std::wstring_view;

// ---------------------------------------------------------------- controls

enum class ControlKind : std::uint8_t {
    Label,    // static text; reports Click and DblClick
    Button,   // push button drawn by the platform in its own colours, with an
              // optional picture above an optional caption; reports Click
              // (left click or keyboard), and MouseDown when asked to
    TextBox,  // one-line entry box; reports Click
    Frame,    // container; the program buttons are its children
};

// The colours of the system that the pages use (as the user's theme has them).
enum class SystemColour : std::uint8_t { InactiveBorder, ButtonFace };

// A colour of its own (red, green, blue) or one of the system's.
class Colour {
public:
    constexpr Colour() = default;  // black
    static constexpr Colour rgb(unsigned r, unsigned g, unsigned b) { return Colour((r << 16) | (g << 8) | b, false); }
    static constexpr Colour system(SystemColour colour) { return Colour(static_cast<std::uint32_t>(colour), true); }

    constexpr bool isSystem() const { return system_; }
    constexpr SystemColour systemColour() const { return static_cast<SystemColour>(value_); }
    // 0xRRGGBB, for a colour of its own.
    constexpr std::uint32_t rgbValue() const { return value_; }

    friend constexpr auto operator<=>(Colour, Colour) = default;

private:
    constexpr Colour(std::uint32_t value, bool system) : value_(value), system_(system) {}
    std::uint32_t value_ = 0;
    bool system_ = false;
};

inline constexpr Colour kInactiveBorder = Colour::system(SystemColour::InactiveBorder);
inline constexpr Colour kButtonFace = Colour::system(SystemColour::ButtonFace);
inline constexpr Colour kBlack = Colour::rgb(0x00, 0x00, 0x00);
inline constexpr Colour kWhite = Colour::rgb(0xFF, 0xFF, 0xFF);

struct Font {
    const wchar_t* face = nullptr;  // nullptr: the page's default font
    int centipoints = 0;            // 21.75 pt = 2175
    bool bold = false;
    bool italic = false;
};

// A picture built into the program, by its kind and its resource number.
enum class PictureKind : std::uint8_t { None, Bitmap, Icon, Cursor };
struct Picture {
    PictureKind kind = PictureKind::None;
    int resource = 0;

    explicit constexpr operator bool() const { return kind != PictureKind::None; }
    friend constexpr auto operator<=>(Picture, Picture) = default;
};

// A control's place and size in twips (1440 to the inch): the platform
// turns them into the pixels of the monitor the page is on.
struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;  // twips
    friend constexpr bool operator==(const Bounds& a, const Bounds& b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
};

// How a control is made. Left and top are relative to the parent: the page's
// client area, or Frame1 for the program buttons.
struct ControlDesign {
    ControlKey key;
    ControlKind kind = ControlKind::Label;
    bool inFrame = false;  // child of Frame1 rather than of the page
    Bounds bounds;
    Text text;
    Picture picture;  // a bitmap or an icon
    Picture cursor;   // pointer shown over the control (none: the default)
    Colour back = kButtonFace;
    Colour fore = kBlack;
    Font font;
    bool visible = true;
    bool enabled = true;
    bool mouseDown = false;  // report MouseDown with the mouse button
    bool autoSize = false;   // a label that widens to fit its text
    int maxTyped = 0;        // text box: most characters the user may type (0: any)
    // What a screen reader calls the control; empty: its text, as the
    // system has it. The window text stays as it is.
    Text accessibleName;
    // Frame: the controls in it form a grid of this many columns, by index
    // row by row, which the arrow keys walk (platform/GridKeys.h); 0: none.
    int gridColumns = 0;
};

struct WindowDesign {
    Text title;
    int outerWidth = 0, outerHeight = 0;  // twips, frame included
    Colour back = kInactiveBorder;
    Picture icon;
};

// ------------------------------------------------------------------ events

enum class EventKind : std::uint8_t {
    Click,        // button: left click or keyboard activation; label; text box
    DblClick,     // label
    MouseDown,    // button created with mouseDown: any mouse button goes down
    QueryUnload,  // the user asks to close the page window
    EndSession,   // the user's session ends (log off, shut down): the page window goes with it
};

enum MouseButton : std::uint8_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

struct Event {
    int page = 0;  // 1..5
    EventKind kind = EventKind::Click;
    ControlKey control;       // unused for QueryUnload and EndSession
    std::uint8_t button = 0;  // MouseDown: kLeftButton, kRightButton or kMiddleButton
};

class EventSink {
public:
    virtual void onEvent(const Event& event) = 0;

protected:
    ~EventSink() = default;
};

// -------------------------------------------------------------- the platform

// The message boxes the menu shows: their buttons, their icon, the answer.
enum class MessageButtons : std::uint8_t { Ok, YesNo };  // Yes is the default of Yes and No
enum class MessageIcon : std::uint8_t { None, Question, Exclamation };
enum class Answer : std::uint8_t { Ok, Yes, No };

class Platform {
public:
    virtual ~Platform() = default;

    // --- process
    // Full path of the running executable, never truncated.
    virtual Result<Text> modulePath() = 0;
    // Whether another copy of this executable already runs for this user's
    // session. Asking also claims the single-instance token for the life of
    // the process.
    virtual Result<bool> anotherCopyRunning() = 0;
    // Starts a program by its full path with no arguments, in a normal
    // window with the focus, without waiting for it.
    virtual Status startProgram(TextView path) = 0;
    // Opens a document in the application associated with its type, owned
    // by a page window (0: no owner). The "open" verb, no parameters.
    virtual Status openDocument(int ownerPage, TextView path) = 0;
    // Hands a command string (a program, a document or a protocol link) to
    // the shell.
    virtual Status runCommand(TextView command) = 0;
    // Ends the program at once with the exit code; no close events run.
    virtual void endProgram(int exitCode) = 0;
    // Tells the user that the program cannot go on, naming the failed
    // operation, and ends the program with a non-zero exit code.
    virtual void fatalExit(const Status& failure) = 0;

    // --- settings store (per user)
    // The stored string; the empty string when the value, the section or
    // the application is absent, and when the value is not a string (a
    // number or binary data another program stored under the name).
    virtual Result<Text> readSetting(TextView app, TextView section, TextView key) = 0;
    virtual Status writeSetting(TextView app, TextView section, TextView key, TextView value) = 0;

    // --- file system
    // A file (not a folder) exists, whatever its attributes.
    virtual Result<bool> fileExists(TextView path) = 0;
    // A plain file exists: not a folder, not hidden, not system.
    virtual Result<bool> plainFileExists(TextView path) = 0;
    virtual Result<bool> folderExists(TextView path) = 0;
    // Anything visible of that name exists, file or folder (hidden and
    // system items do not count).
    virtual Result<bool> itemExists(TextView path) = 0;
    // Deletes a file, read-only too.
    virtual Status deleteFile(TextView path) = 0;
    virtual Status createFolder(TextView path) = 0;
    // Deletes a folder and all it holds, read-only items too. A link inside
    // (junction or symbolic link) is removed as a link, never followed.
    // Everything that can be removed is removed; the first failure is
    // reported.
    virtual Status deleteFolderTree(TextView path) = 0;
    // The user's temporary folder, without a trailing separator.
    virtual Result<Text> tempFolder() = 0;
    // The user's desktop folder; the empty text when the user has none.
    virtual Result<Text> desktopFolder() = 0;
    // Writes a shortcut file whose only property set is its target path.
    virtual Status createShortcut(TextView linkPath, TextView targetPath) = 0;

    // --- message boxes
    // Modal to the whole menu: no page takes input until it is answered.
    // The answer is the button pressed. Owner 0: no owner window.
    virtual Result<Answer> messageBox(int ownerPage, TextView text, TextView title, MessageButtons buttons,
                                      MessageIcon icon) = 0;

    // --- page windows (page 1..5) and their controls
    virtual void setEventSink(EventSink* sink) = 0;
    // Creates the page's window, hidden.
    virtual Status createWindow(int page, const WindowDesign& design) = 0;
    // Creates a control of a page window; Frame1 before the controls in it.
    virtual Status createControl(int page, const ControlDesign& design) = 0;
    // The outer size in twips, frame included.
    virtual Status setWindowSize(int page, int outerWidth, int outerHeight) = 0;
    virtual Status setWindowTitle(int page, TextView title) = 0;
    virtual Status setBounds(int page, ControlKey control, const Bounds& bounds) = 0;
    virtual Status setText(int page, ControlKey control, TextView text) = 0;
    virtual Result<Text> getText(int page, ControlKey control) = 0;
    virtual Status setEnabled(int page, ControlKey control, bool enabled) = 0;
    virtual Status setVisible(int page, ControlKey control, bool visible) = 0;
    virtual Status setBackColour(int page, ControlKey control, Colour colour) = 0;
    virtual Status setTooltip(int page, ControlKey control, TextView text) = 0;
    // Makes the page visible, in front of the other pages, and active.
    virtual Status showWindow(int page) = 0;
    // Makes the page invisible; nothing is closed.
    virtual Status hideWindow(int page) = 0;
    // Delivers events until the program ends; returns the exit code.
    virtual int runEventLoop() = 0;
};

}  // namespace vandrel
