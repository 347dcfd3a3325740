#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/BarView.h"
#include "engine/Changes.h"
#include "engine/DesktopWindows.h"
#include "engine/HotkeyTable.h"
#include "engine/RecoveryList.h"
#include "engine/ShellWindows.h"
#include "engine/WindowKindCache.h"
#include "engine/WindowRules.h"
#include "engine/WindowVisibility.h"
#include "model/Command.h"
#include "platform/Hotkeys.h"
#include "platform/Log.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// The desktop engine owns the model: the current desktop, the nine window sets and the shell's
// windows. It refreshes the current set from the screen, runs the user's commands, and tells
// the bar what to show.
class DesktopEngine {
  public:
    // How many refreshes after a restart of the shell its windows are looked for again.
    static constexpr int kShellLookouts = 10;

    DesktopEngine(WindowSystem& windows, Hotkeys& hotkeys, BarView& bar, RecoveryList& recovery,
                  Log& log);
    DesktopEngine(const DesktopEngine&) = delete;
    DesktopEngine& operator=(const DesktopEngine&) = delete;

    DesktopWindows& Sets() { return DesktopWindows_; }
    const DesktopWindows& Sets() const { return DesktopWindows_; }
    ShellWindows& Shell() { return shell_; }
    WindowVisibility& Visibility() { return visibility_; }

    int CurrentDesktop() const { return current_; }
    // Whether "next" on desktop 9 goes to desktop 1, and "previous" on 1 to 9.
    void SetWrap(bool wrap) { wrap_ = wrap; }
    // Desktop 1 becomes the current one, its button marked; for start-up.
    void EnterFirstDesktop();
    // For start-up after an instance ended without its shut-down: its windows go back to their
    // desktops (those of other desktops hidden in their sets), and its current desktop is
    // current again, its button marked and named in the caption. The windows on the screen stay
    // on it: no rule moves a window that was there before this start.
    void Restore(const RecoveryList::Arrangement& arrangement);
    // The rules that place each window seen from now on for the first time (at start-up, or
    // new at a refresh), the first that matches deciding; windows seen before stay where they
    // are. None until told.
    void UseRules(WindowRules rules) { rules_ = std::move(rules); }

    // Whether a window may belong to a desktop: visible (or about to be, as we asked), not
    // cloaked, not part of the shell, not the bar itself, neither pinned nor left alone by a rule.
    bool IsTaskWindow(WindowHandle hWnd);
    // The refresh: refills the set of desktop index from the windows that qualify now, in the
    // system's order, and lets what waits on refreshes move on.
    void CollectDesktopWindows(std::int16_t index);
    bool EnumWindowsProc(WindowHandle hWnd, std::intptr_t lParam);

    // Runs one command; what it hid or showed is saved for recovery in one write. False when
    // there was nothing to do: no window to send or pin, no desktop in that direction.
    bool Run(Command command);
    // The command of a hotkey id (the codes of CommandCode); other codes are ignored.
    void SwitchDesktop(std::int16_t code);

    // The keys in force from now on (the 21 described ones until told otherwise), registered
    // for the window: all of them, or while the keys are paused only those that end the pause.
    // Returns the ones another program holds.
    std::vector<HotkeyRefusal> UseKeys(KeyBindings keys, WindowHandle window);
    void ReleaseKeys();
    const KeyBindings& Keys() const { return keys_; }
    // The key of this hotkey id was pressed.
    void RunKey(int id);
    bool KeysPaused() const { return paused_; }
    // Whether the keys pause by themselves while a full-screen program is in front; looked at at
    // every refresh.
    void SetPauseInFullScreen(bool pause) { pauseInFullScreen_ = pause; }
    // Shows the bar if it was hidden.
    void ShowBar();
    // The desktops' names (empty: no name), for the bar and the programs that ask for the state.
    void NameDesktops(const std::array<std::u16string, kDesktopCount>& names) {
        names_ = names;
        bar_.DesktopsRenamed();
    }
    const std::u16string& DesktopName(int index) const {
        return names_.at(static_cast<std::size_t>(index));
    }
    // Who hears of every change from now on (one at a time; an empty one: nobody).
    void SetChangeListener(ChangeListener listener) { listener_ = std::move(listener); }
    void Announce(const Change& change) const;
    // Finds the taskbar and the window that holds the desktop icons as the shell has them now.
    void FindShellWindows();
    // The shell started again (Explorer restarted): its windows are new; what the user had
    // hidden of them is hidden again.
    void ShellRestarted();
    // The screens changed: the bar must still be on one.
    void ScreensChanged() { bar_.KeepBarOnScreen(); }

    // What a command line gets back: how it ends, what it prints, and whether it stays to hear
    // of every change (watch).
    struct RemoteAnswer {
        int exitCode = kExitDone;
        std::string text;  // UTF-8
        bool follow = false;
    };
    // A command line of another process, run here as its hotkey or button would.
    RemoteAnswer RunRemote(const Request& request);
    DesktopState State();
    // The exit a command line asked for, once its message has been answered: only when the
    // message carries the token this instance posted it with.
    void ExitNow(std::intptr_t token) {
        if (token == exitToken_) {
            bar_.EndProgram();
        }
    }
    // One line per window of every desktop, top first: the desktop's number, "*" on the
    // current one, the program's file name, the title; tab-separated.
    std::u16string WindowList();
    // The titles of the desktop's windows, top first, as they read now: asked only when the
    // user looks (a tooltip), so that an idle switcher does not read every title every second.
    std::vector<std::u16string> DesktopTitles(int index);
    // Shows every window we hid and the shell's windows where they stand in the z-order and
    // without moving the focus: for the way out.
    void RestoreAll();
    // Every window of every desktop comes onto the current one and is shown where it stands,
    // without moving the focus: the session is ending, and a program that asks the user to save
    // must not ask from a window nobody sees. Should the end be cancelled, they are all here.
    void GatherEveryWindow();

    // The user chose the window (in a desktop button's menu): its desktop becomes the current
    // one, and the window comes to the front with the keyboard.
    void GoToWindow(WindowHandle window);
    // The window and its family go to the target desktop; the current one stays.
    void SendWindowTo(WindowHandle window, int target);
    // The window asked for the user (it flashed): where it belongs to a desktop other than the
    // current one, that desktop is marked until the user goes there.
    void WindowWantsAttention(WindowHandle window);
    // The window that asked for the user on the desktop, None when none did.
    WindowHandle AttentionOf(int index) const {
        return IsDesktopIndex(index) ? attention_[static_cast<std::size_t>(index)]
                                     : WindowHandle::None;
    }
    // Its title as it reads now, for the desktop's button; none when nothing asked there.
    std::optional<std::u16string> AttentionTitle(int index);

  private:
    void ToggleShellWindows(std::span<const WindowHandle> windows, bool& shown);
    // Hides again what the user had hidden of the shell, as the shell's windows are now.
    void HideWhatTheUserHidOfTheShell();
    std::vector<WindowHandle> FindWindowsByClass(std::u16string_view className);
    // One registry write for whatever the last step hid or showed, if anything.
    void SaveRecoveryIfChanged();
    // Tells the bar which desktops hold windows, where that changed since it was last told.
    void ReportDesktops();
    WindowHandle FindDesktopIcons();
    // The desktop a command aims at, if there is one: "next" on the last desktop is none unless
    // the desktops wrap around, "last" is none before the first switch.
    std::optional<int> TargetDesktop(const Command& command) const;
    // The foreground window with its root owner and every window that owns; empty when the
    // foreground window may not belong to a desktop.
    std::vector<WindowHandle> ForegroundFamily() {
        return FamilyOf(windows_.GetForegroundWindow());
    }
    // The window with its root owner and every window that owns; empty when the window may not
    // belong to a desktop.
    std::vector<WindowHandle> FamilyOf(WindowHandle window);
    void GiveToDesktop(std::span<const WindowHandle> family, int target);
    // Sends the family to the target desktop, and switches there with it when it follows. False
    // when there is none.
    bool SendFamily(const std::vector<WindowHandle>& family, int target, bool follow);
    // Sends the foreground window's family to the target desktop, and switches there with it
    // when it follows.
    bool SendForegroundWindow(int target, bool follow);
    void DropRefusedWindows();
    // The foreground window's family stays on every desktop, or belongs to the current one again.
    bool Pin();
    bool Unpin();
    bool IsPinned(WindowHandle window);
    // Whether a rule told us to leave the window alone: it is never hidden nor listed.
    bool IsIgnored(WindowHandle window);
    // Whether the window was seen by a refresh before: the same handle of the same process.
    bool Seen(WindowHandle window);
    // Records the windows the refresh of desktop index saw for the first time, top first, and
    // puts them where the rules say: into another desktop's set (hidden at once), pinned, or
    // left alone. A program's windows first seen together go where its root owner goes.
    // A query's look (ages false) counts no refresh for the frames looked at again.
    void PlaceFirstSeen(std::span<const WindowHandle> firstSeen, int index, bool ages);
    // How many refreshes a store app's frame without content is looked at again for rules.
    static constexpr int kFrameLookouts = 10;
    // A window no rule matched is seen again at the next refresh while it is a store app's frame
    // that shows no app yet.
    void LookAgainWithoutContent(WindowHandle window, bool ages);
    // Puts the keys in the state the user's pause and a full-screen program in front ask for.
    void FollowPause();
    // The entering desktop's top window gets the keyboard; onTop, where given and on it, is
    // brought in front of the others for that.
    void SwitchTo(int target, WindowHandle onTop = WindowHandle::None);
    // The user is on the desktop: what asked for him there is answered.
    void ClearAttention(int index);
    // A window that asked for the user and closed, or left that desktop, asks no more.
    void ForgetStaleAttention();
    bool RunCommand(Command command);
    // The refresh, or with ages false a query's look at the screen, which settles nothing that
    // waits on refreshes: a script that asks ten times a second changes nothing by asking.
    void Collect(int index, bool ages);
    // Windows we hid that a refresh found in no set (a hide carried out after the window had
    // been taken in where it stood) are on the current desktop again, and shown there; parked
    // holds the windows the walk left on the other desktops.
    void ReclaimStrays(const std::unordered_set<WindowHandle>& parked);
    // The keyboard left on our focus holder (a program took too long to take it, or a switch
    // was refused it) goes to the current desktop's top responding window, or the desktop.
    void GiveTheKeyboardBack();
    // A game or a presentation in front: it covers its screen, without a title bar, and is not
    // merely maximised.
    bool IsFullScreen(WindowHandle window);
    // What the last refresh found: the sets' windows before it, to tell the opened and closed.
    void AnnounceOpenedAndClosed(const std::vector<WindowHandle>& before);

    WindowSystem& windows_;
    Hotkeys& hotkeys_;
    BarView& bar_;
    RecoveryList& recovery_;
    Log& log_;
    WindowVisibility visibility_;
    WindowKindCache windowKinds_;
    DesktopWindows DesktopWindows_;
    ShellWindows shell_;
    int current_ = 0;
    std::optional<int> last_;  // the desktop that was current before this one
    bool wrap_ = true;
    KeyBindings keys_ = DescribedKeyBindings();
    WindowHandle keysWindow_ = WindowHandle::None;
    bool paused_ = false;  // as the keys are registered now
    // Windows on every desktop, each with its process: a reused handle is not pinned.
    std::map<WindowHandle, std::uint32_t> pinned_;
    WindowRules rules_;
    // Every window a refresh has seen, with its process: a rule acts once, at the first sight,
    // and a handle reused by another process is a new window. Closed ones are dropped.
    std::unordered_map<WindowHandle, std::uint32_t> seen_;
    // Store apps' frames seen before their content, each with how many refreshes looked at it:
    // their rules are tried again for a while.
    std::map<WindowHandle, int> framesWithoutContent_;
    // Windows a rule leaves alone, with their process.
    std::map<WindowHandle, std::uint32_t> ignored_;
    // False from a restore until the next refresh: what is on the screen then was there before.
    bool rulesAtFirstSight_ = true;
    std::intptr_t exitToken_;  // drawn at start, known to this instance alone
    std::array<std::u16string, kDesktopCount> names_;
    ChangeListener listener_;
    bool pausedByUser_ = false;
    bool pauseInFullScreen_ = false;
    bool fullScreenInFront_ = false;
    bool fullScreenSeen_ = false;  // at the last refresh
    // Refreshes left in which a restarted shell's windows are looked for again: the shell
    // announces itself before its desktop window is there.
    int shellLookoutsLeft_ = 0;
    // The current desktop changed since the recovery list was written.
    bool currentChanged_ = false;
    // What the bar was told last: 0 empty, 1 holds windows, -1 not told yet.
    std::array<int, kDesktopCount> reportedHolds_{-1, -1, -1, -1, -1, -1, -1, -1, -1};
    // Per desktop, the window that asked for the user while another desktop was current.
    std::array<WindowHandle, kDesktopCount> attention_{};
};

}  // namespace ombrel
