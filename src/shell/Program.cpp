#include "shell/Program.h"

#include "engine/HotkeyTable.h"
#include "service/ServiceControl.h"
#include "ui/layouts/HelpWindowLayout.h"
#include "ui/layouts/MainWindowLayout.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {

Program::Program(Platform& platform)
    : platform_(platform),
      frmMain_(MainWindowLayout(), platform.forms),
      frmHelp_(HelpWindowLayout(), platform.forms),
      frmConfig_(SettingsDialogLayout(), platform.forms),
      recovery_(platform.registry, platform.windows),
      mainWindow_(frmMain_, frmHelp_, frmConfig_, engine_, *this),
      engine_(platform.windows, mainWindow_, recovery_),
      hook_(platform.procedures, engine_),
      registry_(platform.registry),
      settings_(platform.registry, platform.process),
      wallpapers_(platform.wallpaper, settings_, registry_),
      helpWindow_(frmHelp_, settings_),
      settingsDialog_(frmConfig_, frmMain_, {settings_, wallpapers_, platform.dialogs}) {}

void Program::Start() {
    frmMain_.Load();
    if (!ended_) {
        frmMain_.Show();
    }
}

void Program::EndProcess() {
    ended_ = true;
    platform_.process.EndProcess();
}

void Program::Startup() {
    if (platform_.process.PreviousInstance()) {
        // Starting the program again is how a user gets a hidden bar back.
        platform_.windows.BroadcastMessage(platform_.windows.RegisterMessage(kShowBarMessageName));
        EndProcess();
        return;
    }
    // An instance that was killed or crashed may have left windows hidden.
    recovery_.WorkOff();
    const WindowHandle bar = frmMain_.hWnd();
    platform_.windows.SetTopmost(bar);
    StartCompanionService(platform_.services);
    registry_.ConfigureAtStartup();

    ShellWindows& shell = engine_.Shell();
    shell.hProgMan = platform_.windows.FindWindowByClass(kDesktopIconsClass);
    shell.DesktopIconsShown = true;
    shell.hTrayWnd = platform_.windows.FindWindowByClass(kTaskbarClass);
    shell.TaskbarShown = true;

    frmMain_.SetLeft(platform_.forms.ScreenWidthTwips() - frmMain_.Width());
    frmMain_.SetTop(0);
    engine_.EnterFirstDesktop();
    engine_.CollectDesktopWindows(static_cast<std::int16_t>(engine_.CurrentDesktop()));
    // Shown after the collection: the notice joins desktop 1 at the first refresh.
    helpWindow_.ShowStartupInfo();

    RegisterHotKeys(platform_.hotkeys, bar);
    hook_.Install(bar, platform_.windows.RegisterMessage(kShowBarMessageName));
}

void Program::Shutdown() {
    engine_.RestoreAll();
    recovery_.Remove();

    const WindowHandle bar = frmMain_.hWnd();
    UnregisterHotKeys(platform_.hotkeys, bar);
    hook_.Remove(bar);
    StopCompanionService(platform_.services);
    EndProcess();
}

void Program::ShowEverythingNow() noexcept {
    try {
        engine_.RestoreAll();
    } catch (...) {
        // No memory left to sort them: show them as they come rather than not at all.
        for (const auto& [window, processId] : engine_.Visibility().HiddenByUs()) {
            platform_.windows.ShowWindowAsync(window, ShowCommand::ShowNoActivate);
        }
        const ShellWindows& shell = engine_.Shell();
        platform_.windows.ShowWindowAsync(shell.hProgMan, ShowCommand::ShowNoActivate);
        platform_.windows.ShowWindowAsync(shell.hTrayWnd, ShowCommand::ShowNoActivate);
    }
}

}  // namespace ombrel
