#pragma once

#include <cstdint>
#include <string>

#include "platform/Registry.h"
#include "platform/ScopedRegistryKey.h"

namespace ombrel {

// Names one registry value (root, key path, value name), carries its text, and reads, writes
// or deletes it. Every method leaves its outcome in Status: 0, -1 no root, -2 no key path,
// -3 no value name, or the Win32 error code of the last registry call. Nothing is thrown or
// shown. No key stays open between calls.
class clsReg {
  public:
    static constexpr std::int32_t kNoRootKey = -1;
    static constexpr std::int32_t kNoRegKey = -2;
    static constexpr std::int32_t kNoKeyName = -3;
    // Longer data is refused like a value that does not fit: the registry is no file store.
    static constexpr std::uint32_t kMaxValueBytes = 1U << 20;

    explicit clsReg(Registry& registry) : registry_(registry) {}
    clsReg(const clsReg&) = delete;
    clsReg& operator=(const clsReg&) = delete;

    std::int32_t RootKey() const { return RootKey_; }
    void SetRootKey(std::int32_t root) { RootKey_ = root; }
    const std::u16string& RegKey() const { return RegKey_; }
    void SetRegKey(std::u16string path) { RegKey_ = std::move(path); }
    const std::u16string& KeyName() const { return KeyName_; }
    void SetKeyName(std::u16string name) { KeyName_ = std::move(name); }
    const std::u16string& KeyValue() const { return KeyValue_; }
    void SetKeyValue(std::u16string value) { KeyValue_ = std::move(value); }
    std::int32_t Status() const { return Status_; }

    // Writes and deletes create the key path on the way; a read creates nothing.
    void CreateKey();
    // Creates the key first if it is missing, then deletes it; it must have no subkeys.
    void DeleteKey();
    // Stores KeyValue as REG_SZ with its terminating NUL.
    void SetValue();
    void DeleteValue();
    // KeyValue becomes the value's text up to its first NUL, or empty when nothing was read,
    // whatever the cause; Status tells the cause (ERROR_FILE_NOT_FOUND for a missing key too).
    void GetValue();

  private:
    std::int32_t ValidateParameters() const;
    enum class Opening { CreateMissing, ExistingOnly };
    // Validates, then opens the key; false, with Status set, on failure.
    bool OpenKey(ScopedRegistryKey& key, Opening opening = Opening::CreateMissing);
    // Status takes the call's error code; true when the call went through.
    bool Keep(SystemError error);
    RegistryKey Root() const { return RootKeyFor(RootKey_); }

    Registry& registry_;
    std::int32_t RootKey_ = kHkeyLocalMachine;
    std::u16string RegKey_;
    std::u16string KeyName_;
    std::u16string KeyValue_;
    std::int32_t Status_ = 0;
};

}  // namespace ombrel
