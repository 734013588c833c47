// Small owners of Windows handles: one per kind of release call. Each is
// move-only: a handle has exactly one owner and is released once.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <objbase.h>
#include <windows.h>

#include <utility>

namespace vandrel::win32 {

// A handle released by `Traits::release`, with `Traits::invalid()` as its
// empty value.
template <class Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }

    // Receives a handle from a call that writes it (RegOpenKeyExW ...).
    Handle* put() {
        reset();
        return &handle_;
    }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::invalid()) Traits::release(old);
    }

private:
    Handle handle_ = Traits::invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void release(Handle h) { CloseHandle(h); }
};
// Process, thread, mutex, event: empty is nullptr.
using UniqueHandle = Owned<KernelHandleTraits>;

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void release(Handle h) { CloseHandle(h); }
};
// An open file or folder (CreateFileW): empty is INVALID_HANDLE_VALUE.
using FileHandle = Owned<FileHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void release(Handle h) { FindClose(h); }
};
using FindHandle = Owned<FindHandleTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static void release(Handle h) { RegCloseKey(h); }
};
using RegKey = Owned<RegKeyTraits>;

template <class T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle invalid() { return nullptr; }
    static void release(Handle h) { DeleteObject(h); }
};
// HFONT, HBRUSH, HBITMAP.
template <class T>
using GdiObject = Owned<GdiObjectTraits<T>>;

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void release(Handle h) { DestroyIcon(h); }
};
using IconHandle = Owned<IconTraits>;

struct CursorTraits {
    using Handle = HCURSOR;
    static Handle invalid() { return nullptr; }
    static void release(Handle h) { DestroyCursor(h); }
};
using CursorHandle = Owned<CursorTraits>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void release(Handle h) { DeleteDC(h); }
};
using MemoryDc = Owned<MemoryDcTraits>;

struct CoTaskMemTraits {
    using Handle = wchar_t*;
    static Handle invalid() { return nullptr; }
    static void release(Handle h) { CoTaskMemFree(h); }
};
// Text the shell allocated with CoTaskMemAlloc.
using CoTaskText = Owned<CoTaskMemTraits>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC for the life of the scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// An interface pointer; Release on destruction.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For calls that write an interface pointer through void**.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&ptr_);
    }
    void reset() {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }

private:
    T* ptr_ = nullptr;
};

// The calling thread's membership of a single-threaded COM apartment. A
// thread already in another apartment keeps it; the shell calls still work
// there, so that is not an error.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

private:
    HRESULT result_;
};

}  // namespace vandrel::win32
