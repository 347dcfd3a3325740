#include "engine/RecoveryList.h"

#include <cstring>

#include "engine/ShellWindows.h"
#include "engine/StackingOrder.h"
#include "platform/ScopedRegistryKey.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kRecoveryKey = u"Software\\Kelvora\\Recovery";
constexpr std::u16string_view kWindowsValue = u"Windows";
// Each entry: the handle (8 bytes), the owning process id (4), 4 bytes of zero; little-endian.
constexpr std::size_t kEntryBytes = 16;
// 65,536 windows: no desktop has that many; larger data is not ours.
constexpr std::uint32_t kMaxListBytes = 1U << 20;

void PutLittleEndian(std::byte* at, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) {
        at[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
    }
}

std::uint64_t GetLittleEndian(const std::byte* at, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
    }
    return value;
}

}  // namespace

void RecoveryList::Save(const std::map<WindowHandle, std::uint32_t>& hidden) {
    std::vector<std::byte> data(hidden.size() * kEntryBytes);
    std::size_t at = 0;
    for (const auto& [window, processId] : hidden) {
        PutLittleEndian(&data[at], static_cast<std::uint64_t>(window), 8);
        PutLittleEndian(&data[at + 8], processId, 4);
        at += kEntryBytes;
    }
    ScopedRegistryKey key(registry_);
    if (key.CreateVolatile(RootKeyFor(kHkeyCurrentUser), kRecoveryKey) == kErrorSuccess) {
        registry_.SetValue(key.Get(), kWindowsValue, RegBinary, data.data(),
                           static_cast<std::uint32_t>(data.size()));
    }
}

void RecoveryList::Remove() {
    ScopedRegistryKey parent(registry_);
    if (parent.Create(RootKeyFor(kHkeyCurrentUser), u"Software\\Kelvora") == kErrorSuccess) {
        registry_.DeleteKey(parent.Get(), u"Recovery");
    }
}

std::vector<RecoveryList::Entry> RecoveryList::Read() {
    ScopedRegistryKey key(registry_);
    // Opened with create semantics like every key here, so a missing one is made volatile.
    if (key.CreateVolatile(RootKeyFor(kHkeyCurrentUser), kRecoveryKey) != kErrorSuccess) {
        return {};
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry_.QueryValue(key.Get(), kWindowsValue, type, nullptr, size) != kErrorSuccess ||
        type != RegBinary || size % kEntryBytes != 0 || size > kMaxListBytes) {
        return {};
    }
    std::vector<std::byte> data(size);
    std::uint32_t read = size;
    if (registry_.QueryValue(key.Get(), kWindowsValue, type, data.data(), read) != kErrorSuccess ||
        read != size || type != RegBinary) {
        return {};
    }
    std::vector<Entry> entries;
    for (std::size_t at = 0; at + kEntryBytes <= data.size(); at += kEntryBytes) {
        const auto window = static_cast<WindowHandle>(GetLittleEndian(&data[at], 8));
        const auto processId = static_cast<std::uint32_t>(GetLittleEndian(&data[at + 8], 4));
        if (window != WindowHandle::None && processId != 0) {
            entries.push_back({window, processId});
        }
    }
    return entries;
}

std::size_t RecoveryList::WorkOff() {
    const std::vector<Entry> entries = Read();
    std::vector<WindowHandle> hidden;
    for (const Entry& entry : entries) {
        if (windows_.ProcessIdOf(entry.window) == entry.processId &&
            !windows_.IsWindowVisible(entry.window)) {
            hidden.push_back(entry.window);
        }
    }
    if (!entries.empty()) {
        ShowInPlace(windows_, StackingOrder(windows_).Sorted(hidden));
        for (std::u16string_view shellClass : {kDesktopIconsClass, kTaskbarClass}) {
            windows_.ShowWindowAsync(windows_.FindWindowByClass(shellClass),
                                     ShowCommand::ShowNoActivate);
        }
    }
    Remove();
    return hidden.size();
}

}  // namespace ombrel
