#pragma once

#include "platform/Registry.h"

namespace ombrel {

// An open key that is closed when the scope ends, on every path.
class ScopedRegistryKey {
  public:
    explicit ScopedRegistryKey(Registry& registry) : registry_(registry) {}
    ScopedRegistryKey(const ScopedRegistryKey&) = delete;
    ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;
    ~ScopedRegistryKey() { Close(); }

    // Opens parent\path, creating what is missing.
    SystemError Create(RegistryKey parent, std::u16string_view path) {
        return Keep(registry_.CreateKey(parent, path));
    }
    // Opens parent\path if it exists.
    SystemError Open(RegistryKey parent, std::u16string_view path) {
        return Keep(registry_.OpenKey(parent, path));
    }
    SystemError CreateVolatile(RegistryKey parent, std::u16string_view path) {
        return Keep(registry_.CreateVolatileKey(parent, path));
    }
    RegistryKey Get() const { return key_; }

  private:
    SystemError Keep(const SystemResult<RegistryKey>& opened) {
        if (opened.Succeeded()) {
            Close();
            key_ = opened.Value();
        }
        return opened.Error();
    }
    void Close() {
        if (key_ != RegistryKey::None) {
            static_cast<void>(registry_.CloseKey(key_));
            key_ = RegistryKey::None;
        }
    }

    Registry& registry_;
    RegistryKey key_ = RegistryKey::None;
};

}  // namespace ombrel
