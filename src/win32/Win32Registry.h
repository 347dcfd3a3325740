#pragma once

#include "platform/Registry.h"

namespace ombrel::win32 {

class Win32Registry final : public Registry {
  public:
    std::int32_t CreateKey(RegistryKey parent, std::u16string_view path,
                           RegistryKey& opened) noexcept override;
    std::int32_t OpenKey(RegistryKey parent, std::u16string_view path,
                         RegistryKey& opened) noexcept override;
    std::int32_t CreateVolatileKey(RegistryKey parent, std::u16string_view path,
                                   RegistryKey& opened) noexcept override;
    std::int32_t CloseKey(RegistryKey key) noexcept override;
    std::int32_t SetValue(RegistryKey key, std::u16string_view name, std::uint32_t type,
                          const std::byte* data, std::uint32_t size) noexcept override;
    std::int32_t QueryValue(RegistryKey key, std::u16string_view name, std::uint32_t& type,
                            std::byte* data, std::uint32_t& size) noexcept override;
    std::int32_t DeleteValue(RegistryKey key, std::u16string_view name) noexcept override;
    std::int32_t DeleteKey(RegistryKey parent, std::u16string_view path) noexcept override;
};

}  // namespace ombrel::win32
