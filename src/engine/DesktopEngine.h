#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/ActivationPolicy.h"
#include "engine/BarView.h"
#include "engine/Changes.h"
#include "engine/DesktopRefresh.h"
#include "engine/Desktops.h"
#include "engine/FirstSight.h"
#include "engine/Inputs.h"
#include "engine/KeysInForce.h"
#include "engine/KnownWindows.h"
#include "engine/RecoveryList.h"
#include "engine/RememberedPlaces.h"
#include "engine/ShellWindows.h"
#include "engine/StackingOrder.h"
#include "engine/TaskWindowFilter.h"
#include "engine/WindowTable.h"
#include "engine/WindowVisibility.h"
#include "platform/Hotkeys.h"
#include "platform/Log.h"
#include "platform/WindowSystem.h"
#include "text/Texts.h"

namespace ombrel {

// The spine of the program's model: the nine desktops, the table of known windows, the shell's
// windows and the keys. Every way in (a key, a button, the wheel, a menu, a drop, the command
// line, the settings, the shell's news, the refresh) is one input for Run; each run ends in one
// commit that writes the recovery list if it must, tells the bar which desktops hold windows,
// and tells whoever follows what changed. What the bar shows otherwise it is told on the way.
class DesktopEngine {
  public:
    DesktopEngine(WindowSystem& windows, Hotkeys& hotkeys, BarView& bar, RecoveryList& recovery,
                  Log& log, const Texts& texts);
    DesktopEngine(const DesktopEngine&) = delete;
    DesktopEngine& operator=(const DesktopEngine&) = delete;

    Outcome Run(const Input& input);

    // Who hears of every change from now on (one at a time; an empty one: nobody), and whether
    // anybody follows them at the moment (none: always): the changes are not even gathered
    // while nobody does.
    void SetChangeListener(ChangeListener listener, std::function<bool()> following = {}) {
        listener_ = std::move(listener);
        following_ = std::move(following);
    }

    // Queries: they change nothing a user sees.
    int CurrentDesktop() const { return desktops_.CurrentIndex(); }
    const Desktops& AllDesktops() const { return desktops_; }
    const std::u16string& DesktopName(int index) const { return desktops_[index].Name(); }
    const ShellWindows& Shell() const { return shell_; }
    const KnownWindows& Known() const { return known_; }
    // Where windows were, for the journal that keeps it from one start to the next.
    RememberedPlaces& Remembered() { return remembered_; }
    const KeyBindings& Keys() const { return keys_.Bindings(); }
    bool KeysPaused() const { return keys_.Paused(); }
    // The command of a hotkey id; none for an id that is not ours.
    std::optional<Command> CommandOfKey(int id) const { return keys_.CommandOf(id); }
    // The state as the command line shows it: the current desktop as the screen shows it now,
    // the others as they were left; looking moves on nothing that waits on refreshes.
    DesktopState State();
    // The same without a look of its own, as the last look left it: the window events keep it
    // current, and a look costs a call into the window manager for every window.
    DesktopState StateAsKnown();
    // The titles of the desktop's windows, top first, as they read now: asked only when the
    // user looks (a tooltip), so that an idle switcher does not read every title every second.
    std::vector<std::u16string> DesktopTitles(int index);
    // The title of the window that asked for the user on the desktop, as it reads now; none
    // when nothing asked there.
    std::optional<std::u16string> AttentionTitle(int index);
    // Whether a window may belong to a desktop: visible (or about to be, as we asked), not
    // cloaked, not part of the shell, not the bar itself, neither pinned nor left alone by a rule.
    bool IsTaskWindow(WindowHandle hWnd) { return filter_.IsTaskWindow(hWnd); }
    // The process is dying without its shut-down (a crash): every window we hid and the shell's
    // are shown from the record, at once and without waiting on anybody or allocating.
    void ShowEverythingNow() noexcept;

  private:
    Outcome::Result RunCommand(const Command& command);
    void Start(const Starting& starting);
    void UseSettings(const SettingsInForce& settings, Outcome& outcome);
    // The one end of every run.
    void Commit();
    // The recovery list names the windows about to be hidden, before they go: a kill on the way
    // leaves no window hidden that it does not name. At most one write a run.
    void ListBeforeHiding();
    void Announce(Change change);

    // The refresh (ages false: a query's or a prompt look); the keys follow a full-screen
    // program in front.
    void CollectDesktopWindows(bool ages);
    // Windows brought up from other desktops by their programs: followed, or hidden again with
    // their desktops marked, where the user chose so.
    void ActOnBroughtUp(std::span<const BroughtUp> broughtUp);

    // Hides the leaving desktop's windows and shows the entering one's, names the entering one
    // in the caption and marks its button; the entering desktop's top window (or onTop, where
    // given and on it) gets the keyboard.
    void SwitchDesktop(int target, WindowHandle onTop = WindowHandle::None);
    // Sends the family to the target desktop, and switches there with it when it follows.
    bool SendFamily(const std::vector<WindowHandle>& family, int target, bool follow);
    void GiveToDesktop(std::span<const WindowHandle> family, int target);
    // Hides windows of other desktops than the current one, bottom-most first, the recovery list
    // naming them before they go; a window that refuses stays on every desktop.
    void HideListed(std::span<const WindowHandle> topFirst);
    void DropRefusedWindows();
    bool Pin();
    bool Unpin();
    // The window's desktop becomes the current one, the window in front; false for a window
    // that is on no desktop.
    bool GoToWindow(WindowHandle window);
    // The window and its program's other windows on its desktop come to the current one, the
    // window in front; false for a window that is on no desktop.
    bool BringWindow(WindowHandle window);
    // A window chosen to work in comes back to its size.
    void RestoreIfMinimized(WindowHandle window);
    void WindowWantsAttention(WindowHandle window);
    void ClearAttention(int index);
    // A window that asked for the user and closed, or left that desktop, asks no more.
    void ForgetStaleAttention();
    void GatherEveryWindow();
    void RestoreAll();

    WindowSystem& windows_;
    BarView& bar_;
    RecoveryList& recovery_;
    KnownWindows known_;
    RememberedPlaces remembered_;
    WindowVisibility visibility_;
    TaskWindowFilter filter_;
    FirstSight firstSight_;
    Desktops desktops_;
    ShellWindows shell_;
    DesktopRefresh refresh_;
    ActivationPolicy activation_;
    KeysInForce keys_;
    // Whether the changes are worth gathering now.
    bool TellsChanges() const { return listener_ && (!following_ || following_()); }

    ChangeListener listener_;
    std::function<bool()> following_;
    std::vector<Change> changes_;  // of this run, told at its commit
    bool listed_ = false;          // the recovery list was written in this run
    bool leaving_ = false;         // on the way out: the list stays as it is, for a next start
    bool currentChanged_ = false;  // since the recovery list was written
    // Kept from one use to the next, for their storage.
    StackingOrder stacking_;
    WindowTable<int> desktopOf_;  // for the recovery list
    // What the bar was told last: 0 empty, 1 holds windows, -1 not told yet.
    std::array<int, kDesktopCount> reportedHolds_{-1, -1, -1, -1, -1, -1, -1, -1, -1};
};

}  // namespace ombrel
