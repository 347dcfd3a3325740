#include "ui/SettingsDialog.h"

#include "model/Command.h"
#include "platform/Text.h"
#include "settings/clsComDlg.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kDialogCaption = u"设置";
constexpr std::u16string_view kBrowseDirectory = u"c:\\windows";
constexpr std::u16string_view kBrowseFilter =
    u"图片 (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|所有文件 (*.*)|*.*";
constexpr std::u16string_view kNotSavedHeading = u"以下设置未能保存：";
constexpr std::u16string_view kNoRightToWrite =
    u"没有修改注册表的权限，请以管理员身份运行本程序后再试。";
constexpr std::u16string_view kErrorCodeLabel = u"错误代码：";
constexpr std::u16string_view kNeverShowInfoItem = u"启动时跳过提示信息";
constexpr std::u16string_view kAutoStartItem = u"Windows启动时自动加载";
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kWallpaperNotSet = u"无法设置墙纸：";
constexpr std::u16string_view kWallpaperNotRemoved = u"无法取消墙纸。";
constexpr std::u16string_view kStartsForThisUserOnly =
    u"Windows启动时自动加载只为你设置，不为所有用户：程序所在的文件夹，管理员以外的用户也能写入，"
    u"谁都可以把那里的程序换成自己的。要为所有用户设置，请把程序放在只有管理员能写入的文件夹"
    u"（例如 Program Files）里。";

std::u16string DesktopItem(int index) {
    return u"桌面" + DecimalText(index + 1);
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
    clsComDlg browse(services_.dialogs);
    // Owned by the settings dialog, so it stays in front and the settings wait for it.
    browse.SetHwnd(frmConfig_.WindowIfLoaded());
    browse.SetInitDir(std::u16string(kBrowseDirectory));
    browse.SetFilter(std::u16string(kBrowseFilter));
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
            services_.dialogs.ShowMessageBox(frmConfig_.WindowIfLoaded(), kStartsForThisUserOnly,
                                             kDialogCaption, MbOk | MbIconInformation);
        }
        return true;
    }
    ReportFailures(saved.failures);
    return false;
}

void SettingsDialog::ReportWallpaperFailure(std::u16string_view path) {
    const std::u16string text = path.empty()
                                    ? std::u16string(kWallpaperNotRemoved)
                                    : std::u16string(kWallpaperNotSet) + std::u16string(path);
    services_.dialogs.ShowMessageBox(frmConfig_.WindowIfLoaded(), text, kDialogCaption,
                                     MbOk | MbIconWarning);
}

void SettingsDialog::ReportFailures(const std::vector<SettingFailure>& failures) {
    std::u16string text(kNotSavedHeading);
    for (const SettingFailure& failure : failures) {
        text += kLineBreak;
        switch (failure.setting) {
            case SettingFailure::Setting::Wallpaper:
                text += DesktopItem(failure.desktop);
                break;
            case SettingFailure::Setting::SkipNotice:
                text += kNeverShowInfoItem;
                break;
            case SettingFailure::Setting::StartWithWindows:
                text += kAutoStartItem;
                break;
        }
    }
    text += kLineBreak;
    const SystemError error = failures.front().error;
    if (error == SystemError(kErrorAccessDenied)) {
        text += kNoRightToWrite;
    } else {
        text += kErrorCodeLabel;
        text += DecimalText(error.Code());
    }
    services_.dialogs.ShowMessageBox(frmConfig_.WindowIfLoaded(), text, kDialogCaption,
                                     MbOk | MbIconWarning);
}

}  // namespace ombrel
