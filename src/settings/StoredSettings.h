#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RunningProcess.h"
#include "platform/SystemError.h"

namespace ombrel {

// Everything the settings dialog edits, as it stands in the registry.
struct SettingsValues {
    static constexpr int kWallpaperCount = 9;                // one per desktop
    std::array<std::u16string, kWallpaperCount> wallpapers;  // empty: the default one
    bool skipNotice = false;
    bool startWithWindows = false;
};

// A value that could not be written or deleted, and the registry's error.
struct SettingFailure {
    enum class Setting { Wallpaper, SkipNotice, StartWithWindows };
    Setting setting;
    int desktop = 0;  // for Wallpaper: the desktop's index
    SystemError error;
};

// Where the user put the bar, in the screen's own pixels, whatever the screen's scale.
struct BarPosition {
    int left = 0;
    int top = 0;
    friend bool operator==(const BarPosition&, const BarPosition&) = default;
};

// Reads and writes the settings, each value through a registry object of its own, so that no
// read depends on what another did before it.
class StoredSettings {
  public:
    // The process knows the running program's file, which the Run value names.
    StoredSettings(Registry& registry, RunningProcess& process)
        : registry_(registry), process_(process) {}

    SettingsValues Load() const;
    struct Saved {
        std::vector<SettingFailure> failures;
        // The start with Windows was newly set for this user alone, not for every user: the
        // program's folder is one that others than the administrators may write.
        bool startsForThisUserOnly = false;
    };
    // Writes every value that is set and deletes every one that is not; says what failed.
    Saved Save(const SettingsValues& values) const;

    // The desktop's stored wallpaper; empty when there is none or it cannot be read.
    std::u16string Wallpaper(int desktop) const;
    // Whether "NeverShowInfo" holds exactly "Yes".
    bool SkipNotice() const;

    // The bar's place, kept per user as "left,top"; none when the user never moved it or the
    // text is not two whole numbers of a screen's range.
    std::optional<BarPosition> StoredBarPosition() const;
    SystemError SaveBarPosition(BarPosition position) const;

  private:
    Registry& registry_;
    RunningProcess& process_;
};

}  // namespace ombrel
