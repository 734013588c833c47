// The per-user settings store: string values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// each named by its key. The calculators of the suite read the same place.
#include "platform/win32/Failure.h"
#include "platform/win32/Win32Platform.h"

namespace vandrel::win32 {

namespace {

Text settingsKeyPath(TextView app, TextView section) {
    Text path = L"Software\\VB and VBA Program Settings\\";
    path.append(app);
    path += L'\\';
    path.append(section);
    return path;
}

bool isAbsence(LSTATUS code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

bool isString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

Result<Text> Win32Platform::readSetting(TextView app, TextView section, TextView key) {
    RegKey store;
    const LSTATUS opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, settingsKeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, store.put());
    if (isAbsence(opened)) return Text();
    if (opened != ERROR_SUCCESS) return errorCode("RegOpenKeyExW", static_cast<DWORD>(opened));

    const Text name(key);
    // The value may change between asking its size and reading it: ask
    // again while it grows.
    DWORD type = 0;
    DWORD bytes = 0;
    LSTATUS read = RegQueryValueExW(store.get(), name.c_str(), nullptr, &type, nullptr, &bytes);
    Text value;
    while (read == ERROR_SUCCESS || read == ERROR_MORE_DATA) {
        // A value of another type (a number, binary data) under the name
        // holds no text: it reads as a missing one.
        if (!isString(type)) return Text();
        value.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        read =
            RegQueryValueExW(store.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes);
        if (read == ERROR_SUCCESS) break;
    }
    if (isAbsence(read)) return Text();
    if (read != ERROR_SUCCESS) return errorCode("RegQueryValueExW", static_cast<DWORD>(read));
    if (!isString(type)) return Text();
    // The stored string may or may not end with its terminator.
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return value;
}

Status Win32Platform::writeSetting(TextView app, TextView section, TextView key, TextView value) {
    RegKey store;
    const LSTATUS created = RegCreateKeyExW(HKEY_CURRENT_USER, settingsKeyPath(app, section).c_str(), 0, nullptr,
                                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, store.put(), nullptr);
    if (created != ERROR_SUCCESS) return errorCode("RegCreateKeyExW", static_cast<DWORD>(created));
    const Text name(key);
    const Text data(value);
    const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return checkCode(
        RegSetValueExW(store.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes),
        "RegSetValueExW");
}

}  // namespace vandrel::win32
