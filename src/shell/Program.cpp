#include "shell/Program.h"

#include <cmath>
#include <utility>
#include <variant>

#include "engine/HotkeyTable.h"
#include "model/CommandWords.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "service/ServiceControl.h"
#include "shell/SettingsFileKeys.h"
#include "shell/SettingsFileRules.h"
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

Program::Program(Platform& platform)
    : platform_(platform),
      frmMain_(MainWindowLayout(), platform.forms),
      frmHelp_(HelpWindowLayout(), platform.forms),
      frmConfig_(SettingsDialogLayout(), platform.forms),
      recovery_(platform.registry, platform.windows, platform.log, platform.process),
      mainWindow_(frmMain_, frmHelp_, frmConfig_, engine_, *this, platform.forms),
      engine_(platform.windows, platform.hotkeys, mainWindow_, recovery_, platform.log),
      programWindow_(platform.procedures, platform.windows, *this),
      commandServer_(platform.commands, engine_,
                     [this](const Command& command) {
                         const Outcome outcome = engine_.Run(command);
                         if (outcome.result == Outcome::Result::Exit) {
                             frmMain_.Unload();
                         }
                         return outcome;
                     }),
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
    LogServiceResult(TextId::ServiceStartRequest, StartCompanionService(platform_.services));
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
        platform_.log.Write(u"上次的 Ombrel 没有正常退出：已把 " +
                            DecimalText(static_cast<long long>(left->windows.size())) +
                            u" 个窗口放回各自的桌面，当前是桌面 " +
                            DecimalText(engine_.CurrentDesktop() + 1));
    }
    // It holds the keys and hears the notices: made before the settings are read.
    programWindow_.Create();
    // Watched before the first read, so that no save falls between the two; before the first
    // collection, so that the file's rules place the windows already open.
    CheckSettingsWatch();
    ApplySettingsFile();
    engine_.Run(Refresh{});
    // Shown after the collection: the notice joins desktop 1 at the first refresh.
    helpWindow_.ShowStartupInfo();

    platform_.forms.WatchWindowDrops(frmMain_);
    engine_.SetChangeListener([this](const Change& change) {
        // Built only while somebody reads it.
        if (platform_.commands.HasFollowers()) {
            platform_.commands.Announce(ChangeJson(change, engine_.CurrentDesktop()));
        }
    });
    channelWanted_ =
        !platform_.commands.Open(programWindow_.Handle(), programWindow_.CommandsWaitingMessage());
    // Only now, and in a box that waits for nobody: the keys and the command line work while the
    // user reads of a file that could not be used.
    ShowSettingsNotice();
}

void Program::Run(const Input& input) {
    if (engine_.Run(input).result == Outcome::Result::Exit) {
        frmMain_.Unload();
    }
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
                break;
            case ProgramEvent::Kind::SettingsFolderChanged:
                SettingsFolderChanged();
                break;
            case ProgramEvent::Kind::CommandsWaiting:
                commandServer_.Serve();
                break;
            case ProgramEvent::Kind::WindowFlashed:
                Run(WindowFlashed{event.window});
                break;
        }
    } catch (...) {
        // Nothing may cross the window procedure: out of memory at worst, and the next
        // refresh starts afresh.
    }
}

void Program::SettingsFolderChanged() noexcept {
    settingsFileSettle_ = kRefreshesToSettle;
    if (platform_.files.SettingsWatchFailure().Failed()) {
        // Set up again at once: a stopped watch may keep a thread of the pool busy until then.
        try {
            CheckSettingsWatch();
        } catch (...) {
            // Out of memory for the log line: the next refresh tries again.
        }
    }
}

void Program::Refreshed() {
    engine_.Run(Refresh{});
    // Started at the first refresh rather than at start-up, which it would only slow down.
    platform_.process.KeepGuardRunning();
    CheckSettingsWatch();
    // A caller of a killed instance may hold the pipe's name a while: the command line comes
    // as soon as it lets go, not at the next start.
    if (channelWanted_) {
        channelWanted_ = !platform_.commands.Open(programWindow_.Handle(),
                                                  programWindow_.CommandsWaitingMessage());
    }
    if (settingsFileSettle_ > 0 && --settingsFileSettle_ == 0) {
        ApplySettingsFile();
        ShowSettingsNotice();
    }
}

void Program::CheckSettingsWatch() {
    const std::uint32_t stopped = platform_.files.SettingsWatchFailure().Code();
    if (!settingsFileRead_ || stopped != 0 || settingsWatchFailure_ != 0) {
        const std::uint32_t code = platform_.files
                                       .WatchSettingsFolder(programWindow_.Handle(),
                                                            programWindow_.SettingsChangedMessage())
                                       .Code();
        if (settingsWatchFailure_ == 0 && (stopped != 0 || code != 0)) {
            platform_.log.Write(
                u"无法监视设置文件所在的文件夹（代码 " +
                DecimalText(stopped != 0 ? stopped : code) +
                (code == 0 ? u"）：已重新开始监视" : u"）：每秒再试，并查看设置文件的大小和时间"));
        } else if (settingsWatchFailure_ != 0 && code == 0) {
            platform_.log.Write(u"设置文件所在的文件夹又可以监视了");
        }
        settingsWatchFailure_ = code;
    }
    // Whatever the watch, a change shows in the file's size and time: a watch that says
    // nothing (a renamed folder, a network share) never silences the reload.
    if (!settingsFileRead_) {
        return;  // the first read takes the file's stamp
    }
    const std::optional<FileStamp> stamp =
        platform_.files.StampOf(platform_.files.SettingsFilePath());
    if (stamp != settingsFileStamp_ && settingsFileSettle_ == 0) {
        settingsFileSettle_ = kRefreshesToSettle;
    }
    settingsFileStamp_ = stamp;
}

void Program::ApplySettingsFile() {
    const std::u16string path = platform_.files.SettingsFilePath();
    settingsFileStamp_ = platform_.files.StampOf(path);
    FileRead read = platform_.files.ReadFile(path, SettingsFileContents::kMaxBytes);
    const bool reload = settingsFileRead_;
    std::u16string problem;
    switch (read.outcome) {
        case FileRead::Outcome::Read:
            break;
        case FileRead::Outcome::Absent:
            if (reload && settingsFileBytes_ && !settingsFileSecondLook_) {
                settingsFileSecondLook_ = true;
                settingsFileSettle_ = 1;
                return;
            }
            break;
        case FileRead::Outcome::TooLarge:
            problem = u"设置文件大于 1 MB，没有读入";
            break;
        case FileRead::Outcome::Failed:
            if (read.error.Code() == kErrorSharingViolation ||
                read.error.Code() == kErrorLockViolation) {
                // Most often held only while another program saves or scans it: read again at
                // each refresh until it is free.
                settingsFileSettle_ = 1;
                if (++settingsFileHeldReads_ < kHeldReadsBeforeReport && reload) {
                    return;
                }
                if (settingsFileHeldReads_ >= kHeldReadsBeforeReport) {
                    problem = u"设置文件正被其他程序占用，无法读入";
                }
            } else {
                problem = u"无法读入设置文件（代码 " + DecimalText(read.error.Code()) + u"）";
            }
            break;
    }
    settingsFileSecondLook_ = false;
    if (read.outcome != FileRead::Outcome::Failed) {
        settingsFileHeldReads_ = 0;
    }
    if (read.outcome != FileRead::Outcome::Read && read.outcome != FileRead::Outcome::Absent) {
        // What is in force stays; at start-up that is the usual keys.
        if (!std::exchange(settingsFileRead_, true)) {
            PutSettingsInForce({}, DescribedKeyBindings());
        }
        if (!problem.empty()) {
            ReportSettingsFile(problem + u"\r\n当前的设置保持不变。");
        }
        return;
    }
    std::optional<std::string> bytes;
    if (read.outcome == FileRead::Outcome::Read) {
        bytes = std::move(read.bytes);
    }
    if (reload && bytes == settingsFileBytes_) {
        settingsFileReported_.clear();
        return;  // saved unchanged, or another file of the folder changed
    }
    settingsFileRead_ = true;
    settingsFileBytes_ = std::move(bytes);
    SettingsFileContents contents;
    std::variant<KeyBindings, SettingsFileError> keys = DescribedKeyBindings();
    if (settingsFileBytes_) {
        std::variant<SettingsFileContents, SettingsFileError> parsed =
            ParseSettingsFile(*settingsFileBytes_);
        if (auto* parsedContents = std::get_if<SettingsFileContents>(&parsed)) {
            contents = std::move(*parsedContents);
            keys = MergeKeys(contents.keys);
        } else {
            keys = std::get<SettingsFileError>(parsed);
        }
    }
    if (const SettingsFileError* error = std::get_if<SettingsFileError>(&keys)) {
        if (!reload) {
            // A file with an error at start-up leaves the usual keys in force.
            PutSettingsInForce({}, DescribedKeyBindings());
        }
        ReportSettingsFile(SettingsFileErrorText(*error) + u"\r\n当前的设置保持不变。");
        return;
    }
    PutSettingsInForce(contents, std::get<KeyBindings>(std::move(keys)), reload);
    settingsFileReported_.clear();
    if (reload) {
        platform_.log.Write(settingsFileBytes_ ? u"设置文件已重新读入"
                                               : u"设置文件已删除：恢复默认热键");
    }
}

void Program::PutSettingsInForce(const SettingsFileContents& contents, KeyBindings keys,
                                 bool reload) {
    const Outcome outcome = engine_.Run(SettingsInForce{
        contents.wrap, contents.pauseInFullScreen, contents.names, RulesFromFile(contents.rules),
        std::move(keys), programWindow_.Handle(), reload});
    for (const HotkeyRefusal& refusal : outcome.refusedKeys) {
        platform_.log.Write(u"热键 " + engine_.Keys()[static_cast<std::size_t>(refusal.id)].name +
                            u" 未能注册（代码 " + DecimalText(refusal.code) + u"）");
    }
    mainWindow_.ShowKeys(engine_.Keys(), outcome.refusedKeys);
    helpWindow_.ShowKeys(engine_.Keys());
}

void Program::ReportSettingsFile(std::u16string text) {
    if (text == settingsFileReported_) {
        return;
    }
    platform_.log.Write(text);
    settingsFileNotice_ = text;
    settingsFileReported_ = std::move(text);
}

void Program::ShowSettingsNotice() {
    if (settingsFileNotice_) {
        platform_.dialogs.ShowNotice(*settingsFileNotice_, u"Ombrel 设置文件");
        settingsFileNotice_.reset();
    }
}

void Program::EditSettingsFile() {
    const std::u16string path = platform_.files.SettingsFilePath();
    if (!platform_.files.StampOf(path)) {
        // A start the user can edit, with the schema his editor completes and checks it by.
        const std::vector<KeyCommandText> keys = DescribedKeyTexts();
        // One that is there already is the user's own: the editor opens it as it is.
        static_cast<void>(platform_.files.CreateNewFile(path, SettingsFileTemplate(keys)));
        const std::size_t slash = path.find_last_of(u'\\');
        static_cast<void>(platform_.files.CreateNewFile(
            path.substr(0, slash == std::u16string::npos ? 0 : slash + 1) + u"settings.schema.json",
            SettingsFileSchema()));
    }
    platform_.files.OpenInEditor(path);
}

void Program::OpenLog() {
    platform_.log.Flush();
    platform_.files.OpenInEditor(platform_.files.LogFilePath());
}

void Program::BarMovedByUser() {
    const BarPosition position{static_cast<int>(std::lround(frmMain_.Left() / kTwipsPerPixel)),
                               static_cast<int>(std::lround(frmMain_.Top() / kTwipsPerPixel))};
    LogFailure(platform_.log, TextId::BarPositionNotSaved, settings_.SaveBarPosition(position));
}

void Program::Shutdown() {
    // Every window first: nothing of the channel may keep one hidden a moment longer.
    engine_.SetChangeListener({});
    engine_.Run(Leaving{});
    recovery_.Remove();
    // Nothing more is run; an answer given (the exit's own) still reaches its caller.
    channelWanted_ = false;
    platform_.commands.Close();

    programWindow_.Destroy();
    LogServiceResult(TextId::ServiceStopRequest, StopCompanionService(platform_.services));
    EndProcess();
}

void Program::LogServiceResult(TextId request, SystemError error) {
    if (error.Failed()) {
        LogFailure(platform_.log, TextId::ServiceRequestFailed, error,
                   {kCompanionServiceName, Text(request)});
    } else {
        platform_.log.Write(
            FormatText(TextId::ServiceRequestSent, {kCompanionServiceName, Text(request)}));
    }
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
