#include "ui/SettingsDialog.h"

#include "engine/Commands.h"
#include "platform/Text.h"
#include "settings/clsComDlg.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kDialogCaption = u"设置";
constexpr std::u16string_view kBrowseDirectory = u"c:\\windows";
constexpr std::u16string_view kBrowseFilter = u"*.bmp;*.pcx;*.jpg,*.gif";
constexpr std::u16string_view kNotSavedHeading = u"以下设置未能保存：";
constexpr std::u16string_view kNoRightToWrite =
    u"没有修改注册表的权限，请以管理员身份运行本程序后再试。";
constexpr std::u16string_view kErrorCodeLabel = u"错误代码：";
constexpr std::u16string_view kNeverShowInfoItem = u"启动时跳过提示信息";
constexpr std::u16string_view kAutoStartItem = u"Windows启动时自动加载";
constexpr std::u16string_view kLineBreak = u"\r\n";

std::u16string DesktopItem(int index) {
    return u"桌面" + DecimalText(index + 1);
}

}  // namespace

SettingsDialog::SettingsDialog(Form& frmConfig, Form& frmMain, const Services& services)
    : frmConfig_(frmConfig), frmMain_(frmMain), services_(services) {
    frmConfig_.SetEvents(*this);
}

void SettingsDialog::OnLoad() {
    clsReg& settings = services_.registry.SettingsReg;
    for (int index = 0; index < kDesktopCount; ++index) {
        settings.SetKeyName(WallpaperValueName(index));
        settings.GetValue();
        WallpaperBox(index).SetText(settings.KeyValue());
    }
    settings.SetKeyName(std::u16string(kNeverShowInfoValueName));
    settings.GetValue();
    frmConfig_.Controls(u"chkNeverShowInfo")
        .SetValue(settings.KeyValue() == kNeverShowInfoYes ? 1 : 0);

    clsReg& autoStart = services_.registry.AutoStartReg;
    autoStart.GetValue();
    const bool startsWithWindows =
        RunValueNamesProgram(autoStart.KeyValue(), ProgramPath(services_.forms));
    frmConfig_.Controls(u"chkStart").SetValue(startsWithWindows ? 1 : 0);
}

void SettingsDialog::OnClick(std::u16string_view control, int index) {
    if (control == u"cmdWallPaper" && IsDesktopIndex(index)) {
        Browse(index);
    } else if (control == u"cmdDefault") {
        Defaults();
    } else if (control == u"cmdApply") {
        SaveSettings();
        // The wallpaper goes on the screen even when some value could not be stored.
        services_.wallpapers.ApplyDesktopWallpaper(
            static_cast<std::int16_t>(DesktopIndexFromTag(frmMain_.Tag())));
    } else if (control == u"cmdOk") {
        // After a failed save the dialog stays open, so nothing the user typed is lost.
        if (SaveSettings()) {
            frmConfig_.Unload();
        }
    } else if (control == u"cmdCancel") {
        frmConfig_.Unload();
    }
}

void SettingsDialog::Browse(int index) {
    clsComDlg browse(services_.dialogs);
    browse.SetInitDir(std::u16string(kBrowseDirectory));
    browse.SetFilter(std::u16string(kBrowseFilter));
    browse.ShowOpen();
    // A cancelled browse leaves the path that was there: OK would otherwise delete it.
    if (!browse.FileName().empty()) {
        WallpaperBox(index).SetText(browse.FileName());
    }
}

void SettingsDialog::Defaults() {
    for (int index = 0; index < kDesktopCount; ++index) {
        WallpaperBox(index).SetText(u"");
    }
    frmConfig_.Controls(u"chkNeverShowInfo").SetValue(0);
    frmConfig_.Controls(u"chkStart").SetValue(0);
}

void SettingsDialog::Record(std::vector<Failure>& failures, std::u16string_view item,
                            const clsReg& reg, bool deleting) const {
    // Deleting what is not there leaves the registry as the user wants it.
    const bool alreadyAbsent = deleting && reg.Status() == kErrorFileNotFound;
    if (reg.Status() != kErrorSuccess && !alreadyAbsent) {
        failures.push_back({std::u16string(item), reg.Status()});
    }
}

bool SettingsDialog::SaveSettings() {
    std::vector<Failure> failures;
    clsReg& settings = services_.registry.SettingsReg;
    for (int index = 0; index < kDesktopCount; ++index) {
        settings.SetKeyName(WallpaperValueName(index));
        settings.SetKeyValue(WallpaperBox(index).Text());
        const bool deleting = settings.KeyValue().empty();
        if (deleting) {
            settings.DeleteValue();
        } else {
            settings.SetValue();
        }
        Record(failures, DesktopItem(index), settings, deleting);
    }

    settings.SetKeyName(std::u16string(kNeverShowInfoValueName));
    const bool skipNotice = frmConfig_.Controls(u"chkNeverShowInfo").Value() == 1;
    if (skipNotice) {
        settings.SetKeyValue(std::u16string(kNeverShowInfoYes));
        settings.SetValue();
    } else {
        settings.DeleteValue();
    }
    Record(failures, kNeverShowInfoItem, settings, !skipNotice);

    clsReg& autoStart = services_.registry.AutoStartReg;
    const bool startWithWindows = frmConfig_.Controls(u"chkStart").Value() == 1;
    if (startWithWindows) {
        autoStart.SetKeyValue(RunCommandFor(ProgramPath(services_.forms)));
        autoStart.SetValue();
    } else {
        autoStart.DeleteValue();
    }
    Record(failures, kAutoStartItem, autoStart, !startWithWindows);

    if (failures.empty()) {
        return true;
    }
    ReportFailures(failures);
    return false;
}

void SettingsDialog::ReportFailures(const std::vector<Failure>& failures) {
    std::u16string text(kNotSavedHeading);
    for (const Failure& failure : failures) {
        text += kLineBreak;
        text += failure.item;
    }
    text += kLineBreak;
    const std::int32_t status = failures.front().status;
    if (status == kErrorAccessDenied) {
        text += kNoRightToWrite;
    } else {
        text += kErrorCodeLabel;
        text += DecimalText(status);
    }
    services_.dialogs.ShowMessageBox(frmConfig_.WindowIfLoaded(), text, kDialogCaption,
                                     MbOk | MbIconWarning);
}

}  // namespace ombrel
