#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "engine/Desktop.h"
#include "model/Command.h"

namespace ombrel {

// The nine desktops, the current one and the one before it, and where "next" and "previous"
// lead. A window belongs to one desktop at most.
class Desktops {
  public:
    Desktop& operator[](int index) { return desktops_.at(static_cast<std::size_t>(index)); }
    const Desktop& operator[](int index) const {
        return desktops_.at(static_cast<std::size_t>(index));
    }
    auto begin() { return desktops_.begin(); }
    auto end() { return desktops_.end(); }
    auto begin() const { return desktops_.begin(); }
    auto end() const { return desktops_.end(); }

    int CurrentIndex() const { return current_; }
    Desktop& Current() { return (*this)[current_]; }
    // The desktop entered now; the one left is the last.
    void Enter(int index) {
        last_ = current_;
        current_ = index;
    }
    // Where start-up begins: no desktop before it.
    void Begin(int index) {
        current_ = index;
        last_.reset();
    }

    // Whether "next" on desktop 9 goes to desktop 1, and "previous" on 1 to 9.
    void SetWrap(bool wrap) { wrap_ = wrap; }
    // The desktop a command aims at, if there is one: "next" on the last desktop is none unless
    // the desktops wrap around, "last" is none before the first switch.
    std::optional<int> Target(const Command& command) const;

    // The desktop whose set holds the window.
    std::optional<int> DesktopOf(WindowHandle window) const;
    // A window asks for the user; the desktop that holds it (or its root owner) is marked
    // unless it is the current one.
    struct AttentionMark {
        int desktop;
        WindowHandle asking;  // the window, or its root owner where the set holds only that
        bool newlyMarked;     // the desktop was not marked before
        bool askingChanged;   // another window asked there before, or none
    };
    std::optional<AttentionMark> MarkAttention(WindowHandle window, WindowHandle root);
    // A window that asked for the user and closed, or left that desktop, asks no more: the
    // desktops whose mark went.
    std::vector<int> ForgetStaleAttention();
    // The windows leave every set.
    void RemoveEverywhere(std::span<const WindowHandle> windows);

  private:
    std::array<Desktop, kDesktopCount> desktops_;
    int current_ = 0;
    std::optional<int> last_;
    bool wrap_ = true;
};

}  // namespace ombrel
