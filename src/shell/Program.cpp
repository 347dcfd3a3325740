#include "shell/Program.h"

#include <cmath>
#include <utility>
#include <variant>

#include "engine/HotkeyTable.h"
#include "model/CommandWords.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "service/ServiceControl.h"
#include "text/Texts.h"
#include "ui/layouts/HelpWindowLayout.h"
#include "ui/layouts/MainWindowLayout.h"
#include "ui/layouts/SettingsDialogLayout.h"

namespace ombrel {
namespace {

// The bar's place is kept in the screen's own pixels.
constexpr float kTwipsPerPixel = kTwipsPerScreenPixel;

}  // namespace

Program::Program(Platform& platform)
    : platform_(platform),
      frmMain_(MainWindowLayout(), platform.forms),
      frmHelp_(HelpWindowLayout(), platform.forms),
      frmConfig_(SettingsDialogLayout(), platform.forms),
      recovery_(platform.registry, platform.windows, platform.log, platform.process),
      mainWindow_(frmMain_, frmHelp_, frmConfig_, engine_, *this, platform.forms),
      engine_(platform.windows, platform.hotkeys, mainWindow_, recovery_, platform.log),
      hook_(platform.procedures, engine_, *this),
      registry_(platform.registry),
      settings_(platform.registry, platform.process),
      wallpapers_(platform.wallpaper, settings_, registry_),
      helpWindow_(frmHelp_, settings_),
      settingsDialog_(frmConfig_, frmMain_, {settings_, wallpapers_, platform.dialogs}),
      settingsFile_(
          platform.files, platform.log, platform.dialogs, engine_,
          [this](SettingsFileContents contents) { PutSettingsInForce(std::move(contents)); }) {}

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
    // An instance that was killed or crashed may have left windows hidden: its arrangement
    // comes back.
    const std::optional<RecoveryList::Arrangement> left = recovery_.TakeOver();
    recovery_.Claim();
    const WindowHandle bar = frmMain_.hWnd();
    platform_.windows.SetTopmost(bar);
    LogServiceResult(Text(TextId::ServiceStartRequest), StartCompanionService(platform_.services));
    registry_.ConfigureAtStartup();
    wallpapers_.ReadStartupWallpaper();

    engine_.FindShellWindows();
    engine_.Shell().DesktopIconsShown = true;
    engine_.Shell().TaskbarShown = true;

    // Where the user left it, if that is still on a screen; the top right corner otherwise.
    if (const std::optional<BarPosition> kept = settings_.StoredBarPosition()) {
        frmMain_.SetLeft(static_cast<float>(kept->left) * kTwipsPerPixel);
        frmMain_.SetTop(static_cast<float>(kept->top) * kTwipsPerPixel);
        mainWindow_.KeepBarOnScreen();
    } else {
        mainWindow_.PlaceBarAtCorner();
    }
    if (left) {
        engine_.Restore(*left);
        platform_.log.Write(u"上次的 Ombrel 没有正常退出：已把 " +
                            DecimalText(static_cast<long long>(left->windows.size())) +
                            u" 个窗口放回各自的桌面，当前是桌面 " +
                            DecimalText(engine_.CurrentDesktop() + 1));
    } else {
        engine_.EnterFirstDesktop();
    }
    // Read before the first collection, so that the file's rules place the windows already open.
    settingsChangedMessage_ = platform_.windows.RegisterMessage(kSettingsChangedMessageName);
    settingsFile_.Start(bar, settingsChangedMessage_);
    engine_.CollectDesktopWindows(static_cast<std::int16_t>(engine_.CurrentDesktop()));
    // Shown after the collection: the notice joins desktop 1 at the first refresh.
    helpWindow_.ShowStartupInfo();

    commandsWaiting_ = platform_.windows.RegisterMessage(kCommandsWaitingMessageName);
    hook_.Install(bar, {platform_.windows.RegisterMessage(kShowBarMessageName),
                        platform_.windows.RegisterMessage(kTaskbarCreatedMessageName),
                        settingsChangedMessage_, commandsWaiting_,
                        platform_.windows.RegisterMessage(kShellHookMessageName)});
    platform_.forms.WatchWindowDrops(frmMain_);
    engine_.SetChangeListener([this](const Change& change) {
        platform_.commands.Announce(ChangeJson(change, engine_.CurrentDesktop()));
    });
    channelWanted_ = !platform_.commands.Open(bar, commandsWaiting_);
    // Only now, and in a box that waits for nobody: the keys and the command line work while the
    // user reads of a file that could not be used.
    settingsFile_.ShowNotice();
}

void Program::CommandsWaiting() noexcept {
    for (const CommandRequest& request : platform_.commands.TakeRequests()) {
        try {
            const std::optional<Request> command = ParseRequestText(request.text);
            if (!command) {
                platform_.commands.Answer(request.caller, kExitUsage,
                                          ToUtf8(Text(TextId::CommandUsage)));
                continue;
            }
            const DesktopEngine::RemoteAnswer answer = engine_.RunRemote(*command);
            if (answer.follow) {
                platform_.commands.Follow(request.caller, answer.text);
            } else {
                platform_.commands.Answer(request.caller, answer.exitCode, answer.text);
            }
        } catch (...) {
            // Out of memory at worst: the caller is still told, so that nothing waits on it.
            try {
                platform_.commands.Answer(request.caller, kExitNoAnswer, {});
            } catch (...) {
            }
        }
    }
}

void Program::SettingsFolderChanged() noexcept {
    settingsFile_.FolderChanged();
}

void Program::Refreshed() {
    // Started at the first refresh rather than at start-up, which it would only slow down.
    platform_.process.KeepGuardRunning();
    settingsFile_.Refreshed();
    // A caller of a killed instance may hold the pipe's name a while: the command line comes
    // as soon as it lets go, not at the next start.
    if (channelWanted_) {
        channelWanted_ = !platform_.commands.Open(frmMain_.hWnd(), commandsWaiting_);
    }
}

void Program::PutSettingsInForce(SettingsFileContents contents) {
    engine_.SetWrap(contents.wrap);
    engine_.SetPauseInFullScreen(contents.pauseInFullScreen);
    engine_.NameDesktops(contents.names);
    // They place the windows seen for the first time from now on.
    engine_.UseRules(std::move(contents.rules));
    UseKeys(std::move(contents.keys));
}

void Program::UseKeys(KeyBindings keys) {
    const std::vector<HotkeyRefusal> refused = engine_.UseKeys(std::move(keys), frmMain_.hWnd());
    for (const HotkeyRefusal& refusal : refused) {
        platform_.log.Write(u"热键 " + engine_.Keys()[static_cast<std::size_t>(refusal.id)].name +
                            u" 未能注册（代码 " + DecimalText(refusal.code) + u"）");
    }
    mainWindow_.ShowKeys(engine_.Keys(), refused);
    helpWindow_.ShowKeys(engine_.Keys());
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
    if (const std::int32_t status = settings_.SaveBarPosition(position); status != 0) {
        platform_.log.Write(u"按钮栏的位置未能保存（代码 " + DecimalText(status) + u"）");
    }
}

void Program::Shutdown() {
    // Every window first: nothing of the channel may keep one hidden a moment longer.
    engine_.SetChangeListener({});
    engine_.RestoreAll();
    recovery_.Remove();
    // Nothing more is run; an answer given (the exit's own) still reaches its caller.
    channelWanted_ = false;
    platform_.commands.Close();

    const WindowHandle bar = frmMain_.hWnd();
    engine_.ReleaseKeys();
    hook_.Remove(bar);
    LogServiceResult(Text(TextId::ServiceStopRequest), StopCompanionService(platform_.services));
    EndProcess();
}

void Program::LogServiceResult(std::u16string_view request, std::int32_t code) {
    platform_.log.Write(u"服务 " + std::u16string(kCompanionServiceName) + u" " +
                        std::u16string(request) +
                        (code == 0 ? std::u16string(u"请求已发出")
                                   : u"请求失败（代码 " + DecimalText(code) + u"）"));
}

void Program::ShowEverythingNow() noexcept {
    try {
        engine_.RestoreAll();
    } catch (...) {
        // No memory left even for a list of them: show them straight from the record.
        for (const auto& [window, processId] : engine_.Visibility().HiddenByUs()) {
            platform_.windows.ShowWindowAsync(window, ShowCommand::ShowNoActivate);
        }
        const ShellWindows& shell = engine_.Shell();
        platform_.windows.ShowWindowAsync(shell.hProgMan, ShowCommand::ShowNoActivate);
        platform_.windows.ShowWindowAsync(shell.hTrayWnd, ShowCommand::ShowNoActivate);
        for (WindowHandle taskbar : shell.secondaryTaskbars) {
            platform_.windows.ShowWindowAsync(taskbar, ShowCommand::ShowNoActivate);
        }
    }
}

}  // namespace ombrel
