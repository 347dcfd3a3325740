#include "win32/Win32Registry.h"

#include <windows.h>

#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

std::int32_t Create(RegistryKey parent, std::u16string_view path, DWORD options,
                    RegistryKey& opened) noexcept {
    try {
        const std::wstring subKey = ToWide(path);
        HKEY key = nullptr;
        // The most access the user has: a key he may only read still opens for reading.
        const LSTATUS status = ::RegCreateKeyExW(ToHkey(parent), subKey.c_str(), 0, nullptr,
                                                 options, MAXIMUM_ALLOWED, nullptr, &key, nullptr);
        opened = FromHkey(key);
        return status;
    } catch (...) {
        return ERROR_OUTOFMEMORY;
    }
}

}  // namespace

std::int32_t Win32Registry::CreateKey(RegistryKey parent, std::u16string_view path,
                                      RegistryKey& opened) noexcept {
    return Create(parent, path, REG_OPTION_NON_VOLATILE, opened);
}

std::int32_t Win32Registry::OpenKey(RegistryKey parent, std::u16string_view path,
                                    RegistryKey& opened) noexcept {
    try {
        const std::wstring subKey = ToWide(path);
        HKEY key = nullptr;
        // The same access as a created key, so that whatever the caller may do with one he may
        // do with the other.
        const LSTATUS status =
            ::RegOpenKeyExW(ToHkey(parent), subKey.c_str(), 0, MAXIMUM_ALLOWED, &key);
        opened = FromHkey(key);
        return status;
    } catch (...) {
        return ERROR_OUTOFMEMORY;
    }
}

std::int32_t Win32Registry::CreateVolatileKey(RegistryKey parent, std::u16string_view path,
                                              RegistryKey& opened) noexcept {
    return Create(parent, path, REG_OPTION_VOLATILE, opened);
}

std::int32_t Win32Registry::CloseKey(RegistryKey key) noexcept {
    return ::RegCloseKey(ToHkey(key));
}

std::int32_t Win32Registry::SetValue(RegistryKey key, std::u16string_view name, std::uint32_t type,
                                     const std::byte* data, std::uint32_t size) noexcept {
    try {
        const std::wstring valueName = ToWide(name);
        return ::RegSetValueExW(ToHkey(key), valueName.c_str(), 0, type,
                                reinterpret_cast<const BYTE*>(data), size);
    } catch (...) {
        return ERROR_OUTOFMEMORY;
    }
}

std::int32_t Win32Registry::QueryValue(RegistryKey key, std::u16string_view name,
                                       std::uint32_t& type, std::byte* data,
                                       std::uint32_t& size) noexcept {
    try {
        const std::wstring valueName = ToWide(name);
        DWORD valueType = type;
        DWORD valueSize = size;
        const LSTATUS status =
            ::RegQueryValueExW(ToHkey(key), valueName.c_str(), nullptr, &valueType,
                               reinterpret_cast<BYTE*>(data), &valueSize);
        type = valueType;
        size = valueSize;
        return status;
    } catch (...) {
        return ERROR_OUTOFMEMORY;
    }
}

std::int32_t Win32Registry::DeleteValue(RegistryKey key, std::u16string_view name) noexcept {
    try {
        const std::wstring valueName = ToWide(name);
        return ::RegDeleteValueW(ToHkey(key), valueName.c_str());
    } catch (...) {
        return ERROR_OUTOFMEMORY;
    }
}

std::int32_t Win32Registry::DeleteKey(RegistryKey parent, std::u16string_view path) noexcept {
    try {
        const std::wstring subKey = ToWide(path);
        return ::RegDeleteKeyW(ToHkey(parent), subKey.c_str());
    } catch (...) {
        return ERROR_OUTOFMEMORY;
    }
}

}  // namespace ombrel::win32
