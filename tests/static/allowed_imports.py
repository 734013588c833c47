"""Every function Vandrel.exe may import, by library, with the oldest Windows
that its documentation names as the minimum supported client.

A library is on the list only when Windows protects it as a known DLL (always
taken from the system folder, never from the program's). A function newer
than the oldest Windows an executable is built for may not be imported at
all: the program looks it up at run time instead, with a fallback (its row is
kept to say why). Add a row, with its documented minimum, for every function
the program comes to import."""

WINDOWS_2000 = (5, 0)
XP = (5, 1)
XP_SP1 = (5, 1, 1)
XP_SP3 = (5, 1, 3)
XP_X64 = (5, 2)  # XP Professional x64 Edition: for functions only 64-bit Windows has
VISTA = (6, 0)
WINDOWS_8 = (6, 2)
WINDOWS_10_1607 = (10, 0, 14393)
WINDOWS_10_1703 = (10, 0, 15063)

NAMES = {
    WINDOWS_2000: "Windows 2000", XP: "Windows XP", XP_SP1: "Windows XP SP1", XP_SP3: "Windows XP SP3",
    XP_X64: "Windows XP x64", VISTA: "Windows Vista", WINDOWS_8: "Windows 8",
    WINDOWS_10_1607: "Windows 10 1607", WINDOWS_10_1703: "Windows 10 1703",
}

# The oldest Windows each executable must load on.
TARGETS = {"x86": XP_SP3, "x64": XP_X64}


def rows(minimum, names):
    return {name: minimum for name in names.split()}


ALLOWED = {
    "kernel32.dll": {
        **rows(XP, """
            CloseHandle CreateDirectoryW CreateFileW CreateMutexW CreateProcessW CreateSemaphoreW
            DeleteCriticalSection DeleteFileW EnterCriticalSection EnumResourceNamesW ExitProcess FindClose
            FindFirstFileExW FindNextFileW FindResourceW FreeLibrary GetCurrentThreadId GetFileAttributesW
            GetFullPathNameW GetLastError GetModuleFileNameW GetModuleHandleA GetModuleHandleW GetProcAddress
            GetStartupInfoW GetSystemDirectoryW GetTempPathW InitializeCriticalSection IsDBCSLeadByteEx
            LeaveCriticalSection LoadLibraryA LoadLibraryExW LoadLibraryW LoadResource LockResource MulDiv
            MultiByteToWideChar RaiseException ReleaseSemaphore RemoveDirectoryW RtlCaptureContext
            SetFileAttributesW SetLastError SetUnhandledExceptionFilter SizeofResource Sleep TlsAlloc TlsFree
            TlsGetValue TlsSetValue VirtualProtect VirtualQuery WaitForSingleObject WideCharToMultiByte
        """),
        **rows(XP_SP1, "SetDllDirectoryW"),
        # The unwinding of 64-bit Windows, used by the C++ runtime's exceptions.
        **rows(XP_X64, "RtlLookupFunctionEntry RtlUnwindEx RtlVirtualUnwind __C_specific_handler"),
        # Looked up at run time (platform/win32/SystemFunctions.h), never imported.
        **rows(VISTA, "CompareStringOrdinal GetFinalPathNameByHandleW GetTickCount64"),
        **rows(WINDOWS_8, "SetDefaultDllDirectories"),  # 7 and Vista only with an update
    },
    "user32.dll": {
        **rows(XP, """
            BeginPaint CallWindowProcW CharUpperBuffW CreateWindowExW DefWindowProcW DestroyCursor DestroyIcon
            DestroyWindow DispatchMessageW DrawEdge DrawFocusRect DrawIconEx DrawStateW DrawTextW EnableWindow
            EndPaint FillRect GetAncestor GetClientRect GetDC GetDlgCtrlID GetFocus GetForegroundWindow
            GetIconInfo GetMessageW GetNextDlgTabItem GetParent GetSysColor GetSysColorBrush GetSystemMetrics
            GetWindowLongW GetWindowRect GetWindowTextLengthW GetWindowTextW InflateRect InvalidateRect IsChild
            IsDialogMessageW IsIconic IsWindowEnabled IsWindowVisible LoadCursorW LoadImageW MessageBoxW
            OffsetRect PeekMessageW RedrawWindow RegisterClassExW ReleaseDC RemovePropW SendMessageW
            SetActiveWindow SetCursor SetFocus SetForegroundWindow SetPropW SetWindowLongW SetWindowPos
            SetWindowTextW ShowWindow SystemParametersInfoW TranslateMessage
        """),
        # Exported by 64-bit Windows only (a macro for GetWindowLongW on x86).
        **rows(XP_X64, "GetWindowLongPtrW SetWindowLongPtrW"),
        # The resolution of each monitor, looked up at run time (platform/win32/Dpi.cpp).
        **rows(VISTA, "SetProcessDPIAware"),
        **rows(WINDOWS_10_1607, "GetDpiForWindow GetSystemMetricsForDpi"),
        **rows(WINDOWS_10_1703, "SetProcessDpiAwarenessContext"),
    },
    "gdi32.dll": rows(XP, """
        BitBlt CreateCompatibleDC CreateDIBSection CreateFontIndirectW CreateSolidBrush DeleteDC DeleteObject
        GdiFlush GetCharABCWidthsW GetDeviceCaps GetObjectW GetTextExtentPoint32W IntersectClipRect RestoreDC SaveDC
        SelectObject SetBkColor SetBkMode SetDIBitsToDevice SetTextColor
    """),
    "advapi32.dll": rows(XP, "RegCloseKey RegCreateKeyExW RegOpenKeyExW RegQueryValueExW RegSetValueExW"),
    "shell32.dll": {
        **rows(XP, "SHGetFolderPathW ShellExecuteExW ShellExecuteW"),
        **rows(VISTA, "SHGetKnownFolderPath"),
    },
    "ole32.dll": rows(XP, "CoCreateInstance CoInitializeEx CoTaskMemFree CoUninitialize"),
    # The name a button gives a screen reader (platform/win32/AccessibleButton.cpp).
    "oleaut32.dll": rows(WINDOWS_2000, "SysAllocStringLen"),
    "shlwapi.dll": {},
    "comdlg32.dll": {},
    # The C runtime of Windows itself (msvcrt.dll 7.0 of XP; XP x64 has the
    # same). Its functions carry no documented minimum: these are the ones
    # XP's copy exports ("_s" functions, for one, came only with Vista's).
    "msvcrt.dll": rows(XP, """
        ___lc_codepage_func ___mb_cur_max_func __iob_func __mb_cur_max __p__commode __p__fmode __p__wcmdln
        __set_app_type __setusermatherr __wgetmainargs __winitenv _amsg_exit _cexit _close _commode _errno _fmode
        _initterm _iob _onexit _read _wcmdln abort atoi calloc exit fprintf fputc fputs fputwc free fwprintf
        fwrite localeconv malloc memchr memcmp memcpy memmove memset realloc setlocale signal strchr strcmp
        strerror strlen strncmp vfprintf wcslen wcsncpy
    """),
}
