#include "settings/clsReg.h"

#include <array>
#include <cstring>
#include <vector>

#include "platform/ScopedRegistryKey.h"

namespace ombrel {
namespace {

std::u16string TextBeforeFirstNul(const std::vector<std::byte>& data) {
    // An odd last byte is half a character and is dropped.
    std::u16string text(data.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
    const auto nul = text.find(u'\0');
    if (nul != std::u16string::npos) {
        text.resize(nul);
    }
    return text;
}

}  // namespace

std::int32_t clsReg::ValidateParameters() const {
    if (KeyName_.empty()) {
        return kNoKeyName;
    }
    if (RootKey_ == 0) {
        return kNoRootKey;
    }
    if (RegKey_.empty()) {
        return kNoRegKey;
    }
    return kErrorSuccess;
}

bool clsReg::Keep(SystemError error) {
    Status_ = static_cast<std::int32_t>(error.Code());
    return !error.Failed();
}

bool clsReg::OpenKey(ScopedRegistryKey& key, Opening opening) {
    Status_ = ValidateParameters();
    if (Status_ != kErrorSuccess) {
        return false;
    }
    return Keep(opening == Opening::CreateMissing ? key.Create(Root(), RegKey_)
                                                  : key.Open(Root(), RegKey_));
}

void clsReg::CreateKey() {
    ScopedRegistryKey key(registry_);
    OpenKey(key);
}

void clsReg::DeleteKey() {
    CreateKey();
    if (Status_ != kErrorSuccess) {
        return;
    }
    ScopedRegistryKey root(registry_);
    if (Keep(root.Create(Root(), u""))) {
        Keep(registry_.DeleteKey(root.Get(), RegKey_));
    }
}

void clsReg::SetValue() {
    ScopedRegistryKey key(registry_);
    if (!OpenKey(key)) {
        return;
    }
    // UTF-16 text and one NUL character; an empty text stores the NUL alone.
    std::vector<std::byte> data((KeyValue_.size() + 1) * sizeof(char16_t));
    std::memcpy(data.data(), KeyValue_.data(), KeyValue_.size() * sizeof(char16_t));
    Keep(registry_.SetValue(key.Get(), KeyName_, RegSz, data.data(),
                            static_cast<std::uint32_t>(data.size())));
}

void clsReg::DeleteValue() {
    ScopedRegistryKey key(registry_);
    if (OpenKey(key)) {
        Keep(registry_.DeleteValue(key.Get(), KeyName_));
    }
}

void clsReg::GetValue() {
    // Whatever stops the read, the caller must not take the text of an earlier use for it.
    KeyValue_.clear();
    ScopedRegistryKey key(registry_);
    // A read of a setting nobody stored must not leave its key behind in a user's profile or
    // the machine's hive.
    if (!OpenKey(key, Opening::ExistingOnly)) {
        return;
    }
    // Ask for the size with a buffer declared empty: an existing value answers "more data".
    std::uint32_t type = RegSz;
    std::uint32_t size = 0;
    std::array<std::byte, 4> scratch{};
    Keep(registry_.QueryValue(key.Get(), KeyName_, type, scratch.data(), size));
    if (size < 1) {
        return;
    }
    if (size > kMaxValueBytes) {
        Status_ = kErrorMoreData;
        return;
    }
    std::vector<std::byte> data(size);
    type = RegSz;
    // A value that changed between the two reads is read as nothing rather than as garbage.
    if (!Keep(registry_.QueryValue(key.Get(), KeyName_, type, data.data(), size)) ||
        size > data.size()) {
        return;
    }
    data.resize(size);
    KeyValue_ = TextBeforeFirstNul(data);
}

}  // namespace ombrel
