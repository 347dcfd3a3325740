#include "shell/CommandServer.h"

#include "platform/Text.h"
#include "platform/Utf8.h"
#include "shell/StateJson.h"
#include "text/Texts.h"

namespace ombrel {

std::u16string WindowListText(const DesktopState& state) {
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

bool CommandServer::Serve() {
    for (const CommandRequest& request : channel_.TakeRequests()) {
        try {
            if (Answer(request)) {
                return true;
            }
        } catch (...) {
            // Out of memory at worst: the caller is still told, so that nothing waits on it.
            try {
                channel_.Answer(request.caller, kExitNoAnswer, {});
            } catch (...) {
            }
        }
    }
    return false;
}

bool CommandServer::Answer(const CommandRequest& request) {
    if (const auto* query = std::get_if<Query>(&request.request)) {
        switch (*query) {
            case Query::List:
                channel_.Answer(request.caller, kExitDone, ToUtf8(WindowListText(engine_.State())));
                break;
            case Query::ListJson:
                channel_.Answer(request.caller, kExitDone, StateJson(engine_.State()) + "\n");
                break;
            case Query::Help:
                channel_.Answer(request.caller, kExitDone,
                                ToUtf8(texts_.Text(TextId::CommandUsage)));
                break;
        }
        return false;
    }
    if (std::holds_alternative<Subscription>(request.request)) {
        // The state first, so that a status bar needs nothing else to begin with.
        channel_.Follow(request.caller, StateJson(engine_.State()) + "\n");
        return false;
    }
    const Command& command = std::get<Command>(request.request);
    if (command.kind == Command::Kind::Exit) {
        // Answered first: the caller should not see its request die with the process.
        channel_.Answer(request.caller, kExitDone, {});
        run_(command);
        return true;
    }
    if (run_(command).result == Outcome::Result::NothingToDo) {
        channel_.Answer(request.caller, kExitNothingToDo, ToUtf8(texts_.Text(TextId::NothingToDo)));
    } else {
        channel_.Answer(request.caller, kExitDone, {});
    }
    return false;
}

}  // namespace ombrel
