// What the shell provides: the user's folders, shortcuts, and opening
// documents and links with the programs the user has chosen for them.
#include "platform/win32/Failure.h"
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

Result<Text> Win32Platform::desktopFolder() {
    CoTaskText path;
    const HRESULT hr = SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, path.put());
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)) {
        return Text();  // a user without a desktop folder
    }
    if (FAILED(hr)) return comError("SHGetKnownFolderPath", hr);
    return Text(path.get());
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
