#include "engine/RecoveryList.h"

#include <array>
#include <cstring>
#include <utility>

#include "engine/ShellWindows.h"
#include "engine/StackingOrder.h"
#include "model/Command.h"
#include "platform/ScopedRegistryKey.h"
#include "platform/Text.h"
#include "text/LogFailure.h"
#include "text/Texts.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kOwnKey = u"Software\\Kelvora";
constexpr std::u16string_view kRecoveryKey = u"Software\\Kelvora\\Recovery";

// The list's key, volatile below the program's own key, which is not: the per-user settings
// live there and must outlast the log-on.
SystemError OpenList(Registry& registry, std::u16string_view listKey, ScopedRegistryKey& key) {
    ScopedRegistryKey own(registry);
    if (const SystemError error = own.Create(RootKeyFor(kHkeyCurrentUser), kOwnKey);
        error.Failed()) {
        return error;
    }
    return key.CreateVolatile(own.Get(), listKey.substr(kOwnKey.size() + 1));
}
// One value, so that a reader gets the writer and its windows from one and the same write;
// little-endian. First the instance that keeps the list: its process id (4 bytes), 4 bytes of
// zero, its start time (8). Then an entry of no window and no process whose desktop byte names
// the current desktop. Then each entry: the handle (8 bytes), the owning process id (4), the
// desktop index plus one (1; 0 for none), 3 bytes of zero.
constexpr std::u16string_view kWindowsValue = u"Windows";
constexpr std::size_t kWriterBytes = 16;
constexpr std::size_t kEntryBytes = 16;
constexpr std::size_t kDesktopByte = 12;
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

RecoveryList::RecoveryList(Registry& registry, WindowSystem& windows, Log& log, const Texts& texts,
                           RunningProcess& process)
    : registry_(registry),
      windows_(windows),
      log_(log),
      texts_(texts),
      process_(process),
      key_(std::u16string(kRecoveryKey) + u"\\" + DecimalText(process.SessionId())) {}

bool RecoveryList::OtherInstanceRuns(const std::optional<ProcessIdentity>& writer) {
    return writer && *writer != process_.Identity() && process_.IsRunning(*writer);
}

bool RecoveryList::WriterRuns() {
    const std::optional<Stored> list = ReadList();
    return list && OtherInstanceRuns(list->writer);
}

std::size_t RecoveryList::ShowAfterDeathOf(const ProcessIdentity& writer) {
    // The writer and the windows from one read: an instance started meanwhile may have taken
    // the list over and written its own, whose windows are its to show.
    std::optional<Stored> list = ReadList();
    if (!list || list->writer != writer) {
        return 0;  // ended in order (no list), or a newer instance keeps the list now
    }
    const std::size_t shown = ShowListed(StillOurs(std::move(list->arrangement.windows)));
    log_.Write(texts_.Format(TextId::GuardShowedWindows,
                             {DecimalText(writer.id), DecimalText(static_cast<long long>(shown))}));
    return shown;
}

void RecoveryList::Claim() {
    // Nothing is hidden yet; the first command writes what it hides.
    Save({}, 0);
}

SystemError RecoveryList::WriteValue(std::u16string_view name, std::span<const std::byte> data) {
    ScopedRegistryKey key(registry_);
    if (const SystemError error = OpenList(registry_, key_, key); error.Failed()) {
        return error;
    }
    return registry_.SetValue(key.Get(), name, RegBinary, data.data(),
                              static_cast<std::uint32_t>(data.size()));
}

void RecoveryList::Save(std::span<const Entry> hidden, int current) {
    std::vector<std::byte> data(kWriterBytes + (hidden.size() + 1) * kEntryBytes);
    const ProcessIdentity self = process_.Identity();
    PutLittleEndian(&data[0], self.id, 4);
    PutLittleEndian(&data[8], self.startTime, 8);
    data[kWriterBytes + kDesktopByte] = static_cast<std::byte>(current + 1);
    std::size_t at = kWriterBytes + kEntryBytes;
    for (const Entry& entry : hidden) {
        PutLittleEndian(&data[at], static_cast<std::uint64_t>(entry.window), 8);
        PutLittleEndian(&data[at + 8], entry.processId, 4);
        data[at + kDesktopByte] = static_cast<std::byte>(entry.desktop + 1);
        at += kEntryBytes;
    }
    LogFailure(log_, texts_, TextId::RecoveryListNotWritten, WriteValue(kWindowsValue, data),
               {DecimalText(static_cast<long long>(hidden.size()))});
}

void RecoveryList::Remove() {
    ScopedRegistryKey root(registry_);
    if (!root.Create(RootKeyFor(kHkeyCurrentUser), u"").Failed()) {
        // Missing already, or kept by another session: either way nothing is left to do.
        static_cast<void>(registry_.DeleteKey(root.Get(), key_));
        // Gone too once no other session keeps a list in it.
        static_cast<void>(registry_.DeleteKey(root.Get(), kRecoveryKey));
    }
}

std::vector<RecoveryList::Entry> RecoveryList::Read() {
    std::optional<Stored> list = ReadList();
    return list ? std::move(list->arrangement.windows) : std::vector<Entry>{};
}

std::optional<RecoveryList::Stored> RecoveryList::ReadList() {
    ScopedRegistryKey key(registry_);
    if (key.Open(RootKeyFor(kHkeyCurrentUser), key_).Failed()) {
        return std::nullopt;
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry_.QueryValue(key.Get(), kWindowsValue, type, nullptr, size).Failed() ||
        type != RegBinary || size < kWriterBytes || size % kEntryBytes != 0 ||
        size > kMaxListBytes) {
        return std::nullopt;
    }
    std::vector<std::byte> data(size);
    std::uint32_t read = size;
    if (registry_.QueryValue(key.Get(), kWindowsValue, type, data.data(), read).Failed() ||
        read != size || type != RegBinary) {
        return std::nullopt;
    }
    Stored list;
    // A list that names no writer comes from a version that did not: as good as dead.
    if (const auto id = static_cast<std::uint32_t>(GetLittleEndian(&data[0], 4)); id != 0) {
        list.writer = ProcessIdentity{id, GetLittleEndian(&data[8], 8)};
    }
    Arrangement& arrangement = list.arrangement;
    for (std::size_t at = kWriterBytes; at + kEntryBytes <= data.size(); at += kEntryBytes) {
        const auto window = static_cast<WindowHandle>(GetLittleEndian(&data[at], 8));
        const auto processId = static_cast<std::uint32_t>(GetLittleEndian(&data[at + 8], 4));
        const int desktop = static_cast<int>(data[at + kDesktopByte]) - 1;
        if (window != WindowHandle::None && processId != 0) {
            arrangement.windows.push_back(
                {window, processId, IsDesktopIndex(desktop) ? desktop : kNoDesktop});
        } else if (window == WindowHandle::None && processId == 0 && IsDesktopIndex(desktop)) {
            arrangement.current = desktop;
        }
    }
    return list;
}

std::vector<RecoveryList::Entry> RecoveryList::StillOurs(std::vector<Entry> entries) {
    // A window whose handle now names another program's window, or none, is not ours.
    std::erase_if(entries, [this](const Entry& entry) {
        return windows_.ProcessIdOf(entry.window) != entry.processId;
    });
    return entries;
}

std::size_t RecoveryList::ShowListed(const std::vector<Entry>& entries) {
    std::vector<WindowHandle> hidden;
    for (const Entry& entry : entries) {
        if (!windows_.IsWindowVisible(entry.window)) {
            hidden.push_back(entry.window);
        }
    }
    if (!entries.empty()) {
        ShowInPlace(windows_, hidden);
        for (std::u16string_view shellClass : {kDesktopIconsClass, kTaskbarClass}) {
            windows_.ShowWindowAsync(windows_.FindWindowByClass(shellClass),
                                     ShowCommand::ShowNoActivate);
        }
    }
    return hidden.size();
}

std::optional<RecoveryList::Arrangement> RecoveryList::TakeOver() {
    std::optional<Stored> list = ReadList();
    if (list && OtherInstanceRuns(list->writer)) {
        return std::nullopt;
    }
    Remove();
    if (!list) {
        return std::nullopt;
    }
    std::optional<Arrangement> left = std::move(list->arrangement);
    left->windows = StillOurs(std::move(left->windows));
    std::vector<Entry> shown;
    for (const Entry& entry : left->windows) {
        if (entry.desktop == kNoDesktop || entry.desktop == left->current) {
            shown.push_back(entry);
        }
    }
    // The shell's windows belong to no desktop: a hidden taskbar is among these.
    ShowListed(shown);
    return left;
}

}  // namespace ombrel
