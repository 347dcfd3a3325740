#pragma once

#include <string>
#include <vector>

#include "platform/CommonDialogs.h"
#include "platform/FormRuntime.h"
#include "settings/DesktopWallpapers.h"
#include "settings/SettingsStore.h"
#include "ui/forms/Form.h"
#include "ui/forms/FormEvents.h"

namespace ombrel {

// The settings dialog's behaviour: filled from the registry when it loads, everything written
// at once by OK or Apply, Apply also putting the current desktop's wallpaper on the screen.
class SettingsDialog final : public FormEvents {
  public:
    struct Services {
        RegistryObjects& registry;
        DesktopWallpapers& wallpapers;
        CommonDialogs& dialogs;
        FormRuntime& forms;
    };

    SettingsDialog(Form& frmConfig, Form& frmMain, const Services& services);

    void OnLoad() override;
    void OnClick(std::u16string_view control, int index) override;

    // Writes or deletes all eleven values; says what could not be saved and returns false.
    bool SaveSettings();

  private:
    struct Failure {
        std::u16string item;
        std::int32_t status;
    };

    void Browse(int index);
    void Defaults();
    void Record(std::vector<Failure>& failures, std::u16string_view item, const clsReg& reg,
                bool deleting) const;
    void ReportFailures(const std::vector<Failure>& failures);
    Control& WallpaperBox(int index) { return frmConfig_.Controls(u"txtWallPaper", index); }

    Form& frmConfig_;
    Form& frmMain_;
    Services services_;
};

}  // namespace ombrel
