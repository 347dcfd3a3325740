// Commands from another process's command line, and the state it may ask for.
#include "engine/DesktopEngine.h"
#include "model/CommandWords.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "platform/WindowProcedures.h"
#include "text/Texts.h"

namespace ombrel {

DesktopEngine::RemoteAnswer DesktopEngine::RunRemote(const Request& request) {
    if (const Query* query = std::get_if<Query>(&request)) {
        switch (*query) {
            case Query::List:
                return {kExitDone, ToUtf8(WindowList())};
            case Query::ListJson:
                return {kExitDone, StateJson(State()) + "\n"};
            case Query::Help:
                return {kExitDone, ToUtf8(Text(TextId::CommandUsage))};
        }
    }
    if (std::holds_alternative<Subscription>(request)) {
        // The state first, so that a status bar needs nothing else to begin with.
        return {kExitDone, StateJson(State()) + "\n", true};
    }
    const Command& command = std::get<Command>(request);
    switch (command.kind) {
        case Command::Kind::Exit:
            // Answered first: the caller should not see its request die with the process.
            windows_.PostToWindow(bar_.BarWindow(), kWmExitLater, exitToken_);
            return {};
        default:
            if (Run(command)) {
                return {};
            }
            return {kExitNothingToDo,
                    ToUtf8(u"无事可做：没有可以送走或固定的窗口，或那个方向没有桌面。\r\n")};
    }
}

DesktopState DesktopEngine::State() {
    // The current desktop as the screen shows it now, the others as they were left; looking
    // moves on nothing that waits on refreshes.
    Collect(current_, false);
    DesktopState state;
    state.current = current_;
    state.names = names_;
    const auto describe = [this](WindowHandle window, bool pinned) {
        return WindowState{window, windows_.ProcessNameOf(window), windows_.WindowTitle(window),
                           pinned};
    };
    for (const auto& [window, processId] : pinned_) {
        if (windows_.ProcessIdOf(window) == processId) {
            state.windows[static_cast<std::size_t>(current_)].push_back(describe(window, true));
        }
    }
    for (int index = 0; index < kDesktopCount; ++index) {
        for (WindowHandle window : DesktopWindows_[index]) {
            state.windows[static_cast<std::size_t>(index)].push_back(describe(window, false));
        }
    }
    state.icons = shell_.DesktopIconsShown;
    state.taskbar = shell_.TaskbarShown;
    state.bar = bar_.BarShown();
    state.paused = paused_;
    return state;
}

std::u16string DesktopEngine::WindowList() {
    const DesktopState state = State();
    std::u16string list;
    const auto line = [&list](std::u16string_view desktop, bool current,
                              const WindowState& window) {
        list += std::u16string(desktop) + (current ? u"\t*\t" : u"\t\t") +
                PrintableText(window.program) + u"\t" + PrintableText(window.title) + u"\r\n";
    };
    // Pinned windows are on every desktop: listed once, "P" where the desktop would stand.
    for (const std::vector<WindowState>& windows : state.windows) {
        for (const WindowState& window : windows) {
            if (window.pinned) {
                line(u"P", true, window);
            }
        }
    }
    for (int index = 0; index < kDesktopCount; ++index) {
        for (const WindowState& window : state.windows[static_cast<std::size_t>(index)]) {
            if (!window.pinned) {
                line(DecimalText(index + 1), index == state.current, window);
            }
        }
    }
    return list;
}

}  // namespace ombrel
