#include "FakeRegistry.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace ombrel::fakes {
namespace {

constexpr SystemError kInvalidParameter(87);
constexpr SystemError kInvalidHandle(kErrorInvalidHandle);
constexpr SystemError kAccessDenied(kErrorAccessDenied);
constexpr SystemError kFileNotFound(kErrorFileNotFound);

const std::map<RegistryKey, std::u16string_view>& Roots() {
    static const std::map<RegistryKey, std::u16string_view> roots{
        {RootKeyFor(kHkeyCurrentUser), u"HKCU"},
        {RootKeyFor(kHkeyLocalMachine), u"HKLM"},
        {RootKeyFor(kHkeyUsers), u"HKU"},
    };
    return roots;
}

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

std::u16string UpperName(std::u16string_view name) {
    std::u16string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
    return upper;
}

std::u16string Parent(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::byte> StringData(std::u16string_view text) {
    std::vector<std::byte> data((text.size() + 1) * sizeof(char16_t));
    std::memcpy(data.data(), text.data(), text.size() * sizeof(char16_t));
    return data;
}

FakeRegistry::FakeRegistry() {
    for (const auto& [handle, name] : Roots()) {
        keys_[std::u16string(name)];
    }
}

std::u16string FakeRegistry::Normalize(std::u16string_view path) {
    std::u16string upper = UpperName(path);
    while (!upper.empty() && upper.back() == u'\\') {
        upper.pop_back();
    }
    return upper;
}

void FakeRegistry::PutValue(std::u16string_view keyPath, std::u16string_view name, Value value) {
    std::u16string path = Normalize(keyPath);
    for (std::u16string at = path; !at.empty(); at = Parent(at)) {
        keys_[at];
    }
    keys_[path].values[UpperName(name)] = std::move(value);
}

void FakeRegistry::PutString(std::u16string_view keyPath, std::u16string_view name,
                             std::u16string_view text) {
    PutValue(keyPath, name, {RegSz, StringData(text)});
}

std::optional<FakeRegistry::Value> FakeRegistry::GetValue(std::u16string_view keyPath,
                                                          std::u16string_view name) const {
    const auto key = keys_.find(Normalize(keyPath));
    if (key == keys_.end()) {
        return std::nullopt;
    }
    const auto value = key->second.values.find(UpperName(name));
    if (value == key->second.values.end()) {
        return std::nullopt;
    }
    return value->second;
}

std::optional<std::u16string> FakeRegistry::GetString(std::u16string_view keyPath,
                                                      std::u16string_view name) const {
    const auto value = GetValue(keyPath, name);
    if (!value) {
        return std::nullopt;
    }
    std::u16string text(value->data.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), value->data.data(), text.size() * sizeof(char16_t));
    return text.substr(0, text.find(u'\0'));
}

bool FakeRegistry::KeyExists(std::u16string_view keyPath) const {
    return keys_.contains(Normalize(keyPath));
}

bool FakeRegistry::IsVolatile(std::u16string_view keyPath) const {
    const auto key = keys_.find(Normalize(keyPath));
    return key != keys_.end() && key->second.isVolatile;
}

void FakeRegistry::EndSession() {
    std::erase_if(keys_, [](const auto& entry) { return entry.second.isVolatile; });
}

std::optional<std::u16string> FakeRegistry::PathOf(RegistryKey key) const {
    if (const auto root = Roots().find(key); root != Roots().end()) {
        return std::u16string(root->second);
    }
    if (const auto open = handles_.find(key); open != handles_.end()) {
        return open->second;
    }
    return std::nullopt;
}

bool FakeRegistry::IsDenied(const std::u16string& path) const {
    return std::any_of(denied_.begin(), denied_.end(), [&path](const std::u16string& denied) {
        return path == denied || path.starts_with(denied + u"\\");
    });
}

SystemError FakeRegistry::Planned(std::string_view call) {
    const auto error = failures_.Take(call);
    return error ? SystemError(*error) : kSucceeded;
}

std::optional<std::u16string> FakeRegistry::FullPath(RegistryKey parent,
                                                     std::u16string_view path) const {
    auto full = PathOf(parent);
    if (full && !path.empty()) {
        *full += u"\\" + Normalize(path);
    }
    return full;
}

RegistryKey FakeRegistry::NewHandle(const std::u16string& full) {
    const auto opened = static_cast<RegistryKey>(nextHandle_);
    nextHandle_ += 4;
    handles_[opened] = full;
    return opened;
}

SystemResult<RegistryKey> FakeRegistry::Create(RegistryKey parent, std::u16string_view path,
                                               bool isVolatile) {
    const auto full = FullPath(parent, path);
    if (!full) {
        return kInvalidHandle;
    }
    std::vector<std::u16string> missing;
    for (std::u16string at = *full; !keys_.contains(at); at = Parent(at)) {
        missing.push_back(at);
    }
    // Opened with the most access allowed, as RegCreateKey does: an existing key opens for
    // reading, but a missing one cannot be made there.
    if (!missing.empty() && IsDenied(*full)) {
        return kAccessDenied;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        keys_[*it].isVolatile = isVolatile;
    }
    return NewHandle(*full);
}

SystemResult<RegistryKey> FakeRegistry::CreateKey(RegistryKey parent,
                                                  std::u16string_view path) noexcept {
    if (const SystemError planned = Planned("CreateKey"); planned.Failed()) {
        return planned;
    }
    return Create(parent, path, false);
}

SystemResult<RegistryKey> FakeRegistry::OpenKey(RegistryKey parent,
                                                std::u16string_view path) noexcept {
    if (const SystemError planned = Planned("OpenKey"); planned.Failed()) {
        return planned;
    }
    const auto full = FullPath(parent, path);
    if (!full) {
        return kInvalidHandle;
    }
    if (!keys_.contains(*full)) {
        return kFileNotFound;
    }
    return NewHandle(*full);
}

SystemResult<RegistryKey> FakeRegistry::CreateVolatileKey(RegistryKey parent,
                                                          std::u16string_view path) noexcept {
    if (const SystemError planned = Planned("CreateVolatileKey"); planned.Failed()) {
        return planned;
    }
    return Create(parent, path, true);
}

SystemError FakeRegistry::CloseKey(RegistryKey key) noexcept {
    return handles_.erase(key) == 1 ? kSucceeded : kInvalidHandle;
}

SystemError FakeRegistry::SetValue(RegistryKey key, std::u16string_view name, std::uint32_t type,
                                   const std::byte* data, std::uint32_t size) noexcept {
    ++setValueCalls_;
    if (const SystemError planned = Planned("SetValue"); planned.Failed()) {
        return planned;
    }
    const auto path = PathOf(key);
    if (!path || !keys_.contains(*path)) {
        return kInvalidHandle;
    }
    if (IsDenied(*path)) {
        return kAccessDenied;
    }
    if (data == nullptr && size != 0) {
        return kInvalidParameter;
    }
    Value value{type, std::vector<std::byte>(data, data + size)};
    keys_[*path].values[UpperName(name)] = std::move(value);
    return kSucceeded;
}

SystemError FakeRegistry::QueryValue(RegistryKey key, std::u16string_view name, std::uint32_t& type,
                                     std::byte* data, std::uint32_t& size) noexcept {
    const SystemError status = Query(key, name, type, data, size);
    if (afterQuery_) {
        std::exchange(afterQuery_, nullptr)();
    }
    return status;
}

SystemError FakeRegistry::Query(RegistryKey key, std::u16string_view name, std::uint32_t& type,
                                std::byte* data, std::uint32_t& size) {
    if (const SystemError planned = Planned("QueryValue"); planned.Failed()) {
        return planned;
    }
    const auto path = PathOf(key);
    if (!path || !keys_.contains(*path)) {
        return kInvalidHandle;
    }
    const Key& found = keys_[*path];
    const auto value = found.values.find(UpperName(name));
    if (value == found.values.end()) {
        return kFileNotFound;
    }
    const auto needed = static_cast<std::uint32_t>(value->second.data.size());
    const auto claimed = static_cast<std::uint32_t>(
        std::max<std::int64_t>(0, static_cast<std::int64_t>(needed) + sizeSkew_));
    type = value->second.type;
    if (data == nullptr) {
        size = claimed;
        return kSucceeded;
    }
    if (size < needed) {
        size = claimed;
        return SystemError(kErrorMoreData);
    }
    std::copy(value->second.data.begin(), value->second.data.end(), data);
    size = needed;
    return kSucceeded;
}

SystemError FakeRegistry::DeleteValue(RegistryKey key, std::u16string_view name) noexcept {
    if (const SystemError planned = Planned("DeleteValue"); planned.Failed()) {
        return planned;
    }
    const auto path = PathOf(key);
    if (!path || !keys_.contains(*path)) {
        return kInvalidHandle;
    }
    if (IsDenied(*path)) {
        return kAccessDenied;
    }
    return keys_[*path].values.erase(UpperName(name)) == 1 ? kSucceeded : kFileNotFound;
}

SystemError FakeRegistry::DeleteKey(RegistryKey parent, std::u16string_view path) noexcept {
    if (const SystemError planned = Planned("DeleteKey"); planned.Failed()) {
        return planned;
    }
    const auto base = PathOf(parent);
    if (!base) {
        return kInvalidHandle;
    }
    const std::u16string full = *base + u"\\" + Normalize(path);
    if (!keys_.contains(full)) {
        return kFileNotFound;
    }
    if (IsDenied(full)) {
        return kAccessDenied;
    }
    const std::u16string prefix = full + u"\\";
    const bool hasSubkeys = std::any_of(keys_.begin(), keys_.end(), [&prefix](const auto& entry) {
        return entry.first.starts_with(prefix);
    });
    if (hasSubkeys) {
        return kAccessDenied;
    }
    keys_.erase(full);
    return kSucceeded;
}

}  // namespace ombrel::fakes
