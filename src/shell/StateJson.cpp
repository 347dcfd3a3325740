// The JSON that scripts read: desktops are numbered from 1, as the user counts them.
#include <nlohmann/json.hpp>

#include "platform/Utf8.h"
#include "shell/StateJson.h"

namespace ombrel {
namespace {

using Json = nlohmann::json;

constexpr std::array<const char*, 13> kChangeNames{
    "switch", "send",    "move", "pin",   "unpin",    "open",      "close",
    "icons",  "taskbar", "bar",  "pause", "settings", "attention",
};

Json Handles(const std::vector<WindowHandle>& windows) {
    Json handles = Json::array();
    for (WindowHandle window : windows) {
        handles.push_back(static_cast<std::uint64_t>(window));
    }
    return handles;
}

std::string Dump(const Json& json) {
    // The texts are well-formed UTF-8 already; a stray byte must not end the program anyway.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::string StateJson(const DesktopState& state) {
    Json desktops = Json::array();
    for (int index = 0; index < kDesktopCount; ++index) {
        Json windows = Json::array();
        for (const WindowState& window : state.windows[static_cast<std::size_t>(index)]) {
            windows.push_back({{"handle", static_cast<std::uint64_t>(window.handle)},
                               {"program", ToUtf8(window.program)},
                               {"title", ToUtf8(window.title)},
                               {"pinned", window.pinned}});
        }
        desktops.push_back({{"number", index + 1},
                            {"name", ToUtf8(state.names[static_cast<std::size_t>(index)])},
                            {"windows", std::move(windows)}});
    }
    return Dump({{"current", state.current + 1},
                 {"desktops", std::move(desktops)},
                 {"icons", state.icons},
                 {"taskbar", state.taskbar},
                 {"bar", state.bar},
                 {"paused", state.paused}});
}

std::string ChangeJson(const Change& change, int current) {
    Json line{{"event", kChangeNames[static_cast<std::size_t>(change.kind)]},
              {"current", current + 1}};
    if (IsDesktopIndex(change.desktop)) {
        line["desktop"] = change.desktop + 1;
    }
    if (!change.windows.empty()) {
        line["windows"] = Handles(change.windows);
    }
    switch (change.kind) {
        case Change::Kind::Icons:
        case Change::Kind::Taskbar:
        case Change::Kind::Bar:
            line["shown"] = change.shown;
            break;
        case Change::Kind::Pause:
            line["paused"] = change.shown;
            break;
        case Change::Kind::Attention:
            line["title"] = ToUtf8(change.title);
            break;
        default:
            break;
    }
    return Dump(line);
}

}  // namespace ombrel
