// The commands: switching, sending the foreground window, the three toggles, and the way out.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>

#include "engine/DesktopEngine.h"
#include "engine/StackingOrder.h"
#include "text/Texts.h"

namespace ombrel {
namespace {

std::intptr_t DrawToken() {
    std::random_device source;
    const std::uint64_t token = (std::uint64_t{source()} << 32) ^ source();
    return static_cast<std::intptr_t>(token | 1);  // never 0, what a stray post carries most
}

bool EndsThePause(const KeyBinding& key) {
    return key.command.kind == Command::Kind::Pause;
}

}  // namespace

DesktopEngine::DesktopEngine(WindowSystem& windows, Hotkeys& hotkeys, BarView& bar,
                             RecoveryList& recovery, Log& log)
    : windows_(windows),
      hotkeys_(hotkeys),
      bar_(bar),
      recovery_(recovery),
      log_(log),
      visibility_(windows, log),
      windowKinds_(windows),
      exitToken_(DrawToken()) {}

void DesktopEngine::EnterFirstDesktop() {
    current_ = 0;
    bar_.SelectDesktopButton(current_);
}

void DesktopEngine::Restore(const RecoveryList::Arrangement& arrangement) {
    current_ = IsDesktopIndex(arrangement.current) ? arrangement.current : 0;
    // The user's arrangement wins over the rules: the listed windows are seen already, and so
    // is whatever the first refresh finds on the screen, the previous instance's or not.
    rulesAtFirstSight_ = false;
    for (const RecoveryList::Entry& entry : arrangement.windows) {
        seen_[entry.window] = entry.processId;
        if (IsDesktopIndex(entry.desktop) && entry.desktop != current_) {
            DesktopWindows_[entry.desktop].push_back(entry.window);
            // Shown by the guard, or still hidden: ours to hide again either way.
            visibility_.Hide(entry.window);
        }
    }
    bar_.SelectDesktopButton(current_);
    bar_.NameDesktop(current_);
    currentChanged_ = true;
    SaveRecoveryIfChanged();
}

void DesktopEngine::SwitchDesktop(std::int16_t code) {
    if (const std::optional<Command> command = CommandFromCode(code)) {
        Run(*command);
    }
}

std::vector<HotkeyRefusal> DesktopEngine::UseKeys(KeyBindings keys, WindowHandle window) {
    ReleaseKeys();
    keys_ = std::move(keys);
    keysWindow_ = window;
    return RegisterHotKeys(hotkeys_, keysWindow_, keys_, paused_ ? &EndsThePause : nullptr);
}

void DesktopEngine::ReleaseKeys() {
    if (keysWindow_ != WindowHandle::None) {
        UnregisterHotKeys(hotkeys_, keysWindow_, keys_);
    }
}

void DesktopEngine::RunKey(int id) {
    if (id >= 0 && static_cast<std::size_t>(id) < keys_.size()) {
        Run(keys_[static_cast<std::size_t>(id)].command);
    }
}

void DesktopEngine::FollowPause() {
    const bool paused = pausedByUser_ || fullScreenInFront_;
    if (paused == paused_) {
        return;
    }
    // A game or a program that needs these keys has them; the pause key stays ours to come
    // back with. A key another program took meanwhile stays its own.
    ReleaseKeys();
    paused_ = paused;
    RegisterHotKeys(hotkeys_, keysWindow_, keys_, paused_ ? &EndsThePause : nullptr);
    bar_.ShowKeysPaused(paused_);
    Announce({Change::Kind::Pause, -1, {}, paused_});
}

bool DesktopEngine::Run(Command command) {
    if (command.kind == Command::Kind::Exit) {
        bar_.EndProgram();  // shows everything and removes the list itself
        return true;
    }
    const bool done = RunCommand(command);
    SaveRecoveryIfChanged();
    ReportDesktops();
    return done;
}

void DesktopEngine::ShowBar() {
    if (!bar_.BarShown()) {
        bar_.ShowBar(true);
        Announce({Change::Kind::Bar, -1, {}, bar_.BarShown()});
    }
}

void DesktopEngine::Announce(const Change& change) const {
    if (listener_) {
        listener_(change);
    }
}

void DesktopEngine::SaveRecoveryIfChanged() {
    const bool currentChanged = std::exchange(currentChanged_, false);
    if (!visibility_.TakeChanged() && !currentChanged) {
        return;
    }
    std::unordered_map<WindowHandle, int> desktopOf;
    for (int index = 0; index < kDesktopCount; ++index) {
        for (WindowHandle window : DesktopWindows_[index]) {
            desktopOf.try_emplace(window, index);
        }
    }
    std::vector<RecoveryList::Entry> hidden;
    hidden.reserve(visibility_.HiddenByUs().size());
    for (const auto& [window, processId] : visibility_.HiddenByUs()) {
        const auto found = desktopOf.find(window);
        hidden.push_back({window, processId,
                          found != desktopOf.end() ? found->second : RecoveryList::kNoDesktop});
    }
    recovery_.Save(hidden, current_);
}

void DesktopEngine::ReportDesktops() {
    for (int index = 0; index < kDesktopCount; ++index) {
        const int holds = DesktopWindows_[index].empty() ? 0 : 1;
        int& reported = reportedHolds_[static_cast<std::size_t>(index)];
        if (holds != reported) {
            reported = holds;
            bar_.ShowDesktopHoldsWindows(index, holds == 1);
        }
    }
}

std::vector<std::u16string> DesktopEngine::DesktopTitles(int index) {
    std::vector<std::u16string> titles;
    if (IsDesktopIndex(index)) {
        for (WindowHandle window : DesktopWindows_[index]) {
            titles.push_back(windows_.WindowTitle(window));
        }
    }
    return titles;
}

bool DesktopEngine::RunCommand(Command command) {
    if (command.HasTarget()) {
        const std::optional<int> target = TargetDesktop(command);
        if (!target) {
            return false;
        }
        if (command.kind == Command::Kind::Switch) {
            SwitchTo(*target);
            return true;
        }
        return SendForegroundWindow(*target, command.kind == Command::Kind::Move);
    }
    switch (command.kind) {
        case Command::Kind::ToggleDesktopIcons:
            if (shell_.DesktopIconsShown) {
                // The shell moves the icons between windows as it likes: hide where they are now.
                shell_.hProgMan = FindDesktopIcons();
            }
            ToggleShellWindows({&shell_.hProgMan, 1}, shell_.DesktopIconsShown);
            Announce({Change::Kind::Icons, -1, {}, shell_.DesktopIconsShown});
            return true;
        case Command::Kind::ToggleTaskbar:
            if (shell_.TaskbarShown) {
                shell_.secondaryTaskbars = FindWindowsByClass(kSecondaryTaskbarClass);
            }
            ToggleShellWindows(shell_.Taskbars(), shell_.TaskbarShown);
            Announce({Change::Kind::Taskbar, -1, {}, shell_.TaskbarShown});
            return true;
        case Command::Kind::ToggleBar:
            bar_.ShowBar(!bar_.BarShown());
            Announce({Change::Kind::Bar, -1, {}, bar_.BarShown()});
            return true;
        case Command::Kind::Pin:
            return Pin();
        case Command::Kind::Unpin:
            return Unpin();
        case Command::Kind::PinToggle:
            return IsPinned(windows_.GetForegroundWindow()) ? Unpin() : Pin();
        case Command::Kind::Pause:
            pausedByUser_ = !paused_;
            // A pause asked for while a full-screen program pauses the keys ends both.
            if (!pausedByUser_) {
                fullScreenInFront_ = false;
            }
            FollowPause();
            return true;
        default:
            return true;  // answered by whoever asked: the list, the usage
    }
}

std::optional<int> DesktopEngine::TargetDesktop(const Command& command) const {
    switch (command.target) {
        case Command::Target::Desktop:
            return IsDesktopIndex(command.desktop) ? std::optional<int>(command.desktop)
                                                   : std::nullopt;
        case Command::Target::Next:
            if (current_ + 1 < kDesktopCount) {
                return current_ + 1;
            }
            return wrap_ ? std::optional<int>(0) : std::nullopt;
        case Command::Target::Previous:
            if (current_ > 0) {
                return current_ - 1;
            }
            return wrap_ ? std::optional<int>(kDesktopCount - 1) : std::nullopt;
        case Command::Target::Last:
            return last_;
    }
    return std::nullopt;
}

void DesktopEngine::ToggleShellWindows(std::span<const WindowHandle> windows, bool& shown) {
    // The flag flips whatever the calls return: it records what we asked for last.
    for (WindowHandle window : windows) {
        if (shown) {
            visibility_.Hide(window);
        } else {
            visibility_.Show(window);
        }
    }
    shown = !shown;
}

std::vector<WindowHandle> DesktopEngine::FindWindowsByClass(std::u16string_view className) {
    std::vector<WindowHandle> found;
    windows_.EnumWindows([&](WindowHandle window) {
        if (windows_.ClassName(window) == className) {
            found.push_back(window);
        }
        return true;
    });
    return found;
}

std::vector<WindowHandle> DesktopEngine::FamilyOf(WindowHandle member) {
    if (!IsTaskWindow(member)) {
        return {};
    }
    // A dialog goes with the program that owns it, and the program with its other owned
    // windows: sent alone, either would be left behind, disabled or ownerless.
    const WindowHandle root = windows_.RootOwner(member);
    std::vector<WindowHandle> family;
    windows_.EnumWindows([&](WindowHandle window) {
        if (windows_.RootOwner(window) == root && IsTaskWindow(window)) {
            family.push_back(window);
        }
        return true;
    });
    if (family.empty()) {
        family.push_back(member);  // the walk failed
    }
    return family;
}

void DesktopEngine::GiveToDesktop(std::span<const WindowHandle> family, int target) {
    // It belongs to the target desktop alone from now on, whenever the next refresh comes.
    for (int index = 0; index < kDesktopCount; ++index) {
        std::erase_if(DesktopWindows_[index], [&family](WindowHandle window) {
            return std::find(family.begin(), family.end(), window) != family.end();
        });
    }
    WindowSet& arriving = DesktopWindows_[target];
    arriving.insert(arriving.end(), family.begin(), family.end());
    // Placed by the user: a window sent before a refresh saw it is no rule's to move.
    for (WindowHandle window : family) {
        seen_[window] = windows_.ProcessIdOf(window);
    }
}

bool DesktopEngine::SendForegroundWindow(int target, bool follow) {
    return SendFamily(ForegroundFamily(), target, follow);
}

bool DesktopEngine::SendFamily(const std::vector<WindowHandle>& family, int target, bool follow) {
    if (family.empty()) {
        return false;
    }
    if (CurrentDesktop() == target) {
        return true;  // where it was asked to be
    }
    GiveToDesktop(family, target);
    Announce({follow ? Change::Kind::Move : Change::Kind::Send, target, family});
    if (follow) {
        // Out of the leaving set before the switch: the family stays on the screen all the
        // way, and arrives on top with the keyboard.
        SwitchTo(target);
        return true;
    }
    // Listed before they go, so that no kill on the way leaves one hidden and unlisted.
    visibility_.WillHide(family);
    SaveRecoveryIfChanged();
    // The foreground window goes last, so the system hands the focus to a window of this
    // desktop only once the whole family is gone.
    visibility_.HideAll(family);
    DropRefusedWindows();
    return true;
}

bool DesktopEngine::IsPinned(WindowHandle window) {
    const auto found = pinned_.find(window);
    return found != pinned_.end() && windows_.ProcessIdOf(window) == found->second;
}

bool DesktopEngine::Pin() {
    // Out of every set: no switch hides it, and it keeps its place in the stacking order.
    const std::vector<WindowHandle> family = ForegroundFamily();
    for (WindowHandle window : family) {
        for (int index = 0; index < kDesktopCount; ++index) {
            std::erase(DesktopWindows_[index], window);
        }
        pinned_[window] = windows_.ProcessIdOf(window);
        seen_[window] = pinned_[window];
    }
    if (family.empty()) {
        return false;
    }
    Announce({Change::Kind::Pin, -1, family});
    return true;
}

bool DesktopEngine::Unpin() {
    const WindowHandle foreground = windows_.GetForegroundWindow();
    if (!IsPinned(foreground)) {
        return false;
    }
    const WindowHandle root = windows_.RootOwner(foreground);
    std::vector<WindowHandle> family;
    for (auto entry = pinned_.begin(); entry != pinned_.end();) {
        if (windows_.RootOwner(entry->first) == root) {
            DesktopWindows_[current_].push_back(entry->first);
            family.push_back(entry->first);
            entry = pinned_.erase(entry);
        } else {
            ++entry;
        }
    }
    Announce({Change::Kind::Unpin, current_, family});
    return true;
}

void DesktopEngine::DropRefusedWindows() {
    // A window that refused to go stays on every desktop, in none of the sets.
    for (int index = 0; index < kDesktopCount; ++index) {
        std::erase_if(DesktopWindows_[index],
                      [this](WindowHandle window) { return visibility_.Refused(window); });
    }
}

void DesktopEngine::SwitchTo(int target, WindowHandle onTop) {
    const int current = CurrentDesktop();
    if (current == target) {
        return;
    }
    // The set as the last refresh left it (a window opened since stays on the next desktop), in
    // the stacking order of this moment (a window raised since then leaves, and returns, on top).
    const StackingOrder stacking(windows_);
    WindowSet& leaving = DesktopWindows_[current];
    leaving = stacking.Sorted(leaving);
    // Listed before they go, so that no kill on the way leaves one hidden and unlisted: the
    // list is written before the hides, already with the target as the current desktop (what
    // a next start then puts back is where the user was going), and once more after the shows.
    visibility_.WillHide(leaving);
    last_ = current;
    current_ = target;
    currentChanged_ = true;
    SaveRecoveryIfChanged();
    // A hidden window of ours holds the focus for the moment of the switch. Were it left on a
    // leaving window, that window's program, hiding it, would hand the focus to whatever stands
    // next at that moment, which can be an entering window shown a moment before the top one.
    if (std::find(leaving.begin(), leaving.end(), windows_.GetForegroundWindow()) !=
        leaving.end()) {
        windows_.HoldFocus();
    }
    visibility_.HideAll(leaving);
    DropRefusedWindows();
    bar_.NameDesktop(target);
    bar_.SelectDesktopButton(target);
    ClearAttention(target);
    // Hidden windows keep their place in the z-order, so the entering desktop comes back as it
    // was left, with its top window active again.
    std::vector<WindowHandle> entering = stacking.Sorted(DesktopWindows_[target]);
    if (const auto chosen = std::find(entering.begin(), entering.end(), onTop);
        chosen != entering.end()) {
        std::rotate(entering.begin(), chosen, chosen + 1);
    }
    if (!visibility_.ShowAll(entering, WindowVisibility::Focus::Take) &&
        !windows_.IsWindowVisible(windows_.GetForegroundWindow())) {
        // An empty desktop: the keys go where a click on the desktop sends them, not to a
        // window nobody sees (where the user hid the icons, they stay with us).
        if (const WindowHandle desktop = FindDesktopIcons(); windows_.IsWindowVisible(desktop)) {
            windows_.SetForegroundWindow(desktop);
        }
    }
    Announce({Change::Kind::Switch, target});
}

WindowHandle DesktopEngine::FindDesktopIcons() {
    const WindowHandle progman = windows_.FindWindowByClass(kDesktopIconsClass);
    if (windows_.FindChildByClass(progman, kIconViewClass) != WindowHandle::None) {
        return progman;
    }
    WindowHandle holder = WindowHandle::None;
    windows_.EnumWindows([this, &holder](WindowHandle window) {
        if (windows_.ClassName(window) == kWorkerClass &&
            windows_.FindChildByClass(window, kIconViewClass) != WindowHandle::None) {
            holder = window;
        }
        return holder == WindowHandle::None;
    });
    // Without the view (an older shell, or none): Progman is the desktop.
    return holder != WindowHandle::None ? holder : progman;
}

void DesktopEngine::FindShellWindows() {
    shell_.hProgMan = FindDesktopIcons();
    shell_.hTrayWnd = windows_.FindWindowByClass(kTaskbarClass);
}

void DesktopEngine::ShellRestarted() {
    log_.Write(Text(TextId::ShellRestarted));
    shellLookoutsLeft_ = kShellLookouts;
    HideWhatTheUserHidOfTheShell();
    SaveRecoveryIfChanged();
}

void DesktopEngine::HideWhatTheUserHidOfTheShell() {
    // New windows, shown by their shell; what the user had hidden goes again.
    FindShellWindows();
    std::vector<WindowHandle> hidden;
    if (!shell_.DesktopIconsShown) {
        hidden.push_back(shell_.hProgMan);
    }
    if (!shell_.TaskbarShown) {
        shell_.secondaryTaskbars = FindWindowsByClass(kSecondaryTaskbarClass);
        const std::vector<WindowHandle> taskbars = shell_.Taskbars();
        hidden.insert(hidden.end(), taskbars.begin(), taskbars.end());
    }
    for (WindowHandle window : hidden) {
        if (windows_.IsWindowVisible(window)) {
            visibility_.Hide(window);
        }
    }
}

void DesktopEngine::GatherEveryWindow() {
    WindowSet& current = DesktopWindows_[current_];
    std::vector<WindowHandle> gathered;
    for (int index = 0; index < kDesktopCount; ++index) {
        if (index != current_) {
            gathered.insert(gathered.end(), DesktopWindows_[index].begin(),
                            DesktopWindows_[index].end());
            DesktopWindows_[index].clear();
        }
    }
    current.insert(current.end(), gathered.begin(), gathered.end());
    current = StackingOrder(windows_).Sorted(current);
    visibility_.ShowAll(gathered, WindowVisibility::Focus::Leave);
    for (int index = 0; index < kDesktopCount; ++index) {
        ClearAttention(index);
    }
    if (!gathered.empty()) {
        Announce({Change::Kind::Send, current_, gathered});
    }
    SaveRecoveryIfChanged();
    ReportDesktops();
}

void DesktopEngine::RestoreAll() {
    std::vector<WindowHandle> held;
    for (const auto& [window, processId] : visibility_.HiddenByUs()) {
        held.push_back(window);
    }
    // Shown where they stand (SW_SHOWNA), so no order is needed to keep the stacking order.
    visibility_.ShowAll(held, WindowVisibility::Focus::Leave);
    visibility_.Show(shell_.hProgMan, WindowVisibility::Focus::Leave);
    for (WindowHandle taskbar : shell_.Taskbars()) {
        visibility_.Show(taskbar, WindowVisibility::Focus::Leave);
    }
}

}  // namespace ombrel
