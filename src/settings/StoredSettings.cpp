#include "settings/StoredSettings.h"

#include "settings/SettingsStore.h"
#include "settings/clsReg.h"

namespace ombrel {
namespace {

// Reads one value of the program's settings key.
std::u16string ReadSetting(Registry& registry, std::u16string_view name) {
    clsReg reg(registry);
    reg.SetRegKey(std::u16string(kSettingsKey));
    reg.SetKeyName(std::u16string(name));
    reg.GetValue();
    return reg.KeyValue();
}

// Writes the text, or deletes the value when there is none; the error code, 0 when done.
// Deleting what is not there leaves the registry as the user wants it.
std::int32_t WriteOrDelete(Registry& registry, std::u16string_view key, std::u16string_view name,
                           std::u16string_view text) {
    clsReg reg(registry);
    reg.SetRegKey(std::u16string(key));
    reg.SetKeyName(std::u16string(name));
    if (text.empty()) {
        reg.DeleteValue();
        return reg.Status() == kErrorFileNotFound ? kErrorSuccess : reg.Status();
    }
    reg.SetKeyValue(std::u16string(text));
    reg.SetValue();
    return reg.Status();
}

}  // namespace

std::u16string StoredSettings::Wallpaper(int desktop) const {
    return ReadSetting(registry_, WallpaperValueName(desktop));
}

bool StoredSettings::SkipNotice() const {
    return ReadSetting(registry_, kNeverShowInfoValueName) == kNeverShowInfoYes;
}

SettingsValues StoredSettings::Load() const {
    SettingsValues values;
    for (int desktop = 0; desktop < SettingsValues::kWallpaperCount; ++desktop) {
        values.wallpapers[static_cast<std::size_t>(desktop)] = Wallpaper(desktop);
    }
    values.skipNotice = SkipNotice();
    clsReg run(registry_);
    run.SetRegKey(std::u16string(kRunKey));
    run.SetKeyName(std::u16string(kRunValueName));
    run.GetValue();
    values.startWithWindows = RunValueNamesProgram(run.KeyValue(), ProgramPath(process_));
    return values;
}

std::vector<SettingFailure> StoredSettings::Save(const SettingsValues& values) const {
    using Setting = SettingFailure::Setting;
    std::vector<SettingFailure> failures;
    const auto record = [&failures](Setting setting, int desktop, std::int32_t status) {
        if (status != kErrorSuccess) {
            failures.push_back({setting, desktop, status});
        }
    };
    for (int desktop = 0; desktop < SettingsValues::kWallpaperCount; ++desktop) {
        record(Setting::Wallpaper, desktop,
               WriteOrDelete(registry_, kSettingsKey, WallpaperValueName(desktop),
                             values.wallpapers[static_cast<std::size_t>(desktop)]));
    }
    record(Setting::SkipNotice, 0,
           WriteOrDelete(registry_, kSettingsKey, kNeverShowInfoValueName,
                         values.skipNotice ? kNeverShowInfoYes : u""));
    record(Setting::StartWithWindows, 0,
           WriteOrDelete(registry_, kRunKey, kRunValueName,
                         values.startWithWindows ? RunCommandFor(ProgramPath(process_)) : u""));
    return failures;
}

}  // namespace ombrel
