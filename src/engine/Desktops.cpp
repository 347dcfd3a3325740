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

std::optional<Desktops::AttentionMark> Desktops::MarkAttention(WindowHandle window,
                                                               WindowHandle root) {
    for (int index = 0; index < kDesktopCount; ++index) {
        Desktop& desktop = (*this)[index];
        if (!desktop.Holds(window) && !desktop.Holds(root)) {
            continue;
        }
        if (index == current_) {
            return std::nullopt;
        }
        const WindowHandle before = desktop.Attention();
        const WindowHandle asking = desktop.Holds(window) ? window : root;
        const bool newlyMarked = desktop.MarkAttention(asking);
        return AttentionMark{index, asking, newlyMarked, asking != before};
    }
    return std::nullopt;
}

std::vector<int> Desktops::ForgetStaleAttention() {
    std::vector<int> cleared;
    for (int index = 0; index < kDesktopCount; ++index) {
        Desktop& desktop = (*this)[index];
        // Closed, sent elsewhere or shown again by its program: it no longer asks from there.
        if (desktop.Attention() != WindowHandle::None && !desktop.Holds(desktop.Attention())) {
            desktop.ClearAttention();
            cleared.push_back(index);
        }
    }
    return cleared;
}

}  // namespace ombrel
