#include "win32/Win32Registry.h"

#include <windows.h>

#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

// Every call is a noexcept seam, and the wide copy of a name may run out of memory: that comes
// back as the error it is, never as an exception.
template <class Call>
auto Guarded(Call call) noexcept -> decltype(call()) {
    try {
        return call();
    } catch (...) {
        return SystemError(ERROR_OUTOFMEMORY);
    }
}

SystemError ErrorOf(LSTATUS status) {
    return SystemError(static_cast<std::uint32_t>(status));
}

SystemResult<RegistryKey> Opened(LSTATUS status, HKEY key) {
    if (status != ERROR_SUCCESS) {
        return ErrorOf(status);
    }
    return FromHkey(key);
}

SystemResult<RegistryKey> Create(RegistryKey parent, std::u16string_view path,
                                 DWORD options) noexcept {
    return Guarded([&]() -> SystemResult<RegistryKey> {
        const std::wstring subKey = ToWide(path);
        HKEY key = nullptr;
        // The most access the user has: a key he may only read still opens for reading.
        const LSTATUS status = ::RegCreateKeyExW(ToHkey(parent), subKey.c_str(), 0, nullptr,
                                                 options, MAXIMUM_ALLOWED, nullptr, &key, nullptr);
        return Opened(status, key);
    });
}

}  // namespace

SystemResult<RegistryKey> Win32Registry::CreateKey(RegistryKey parent,
                                                   std::u16string_view path) noexcept {
    return Create(parent, path, REG_OPTION_NON_VOLATILE);
}

SystemResult<RegistryKey> Win32Registry::OpenKey(RegistryKey parent,
                                                 std::u16string_view path) noexcept {
    return Guarded([&]() -> SystemResult<RegistryKey> {
        const std::wstring subKey = ToWide(path);
        HKEY key = nullptr;
        // The same access as a created key, so that whatever the caller may do with one he may
        // do with the other.
        const LSTATUS status =
            ::RegOpenKeyExW(ToHkey(parent), subKey.c_str(), 0, MAXIMUM_ALLOWED, &key);
        return Opened(status, key);
    });
}

SystemResult<RegistryKey> Win32Registry::CreateVolatileKey(RegistryKey parent,
                                                           std::u16string_view path) noexcept {
    return Create(parent, path, REG_OPTION_VOLATILE);
}

SystemError Win32Registry::CloseKey(RegistryKey key) noexcept {
    return ErrorOf(::RegCloseKey(ToHkey(key)));
}

SystemError Win32Registry::SetValue(RegistryKey key, std::u16string_view name, std::uint32_t type,
                                    const std::byte* data, std::uint32_t size) noexcept {
    return Guarded([&] {
        const std::wstring valueName = ToWide(name);
        return ErrorOf(::RegSetValueExW(ToHkey(key), valueName.c_str(), 0, type,
                                        reinterpret_cast<const BYTE*>(data), size));
    });
}

SystemError Win32Registry::QueryValue(RegistryKey key, std::u16string_view name,
                                      std::uint32_t& type, std::byte* data,
                                      std::uint32_t& size) noexcept {
    return Guarded([&] {
        const std::wstring valueName = ToWide(name);
        DWORD valueType = type;
        DWORD valueSize = size;
        const LSTATUS status =
            ::RegQueryValueExW(ToHkey(key), valueName.c_str(), nullptr, &valueType,
                               reinterpret_cast<BYTE*>(data), &valueSize);
        type = valueType;
        size = valueSize;
        return ErrorOf(status);
    });
}

SystemError Win32Registry::DeleteValue(RegistryKey key, std::u16string_view name) noexcept {
    return Guarded([&] {
        const std::wstring valueName = ToWide(name);
        return ErrorOf(::RegDeleteValueW(ToHkey(key), valueName.c_str()));
    });
}

SystemError Win32Registry::DeleteKey(RegistryKey parent, std::u16string_view path) noexcept {
    return Guarded([&] {
        const std::wstring subKey = ToWide(path);
        return ErrorOf(::RegDeleteKeyW(ToHkey(parent), subKey.c_str()));
    });
}

}  // namespace ombrel::win32
