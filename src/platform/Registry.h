#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/SystemError.h"

namespace ombrel {

// An open registry key, or one of the predefined roots.
enum class RegistryKey : std::uintptr_t { None = 0 };

// The predefined roots as 32-bit values; src/win32 widens them with their sign.
inline constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001U);
inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002U);
inline constexpr std::int32_t kHkeyUsers = static_cast<std::int32_t>(0x80000003U);

inline constexpr RegistryKey RootKeyFor(std::int32_t root) {
    return static_cast<RegistryKey>(static_cast<std::uintptr_t>(static_cast<std::intptr_t>(root)));
}

enum RegistryValueType : std::uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegBinary = 3,
    RegDword = 4,
    RegMultiSz = 7,
};

// The codes the callers tell apart, as clsReg's Status reports them.
enum RegistryError : std::int32_t {
    kErrorSuccess = 0,
    kErrorFileNotFound = 2,
    kErrorAccessDenied = 5,
    kErrorInvalidHandle = 6,
    kErrorMoreData = 234,
};

// The registry calls the settings use; every call returns the Win32 error, an opened key the
// key or the error.
class Registry {
  public:
    Registry() = default;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;
    virtual ~Registry() = default;

    // Opens parent\path, creating every missing key on the way; an empty path opens parent.
    virtual SystemResult<RegistryKey> CreateKey(RegistryKey parent,
                                                std::u16string_view path) noexcept = 0;
    // Opens parent\path only if it exists, creating nothing: ERROR_FILE_NOT_FOUND when it does
    // not. Reads open this way, so that looking at a setting never leaves a key behind.
    virtual SystemResult<RegistryKey> OpenKey(RegistryKey parent,
                                              std::u16string_view path) noexcept = 0;
    // As CreateKey, but the new keys end with the log-on session.
    virtual SystemResult<RegistryKey> CreateVolatileKey(RegistryKey parent,
                                                        std::u16string_view path) noexcept = 0;
    virtual SystemError CloseKey(RegistryKey key) noexcept = 0;
    virtual SystemError SetValue(RegistryKey key, std::u16string_view name, std::uint32_t type,
                                 const std::byte* data, std::uint32_t size) noexcept = 0;
    // With data null or size too small: ERROR_MORE_DATA (or success for null data) and the
    // size needed in bytes; a missing value gives ERROR_FILE_NOT_FOUND.
    virtual SystemError QueryValue(RegistryKey key, std::u16string_view name, std::uint32_t& type,
                                   std::byte* data, std::uint32_t& size) noexcept = 0;
    virtual SystemError DeleteValue(RegistryKey key, std::u16string_view name) noexcept = 0;
    // Removes parent\path, which must have no subkeys.
    virtual SystemError DeleteKey(RegistryKey parent, std::u16string_view path) noexcept = 0;
};

}  // namespace ombrel
