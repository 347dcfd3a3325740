#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/HotkeyTable.h"
#include "engine/RecoveryList.h"
#include "model/Command.h"
#include "model/WindowRule.h"
#include "platform/WindowEvents.h"

namespace ombrel {

// What reaches the engine besides the user's commands; each is one run of the engine.
// Start-up: desktop 1 is current, or what an instance that ended without its shut-down left is
// put back.
struct Starting {
    std::optional<RecoveryList::Arrangement> left;
};
struct Refresh {};  // the look at the screen, once a second
// Other programs' windows changed, as the system told (in the order told; none: a look asked for
// without news): a prompt look follows.
struct WindowsChanged {
    std::vector<WindowEvent> events;
};
struct ShellRestarted {};
struct BarWanted {};  // a second start asks for the bar
// The window's program asks for the user (it flashed).
struct WindowFlashed {
    WindowHandle window = WindowHandle::None;
};
// The session is ending: every window comes onto the current desktop.
struct SessionEnding {};
// The way out: every window we hid, and the shell's, shown where they stand.
struct Leaving {};
// What the settings put in force, from start-up or a reload of the settings file on.
struct SettingsInForce {
    bool wrap = true;
    bool pauseInFullScreen = false;
    std::array<std::u16string, kDesktopCount> names;
    WindowRules rules;  // for the windows seen for the first time from now on
    OnActivate onActivate = OnActivate::Join;  // where no rule says otherwise
    // Windows seen for the first time go where they were before (no rule placing them).
    bool remember = false;
    KeyBindings keys = DescribedKeyBindings();
    WindowHandle keysWindow = WindowHandle::None;  // the window the keys are registered for
    bool reload = false;                           // told to those who follow the changes
};

using Input = std::variant<Command, Starting, Refresh, WindowsChanged, ShellRestarted, BarWanted,
                           WindowFlashed, SessionEnding, Leaving, SettingsInForce>;

// What a run did.
struct Outcome {
    enum class Result {
        Done,
        NothingToDo,  // no window to send or pin, no desktop in that direction
        Exit,         // the user asked to end the program: the caller ends it
        Find,         // the user asked for the finder: the caller opens it
    };
    Result result = Result::Done;
    std::vector<HotkeyRefusal> refusedKeys;  // of SettingsInForce's keys
};

}  // namespace ombrel
