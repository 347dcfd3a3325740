// Commands from a second start of the program, and the list of windows it may ask for.
#include "engine/DesktopEngine.h"
#include "platform/Text.h"
#include "platform/WindowProcedures.h"

namespace ombrel {

bool DesktopEngine::RunRemote(const Command& command, WindowHandle sender) {
    switch (command.kind) {
        case Command::Kind::Exit:
            // Answered first: the sender should not see its request die with the process.
            return windows_.PostToWindow(bar_.BarWindow(), kWmExitLater, exitToken_);
        case Command::Kind::List:
            return windows_.SendText(sender, WindowList());
        case Command::Kind::Help:
            return false;
        default:
            Run(command);
            return true;
    }
}

std::u16string DesktopEngine::WindowList() {
    // The current desktop as the screen shows it now, the others as they were left.
    CollectDesktopWindows(static_cast<std::int16_t>(current_));
    std::u16string list;
    // Pinned windows are on every desktop: listed once, "P" where the desktop would stand.
    for (const auto& [window, processId] : pinned_) {
        if (windows_.ProcessIdOf(window) == processId) {
            list += u"P\t*\t" + windows_.ProcessNameOf(window) + u"\t" +
                    windows_.WindowTitle(window) + u"\r\n";
        }
    }
    for (int index = 0; index < kDesktopCount; ++index) {
        for (WindowHandle window : DesktopWindows_[index]) {
            list += DecimalText(index + 1) + (index == current_ ? u"\t*\t" : u"\t\t") +
                    windows_.ProcessNameOf(window) + u"\t" + windows_.WindowTitle(window) + u"\r\n";
        }
    }
    return list;
}

}  // namespace ombrel
