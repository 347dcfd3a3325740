#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "platform/WindowHandle.h"

namespace ombrel {

inline constexpr int kDesktopCount = 9;

// The command codes of SwitchDesktop; each equals the id of the hotkey that sends it.
enum CommandCode : std::int16_t {
    kFirstSwitchCode = 0,  // 0..8: switch to desktop index code
    kToggleDesktopIcons = 9,
    kToggleTaskbar = 10,
    kToggleBar = 11,
    kFirstSendCode = 12,  // 12..20: send the foreground window to desktop index code-12
    kLastSendCode = kFirstSendCode + kDesktopCount - 1,
};

constexpr bool IsDesktopIndex(int index) {
    return index >= 0 && index < kDesktopCount;
}

// One thing the user asks, by hotkey, button or command line, that may change what he sees; the
// same words name it in the settings file and on the command line (see CommandWords.h).
struct Command {
    enum class Kind {
        Switch,  // to the target desktop
        Send,    // the foreground window and its family to the target desktop
        Move,    // send, and switch there with it
        ToggleDesktopIcons,
        ToggleTaskbar,
        ToggleBar,
        Pause,      // Ombrel's keys off, or on again
        Pin,        // the foreground window and its family stay on every desktop
        Unpin,      // they belong to the current desktop again
        PinToggle,  // whichever of the two applies
        Exit,
        Find,  // the finder: every window of every desktop, found by typing
        // Given a subject window, as the mouse or a launcher gives it:
        GoToWindow,   // its desktop becomes the current one, the window in front (a menu's choice)
        SendWindow,   // it and its family go to the target desktop (a window dropped on a button)
        BringWindow,  // it and its family come to the current desktop, the window in front
    };
    // Which desktop Switch, Send and Move aim at: a given one, or one relative to the current.
    enum class Target { Desktop, Next, Previous, Last };
    Kind kind;
    int desktop = 0;  // for Target::Desktop: the index of the target desktop
    Target target = Target::Desktop;
    WindowHandle subject = WindowHandle::None;  // for the kinds given a window

    static constexpr Command SwitchTo(int desktop) { return {Kind::Switch, desktop}; }
    static constexpr Command SendTo(int desktop) { return {Kind::Send, desktop}; }
    static constexpr Command MoveTo(int desktop) { return {Kind::Move, desktop}; }
    static constexpr Command Toward(Kind kind, Target target) { return {kind, 0, target}; }
    static constexpr Command GoTo(WindowHandle window) {
        return {Kind::GoToWindow, 0, Target::Desktop, window};
    }
    static constexpr Command SendWindowTo(WindowHandle window, int desktop) {
        return {Kind::SendWindow, desktop, Target::Desktop, window};
    }
    static constexpr Command Bring(WindowHandle window) {
        return {Kind::BringWindow, 0, Target::Desktop, window};
    }
    // Whether it aims at a desktop.
    constexpr bool HasTarget() const {
        return kind == Kind::Switch || kind == Kind::Send || kind == Kind::Move ||
               kind == Kind::SendWindow;
    }
    friend constexpr bool operator==(const Command&, const Command&) = default;
};

// What the command line may ask besides a command: the state, which changes nothing.
enum class Query {
    List,      // the windows of every desktop, as lines of text
    ListJson,  // the same and the state of the shell and the bar, as one JSON document
    Help,      // the command line's usage
};
// A JSON line for every change, until the caller or Ombrel ends.
enum class Subscription { Watch };
// What a command line asks: to act, to be told the state, or to follow every change.
using Request = std::variant<Command, Query, Subscription>;

// How "Ombrel.exe COMMAND" ends, for the scripts that run it.
enum ExitCode : int {
    kExitDone = 0,
    kExitNotRunning = 1,
    kExitUsage = 2,
    kExitNoAnswer = 3,  // running, but no answer within ten seconds
    // No window to send or pin, no desktop in that direction, a window Ombrel does not know.
    kExitNothingToDo = 4,
};

// The command of a code (a hotkey id); none for a code that no caller of ours sends.
constexpr std::optional<Command> CommandFromCode(int code) {
    if (code >= kFirstSwitchCode && code < kFirstSwitchCode + kDesktopCount) {
        return Command::SwitchTo(code - kFirstSwitchCode);
    }
    if (code >= kFirstSendCode && code <= kLastSendCode) {
        return Command::SendTo(code - kFirstSendCode);
    }
    switch (code) {
        case kToggleDesktopIcons:
            return Command{Command::Kind::ToggleDesktopIcons};
        case kToggleTaskbar:
            return Command{Command::Kind::ToggleTaskbar};
        case kToggleBar:
            return Command{Command::Kind::ToggleBar};
        default:
            return std::nullopt;
    }
}

// The current desktop is mirrored as decimal text ("0" to "8") in the main window's Tag. Only
// start-up and a switch write it, so anything else reads as desktop 1.
constexpr int DesktopIndexFromTag(std::u16string_view tag) {
    int value = 0;
    for (char16_t digit : tag) {
        if (digit < u'0' || digit > u'9' || value >= kDesktopCount) {
            return 0;
        }
        value = value * 10 + (digit - u'0');
    }
    return IsDesktopIndex(value) ? value : 0;
}

}  // namespace ombrel
