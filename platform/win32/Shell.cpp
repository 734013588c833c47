// What the shell provides: the user's folders, shortcuts, and opening
// documents and links with the programs the user has chosen for them.
#include "platform/win32/Failure.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/Win32Platform.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace vandrel::win32 {

Result<Text> Win32Platform::tempFolder() {
    Text path(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
        if (length == 0) return lastError("GetTempPathW");
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.assign(length + 1, L'\0');  // the size asked for, terminator included
    }
    // Without its trailing separator, unless it is a drive's root.
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

namespace {

bool isNoFolder(HRESULT hr) {
    return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

// FOLDERID_Desktop, which the headers of XP do not declare.
constexpr GUID kDesktopFolderId = {0xB4BFCC3A, 0xDB2C, 0x424C, {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}};

}  // namespace

Result<Text> Win32Platform::desktopFolder() {
    // Vista and later know the folder by its id, without a length limit.
    using SHGetKnownFolderPathFunction = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);
    static const auto knownFolder =
        systemFunction<SHGetKnownFolderPathFunction>(L"shell32.dll", "SHGetKnownFolderPath");
    if (knownFolder) {
        CoTaskText path;
        const HRESULT hr = knownFolder(kDesktopFolderId, 0, nullptr, path.put());
        if (isNoFolder(hr)) return Text();  // a user without a desktop folder
        if (FAILED(hr)) return comError("SHGetKnownFolderPath", hr);
        return Text(path.get());
    }
    // XP: the same folder by its older name.
    wchar_t path[MAX_PATH] = {};
    const HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
    if (isNoFolder(hr) || hr == S_FALSE) return Text();
    if (FAILED(hr)) return comError("SHGetFolderPathW", hr);
    return Text(path);
}

Status Win32Platform::createShortcut(TextView linkPath, TextView targetPath) {
    ComPtr<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put());
    if (FAILED(hr)) return comError("CoCreateInstance", hr);
    hr = link->SetPath(Text(targetPath).c_str());
    if (FAILED(hr)) return comError("IShellLinkW::SetPath", hr);
    ComPtr<IPersistFile> file;
    hr = link->QueryInterface(IID_IPersistFile, file.put());
    if (FAILED(hr)) return comError("QueryInterface", hr);
    return checkHr(file->Save(Text(linkPath).c_str(), TRUE), "IPersistFile::Save");
}

Status Win32Platform::openDocument(int ownerPage, TextView path) {
    const Text document(path);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(pageWindow(ownerPage), L"open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Above 32 is success; anything else is an error code, 0 lack of memory.
    if (result > 32) return {};
    return errorCode("ShellExecuteW", result == 0 ? ERROR_NOT_ENOUGH_MEMORY : static_cast<DWORD>(result));
}

Status Win32Platform::runCommand(TextView command) {
    const Text file(command);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    // No error dialog of the shell's own: a link nobody can open ("microsoft-
    // edge:" on a system without that browser) is a failure the menu sees.
    // NOASYNC: the call is done before the menu goes on.
    execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    execute.lpVerb = nullptr;
    execute.lpFile = file.c_str();
    execute.nShow = SW_SHOWNORMAL;
    return check(ShellExecuteExW(&execute), "ShellExecuteExW");
}

}  // namespace vandrel::win32
