#pragma once

#include "platform/Registry.h"

namespace ombrel::win32 {

class Win32Registry final : public Registry {
  public:
    SystemResult<RegistryKey> CreateKey(RegistryKey parent,
                                        std::u16string_view path) noexcept override;
    SystemResult<RegistryKey> OpenKey(RegistryKey parent,
                                      std::u16string_view path) noexcept override;
    SystemResult<RegistryKey> CreateVolatileKey(RegistryKey parent,
                                                std::u16string_view path) noexcept override;
    SystemError CloseKey(RegistryKey key) noexcept override;
    SystemError SetValue(RegistryKey key, std::u16string_view name, std::uint32_t type,
                         const std::byte* data, std::uint32_t size) noexcept override;
    SystemError QueryValue(RegistryKey key, std::u16string_view name, std::uint32_t& type,
                           std::byte* data, std::uint32_t& size) noexcept override;
    SystemError DeleteValue(RegistryKey key, std::u16string_view name) noexcept override;
    SystemError DeleteKey(RegistryKey parent, std::u16string_view path) noexcept override;
};

}  // namespace ombrel::win32
