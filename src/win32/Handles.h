#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/Registry.h"
#include "platform/ServiceManager.h"
#include "platform/WindowHandle.h"
#include "platform/WindowProcedures.h"

namespace ombrel::win32 {

// The core's opaque handles and the real ones hold the same pointer-sized values.
inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
inline WindowHandle FromHwnd(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}
inline HKEY ToHkey(RegistryKey key) {
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}
inline RegistryKey FromHkey(HKEY key) {
    return static_cast<RegistryKey>(reinterpret_cast<std::uintptr_t>(key));
}
inline SC_HANDLE ToScHandle(ServiceHandle handle) {
    return reinterpret_cast<SC_HANDLE>(static_cast<std::uintptr_t>(handle));
}
inline ServiceHandle FromScHandle(SC_HANDLE handle) {
    return static_cast<ServiceHandle>(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace ombrel::win32
