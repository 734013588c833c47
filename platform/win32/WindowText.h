// The text of a window (a caption, a label's text, an entry box's content).
#pragma once

#include "platform/Platform.h"
#include "platform/win32/Failure.h"

namespace vandrel::win32 {

inline Result<Text> windowText(HWND window) {
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(window);
    if (length == 0 && GetLastError() != ERROR_SUCCESS) return lastError("GetWindowTextLengthW");
    Text text(static_cast<std::size_t>(length) + 1, L'\0');
    SetLastError(ERROR_SUCCESS);
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    if (copied == 0 && GetLastError() != ERROR_SUCCESS) return lastError("GetWindowTextW");
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

}  // namespace vandrel::win32
