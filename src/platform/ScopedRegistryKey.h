#pragma once

#include "platform/Registry.h"

namespace ombrel {

// An open key that is closed when the scope ends, on every path.
class ScopedRegistryKey {
  public:
    explicit ScopedRegistryKey(Registry& registry) : registry_(registry) {}
    ScopedRegistryKey(const ScopedRegistryKey&) = delete;
    ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;
    ~ScopedRegistryKey() {
        if (key_ != RegistryKey::None) {
            registry_.CloseKey(key_);
        }
    }

    // Opens parent\path, creating what is missing; the Win32 error code.
    std::int32_t Create(RegistryKey parent, std::u16string_view path) {
        return registry_.CreateKey(parent, path, key_);
    }
    // Opens parent\path if it exists; the Win32 error code.
    std::int32_t Open(RegistryKey parent, std::u16string_view path) {
        return registry_.OpenKey(parent, path, key_);
    }
    std::int32_t CreateVolatile(RegistryKey parent, std::u16string_view path) {
        return registry_.CreateVolatileKey(parent, path, key_);
    }
    RegistryKey Get() const { return key_; }

  private:
    Registry& registry_;
    RegistryKey key_ = RegistryKey::None;
};

}  // namespace ombrel
