#include "engine/Desktops.h"

namespace ombrel {

std::optional<int> Desktops::Target(const Command& command) const {
    switch (command.target) {
        case Command::Target::Desktop:
            return IsDesktopIndex(command.desktop) ? std::optional<int>(command.desktop)
                                                   : std::nullopt;
        case Command::Target::Next:
            if (current_ + 1 < kDesktopCount) {
                return current_ + 1;
            }
            return wrap_ ? std::optional<int>(0) : std::nullopt;
        case Command::Target::Previous:
            if (current_ > 0) {
                return current_ - 1;
            }
            return wrap_ ? std::optional<int>(kDesktopCount - 1) : std::nullopt;
        case Command::Target::Last:
            return last_;
    }
    return std::nullopt;
}

std::optional<int> Desktops::DesktopOf(WindowHandle window) const {
    for (int index = 0; index < kDesktopCount; ++index) {
        if ((*this)[index].Holds(window)) {
            return index;
        }
    }
    return std::nullopt;
}

void Desktops::RemoveEverywhere(std::span<const WindowHandle> windows) {
    for (Desktop& desktop : desktops_) {
        desktop.Remove(windows);
    }
}

}  // namespace ombrel
