#pragma once

#include <windows.h>
#include <winsvc.h>

#include <utility>

namespace ombrel::win32 {

// One move-only owner for every kind of Windows handle; the traits say what "none" is and
// how to let go.
template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::None(); }
    Handle Release() noexcept { return std::exchange(handle_, Traits::None()); }
    void Reset(Handle handle = Traits::None()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::None()) {
            Traits::Close(old);
        }
    }

  private:
    Handle handle_ = Traits::None();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::RegCloseKey(handle); }
};

struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::CloseServiceHandle(handle); }
};

template <typename GdiObject>
struct GdiObjectTraits {
    using Handle = GdiObject;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DeleteObject(handle); }
};

struct WindowTraits {
    using Handle = HWND;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DestroyWindow(handle); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::FreeLibrary(handle); }
};

// Memory the system allocated for us with LocalAlloc (a security descriptor, a SID's text).
struct LocalMemoryTraits {
    using Handle = HLOCAL;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::LocalFree(handle); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DestroyIcon(handle); }
};

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DeleteDC(handle); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DestroyMenu(handle); }
};

struct WinEventHookTraits {
    using Handle = HWINEVENTHOOK;
    static Handle None() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::UnhookWinEvent(handle); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueServiceHandle = UniqueHandle<ServiceHandleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueWinEventHook = UniqueHandle<WinEventHookTraits>;

// Selects a GDI object into a device context for as long as it lives, then puts back the one
// that was there.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    ~ScopedSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace ombrel::win32
