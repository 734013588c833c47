// The menu's platform on Windows: processes, the per-user settings in the
// registry, the file system, the shell, message boxes and the page windows.
// Every operation reports a failed Windows call as a Status naming the call
// and its error code; none throws.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "platform/Platform.h"
#include "platform/win32/PageWindow.h"
#include "platform/win32/SharedGraphics.h"
#include "platform/win32/WinHandles.h"

namespace vandrel::win32 {

class Win32Platform final : public Platform {
public:
    // `instance`: the module whose resources hold the pictures;
    // `accessibility`: what names the buttons for screen readers (none:
    // the system's names only).
    explicit Win32Platform(HINSTANCE instance, const AccessibilityFunctions& accessibility = {});
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;
    ~Win32Platform() override;

    // --- process
    Result<Text> modulePath() override;
    Result<bool> anotherCopyRunning() override;
    Status startProgram(TextView path) override;
    Status openDocument(int ownerPage, TextView path) override;
    Status runCommand(TextView command) override;
    [[noreturn]] void endProgram(int exitCode) override;
    [[noreturn]] void fatalExit(const Status& failure) override;

    // --- settings store
    Result<Text> readSetting(TextView app, TextView section, TextView key) override;
    Status writeSetting(TextView app, TextView section, TextView key, TextView value) override;

    // --- file system
    Result<bool> fileExists(TextView path) override;
    Result<bool> plainFileExists(TextView path) override;
    Result<bool> folderExists(TextView path) override;
    Result<bool> itemExists(TextView path) override;
    Status deleteFile(TextView path) override;
    Status createFolder(TextView path) override;
    Status deleteFolderTree(TextView path) override;
    Result<Text> tempFolder() override;
    Result<Text> desktopFolder() override;
    Status createShortcut(TextView linkPath, TextView targetPath) override;

    // --- message boxes
    Result<Answer> messageBox(int ownerPage, TextView text, TextView title, MessageButtons buttons,
                              MessageIcon icon) override;

    // --- page windows
    void setEventSink(EventSink* sink) override;
    Status createWindow(int page, const WindowDesign& design) override;
    Status createControl(int page, const ControlDesign& design) override;
    Status setWindowSize(int page, int outerWidth, int outerHeight) override;
    Status setWindowTitle(int page, TextView title) override;
    Status setBounds(int page, ControlKey control, const Bounds& bounds) override;
    Status setText(int page, ControlKey control, TextView text) override;
    Result<Text> getText(int page, ControlKey control) override;
    Status setEnabled(int page, ControlKey control, bool enabled) override;
    Status setVisible(int page, ControlKey control, bool visible) override;
    Status setBackColour(int page, ControlKey control, Colour colour) override;
    Status setTooltip(int page, ControlKey control, TextView text) override;
    Status showWindow(int page) override;
    Status hideWindow(int page) override;
    int runEventLoop() override;

    // The window of a page, or nullptr before it is made.
    HWND pageWindow(int page) const;
    // One step of what the event loop does while there is no input: false
    // when nothing is left to do for now (SharedGraphics::prepareOnePicture).
    bool idleStep() { return graphics_.prepareOnePicture(); }

private:
    static constexpr int kPages = 5;

    // The page's window object, or nullptr when the page has no window.
    PageWindow* page(int number) const;

    ComApartment com_;
    HINSTANCE instance_;
    SharedGraphics graphics_;
    PageEnvironment environment_;
    // After the graphics and the environment: the windows go first.
    std::array<std::unique_ptr<PageWindow>, kPages> pages_;
    // Held for the life of the process: while it exists, other copies of
    // this executable know that this one runs.
    UniqueHandle instanceToken_;
    std::optional<bool> anotherCopy_;
    bool classesRegistered_ = false;
};

}  // namespace vandrel::win32
