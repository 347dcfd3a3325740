#include "engine/DesktopEngine.h"

#include <algorithm>
#include <utility>

#include "engine/StackingOrder.h"

namespace ombrel {
namespace {

// For std::visit over the inputs.
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

DesktopEngine::DesktopEngine(WindowSystem& windows, Hotkeys& hotkeys, BarView& bar,
                             RecoveryList& recovery, Log& log, const Texts& texts)
    : windows_(windows),
      bar_(bar),
      recovery_(recovery),
      known_(windows),
      remembered_(windows, known_),
      visibility_(windows, known_, log, texts),
      filter_(windows, visibility_, known_, bar),
      firstSight_(windows, known_, remembered_),
      shell_(windows, visibility_, log, texts),
      refresh_(windows, known_, visibility_, filter_, firstSight_, shell_),
      activation_(windows, known_),
      keys_(hotkeys) {}

Outcome DesktopEngine::Run(const Input& input) {
    listed_ = false;
    Outcome outcome;
    std::visit(Overloaded{
                   [&](const Command& command) {
                       // The user acts: a sign-out, if one began, was cancelled.
                       remembered_.Pause(false);
                       outcome.result = RunCommand(command);
                   },
                   [&](const Starting& starting) { Start(starting); },
                   [&](const Refresh&) {
                       CollectDesktopWindows(true);
                       remembered_.Meet(desktops_, false);
                   },
                   [&](const WindowsChanged& changed) {
                       for (const WindowEvent& event : changed.events) {
                           visibility_.Told(event);
                           if (event.kind == WindowEventKind::Foreground) {
                               known_.Activated(event.window);
                           }
                       }
                       CollectDesktopWindows(false);
                   },
                   [&](const ShellRestarted&) { shell_.Restarted(); },
                   [&](const BarWanted&) {
                       if (!bar_.BarShown()) {
                           bar_.ShowBar(true);
                           Announce({Change::Kind::Bar, -1, {}, bar_.BarShown()});
                       }
                   },
                   [&](const WindowFlashed& flashed) { WindowWantsAttention(flashed.window); },
                   [&](const SessionEnding&) {
                       // Kept as the user left them, before they are gathered.
                       remembered_.Meet(desktops_, true);
                       remembered_.Pause(true);
                       GatherEveryWindow();
                   },
                   [&](const Leaving&) {
                       remembered_.Meet(desktops_, true);
                       RestoreAll();
                   },
                   [&](const SettingsInForce& settings) { UseSettings(settings, outcome); },
               },
               input);
    Commit();
    return outcome;
}

void DesktopEngine::Commit() {
    if (!listed_ && (known_.HiddenChanged() || currentChanged_)) {
        ListBeforeHiding();
    }
    for (int index = 0; index < kDesktopCount; ++index) {
        const int holds = desktops_[index].Empty() ? 0 : 1;
        int& reported = reportedHolds_[static_cast<std::size_t>(index)];
        if (holds != reported) {
            reported = holds;
            bar_.ShowDesktopHoldsWindows(index, holds == 1);
        }
    }
    // Only a program that follows the changes pays for telling them.
    if (TellsChanges()) {
        for (const Change& change : changes_) {
            listener_(change);
        }
    }
    changes_.clear();
}

void DesktopEngine::ListBeforeHiding() {
    if (leaving_ || (listed_ && !known_.HiddenGrew() && !currentChanged_)) {
        return;  // the list names every window already
    }
    std::size_t inSets = 0;
    for (const Desktop& desktop : desktops_) {
        inSets += desktop.Windows().size();
    }
    desktopOf_.Clear(inSets);
    for (int index = 0; index < kDesktopCount; ++index) {
        for (WindowHandle window : desktops_[index].Windows()) {
            desktopOf_.TryEmplace(window, index);
        }
    }
    std::vector<RecoveryList::Entry> hidden;
    hidden.reserve(known_.HiddenCount());
    known_.ForEachHidden([&](WindowHandle window, std::uint32_t processId) {
        const int* desktop = desktopOf_.Find(window);
        hidden.push_back(
            {window, processId, desktop != nullptr ? *desktop : RecoveryList::kNoDesktop});
    });
    std::sort(hidden.begin(), hidden.end(),
              [](const auto& a, const auto& b) { return a.window < b.window; });
    recovery_.Save(hidden, desktops_.CurrentIndex());
    known_.TakeHiddenChanges();
    currentChanged_ = false;
    listed_ = true;
}

void DesktopEngine::Announce(Change change) {
    if (TellsChanges()) {
        changes_.push_back(std::move(change));
    }
}

void DesktopEngine::Start(const Starting& starting) {
    shell_.Find();
    if (!starting.left) {
        desktops_.Begin(0);
        bar_.SelectDesktopButton(0);
        return;
    }
    const RecoveryList::Arrangement& left = *starting.left;
    desktops_.Begin(IsDesktopIndex(left.current) ? left.current : 0);
    // The user's arrangement wins over the rules: the listed windows are seen already, and so
    // is whatever the first refresh finds on the screen, the previous instance's or not.
    firstSight_.SkipNextSight();
    for (const RecoveryList::Entry& entry : left.windows) {
        known_.NoteAs(entry.window, entry.processId).seen = true;
        if (IsDesktopIndex(entry.desktop) && entry.desktop != desktops_.CurrentIndex()) {
            desktops_[entry.desktop].Add(entry.window);
            // Shown by the guard, or still hidden: ours to hide again either way.
            visibility_.Hide(entry.window);
        }
    }
    bar_.SelectDesktopButton(desktops_.CurrentIndex());
    bar_.NameDesktop(desktops_.CurrentIndex());
    currentChanged_ = true;
}

void DesktopEngine::UseSettings(const SettingsInForce& settings, Outcome& outcome) {
    desktops_.SetWrap(settings.wrap);
    keys_.SetPauseInFullScreen(settings.pauseInFullScreen);
    bool renamed = false;
    for (int index = 0; index < kDesktopCount; ++index) {
        renamed =
            desktops_[index].Rename(settings.names[static_cast<std::size_t>(index)]) || renamed;
    }
    if (renamed) {
        bar_.DesktopsRenamed();
    }
    // They place the windows seen for the first time from now on.
    firstSight_.UseRules(settings.rules);
    activation_.Use(settings.onActivate);
    if (!settings.remember) {
        remembered_.End();  // begun by the journal, once it is read
    }
    outcome.refusedKeys = keys_.Use(settings.keys, settings.keysWindow);
    if (settings.reload) {
        Announce({Change::Kind::Settings});
    }
}

Outcome::Result DesktopEngine::RunCommand(const Command& command) {
    using Kind = Command::Kind;
    using Result = Outcome::Result;
    const auto done = [](bool did) { return did ? Result::Done : Result::NothingToDo; };
    if (command.HasTarget()) {
        const std::optional<int> target = desktops_.Target(command);
        if (!target) {
            return Result::NothingToDo;
        }
        switch (command.kind) {
            case Kind::Switch:
                SwitchDesktop(*target);
                return Result::Done;
            case Kind::SendWindow:
                if (*target == CurrentDesktop()) {
                    return Result::NothingToDo;
                }
                return done(SendFamily(filter_.FamilyOf(command.subject), *target, false));
            default:
                return done(SendFamily(filter_.FamilyOf(windows_.GetForegroundWindow()), *target,
                                       command.kind == Kind::Move));
        }
    }
    switch (command.kind) {
        case Kind::ToggleDesktopIcons:
            shell_.ToggleDesktopIcons();
            Announce({Change::Kind::Icons, -1, {}, shell_.DesktopIconsShown()});
            return Result::Done;
        case Kind::ToggleTaskbar:
            shell_.ToggleTaskbar();
            Announce({Change::Kind::Taskbar, -1, {}, shell_.TaskbarShown()});
            return Result::Done;
        case Kind::ToggleBar:
            bar_.ShowBar(!bar_.BarShown());
            Announce({Change::Kind::Bar, -1, {}, bar_.BarShown()});
            return Result::Done;
        case Kind::Pin:
            return done(Pin());
        case Kind::Unpin:
            return done(Unpin());
        case Kind::PinToggle:
            return done(known_.IsPinned(windows_.GetForegroundWindow()) ? Unpin() : Pin());
        case Kind::Pause:
            if (keys_.TogglePause()) {
                bar_.ShowKeysPaused(keys_.Paused());
                Announce({Change::Kind::Pause, -1, {}, keys_.Paused()});
            }
            return Result::Done;
        case Kind::GoToWindow:
            return done(GoToWindow(command.subject));
        case Kind::BringWindow:
            return done(BringWindow(command.subject));
        case Kind::Exit:
            return Result::Exit;  // the program's own way out shows everything
        case Kind::Find:
            return Result::Find;  // a window of the program's, not a change of the desktops
        default:
            return Result::Done;
    }
}

void DesktopEngine::SwitchDesktop(int target, WindowHandle onTop) {
    const int current = CurrentDesktop();
    if (current == target) {
        return;
    }
    // The set as the last refresh left it (a window opened since stays on the next desktop), in
    // the stacking order of this moment (a window raised since then leaves, and returns, on top).
    stacking_.Take(windows_);
    const StackingOrder& stacking = stacking_;
    Desktop& leaving = desktops_[current];
    leaving.Restack(stacking);
    // Listed before they go, already with the target as the current desktop: what a next start
    // then puts back is where the user was going.
    visibility_.WillHide(leaving.Windows());
    desktops_.Enter(target);
    currentChanged_ = true;
    ListBeforeHiding();
    // A hidden window of ours holds the focus for the moment of the switch. Were it left on a
    // leaving window, that window's program, hiding it, would hand the focus to whatever stands
    // next at that moment, which can be an entering window shown a moment before the top one.
    if (leaving.Holds(windows_.GetForegroundWindow())) {
        windows_.HoldFocus();
    }
    leaving.Leave(visibility_);
    DropRefusedWindows();
    bar_.NameDesktop(target);
    bar_.SelectDesktopButton(target);
    ClearAttention(target);
    if (!desktops_[target].Enter(stacking, visibility_, onTop) &&
        !windows_.IsWindowVisible(windows_.GetForegroundWindow())) {
        // An empty desktop: the keys go where a click on the desktop sends them, not to a
        // window nobody sees (where the user hid the icons, they stay with us).
        if (const WindowHandle desktop = shell_.FindDesktopIcons();
            windows_.IsWindowVisible(desktop)) {
            windows_.SetForegroundWindow(desktop);
        }
    }
    Announce({Change::Kind::Switch, target});
}

void DesktopEngine::GiveToDesktop(std::span<const WindowHandle> family, int target) {
    // It belongs to the target desktop alone from now on, whenever the next refresh comes.
    desktops_.RemoveEverywhere(family);
    desktops_[target].Add(family);
    // Placed by the user: a window sent before a refresh saw it is no rule's to move.
    for (WindowHandle window : family) {
        known_.Note(window).seen = true;
    }
}

void DesktopEngine::HideListed(std::span<const WindowHandle> topFirst) {
    // Listed before they go, as a switch lists what it hides.
    visibility_.WillHide(topFirst);
    ListBeforeHiding();
    visibility_.HideAll(topFirst);
    DropRefusedWindows();
}

void DesktopEngine::DropRefusedWindows() {
    // A window that refused to go stays on every desktop, in none of the sets.
    for (Desktop& desktop : desktops_) {
        desktop.RemoveIf([this](WindowHandle window) { return visibility_.Refused(window); });
    }
}

void DesktopEngine::RestoreAll() {
    std::vector<WindowHandle> held;
    known_.ForEachHidden([&held](WindowHandle window, std::uint32_t) { held.push_back(window); });
    // Shown where they stand (SW_SHOWNA), so no order is needed to keep the stacking order.
    visibility_.ShowAll(held, WindowVisibility::Focus::Leave);
    shell_.ShowAll();
    keys_.Release();
    leaving_ = true;
}

void DesktopEngine::ShowEverythingNow() noexcept {
    known_.ForEachHidden([this](WindowHandle window, std::uint32_t) {
        windows_.ShowWindowAsync(window, ShowCommand::ShowNoActivate);
    });
    shell_.ShowNow();
}

std::vector<std::u16string> DesktopEngine::DesktopTitles(int index) {
    std::vector<std::u16string> titles;
    if (IsDesktopIndex(index)) {
        for (WindowHandle window : desktops_[index].Windows()) {
            titles.push_back(windows_.WindowTitle(window));
        }
    }
    return titles;
}

DesktopState DesktopEngine::State() {
    // A look of its own, ending as a run does.
    listed_ = false;
    CollectDesktopWindows(false);
    Commit();
    return StateAsKnown();
}

DesktopState DesktopEngine::StateAsKnown() {
    DesktopState state;
    state.current = CurrentDesktop();
    const auto describe = [this](WindowHandle window, bool pinned) {
        return WindowState{window, known_.ProgramName(window), windows_.WindowTitle(window), pinned,
                           known_.LastActive(window)};
    };
    for (WindowHandle window : known_.PinnedWindows()) {
        if (known_.IsPinned(window)) {
            state.windows[static_cast<std::size_t>(state.current)].push_back(
                describe(window, true));
        }
    }
    for (int index = 0; index < kDesktopCount; ++index) {
        state.names[static_cast<std::size_t>(index)] = desktops_[index].Name();
        for (WindowHandle window : desktops_[index].Windows()) {
            state.windows[static_cast<std::size_t>(index)].push_back(describe(window, false));
        }
    }
    state.icons = shell_.DesktopIconsShown();
    state.taskbar = shell_.TaskbarShown();
    state.bar = bar_.BarShown();
    state.paused = keys_.Paused();
    return state;
}

void DesktopEngine::CollectDesktopWindows(bool ages) {
    const auto hideLeaving = [this](std::span<const WindowHandle> leaving) { HideListed(leaving); };
    // Where the system tells of no change of the front, the look sees it.
    known_.Activated(windows_.GetForegroundWindow());
    RefreshOutcome refreshed = refresh_.Run(desktops_, ages, TellsChanges(), hideLeaving);
    for (Change& change : refreshed.changes) {
        Announce(std::move(change));
    }
    if (ages) {
        activation_.Refreshed();
    }
    if (!refreshed.broughtUp.empty()) {
        ActOnBroughtUp(refreshed.broughtUp);
    }
    ForgetStaleAttention();
    const bool fullScreen =
        ages && keys_.PauseInFullScreen() && filter_.IsFullScreen(windows_.GetForegroundWindow());
    if (ages && keys_.SeeFullScreen(fullScreen)) {
        bar_.ShowKeysPaused(keys_.Paused());
        Announce({Change::Kind::Pause, -1, {}, keys_.Paused()});
    }
}

}  // namespace ombrel
