#include "engine/KeysInForce.h"

#include <utility>

namespace ombrel {
namespace {

bool EndsThePause(const KeyBinding& key) {
    return key.command.kind == Command::Kind::Pause;
}

}  // namespace

std::vector<HotkeyRefusal> KeysInForce::Use(KeyBindings keys, WindowHandle window) {
    Release();
    keys_ = std::move(keys);
    window_ = window;
    return RegisterHotKeys(hotkeys_, window_, keys_, paused_ ? &EndsThePause : nullptr);
}

void KeysInForce::Release() {
    if (window_ != WindowHandle::None) {
        UnregisterHotKeys(hotkeys_, window_, keys_);
    }
}

std::optional<Command> KeysInForce::CommandOf(int id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= keys_.size()) {
        return std::nullopt;
    }
    return keys_[static_cast<std::size_t>(id)].command;
}

bool KeysInForce::TogglePause() {
    pausedByUser_ = !paused_;
    if (!pausedByUser_) {
        fullScreenInFront_ = false;
    }
    return FollowPause();
}

bool KeysInForce::SeeFullScreen(bool fullScreen) {
    if (pauseInFullScreen_) {
        if (fullScreen == fullScreenSeen_) {
            return false;
        }
        fullScreenSeen_ = fullScreen;
        fullScreenInFront_ = fullScreen;
        return FollowPause();
    }
    if (!std::exchange(fullScreenInFront_, false)) {
        return false;
    }
    fullScreenSeen_ = false;
    return FollowPause();
}

bool KeysInForce::FollowPause() {
    const bool paused = pausedByUser_ || fullScreenInFront_;
    if (paused == paused_) {
        return false;
    }
    // A game or a program that needs these keys has them; the pause key stays ours to come
    // back with. A key another program took meanwhile stays its own.
    Release();
    paused_ = paused;
    RegisterHotKeys(hotkeys_, window_, keys_, paused_ ? &EndsThePause : nullptr);
    return true;
}

}  // namespace ombrel
