#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/CommonDialogs.h"
#include "settings/DesktopWallpapers.h"
#include "settings/StoredSettings.h"
#include "ui/forms/Form.h"
#include "ui/forms/FormEvents.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {

// The settings dialog's behaviour: filled from the stored settings when it loads, everything
// written at once by OK or Apply, Apply also putting the current desktop's wallpaper on the
// screen. It only maps its controls to and from the values.
class SettingsDialog final : public FormEvents {
  public:
    struct Services {
        const StoredSettings& settings;
        DesktopWallpapers& wallpapers;
        CommonDialogs& dialogs;
    };

    SettingsDialog(Form& frmConfig, Form& frmMain, const Services& services);

    void OnLoad() override;
    void OnClick(std::u16string_view control, int index) override;

    // Writes or deletes all eleven values; says what could not be saved and returns false.
    bool SaveSettings();

  private:
    void Show(const SettingsValues& values);
    SettingsValues Edited();
    void Browse(int index);
    void Defaults();
    void ReportFailures(const std::vector<SettingFailure>& failures);
    void ReportWallpaperFailure(std::u16string_view path);
    Control& WallpaperBox(int index) { return frmConfig_.Controls(config::kWallpaperBox, index); }

    Form& frmConfig_;
    Form& frmMain_;
    Services services_;
};

}  // namespace ombrel
