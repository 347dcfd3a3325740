#include "shell/Program.h"

#include <cmath>
#include <utility>
#include <variant>

#include "engine/HotkeyTable.h"
#include "model/CommandWords.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "service/ServiceControl.h"
#include "settings/SettingsFile.h"
#include "shell/StateJson.h"
#include "text/LogFailure.h"
#include "text/Texts.h"
#include "ui/layouts/HelpWindowLayout.h"
#include "ui/layouts/MainWindowLayout.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {
namespace {

// The bar's place is kept in the screen's own pixels.
constexpr float kTwipsPerPixel = kTwipsPerScreenPixel;

}  // namespace

Program::Program(Platform& platform, Texts& texts)
    : platform_(platform),
      texts_(texts),
      frmMain_(MainWindowLayout(), platform.forms, texts),
      frmHelp_(HelpWindowLayout(), platform.forms, texts),
      frmConfig_(SettingsDialogLayout(), platform.forms, texts),
      recovery_(platform.registry, platform.windows, platform.log, texts, platform.process),
      mainWindow_(frmMain_, frmHelp_, frmConfig_, engine_, *this, platform.forms),
      trayIcon_(platform.notifyIcon, platform.registry, engine_, *this, mainWindow_, texts),
      barAndTrayIcon_(mainWindow_, trayIcon_),
      engine_(platform.windows, platform.hotkeys, barAndTrayIcon_, recovery_, platform.log, texts),
      journal_(platform.files, platform.log, texts, platform.clock, engine_.Remembered()),
      programWindow_(platform.procedures, platform.windows, *this),
      promptLook_(platform.procedures),
      commandServer_(platform.commands, engine_, texts,
                     [this](const Command& command) { return Carry(command); }),
      finder_(platform.finder, texts, [this](const Command& command) { Carry(command); }),
      registry_(platform.registry),
      settings_(platform.registry, platform.process),
      wallpapers_(platform.wallpaper, settings_, registry_),
      helpWindow_(frmHelp_, settings_),
      settingsDialog_(frmConfig_, frmMain_, {settings_, wallpapers_, platform.dialogs}),
      settingsFile_(platform.files, platform.log, texts, platform.dialogs,
                    [this](SettingsFileContents contents, bool reload) {
                        PutSettingsInForce(std::move(contents), reload);
                    }) {}

void Program::Start() {
    frmMain_.Load();
    if (!ended_) {
        frmMain_.Show();
    }
}

void Program::EndProcess() {
    ended_ = true;
    platform_.log.Flush();
    platform_.process.EndProcess();
}

void Program::Startup() {
    if (AnotherInstanceRuns(platform_.process.InstanceObjectError()) || recovery_.WriterRuns()) {
        // Starting the program again is how a user gets a hidden bar back.
        platform_.windows.BroadcastMessage(platform_.windows.RegisterMessage(kShowBarMessageName));
        EndProcess();
        return;
    }
    // Spoken from the first line on.
    UseLanguage(LanguageOfUsersSettingsFile(platform_.files, platform_.process.DisplayLanguage()));
    // An instance that was killed or crashed may have left windows hidden: its arrangement
    // comes back.
    const std::optional<RecoveryList::Arrangement> left = recovery_.TakeOver();
    recovery_.Claim();
    const WindowHandle bar = frmMain_.hWnd();
    platform_.windows.SetTopmost(bar);
    registry_.ConfigureAtStartup();
    wallpapers_.ReadStartupWallpaper();

    // Where the user left it, if that is still on a screen; the top right corner otherwise.
    if (const std::optional<BarPosition> kept = settings_.StoredBarPosition()) {
        frmMain_.SetLeft(static_cast<float>(kept->left) * kTwipsPerPixel);
        frmMain_.SetTop(static_cast<float>(kept->top) * kTwipsPerPixel);
        mainWindow_.KeepBarOnScreen();
    } else {
        mainWindow_.PlaceBarAtCorner();
    }
    engine_.Run(Starting{left});
    if (left) {
        platform_.log.Write(texts_.Format(
            TextId::ArrangementPutBack, {DecimalText(static_cast<long long>(left->windows.size())),
                                         DecimalText(engine_.CurrentDesktop() + 1)}));
    }
    // It holds the keys and hears the notices: made before the settings are read.
    programWindow_.Create();
    // Read before the first collection, so that the file's rules place the windows already open.
    settingsFile_.Start(programWindow_.Handle(), programWindow_.SettingsChangedMessage());
    engine_.Run(Refresh{});
    // Heard as they change from now on: the refresh has seen what was there before.
    promptLook_.Start(programWindow_.Handle());
    // Shown after the collection: the notice joins desktop 1 at the first refresh.
    helpWindow_.ShowStartupInfo();

    platform_.forms.WatchWindowDrops(frmMain_);
    // Gathered and built only while somebody reads them.
    engine_.SetChangeListener(
        [this](const Change& change) {
            platform_.commands.Announce(ChangeJson(change, engine_.CurrentDesktop()));
        },
        [this] { return platform_.commands.HasFollowers(); });
    channelWanted_ =
        !platform_.commands.Open(programWindow_.Handle(), programWindow_.CommandsWaitingMessage());
    // Only now, and in a box that waits for nobody: the keys and the command line work while the
    // user reads of a file that could not be used.
    settingsFile_.ShowNotice();
}

void Program::Run(const Input& input) {
    Carry(input);
}

Outcome Program::Carry(const Input& input) {
    Outcome outcome = engine_.Run(input);
    switch (outcome.result) {
        case Outcome::Result::Exit:
            frmMain_.Unload();
            break;
        case Outcome::Result::Find:
            finder_.Open(engine_.StateAsKnown(), frmMain_.WindowIfLoaded());
            break;
        default:
            break;
    }
    if (std::holds_alternative<SessionEnding>(input)) {
        // The power may go before the next refresh.
        journal_.WriteNow();
    }
    return outcome;
}

void Program::OnProgramEvent(const ProgramEvent& event) noexcept {
    try {
        switch (event.kind) {
            case ProgramEvent::Kind::Hotkey:
                if (const std::optional<Command> command = engine_.CommandOfKey(event.hotkey)) {
                    Run(*command);
                }
                break;
            case ProgramEvent::Kind::BarWanted:
                Run(BarWanted{});
                break;
            case ProgramEvent::Kind::ShellRestarted:
                Run(ShellRestarted{});
                trayIcon_.ShellRestarted();
                break;
            case ProgramEvent::Kind::SettingsFolderChanged:
                settingsFile_.FolderChanged();
                break;
            case ProgramEvent::Kind::CommandsWaiting:
                commandServer_.Serve();
                break;
            case ProgramEvent::Kind::WindowFlashed:
                Run(WindowFlashed{event.window});
                break;
            case ProgramEvent::Kind::TimerDue:
                if (std::optional<std::vector<WindowEvent>> heard =
                        promptLook_.TimerDue(event.timer)) {
                    Run(WindowsChanged{std::move(*heard)});
                }
                break;
            case ProgramEvent::Kind::ThemeChanged:
                trayIcon_.ThemeChanged();
                break;
            case ProgramEvent::Kind::ScaleChanged:
                trayIcon_.ScaleChanged();
                break;
            case ProgramEvent::Kind::TrayIconClicked:
                trayIcon_.Clicked(event.at);
                break;
            case ProgramEvent::Kind::TrayIconMenuWanted:
                trayIcon_.MenuWanted(event.at);
                break;
        }
    } catch (...) {
        // Nothing may cross the window procedure: out of memory at worst, and the next
        // refresh starts afresh.
    }
}

void Program::Refreshed() {
    engine_.Run(Refresh{});
    journal_.Refreshed();
    // Started at the first refresh rather than at start-up, which it would only slow down.
    KeepGuardRunning();
    settingsFile_.Refreshed();
    // A caller of a killed instance may hold the pipe's name a while: the command line comes
    // as soon as it lets go, not at the next start.
    if (channelWanted_) {
        channelWanted_ = !platform_.commands.Open(programWindow_.Handle(),
                                                  programWindow_.CommandsWaitingMessage());
    }
}

void Program::KeepGuardRunning() {
    // The service is started by the first guard's starter, a process that ends at once: the
    // bar's process never loads the service manager's runtime, and its start waits for none.
    const bool startService = !std::exchange(serviceStartSent_, true);
    if (!platform_.process.KeepGuardRunning(startService) && startService) {
        // No starter could be sent: the request is ours.
        LogServiceRequest(platform_.log, texts_, TextId::ServiceStartRequest,
                          StartCompanionService(platform_.services));
    }
}

void Program::UseLanguage(Language language) {
    if (language == texts_.InForce()) {
        return;
    }
    texts_.Use(language);
    mainWindow_.Retext();
    frmHelp_.Retext();
    frmConfig_.Retext();
}

void Program::PutSettingsInForce(SettingsFileContents contents, bool reload) {
    // First, so that the keys' texts and the help below are in it.
    UseLanguage(LanguageOf(contents.language, platform_.process.DisplayLanguage()));
    const Outcome outcome = engine_.Run(
        SettingsInForce{contents.wrap, contents.pauseInFullScreen, std::move(contents.names),
                        std::move(contents.rules), contents.onActivate, contents.remember,
                        std::move(contents.keys), programWindow_.Handle(), reload});
    // Read before the first look, so that the windows it finds open go back where they were.
    journal_.Use(contents.remember);
    for (const HotkeyRefusal& refusal : outcome.refusedKeys) {
        LogFailure(platform_.log, texts_, TextId::HotkeyNotRegistered, refusal.error,
                   {engine_.Keys()[static_cast<std::size_t>(refusal.id)].name});
    }
    mainWindow_.ShowKeys(engine_.Keys(), outcome.refusedKeys);
    helpWindow_.ShowKeys(engine_.Keys());
    trayIcon_.Want(contents.trayIcon, programWindow_.Handle(), programWindow_.TrayIconMessage());
}

void Program::EditSettingsFile() {
    settingsFile_.Edit();
}

void Program::OpenLog() {
    platform_.log.Flush();
    platform_.files.OpenInEditor(platform_.files.LogFilePath());
}

void Program::BarMovedByUser() {
    const BarPosition position{static_cast<int>(std::lround(frmMain_.Left() / kTwipsPerPixel)),
                               static_cast<int>(std::lround(frmMain_.Top() / kTwipsPerPixel))};
    LogFailure(platform_.log, texts_, TextId::BarPositionNotSaved,
               settings_.SaveBarPosition(position));
}

void Program::Shutdown() {
    // Every window first: nothing of the channel may keep one hidden a moment longer.
    promptLook_.Stop();
    engine_.SetChangeListener({});
    engine_.Run(Leaving{});
    journal_.WriteNow();
    recovery_.Remove();
    // Nothing more is run; an answer given (the exit's own) still reaches its caller.
    channelWanted_ = false;
    platform_.commands.Close();

    trayIcon_.Remove();
    programWindow_.Destroy();
    // A starter still on its way would start the service after this stop.
    platform_.process.WaitForGuardStarter();
    LogServiceRequest(platform_.log, texts_, TextId::ServiceStopRequest,
                      StopCompanionService(platform_.services));
    EndProcess();
}

void Program::ShowEverythingNow() noexcept {
    try {
        engine_.Run(Leaving{});
    } catch (...) {
        // No memory left even for a list of them: show them straight from the record.
        engine_.ShowEverythingNow();
    }
}

}  // namespace ombrel
