#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FailurePlan.h"
#include "platform/Registry.h"

namespace ombrel::fakes {

// A registry tree in memory. Key and value names compare without regard to case, as on
// Windows; REG_SZ data is kept as the bytes the caller stored.
class FakeRegistry final : public Registry {
  public:
    struct Value {
        std::uint32_t type = RegSz;
        std::vector<std::byte> data;
    };

    FakeRegistry();

    // Paths are "HKLM\SOFTWARE\Kelvora" style, root first.
    void PutValue(std::u16string_view keyPath, std::u16string_view name, Value value);
    void PutString(std::u16string_view keyPath, std::u16string_view name, std::u16string_view text);
    std::optional<Value> GetValue(std::u16string_view keyPath, std::u16string_view name) const;
    // The text of a REG_SZ value up to its first NUL; nullopt when absent.
    std::optional<std::u16string> GetString(std::u16string_view keyPath,
                                            std::u16string_view name) const;
    bool KeyExists(std::u16string_view keyPath) const;
    // Every key, the roots included.
    std::size_t KeyCount() const { return keys_.size(); }
    bool IsVolatile(std::u16string_view keyPath) const;
    // Writes below this key fail with access denied, as HKEY_LOCAL_MACHINE does for a user.
    void DenyWrites(std::u16string_view keyPath) { denied_.push_back(Normalize(keyPath)); }
    void AllowWrites() { denied_.clear(); }
    // The log-on session ends: volatile keys go.
    void EndSession();
    std::size_t OpenHandles() const { return handles_.size(); }
    int SetValueCalls() const { return setValueCalls_; }
    // Size queries answer this many bytes more (or fewer) than the data holds, as when another
    // program rewrites the value between a caller's two reads.
    void SetSizeSkew(std::int32_t skew) { sizeSkew_ = skew; }
    // Runs once, right after the next value query: another program writes between a caller's
    // reads.
    void AfterNextQuery(std::function<void()> act) { afterQuery_ = std::move(act); }
    FailurePlan& Failures() { return failures_; }

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

  private:
    struct Key {
        bool isVolatile = false;
        std::map<std::u16string, Value> values;  // by upper-cased name
    };

    static std::u16string Normalize(std::u16string_view path);
    std::optional<std::u16string> PathOf(RegistryKey key) const;
    // parent\path as a full path; nullopt when parent is no key.
    std::optional<std::u16string> FullPath(RegistryKey parent, std::u16string_view path) const;
    RegistryKey NewHandle(const std::u16string& full);
    SystemResult<RegistryKey> Create(RegistryKey parent, std::u16string_view path, bool isVolatile);
    bool IsDenied(const std::u16string& path) const;
    // The error the plan has for this call; none when it goes through.
    SystemError Planned(std::string_view call);
    SystemError Query(RegistryKey key, std::u16string_view name, std::uint32_t& type,
                      std::byte* data, std::uint32_t& size);

    std::map<std::u16string, Key> keys_;  // by upper-cased full path
    std::map<RegistryKey, std::u16string> handles_;
    std::vector<std::u16string> denied_;
    std::uintptr_t nextHandle_ = 0x300;
    int setValueCalls_ = 0;
    std::int32_t sizeSkew_ = 0;
    std::function<void()> afterQuery_;
    FailurePlan failures_;
};

// UTF-16 text as REG_SZ bytes, with its terminating NUL.
std::vector<std::byte> StringData(std::u16string_view text);

}  // namespace ombrel::fakes
