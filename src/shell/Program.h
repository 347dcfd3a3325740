#pragma once

#include "engine/DesktopEngine.h"
#include "platform/SystemError.h"
#include "settings/DesktopWallpapers.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"
#include "shell/CommandServer.h"
#include "shell/Platform.h"
#include "shell/ProgramWindow.h"
#include "text/TextId.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/forms/Form.h"

namespace ombrel {

// The running program: its three windows, the desktop engine and the program-wide state,
// from start-up to shut-down.
class Program final : public ProgramLifecycle, public ProgramEvents {
  public:
    explicit Program(Platform& platform);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() = default;

    // Loads the bar, which runs the start-up, and shows it unless the program already ended.
    void Start();
    bool Ended() const { return ended_; }

    Form& frmMain() { return frmMain_; }
    Form& frmHelp() { return frmHelp_; }
    Form& frmConfig() { return frmConfig_; }
    DesktopEngine& Engine() { return engine_; }
    const ProgramWindow& Window() const { return programWindow_; }
    RegistryObjects& Registry() { return registry_; }
    SettingsDialog& Settings() { return settingsDialog_; }

    void Startup() override;
    // Runs the input; an exit it asks for ends the program.
    void Run(const Input& input) override;
    void OnProgramEvent(const ProgramEvent& event) noexcept override;
    void Shutdown() override;
    void BarMovedByUser() override;
    void EditSettingsFile() override;
    void OpenLog() override;
    void Refreshed() override;
    void SettingsFolderChanged() noexcept;
    // The process is dying without its shut-down (a crash): show what we hid, at once and
    // without waiting on anybody. The recovery list stays for the next start.
    void ShowEverythingNow() noexcept;

  private:
    // How many refreshes a change of the settings folder waits before the file is read: an
    // editor may save in several steps, and the change is in force within two seconds.
    static constexpr int kRefreshesToSettle = 2;
    // A file another program holds is read again at each refresh; it is reported only when it
    // is still held after this many.
    static constexpr int kHeldReadsBeforeReport = 5;

    void EndProcess();
    // Reads the settings file, if it changed, and puts it in force; a file with an error, or one
    // that cannot be read, changes nothing and is reported once.
    void ApplySettingsFile();
    void PutSettingsInForce(const SettingsFileContents& contents, KeyBindings keys,
                            bool reload = false);
    // Logs the problem and shows it in a notice, unless it is the one reported last.
    void ReportSettingsFile(std::u16string text);
    void ShowSettingsNotice();
    // The watch of the settings folder stopped or could not be set up: it is set up again at
    // each refresh until it works, and meanwhile the file's size and time tell of a change.
    void CheckSettingsWatch();
    void LogServiceResult(TextId request, SystemError error);

    Platform& platform_;
    Form frmMain_;
    Form frmHelp_;
    Form frmConfig_;
    RecoveryList recovery_;
    // The engine tells the bar what to show; it is built first and used only once running.
    MainWindow mainWindow_;
    DesktopEngine engine_;
    ProgramWindow programWindow_;
    CommandServer commandServer_;
    RegistryObjects registry_;
    StoredSettings settings_;
    DesktopWallpapers wallpapers_;
    HelpWindow helpWindow_;
    SettingsDialog settingsDialog_;
    bool ended_ = false;
    // The settings file as last read (none: there was none), and whether it was read yet.
    std::optional<std::string> settingsFileBytes_;
    bool settingsFileRead_ = false;
    int settingsFileSettle_ = 0;
    // The file was not there where one was in force: it is looked for once more before it
    // counts as deleted, for an editor may save by deleting and renaming.
    bool settingsFileSecondLook_ = false;
    int settingsFileHeldReads_ = 0;
    std::u16string settingsFileReported_;  // the last problem reported, until one is read again
    std::optional<std::u16string> settingsFileNotice_;  // shown once the start-up is done
    std::optional<FileStamp> settingsFileStamp_;
    std::uint32_t settingsWatchFailure_ = 0;  // logged once, until the watch works again
    bool channelWanted_ = false;              // the command channel could not be opened yet
};

}  // namespace ombrel
