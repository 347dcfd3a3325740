#pragma once

#include "engine/DesktopEngine.h"
#include "platform/SystemError.h"
#include "settings/DesktopWallpapers.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettings.h"
#include "shell/ArrangementJournal.h"
#include "shell/CommandServer.h"
#include "shell/Platform.h"
#include "shell/ProgramWindow.h"
#include "shell/PromptLook.h"
#include "shell/SettingsFileSession.h"
#include "text/Texts.h"
#include "ui/BarAndTrayIcon.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/TrayIcon.h"
#include "ui/WindowFinder.h"
#include "ui/forms/Form.h"

namespace ombrel {

// The running program: its three windows, the desktop engine and the program-wide state,
// from start-up to shut-down.
class Program final : public ProgramLifecycle, public ProgramEvents {
  public:
    // The texts are the program's to put in the language the settings ask for.
    Program(Platform& platform, Texts& texts);
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
    // The process is dying without its shut-down (a crash): show what we hid, at once and
    // without waiting on anybody. The recovery list stays for the next start.
    void ShowEverythingNow() noexcept;

  private:
    void EndProcess();
    // Runs the input, and does what its outcome leaves to the program: ends it, or opens the
    // finder.
    Outcome Carry(const Input& input);
    void PutSettingsInForce(SettingsFileContents contents, bool reload);
    // The texts in the language given, and the windows that show them read again.
    void UseLanguage(Language language);
    // The guard kept running; the first one's starter also starts the companion service.
    void KeepGuardRunning();

    Platform& platform_;
    Texts& texts_;
    Form frmMain_;
    Form frmHelp_;
    Form frmConfig_;
    RecoveryList recovery_;
    // The engine tells the bar what to show; it is built first and used only once running.
    MainWindow mainWindow_;
    TrayIcon trayIcon_;
    BarAndTrayIcon barAndTrayIcon_;
    DesktopEngine engine_;
    ArrangementJournal journal_;
    ProgramWindow programWindow_;
    PromptLook promptLook_;
    CommandServer commandServer_;
    WindowFinder finder_;
    RegistryObjects registry_;
    StoredSettings settings_;
    DesktopWallpapers wallpapers_;
    HelpWindow helpWindow_;
    SettingsDialog settingsDialog_;
    bool ended_ = false;
    SettingsFileSession settingsFile_;
    bool channelWanted_ = false;  // the command channel could not be opened yet
    bool serviceStartSent_ = false;
};

}  // namespace ombrel
