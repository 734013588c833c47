#include "platform/memory/MemoryPlatform.h"

#include <algorithm>
#include <cwctype>

namespace vandrel {

namespace {

std::string narrow(TextView text) {
    // Enough for the traces: UTF-8 of the Basic Multilingual Plane.
    std::string out;
    for (wchar_t wc : text) {
        const auto c = static_cast<std::uint32_t>(wc);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

Text join(std::initializer_list<TextView> parts) {
    Text out;
    for (TextView part : parts) {
        if (!out.empty()) out += L" | ";
        out.append(part);
    }
    return out;
}

// "3:Command1(5)": the page and the control, as the records name them.
Text controlName(int page, ControlKey key) { return std::to_wstring(page) + L":" + vandrel::controlName(key); }

}  // namespace

const char* opName(Op op) {
    switch (op) {
        case Op::ModulePath: return "modulePath";
        case Op::AnotherCopyRunning: return "anotherCopyRunning";
        case Op::StartProgram: return "startProgram";
        case Op::OpenDocument: return "openDocument";
        case Op::RunCommand: return "runCommand";
        case Op::EndProgram: return "endProgram";
        case Op::ReadSetting: return "readSetting";
        case Op::WriteSetting: return "writeSetting";
        case Op::FileExists: return "fileExists";
        case Op::PlainFileExists: return "plainFileExists";
        case Op::FolderExists: return "folderExists";
        case Op::ItemExists: return "itemExists";
        case Op::DeleteFile: return "deleteFile";
        case Op::CreateFolder: return "createFolder";
        case Op::DeleteFolderTree: return "deleteFolderTree";
        case Op::TempFolder: return "tempFolder";
        case Op::DesktopFolder: return "desktopFolder";
        case Op::CreateShortcut: return "createShortcut";
        case Op::MessageBox: return "messageBox";
        case Op::CreateWindow: return "createWindow";
        case Op::CreateControl: return "createControl";
        case Op::SetWindowSize: return "setWindowSize";
        case Op::SetWindowTitle: return "setWindowTitle";
        case Op::SetBounds: return "setBounds";
        case Op::SetText: return "setText";
        case Op::GetText: return "getText";
        case Op::SetEnabled: return "setEnabled";
        case Op::SetVisible: return "setVisible";
        case Op::SetBackColour: return "setBackColour";
        case Op::SetTooltip: return "setTooltip";
        case Op::ShowWindow: return "showWindow";
        case Op::HideWindow: return "hideWindow";
    }
    return "?";
}

MemoryPlatform::MemoryPlatform() {
    setModulePath(L"C:\\Program Files\\Vandrel\\Vandrel.exe");
    addFolder(temp);
    addFolder(desktop);
}

// ------------------------------------------------------------------ set-up

void MemoryPlatform::setModulePath(TextView path) {
    module_ = Text(path);
    const auto cut = module_.find_last_of(L'\\');
    if (cut != Text::npos && cut > 2) addFolder(module_.substr(0, cut));
    addFile(module_);
}

void MemoryPlatform::addFile(TextView path) { addFile(path, FileFlags{}); }
void MemoryPlatform::addFolder(TextView path) { addFolder(path, FileFlags{}); }

void MemoryPlatform::addFile(TextView path, FileFlags flags) {
    const auto cut = path.find_last_of(L'\\');
    if (cut != TextView::npos && cut > 2 && item(path.substr(0, cut)) == nullptr) addFolder(path.substr(0, cut));
    items_[key(path)] = Item{Text(path), false, flags, {}};
}

void MemoryPlatform::addFolder(TextView path, FileFlags flags) {
    // Parents are made too, as a test would expect of a fixture.
    const Text k = key(path);
    for (std::size_t i = 3; i < k.size(); ++i) {
        if (k[i] == L'\\' && !items_.count(k.substr(0, i))) {
            items_[k.substr(0, i)] = Item{Text(path.substr(0, i)), true, {}, {}};
        }
    }
    items_[k] = Item{Text(path), true, flags, {}};
}

void MemoryPlatform::addPrograms(std::initializer_list<int> numbers) {
    const Text folder = module_.substr(0, module_.find_last_of(L'\\'));
    for (int n : numbers) {
        Text name = L"Ten0000.exe";
        for (int d = 6, rest = n; d >= 3; --d, rest /= 10) name[d] = static_cast<wchar_t>(L'0' + rest % 10);
        addFile(folder + L"\\" + name);
    }
}

void MemoryPlatform::newProcess() {
    calls.clear();
    started.clear();
    documents.clear();
    commands.clear();
    boxes.clear();
    windows.clear();
    zOrder.clear();
    ended = false;
    exitCode = 0;
    fatal.reset();
    sink_ = nullptr;
}

void MemoryPlatform::fail(Op op, TextView match, int times) { failures_.push_back(Failure{op, Text(match), times}); }

// ----------------------------------------------------------------- queries

Text MemoryPlatform::key(TextView path) const {
    Text p(path);
    if (!p.empty() && p[0] == L'\\' && (p.size() < 2 || p[1] != L'\\')) p = currentDrive + p;
    Text out;
    for (wchar_t c : p) {
        if (c == L'/') c = L'\\';
        if (c == L'\\' && !out.empty() && out.back() == L'\\') continue;  // "C:\\\\x" reads as "C:\\x"
        out += static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    }
    while (out.size() > 3 && out.back() == L'\\') out.pop_back();
    if (out.size() == 3 && out[1] == L':' && out[2] == L'\\') out.pop_back();  // "C:\\" is "C:"
    return out;
}

const MemoryPlatform::Item* MemoryPlatform::item(TextView path) const {
    const Text k = key(path);
    if (k.size() == 2 && k[1] == L':') {
        static const Item root{L"", true, {}, {}};
        return k == key(currentDrive) || k == L"C:" ? &root : nullptr;
    }
    const auto it = items_.find(k);
    return it == items_.end() ? nullptr : &it->second;
}

std::optional<Text> MemoryPlatform::setting(TextView app, TextView section, TextView key) const {
    const auto it = settings_.find({Text(app), Text(section), Text(key)});
    if (it == settings_.end()) return std::nullopt;
    return it->second;
}

void MemoryPlatform::putSetting(TextView app, TextView section, TextView key, TextView value) {
    settings_[{Text(app), Text(section), Text(key)}] = Text(value);
}

const MemoryPlatform::Control* MemoryPlatform::control(int page, ControlKey key) const {
    const auto w = windows.find(page);
    if (w == windows.end()) return nullptr;
    const auto c = w->second.controls.find(key);
    return c == w->second.controls.end() ? nullptr : &c->second;
}

MemoryPlatform::Control* MemoryPlatform::findControl(int page, ControlKey key) {
    return const_cast<Control*>(static_cast<const MemoryPlatform*>(this)->control(page, key));
}

bool MemoryPlatform::visible(int page) const {
    const auto w = windows.find(page);
    return w != windows.end() && w->second.visible;
}

int MemoryPlatform::frontPage() const {
    for (auto it = zOrder.rbegin(); it != zOrder.rend(); ++it) {
        if (visible(*it)) return *it;
    }
    return 0;
}

std::size_t MemoryPlatform::count(Op op) const {
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.op == op; }));
}

std::size_t MemoryPlatform::count(Op op, TextView match) const {
    return static_cast<std::size_t>(std::count_if(
        calls.begin(), calls.end(), [&](const Call& c) { return c.op == op && c.args.find(match) != Text::npos; }));
}

std::vector<std::string> MemoryPlatform::trace(std::initializer_list<Op> ops) const {
    std::vector<std::string> out;
    for (const Call& c : calls) {
        if (std::find(ops.begin(), ops.end(), c.op) != ops.end()) {
            out.push_back(std::string(opName(c.op)) + " " + narrow(c.args));
        }
    }
    return out;
}

Status MemoryPlatform::enter(Op op, Text args) {
    for (Failure& f : failures_) {
        if (f.op == op && f.remaining != 0 && args.find(f.match) != Text::npos) {
            if (f.remaining > 0) --f.remaining;
            calls.push_back(Call{op, std::move(args)});
            return Status::failure(opName(op));
        }
    }
    calls.push_back(Call{op, std::move(args)});
    return {};
}

// ----------------------------------------------------------------- process

Result<Text> MemoryPlatform::modulePath() {
    if (Status s = enter(Op::ModulePath, {}); !s) return s;
    return module_;
}

Result<bool> MemoryPlatform::anotherCopyRunning() {
    if (Status s = enter(Op::AnotherCopyRunning, {}); !s) return s;
    return otherCopy;
}

Status MemoryPlatform::startProgram(TextView path) {
    if (Status s = enter(Op::StartProgram, Text(path)); !s) return s;
    const Item* file = item(path);
    if (file == nullptr || file->folder) return Status::failure("startProgram");
    if (!file->flags.program) return Status::failure("startProgram");
    started.emplace_back(path);
    return {};
}

Status MemoryPlatform::openDocument(int ownerPage, TextView path) {
    if (Status s = enter(Op::OpenDocument, join({std::to_wstring(ownerPage), path})); !s) return s;
    const Item* file = item(path);
    if (file == nullptr || file->folder) return Status::failure("openDocument");
    documents.emplace_back(path);
    return {};
}

Status MemoryPlatform::runCommand(TextView command) {
    if (Status s = enter(Op::RunCommand, Text(command)); !s) return s;
    commands.emplace_back(command);
    return {};
}

void MemoryPlatform::endProgram(int code) {
    // Recorded, never failed: ending cannot fail.
    calls.push_back(Call{Op::EndProgram, std::to_wstring(code)});
    ended = true;
    exitCode = code;
}

void MemoryPlatform::fatalExit(const Status& failure) {
    fatal = failure;
    ended = true;
    exitCode = 1;
}

// ---------------------------------------------------------------- settings

Result<Text> MemoryPlatform::readSetting(TextView app, TextView section, TextView key) {
    if (Status s = enter(Op::ReadSetting, join({app, section, key})); !s) return s;
    return setting(app, section, key).value_or(Text());
}

Status MemoryPlatform::writeSetting(TextView app, TextView section, TextView key, TextView value) {
    if (Status s = enter(Op::WriteSetting, join({app, section, key, value})); !s) return s;
    putSetting(app, section, key, value);
    return {};
}

// ------------------------------------------------------------- file system

Result<bool> MemoryPlatform::fileExists(TextView path) {
    if (Status s = enter(Op::FileExists, Text(path)); !s) return s;
    const Item* i = item(path);
    return i != nullptr && !i->folder;
}

Result<bool> MemoryPlatform::plainFileExists(TextView path) {
    if (Status s = enter(Op::PlainFileExists, Text(path)); !s) return s;
    const Item* i = item(path);
    return i != nullptr && !i->folder && !i->flags.hidden && !i->flags.system;
}

Result<bool> MemoryPlatform::folderExists(TextView path) {
    if (Status s = enter(Op::FolderExists, Text(path)); !s) return s;
    const Item* i = item(path);
    return i != nullptr && i->folder;
}

Result<bool> MemoryPlatform::itemExists(TextView path) {
    if (Status s = enter(Op::ItemExists, Text(path)); !s) return s;
    const Item* i = item(path);
    return i != nullptr && !i->flags.hidden && !i->flags.system;
}

Status MemoryPlatform::deleteFile(TextView path) {
    if (Status s = enter(Op::DeleteFile, Text(path)); !s) return s;
    const auto it = items_.find(key(path));
    if (it == items_.end() || it->second.folder) return Status::failure("deleteFile");
    if (it->second.flags.inUse) return Status::failure("deleteFile");
    items_.erase(it);
    return {};
}

Status MemoryPlatform::createFolder(TextView path) {
    if (Status s = enter(Op::CreateFolder, Text(path)); !s) return s;
    const Text k = key(path);
    if (items_.count(k)) return Status::failure("createFolder");
    const auto cut = k.find_last_of(L'\\');
    if (cut == Text::npos || item(k.substr(0, cut)) == nullptr) return Status::failure("createFolder");
    items_[k] = Item{Text(path), true, {}, {}};
    return {};
}

Status MemoryPlatform::deleteFolderTree(TextView path) {
    if (Status s = enter(Op::DeleteFolderTree, Text(path)); !s) return s;
    const Text k = key(path);
    const auto top = items_.find(k);
    if (top == items_.end() || !top->second.folder) return Status::failure("deleteFolderTree");
    // Deepest first; an item in use stays, and so do the folders above it.
    // A link is an item of its own: what it points to lies elsewhere.
    std::vector<Text> inside;
    for (const auto& [itemKey, _] : items_) {
        if (itemKey.size() > k.size() && itemKey.compare(0, k.size() + 1, k + L"\\") == 0) inside.push_back(itemKey);
    }
    std::sort(inside.begin(), inside.end(), [](const Text& a, const Text& b) { return a.size() > b.size(); });
    Status first;
    auto keep = [&](const Text& itemKey) {
        for (const auto& [otherKey, other] : items_) {
            if (otherKey.size() > itemKey.size() && otherKey.compare(0, itemKey.size() + 1, itemKey + L"\\") == 0) {
                return true;
            }
        }
        return false;
    };
    inside.push_back(k);
    for (const Text& itemKey : inside) {
        const Item& i = items_.at(itemKey);
        if (i.flags.inUse || (i.folder && keep(itemKey))) {
            if (first.ok()) first = Status::failure("deleteFolderTree");
            continue;
        }
        items_.erase(itemKey);
    }
    return first;
}

Result<Text> MemoryPlatform::tempFolder() {
    if (Status s = enter(Op::TempFolder, {}); !s) return s;
    return temp;
}

Result<Text> MemoryPlatform::desktopFolder() {
    if (Status s = enter(Op::DesktopFolder, {}); !s) return s;
    return desktop;
}

Status MemoryPlatform::createShortcut(TextView linkPath, TextView targetPath) {
    if (Status s = enter(Op::CreateShortcut, join({linkPath, targetPath})); !s) return s;
    const Text k = key(linkPath);
    const auto cut = k.find_last_of(L'\\');
    if (cut == Text::npos || item(k.substr(0, cut)) == nullptr) return Status::failure("createShortcut");
    items_[k] = Item{Text(linkPath), false, {}, Text(targetPath)};
    return {};
}

// ----------------------------------------------------------- message boxes

Result<Answer> MemoryPlatform::messageBox(int ownerPage, TextView text, TextView title, MessageButtons buttons,
                                          MessageIcon icon) {
    if (Status s = enter(Op::MessageBox, join({title, text})); !s) return s;
    boxes.push_back(Box{ownerPage, Text(text), Text(title), buttons, icon});
    if (!answers.empty()) {
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? Answer::No : Answer::Ok;
}

// ----------------------------------------------------------------- windows

Status MemoryPlatform::createWindow(int page, const WindowDesign& design) {
    if (Status s = enter(Op::CreateWindow, std::to_wstring(page)); !s) return s;
    if (windows.count(page)) return Status::failure("createWindow");
    Window w;
    w.design = design;
    w.title = design.title;
    w.outerWidth = design.outerWidth;
    w.outerHeight = design.outerHeight;
    windows[page] = std::move(w);
    return {};
}

Status MemoryPlatform::createControl(int page, const ControlDesign& design) {
    if (Status s = enter(Op::CreateControl, controlName(page, design.key)); !s) return s;
    const auto w = windows.find(page);
    if (w == windows.end()) return Status::failure("createControl");
    if (design.inFrame && !w->second.controls.count(controls::kFrame)) {
        return Status::failure("createControl");
    }
    Control c;
    c.design = design;
    c.bounds = design.bounds;
    c.text = design.text;
    c.enabled = design.enabled;
    c.visible = design.visible;
    c.back = design.back;
    w->second.controls[design.key] = std::move(c);
    return {};
}

Status MemoryPlatform::setWindowSize(int page, int outerWidth, int outerHeight) {
    if (Status s = enter(Op::SetWindowSize, std::to_wstring(page)); !s) return s;
    const auto w = windows.find(page);
    if (w == windows.end()) return Status::failure("setWindowSize");
    w->second.outerWidth = outerWidth;
    w->second.outerHeight = outerHeight;
    return {};
}

Status MemoryPlatform::setWindowTitle(int page, TextView title) {
    if (Status s = enter(Op::SetWindowTitle, join({std::to_wstring(page), title})); !s) return s;
    const auto w = windows.find(page);
    if (w == windows.end()) return Status::failure("setWindowTitle");
    w->second.title = Text(title);
    return {};
}

Status MemoryPlatform::setBounds(int page, ControlKey key, const Bounds& bounds) {
    if (Status s = enter(Op::SetBounds, controlName(page, key)); !s) return s;
    Control* c = findControl(page, key);
    if (c == nullptr) return Status::failure("setBounds");
    c->bounds = bounds;
    return {};
}

Status MemoryPlatform::setText(int page, ControlKey key, TextView text) {
    if (Status s = enter(Op::SetText, join({controlName(page, key), text})); !s) return s;
    Control* c = findControl(page, key);
    if (c == nullptr) return Status::failure("setText");
    c->text = Text(text);
    return {};
}

Result<Text> MemoryPlatform::getText(int page, ControlKey key) {
    if (Status s = enter(Op::GetText, controlName(page, key)); !s) return s;
    const Control* c = findControl(page, key);
    if (c == nullptr) return Status::failure("getText");
    return c->text;
}

Status MemoryPlatform::setEnabled(int page, ControlKey key, bool enabled) {
    if (Status s = enter(Op::SetEnabled, join({controlName(page, key), enabled ? L"1" : L"0"})); !s) return s;
    Control* c = findControl(page, key);
    if (c == nullptr) return Status::failure("setEnabled");
    c->enabled = enabled;
    return {};
}

Status MemoryPlatform::setVisible(int page, ControlKey key, bool isVisible) {
    if (Status s = enter(Op::SetVisible, join({controlName(page, key), isVisible ? L"1" : L"0"})); !s) return s;
    Control* c = findControl(page, key);
    if (c == nullptr) return Status::failure("setVisible");
    c->visible = isVisible;
    return {};
}

Status MemoryPlatform::setBackColour(int page, ControlKey key, Colour colour) {
    if (Status s = enter(Op::SetBackColour, controlName(page, key)); !s) return s;
    Control* c = findControl(page, key);
    if (c == nullptr) return Status::failure("setBackColour");
    c->back = colour;
    return {};
}

Status MemoryPlatform::setTooltip(int page, ControlKey key, TextView text) {
    if (Status s = enter(Op::SetTooltip, join({controlName(page, key), text})); !s) return s;
    Control* c = findControl(page, key);
    if (c == nullptr) return Status::failure("setTooltip");
    c->tooltip = Text(text);
    return {};
}

Status MemoryPlatform::showWindow(int page) {
    if (Status s = enter(Op::ShowWindow, std::to_wstring(page)); !s) return s;
    const auto w = windows.find(page);
    if (w == windows.end()) return Status::failure("showWindow");
    w->second.visible = true;
    zOrder.erase(std::remove(zOrder.begin(), zOrder.end(), page), zOrder.end());
    zOrder.push_back(page);
    return {};
}

Status MemoryPlatform::hideWindow(int page) {
    if (Status s = enter(Op::HideWindow, std::to_wstring(page)); !s) return s;
    const auto w = windows.find(page);
    if (w == windows.end()) return Status::failure("hideWindow");
    w->second.visible = false;
    return {};
}

}  // namespace vandrel
