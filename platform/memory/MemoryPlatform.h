// An in-memory platform for the unit tests. It keeps what the menu writes
// (settings, files, folders, windows and their controls), records every
// call, and fails any chosen operation on demand. It never asserts: the
// tests do.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Platform.h"

namespace vandrel {

enum class Op {
    ModulePath,
    AnotherCopyRunning,
    StartProgram,
    OpenDocument,
    RunCommand,
    EndProgram,
    ReadSetting,
    WriteSetting,
    FileExists,
    PlainFileExists,
    FolderExists,
    ItemExists,
    DeleteFile,
    CreateFolder,
    DeleteFolderTree,
    TempFolder,
    DesktopFolder,
    CreateShortcut,
    MessageBox,
    CreateWindow,
    CreateControl,
    SetWindowSize,
    SetWindowTitle,
    SetBounds,
    SetText,
    GetText,
    SetEnabled,
    SetVisible,
    SetBackColour,
    SetTooltip,
    ShowWindow,
    HideWindow,
};

const char* opName(Op op);

class MemoryPlatform final : public Platform {
public:
    // ------------------------------------------------------------ set-up
    struct FileFlags {
        bool hidden = false;
        bool system = false;
        bool readOnly = false;
        bool inUse = false;   // cannot be deleted
        bool program = true;  // can be started
        bool link = false;    // a symbolic link or junction
    };
    struct Item {
        Text path;  // as first written
        bool folder = false;
        FileFlags flags;
        Text target;  // shortcut target
    };

    MemoryPlatform();

    // The running executable; its folder is made.
    void setModulePath(TextView path);
    void addFile(TextView path);
    void addFile(TextView path, FileFlags flags);
    void addFolder(TextView path);
    void addFolder(TextView path, FileFlags flags);
    void addPrograms(std::initializer_list<int> numbers);  // "Ten0012.exe" ... in the program folder

    // A new run of the program on the same machine: the windows, the
    // records and the end are gone; files, folders and settings stay.
    void newProcess();

    // The next `times` calls of `op` whose arguments contain `match` fail
    // (times < 0: every call).
    void fail(Op op, TextView match = {}, int times = 1);

    bool otherCopy = false;
    Text temp = L"C:\\Users\\user\\AppData\\Local\\Temp";
    Text desktop = L"C:\\Users\\user\\Desktop";
    Text currentDrive = L"C:";
    // Message box answers, in order. With none left an OK box answers OK
    // and a Yes/No box answers No.
    std::deque<Answer> answers;

    // ------------------------------------------------------------- records
    struct Call {
        Op op;
        Text args;
    };
    struct Box {
        int owner;
        Text text;
        Text title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    struct Control {
        ControlDesign design;
        Bounds bounds;
        Text text;
        bool enabled = true;
        bool visible = true;
        Colour back;
        std::optional<Text> tooltip;
    };
    struct Window {
        WindowDesign design;
        Text title;
        int outerWidth = 0, outerHeight = 0;
        bool visible = false;
        std::map<ControlKey, Control> controls;
    };

    std::vector<Call> calls;
    std::vector<Text> started;
    std::vector<Text> documents;
    std::vector<Text> commands;
    std::vector<Box> boxes;
    std::map<int, Window> windows;
    std::vector<int> zOrder;  // front last
    bool ended = false;
    int exitCode = 0;
    std::optional<Status> fatal;

    // ------------------------------------------------------------- queries
    const Item* item(TextView path) const;
    bool exists(TextView path) const { return item(path) != nullptr; }
    std::optional<Text> setting(TextView app, TextView section, TextView key) const;
    void putSetting(TextView app, TextView section, TextView key, TextView value);
    const Control* control(int page, ControlKey key) const;
    bool visible(int page) const;
    int frontPage() const;  // 0: none visible
    std::size_t count(Op op) const;
    std::size_t count(Op op, TextView match) const;
    // The calls of these operations, in order, as "op args".
    std::vector<std::string> trace(std::initializer_list<Op> ops) const;

    // ------------------------------------------------------------ Platform
    Result<Text> modulePath() override;
    Result<bool> anotherCopyRunning() override;
    Status startProgram(TextView path) override;
    Status openDocument(int ownerPage, TextView path) override;
    Status runCommand(TextView command) override;
    void endProgram(int code) override;
    void fatalExit(const Status& failure) override;
    Result<Text> readSetting(TextView app, TextView section, TextView key) override;
    Status writeSetting(TextView app, TextView section, TextView key, TextView value) override;
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
    Result<Answer> messageBox(int ownerPage, TextView text, TextView title, MessageButtons buttons,
                              MessageIcon icon) override;
    void setEventSink(EventSink* sink) override { sink_ = sink; }
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
    int runEventLoop() override { return exitCode; }

    EventSink* sink() const { return sink_; }

private:
    struct Failure {
        Op op;
        Text match;
        int remaining;
    };

    // Records the call and answers with the failure planned for it, if any.
    Status enter(Op op, Text args);
    Text key(TextView path) const;  // normalised, case-folded
    Control* findControl(int page, ControlKey key);

    Text module_;
    std::map<Text, Item> items_;  // by key()
    std::map<std::tuple<Text, Text, Text>, Text> settings_;
    std::vector<Failure> failures_;
    EventSink* sink_ = nullptr;
};

}  // namespace vandrel
