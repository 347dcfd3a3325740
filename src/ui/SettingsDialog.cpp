#include "ui/SettingsDialog.h"

#include "model/Command.h"
#include "platform/Text.h"
#include "settings/clsComDlg.h"
#include "text/Texts.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kBrowseDirectory = u"c:\\windows";
constexpr std::u16string_view kLineBreak = u"\r\n";

std::u16string DesktopItem(const Texts& texts, int index) {
    return texts.Format(TextId::WallpaperDesktopLabel, {DecimalText(index + 1)});
}

}  // namespace

static_assert(SettingsValues::kWallpaperCount == kDesktopCount);

SettingsDialog::SettingsDialog(Form& frmConfig, Form& frmMain, const Services& services)
    : frmConfig_(frmConfig), frmMain_(frmMain), services_(services) {
    frmConfig_.SetEvents(*this);
}

void SettingsDialog::OnLoad() {
    Show(services_.settings.Load());
}

void SettingsDialog::Show(const SettingsValues& values) {
    for (int index = 0; index < kDesktopCount; ++index) {
        WallpaperBox(index).SetText(values.wallpapers[static_cast<std::size_t>(index)]);
    }
    frmConfig_.Controls(config::kSkipNotice).SetValue(values.skipNotice ? 1 : 0);
    frmConfig_.Controls(config::kStartWithWindows).SetValue(values.startWithWindows ? 1 : 0);
}

SettingsValues SettingsDialog::Edited() {
    SettingsValues values;
    for (int index = 0; index < kDesktopCount; ++index) {
        values.wallpapers[static_cast<std::size_t>(index)] = WallpaperBox(index).Text();
    }
    values.skipNotice = frmConfig_.Controls(config::kSkipNotice).Value() == 1;
    values.startWithWindows = frmConfig_.Controls(config::kStartWithWindows).Value() == 1;
    return values;
}

void SettingsDialog::OnClick(std::u16string_view control, int index) {
    if (control == config::kBrowse && IsDesktopIndex(index)) {
        Browse(index);
    } else if (control == config::kDefaults) {
        Defaults();
    } else if (control == config::kApply) {
        SaveSettings();
        // The wallpaper goes on the screen even when some value could not be stored.
        const AppliedWallpaper applied = services_.wallpapers.ApplyDesktopWallpaper(
            static_cast<std::int16_t>(DesktopIndexFromTag(frmMain_.Tag())));
        if (!applied.taken) {
            ReportWallpaperFailure(applied.path);
        }
    } else if (control == config::kOk) {
        // After a failed save the dialog stays open, so nothing the user typed is lost.
        if (SaveSettings()) {
            frmConfig_.Unload();
        }
    } else if (control == config::kCancel) {
        frmConfig_.Unload();
    }
}

void SettingsDialog::Browse(int index) {
    const Texts& texts = frmConfig_.TextsInForce();
    clsComDlg browse(services_.dialogs);
    // Owned by the settings dialog, so it stays in front and the settings wait for it.
    browse.SetHwnd(frmConfig_.WindowIfLoaded());
    browse.SetInitDir(std::u16string(kBrowseDirectory));
    browse.SetFilter(std::u16string(texts.Text(TextId::WallpaperFilter)));
    browse.ShowOpen();
    // A cancelled browse leaves the path that was there: OK would otherwise delete it.
    if (!browse.FileName().empty()) {
        WallpaperBox(index).SetText(browse.FileName());
    }
}

void SettingsDialog::Defaults() {
    Show(SettingsValues{});
}

bool SettingsDialog::SaveSettings() {
    const StoredSettings::Saved saved = services_.settings.Save(Edited());
    if (saved.failures.empty()) {
        if (saved.startsForThisUserOnly) {
            const Texts& texts = frmConfig_.TextsInForce();
            services_.dialogs.ShowMessageBox(
                frmConfig_.WindowIfLoaded(), texts.Text(TextId::StartsForThisUserOnly),
                texts.Text(TextId::SettingsCaption), MbOk | MbIconInformation);
        }
        return true;
    }
    ReportFailures(saved.failures);
    return false;
}

void SettingsDialog::ReportWallpaperFailure(std::u16string_view path) {
    const Texts& texts = frmConfig_.TextsInForce();
    const std::u16string text = path.empty()
                                    ? std::u16string(texts.Text(TextId::WallpaperNotRemoved))
                                    : texts.Format(TextId::WallpaperNotSet, {path});
    services_.dialogs.ShowMessageBox(frmConfig_.WindowIfLoaded(), text,
                                     texts.Text(TextId::SettingsCaption), MbOk | MbIconWarning);
}

void SettingsDialog::ReportFailures(const std::vector<SettingFailure>& failures) {
    const Texts& texts = frmConfig_.TextsInForce();
    std::u16string text(texts.Text(TextId::SettingsNotSavedHeading));
    for (const SettingFailure& failure : failures) {
        text += kLineBreak;
        switch (failure.setting) {
            case SettingFailure::Setting::Wallpaper:
                text += DesktopItem(texts, failure.desktop);
                break;
            case SettingFailure::Setting::SkipNotice:
                text += texts.Text(TextId::SkipNoticeOption);
                break;
            case SettingFailure::Setting::StartWithWindows:
                text += texts.Text(TextId::StartWithWindowsOption);
                break;
        }
    }
    text += kLineBreak;
    const SystemError error = failures.front().error;
    if (error == SystemError(kErrorAccessDenied)) {
        text += texts.Text(TextId::SettingsNoRightToWrite);
    } else {
        text += texts.Format(TextId::SettingsErrorCode, {DecimalText(error.Code())});
    }
    services_.dialogs.ShowMessageBox(frmConfig_.WindowIfLoaded(), text,
                                     texts.Text(TextId::SettingsCaption), MbOk | MbIconWarning);
}

}  // namespace ombrel
