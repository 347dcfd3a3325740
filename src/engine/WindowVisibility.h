#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <unordered_map>
#include <utility>

#include "platform/WindowSystem.h"

namespace ombrel {

// Hides and shows the windows the engine manages, and remembers which of them it has hidden
// and not shown again, with the process each belonged to then: a handle whose window closed
// while hidden and that now names another program's window is never shown. Another program's window
// is never waited on, so a hung program cannot freeze the switcher; our own windows change at once.
class WindowVisibility {
  public:
    // How many refreshes a change asked of another program's window counts as made before it
    // is seen: long enough for slow programs to catch up with a switch of hundreds of windows
    // (several seconds under load), short enough that a program that shows its window again on
    // its own before a refresh saw it hidden has it taken into the current desktop. Once seen,
    // a change no longer counts, so a later change by the program is taken at once.
    static constexpr int kRefreshesToSettle = 10;

    explicit WindowVisibility(WindowSystem& windows) : windows_(windows) {}

    // Whether showing a window gives it the focus.
    enum class Focus { Take, Leave };

    void Hide(WindowHandle window);
    void Show(WindowHandle window, Focus focus = Focus::Take);

    // Windows given top first are hidden bottom-most first: the active one goes last, so the
    // system activates no other of them on the way, only one window once they are all gone.
    void HideAll(std::span<const WindowHandle> topFirst);
    // Windows given top first are shown bottom-most first without taking the focus, so that
    // they stand in this order again; with Focus::Take the top one then takes the focus. One
    // activation at most, however many windows.
    void ShowAll(std::span<const WindowHandle> topFirst, Focus focusOnTop);

    // Whether the window is visible, or will be once its program has acted on what we asked:
    // a refresh that runs while a switch is still on its way must not move windows between
    // desktops.
    bool IsVisible(WindowHandle window);
    // One refresh has passed: changes not seen by now are taken as the screen shows them.
    void Refreshed();

    // Each window we hid and have not shown again, with the process it belonged to.
    using HiddenWindows = std::map<WindowHandle, std::uint32_t>;
    const HiddenWindows& HiddenByUs() const { return hidden_; }
    // True once after the hidden windows changed.
    bool TakeChanged() { return std::exchange(changed_, false); }

  private:
    struct AskedChange {
        bool visible;
        int refreshesLeft;
    };

    void Apply(WindowHandle window, ShowCommand command);
    // Forgets a window we hid whose handle no longer names it (closed, or reused by another
    // program); true if it should not be shown.
    bool ForgetIfGone(WindowHandle window);
    // Show, for a window ForgetIfGone has just let through.
    void ShowStillOurs(WindowHandle window, Focus focus);

    WindowSystem& windows_;
    HiddenWindows hidden_;
    std::unordered_map<WindowHandle, AskedChange> unsettled_;
    bool changed_ = false;
};

}  // namespace ombrel
