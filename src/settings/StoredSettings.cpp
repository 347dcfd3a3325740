#include "settings/StoredSettings.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "platform/Text.h"
#include "settings/SettingsStore.h"
#include "settings/clsReg.h"

namespace ombrel {
namespace {

// A setting lives machine-wide, where only an administrator may write, or per user.
constexpr std::array<std::int32_t, 2> kRunRoots{kHkeyLocalMachine, kHkeyCurrentUser};

constexpr SystemError kAccessDenied(kErrorAccessDenied);

// What the registry object's Status says of its last call.
SystemError ErrorOf(const clsReg& reg) {
    return SystemError(static_cast<std::uint32_t>(reg.Status()));
}

// Names one value in one of its places.
void Name(clsReg& reg, std::int32_t root, std::u16string_view key, std::u16string_view name) {
    reg.SetRootKey(root);
    reg.SetRegKey(std::u16string(key));
    reg.SetKeyName(std::u16string(name));
}

// The value's text and whether it exists there.
std::optional<std::u16string> Read(Registry& registry, std::int32_t root, std::u16string_view key,
                                   std::u16string_view name) {
    clsReg reg(registry);
    Name(reg, root, key, name);
    reg.GetValue();
    if (reg.Status() != kErrorSuccess) {
        return std::nullopt;
    }
    return reg.KeyValue();
}

SystemError Write(Registry& registry, std::int32_t root, std::u16string_view key,
                  std::u16string_view name, std::u16string_view text) {
    clsReg reg(registry);
    Name(reg, root, key, name);
    reg.SetKeyValue(std::u16string(text));
    reg.SetValue();
    return ErrorOf(reg);
}

// Deleting what is not there leaves the registry as the user wants it.
SystemError Delete(Registry& registry, std::int32_t root, std::u16string_view key,
                   std::u16string_view name) {
    clsReg reg(registry);
    Name(reg, root, key, name);
    reg.DeleteValue();
    return reg.Status() == kErrorFileNotFound ? kSucceeded : ErrorOf(reg);
}

// The per-user value where there is one, otherwise the machine-wide one.
std::u16string ReadSetting(Registry& registry, std::u16string_view name) {
    auto perUser = Read(registry, kHkeyCurrentUser, kSettingsKey, name);
    if (perUser) {
        return std::move(*perUser);
    }
    return Read(registry, kHkeyLocalMachine, kSettingsKey, name).value_or(u"");
}

// Whether a stored text reads as the setting the user wants.
using ReadsAsWanted = std::function<bool(std::u16string_view stored)>;

// Writes the text, or clears the value when there is none; the error, if any. The
// machine-wide value is written where the user may; where it is written or deleted the per-user
// copy goes, so it cannot shadow it. A standard user keeps in his own key only what differs
// from the machine's value, so that what an administrator saves later reaches him for every
// setting he left alone. A machine-wide value he may not delete is shadowed where it can be
// (an empty per-user value reads as none), and is a failure where it cannot.
SystemError SaveSetting(Registry& registry, std::u16string_view key, std::u16string_view name,
                        std::u16string_view text, bool perUserMayShadow,
                        const ReadsAsWanted& readsAsWanted) {
    const SystemError machine = text.empty() ? Delete(registry, kHkeyLocalMachine, key, name)
                                             : Write(registry, kHkeyLocalMachine, key, name, text);
    if (machine != kAccessDenied) {
        return machine.Failed() ? machine : Delete(registry, kHkeyCurrentUser, key, name);
    }
    if (readsAsWanted(Read(registry, kHkeyLocalMachine, key, name).value_or(u""))) {
        return Delete(registry, kHkeyCurrentUser, key, name);
    }
    if (!text.empty()) {
        return Write(registry, kHkeyCurrentUser, key, name, text);
    }
    return perUserMayShadow ? Write(registry, kHkeyCurrentUser, key, name, u"") : machine;
}

// A whole number of a screen's range: an optional minus and one to six digits, nothing else.
std::optional<int> Coordinate(std::u16string_view text) {
    const bool negative = !text.empty() && text[0] == u'-';
    const std::u16string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 6) {
        return std::nullopt;
    }
    int value = 0;
    for (char16_t digit : digits) {
        if (digit < u'0' || digit > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - u'0');
    }
    return negative ? -value : value;
}

}  // namespace

std::u16string StoredSettings::Wallpaper(int desktop) const {
    return ReadSetting(registry_, WallpaperValueName(desktop));
}

bool StoredSettings::SkipNotice() const {
    return ReadSetting(registry_, kNeverShowInfoValueName) == kNeverShowInfoYes;
}

std::optional<BarPosition> StoredSettings::StoredBarPosition() const {
    const std::optional<std::u16string> text =
        Read(registry_, kHkeyCurrentUser, kSettingsKey, kBarPositionValueName);
    const std::size_t comma = text ? text->find(u',') : std::u16string::npos;
    if (comma == std::u16string::npos) {
        return std::nullopt;
    }
    const std::optional<int> left = Coordinate(std::u16string_view(*text).substr(0, comma));
    const std::optional<int> top = Coordinate(std::u16string_view(*text).substr(comma + 1));
    if (!left || !top) {
        return std::nullopt;
    }
    return BarPosition{*left, *top};
}

SystemError StoredSettings::SaveBarPosition(BarPosition position) const {
    return Write(registry_, kHkeyCurrentUser, kSettingsKey, kBarPositionValueName,
                 DecimalText(position.left) + u"," + DecimalText(position.top));
}

SettingsValues StoredSettings::Load() const {
    SettingsValues values;
    for (int desktop = 0; desktop < SettingsValues::kWallpaperCount; ++desktop) {
        values.wallpapers[static_cast<std::size_t>(desktop)] = Wallpaper(desktop);
    }
    values.skipNotice = SkipNotice();
    // Either Run value starts this program at log-on.
    const std::u16string program = ProgramPath(process_);
    values.startWithWindows =
        std::any_of(kRunRoots.begin(), kRunRoots.end(), [this, &program](std::int32_t root) {
            return RunValueNamesProgram(Read(registry_, root, kRunKey, kRunValueName).value_or(u""),
                                        program);
        });
    return values;
}

StoredSettings::Saved StoredSettings::Save(const SettingsValues& values) const {
    using Setting = SettingFailure::Setting;
    Saved saved;
    std::vector<SettingFailure>& failures = saved.failures;
    const auto record = [&failures](Setting setting, int desktop, SystemError error) {
        if (error.Failed()) {
            failures.push_back({setting, desktop, error});
        }
    };
    for (int desktop = 0; desktop < SettingsValues::kWallpaperCount; ++desktop) {
        const std::u16string& wallpaper = values.wallpapers[static_cast<std::size_t>(desktop)];
        record(
            Setting::Wallpaper, desktop,
            SaveSetting(registry_, kSettingsKey, WallpaperValueName(desktop), wallpaper, true,
                        [&wallpaper](std::u16string_view stored) { return stored == wallpaper; }));
    }
    record(Setting::SkipNotice, 0,
           SaveSetting(registry_, kSettingsKey, kNeverShowInfoValueName,
                       values.skipNotice ? kNeverShowInfoYes : u"", true,
                       [&values](std::u16string_view stored) {
                           return (stored == kNeverShowInfoYes) == values.skipNotice;
                       }));
    const std::u16string program = ProgramPath(process_);
    if (values.startWithWindows && process_.ProgramFolderWritableByOthers()) {
        // Any user who may write the folder could put his own program in its place and have it
        // run in every user's log-on: it starts for this user alone.
        saved.startsForThisUserOnly = !RunValueNamesProgram(
            Read(registry_, kHkeyCurrentUser, kRunKey, kRunValueName).value_or(u""), program);
        // A machine-wide value this user may not delete is an administrator's to mend.
        const SystemError machine = Delete(registry_, kHkeyLocalMachine, kRunKey, kRunValueName);
        const SystemError user =
            Write(registry_, kHkeyCurrentUser, kRunKey, kRunValueName, RunCommandFor(program));
        record(Setting::StartWithWindows, 0,
               user.Failed() || machine == kAccessDenied ? user : machine);
        return saved;
    }
    record(Setting::StartWithWindows, 0,
           SaveSetting(registry_, kRunKey, kRunValueName,
                       values.startWithWindows ? RunCommandFor(program) : u"", false,
                       [&values, &program](std::u16string_view stored) {
                           return RunValueNamesProgram(stored, program) == values.startWithWindows;
                       }));
    return saved;
}

}  // namespace ombrel
