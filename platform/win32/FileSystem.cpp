// Files and folders: existence questions, forced deletion and the removal of
// whole folder trees.
#include <optional>

#include "platform/win32/Failure.h"
#include "platform/win32/SystemFunctions.h"
#include "platform/win32/Win32Platform.h"

namespace vandrel::win32 {

namespace {

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:\", "\" or "\\server\share\" must keep their last separator.
Text withoutTrailingSeparator(TextView path) {
    Text text(path);
    while (text.size() > 1 && isSeparator(text.back()) && !(text.size() == 3 && text[1] == L':')) text.pop_back();
    return text;
}

// The errors that say "there is nothing of that name".
bool isAbsence(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY:
        case ERROR_DIRECTORY: return true;
        default: return false;
    }
}

// The attributes of an item, nothing when there is no such item.
Result<std::optional<DWORD>> attributesOf(TextView path) {
    const DWORD attributes = GetFileAttributesW(Text(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return std::optional<DWORD>(attributes);
    const DWORD error = GetLastError();
    if (isAbsence(error)) return std::optional<DWORD>();
    return errorCode("GetFileAttributesW", error);
}

template <class Test>
Result<bool> itemMatches(TextView path, Test test) {
    const auto attributes = attributesOf(path);
    if (!attributes) return attributes.status();
    return attributes.value().has_value() && test(*attributes.value());
}

constexpr DWORD kConcealed = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Clears the read-only attribute so that the item can be deleted.
Status makeWritable(const Text& path, DWORD attributes) {
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return {};
    DWORD cleared = attributes & ~FILE_ATTRIBUTE_READONLY;
    if (cleared == 0) cleared = FILE_ATTRIBUTE_NORMAL;
    return check(SetFileAttributesW(path.c_str(), cleared), "SetFileAttributesW");
}

// The extended form ("\\?\C:\...") of a full path, so that a deep tree is
// removed even beyond MAX_PATH.
Result<Text> extendedPath(const Text& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return lastError("GetFullPathNameW");
    Text full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return lastError("GetFullPathNameW");
    full.resize(length);
    if (full.rfind(L"\\\\?\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The path of an item as the file system resolves it, links followed; none
// where the system cannot tell (XP, which has no links to files either).
std::optional<Text> finalPath(const Text& path) {
    using GetFinalPathNameByHandle = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    static const auto resolve = systemFunction<GetFinalPathNameByHandle>(L"kernel32.dll", "GetFinalPathNameByHandleW");
    if (!resolve) return std::nullopt;
    FileHandle item(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!item) return std::nullopt;
    Text resolved(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            resolve(item.get(), resolved.data(), static_cast<DWORD>(resolved.size()), 0 /* FILE_NAME_NORMALIZED */);
        if (length == 0) return std::nullopt;
        if (length < resolved.size()) {
            resolved.resize(length);
            return resolved;
        }
        resolved.assign(length + 1, L'\0');
    }
}

// Paths compare as the file system compares names: letter case aside.
bool samePath(Text a, Text b) {
    if (a.size() != b.size()) return false;
    CharUpperBuffW(a.data(), static_cast<DWORD>(a.size()));
    CharUpperBuffW(b.data(), static_cast<DWORD>(b.size()));
    return a == b;
}

// The first entry of a folder. Windows 7 and later list faster without the
// short names and with larger reads; an older system refuses those flags
// and lists the plain way.
FindHandle findFirst(const Text& pattern, WIN32_FIND_DATAW& found) {
    constexpr DWORD kLargeFetch = 2;  // FIND_FIRST_EX_LARGE_FETCH
    FindHandle search(
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, kLargeFetch));
    if (!search && GetLastError() == ERROR_INVALID_PARAMETER) {
        search = FindHandle(
            FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr, 0));
    }
    return search;
}

// Removes everything inside `folder` (an extended path), then the folder.
// Links are removed as links, never followed. Goes on after a failure and
// keeps the first one in `first`.
void removeTree(const Text& folder, DWORD attributes, Status& first) {
    auto note = [&first](Status s) {
        if (first.ok() && !s.ok()) first = std::move(s);
    };
    // A link to a folder (junction, symbolic link, a Unix link under Wine,
    // whose reparse tag reads 0) is removed itself; its target stays.
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // Where the folder's own files resolve to. A file entry that
        // resolves elsewhere is a link the file system does not mark as one
        // (Wine shows a Unix link to a file as a plain file, and deleting
        // it there deletes the target): it is left, and reported.
        const std::optional<Text> resolvedFolder = finalPath(folder);
        WIN32_FIND_DATAW found{};
        FindHandle search = findFirst(folder + L"\\*", found);
        if (!search) {
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND) note(errorCode("FindFirstFileExW", error));
        } else {
            do {
                const Text name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const Text item = folder + L"\\" + name;
                const DWORD itemAttributes = found.dwFileAttributes;
                if (itemAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    removeTree(item, itemAttributes, first);
                } else {
                    // A plain file, or a link to a file: either way the
                    // entry itself goes, never the link's target.
                    if (!(itemAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && resolvedFolder) {
                        const std::optional<Text> resolvedItem = finalPath(item);
                        if (resolvedItem && !samePath(*resolvedItem, *resolvedFolder + L"\\" + name)) {
                            note(refused());
                            continue;
                        }
                    }
                    const Status writable = makeWritable(item, itemAttributes);
                    note(writable);
                    if (writable) note(check(DeleteFileW(item.c_str()), "DeleteFileW"));
                }
            } while (FindNextFileW(search.get(), &found));
            const DWORD error = GetLastError();
            if (error != ERROR_NO_MORE_FILES) note(errorCode("FindNextFileW", error));
        }
    }
    const Status writable = makeWritable(folder, attributes);
    note(writable);
    if (writable) note(check(RemoveDirectoryW(folder.c_str()), "RemoveDirectoryW"));
}

}  // namespace

Result<bool> Win32Platform::fileExists(TextView path) {
    return itemMatches(path, [](DWORD a) { return !(a & FILE_ATTRIBUTE_DIRECTORY); });
}

Result<bool> Win32Platform::plainFileExists(TextView path) {
    return itemMatches(path, [](DWORD a) { return !(a & (FILE_ATTRIBUTE_DIRECTORY | kConcealed)); });
}

Result<bool> Win32Platform::folderExists(TextView path) {
    return itemMatches(path, [](DWORD a) { return (a & FILE_ATTRIBUTE_DIRECTORY) != 0; });
}

Result<bool> Win32Platform::itemExists(TextView path) {
    return itemMatches(path, [](DWORD a) { return !(a & kConcealed); });
}

Status Win32Platform::deleteFile(TextView path) {
    const Text file(path);
    const auto attributes = attributesOf(file);
    if (!attributes) return attributes.status();
    if (!attributes.value() || (*attributes.value() & FILE_ATTRIBUTE_DIRECTORY)) {
        return refused();  // no such file
    }
    const DWORD original = *attributes.value();
    if (Status writable = makeWritable(file, original); !writable) return writable;
    if (!DeleteFileW(file.c_str())) {
        const Status failed = lastError("DeleteFileW");
        // A file that stays (in use, no right) keeps its read-only mark.
        SetFileAttributesW(file.c_str(), original);
        return failed;
    }
    return {};
}

Status Win32Platform::createFolder(TextView path) {
    return check(CreateDirectoryW(withoutTrailingSeparator(path).c_str(), nullptr), "CreateDirectoryW");
}

Status Win32Platform::deleteFolderTree(TextView path) {
    const Text folder = withoutTrailingSeparator(path);
    // Never a whole drive.
    if (folder.size() <= 3 && (folder.size() < 2 || folder[1] == L':' || isSeparator(folder[0]))) {
        return refused();
    }
    const auto attributes = attributesOf(folder);
    if (!attributes) return attributes.status();
    if (!attributes.value() || !(*attributes.value() & FILE_ATTRIBUTE_DIRECTORY)) {
        return refused();  // no such folder
    }
    const Result<Text> extended = extendedPath(folder);
    if (!extended) return extended.status();
    Status first;
    removeTree(extended.value(), *attributes.value(), first);
    return first;
}

}  // namespace vandrel::win32
