#pragma once

#include <cstdint>
#include <span>

#include "engine/KnownWindows.h"
#include "platform/Log.h"
#include "platform/WindowEvents.h"
#include "platform/WindowSystem.h"
#include "text/Texts.h"

namespace ombrel {

// Hides and shows the windows the engine manages, and notes in the table of known windows which
// of them it has hidden and not shown again: a handle whose window closed while hidden and that
// now names another program's window is never shown. Another program's window is never waited
// on, so a hung program cannot freeze the switcher; our own windows change at once. A window
// whose program refuses to be hidden (it runs with more rights than ours) is left alone from
// then on: it stays on every desktop, is never listed as hidden, and is written to the log once.
class WindowVisibility {
  public:
    WindowVisibility(WindowSystem& windows, KnownWindows& known, Log& log, const Texts& texts)
        : windows_(windows), known_(known), log_(log), texts_(texts) {}

    // Whether showing a window gives it the focus.
    enum class Focus { Take, Leave };

    void Hide(WindowHandle window);
    // Counts the windows as hidden by us before the hides go out, so that the recovery list can
    // name them first: a kill in the middle of a switch leaves no window hidden that it does
    // not name.
    void WillHide(std::span<const WindowHandle> windows);
    void Show(WindowHandle window, Focus focus = Focus::Take);

    // Windows given top first are hidden bottom-most first: the active one goes last, so the
    // system activates no other of them on the way, only one window once they are all gone.
    void HideAll(std::span<const WindowHandle> topFirst);
    // Hidden windows are shown where they stand, without taking the focus; with Focus::Take the
    // first one whose program responds (the top, when they are given top first) is then brought
    // to the front and given the keyboard. One activation at most, however many windows. False
    // when no window takes the keyboard (Focus::Leave: when none of them could be shown).
    bool ShowAll(std::span<const WindowHandle> topFirst, Focus focusOnTop);

    // Whether the window is visible, or will be once its program has acted on what we asked:
    // a refresh that runs while a switch is still on its way must not move windows between
    // desktops, however long a hung program takes. Once its program has taken its messages
    // since we asked, the screen tells: a show or hide seen then is the program's own.
    bool IsVisible(WindowHandle window) {
        KnownWindow* known = known_.Entry(window);
        return IsVisible(window, known);
    }
    // The same for a window whose entry in the table was looked up already (null: none); known
    // becomes null where the entry was of a window that closed and is dropped.
    bool IsVisible(WindowHandle window, KnownWindow*& known);
    // What the system told of a window: a show or hide we asked for counts as done when told,
    // and a show after our hide was told is the window's program's own.
    void Told(const WindowEvent& event);
    // A refresh is under way: what each program with a change still on its way has done since
    // we asked is looked at. Only the refresh looks; a query leaves the changes as they are.
    void Refreshed();
    // Whether the window's program refused to let us hide it.
    bool Refused(WindowHandle window) const { return known_.IsRefused(window); }

  private:
    void Apply(WindowHandle window, ShowCommand command);
    // Notes the window as hidden by us, with its process of this moment.
    void Record(WindowHandle window);
    void Refuse(WindowHandle window, std::uint32_t code);
    // Forgets a window we hid whose handle no longer names it (closed, or reused by another
    // program); true if it should not be shown.
    bool ForgetIfGone(WindowHandle window);
    // Show, for a window ForgetIfGone has just let through.
    void ShowStillOurs(WindowHandle window, ShowCommand command);

    WindowSystem& windows_;
    KnownWindows& known_;
    Log& log_;
    const Texts& texts_;
    // A change asked for may still be on its way, or a refused window may have closed: the
    // refresh looks through the table only then.
    bool mayBeUnsettled_ = false;
};

}  // namespace ombrel
