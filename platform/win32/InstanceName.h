// The name of the single-instance token of one executable. Portable: it
// needs no Windows header, so it can be checked anywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vandrel::win32 {

// FNV-1a, 64 bits, over UTF-16 code units: each unit is one step (xor, then
// multiply), so text of ASCII characters hashes as its bytes would.
constexpr std::uint64_t fnv1a64(std::wstring_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t unit : text) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    return hash;
}

// "Local\Vandrel.<16 hex digits>": one name per executable path, in the
// session's namespace. `foldedPath` is the full path already upper-cased, so
// that the spellings of one path share one name.
inline std::wstring instanceMutexName(std::wstring_view foldedPath) {
    constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring name = L"Local\\Vandrel.";
    const std::uint64_t hash = fnv1a64(foldedPath);
    for (int shift = 60; shift >= 0; shift -= 4) name += kDigits[(hash >> shift) & 0xF];
    return name;
}

}  // namespace vandrel::win32
