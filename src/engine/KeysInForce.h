#pragma once

#include <optional>
#include <vector>

#include "engine/HotkeyTable.h"
#include "platform/Hotkeys.h"

namespace ombrel {

// The keys in force, registered for the program's window, and their two pauses: the user's own
// (the pause key) and the one a full-screen program in front asks for. While paused only the
// keys that end the pause stay registered. Each change says whether the pause changed.
class KeysInForce {
  public:
    explicit KeysInForce(Hotkeys& hotkeys) : hotkeys_(hotkeys) {}
    KeysInForce(const KeysInForce&) = delete;
    KeysInForce& operator=(const KeysInForce&) = delete;

    // The keys in force from now on (the 21 described ones until told otherwise), registered
    // for the window as the pause allows. Returns the ones another program holds.
    std::vector<HotkeyRefusal> Use(KeyBindings keys, WindowHandle window);
    void Release();
    const KeyBindings& Bindings() const { return keys_; }
    // The command of a hotkey id; none for an id that is not ours.
    std::optional<Command> CommandOf(int id) const;

    bool Paused() const { return paused_; }
    // The pause key: paused, or on again (a pause asked for while a full-screen program pauses
    // the keys ends both).
    bool TogglePause();
    // Whether the keys pause by themselves while a full-screen program is in front.
    void SetPauseInFullScreen(bool pause) { pauseInFullScreen_ = pause; }
    bool PauseInFullScreen() const { return pauseInFullScreen_; }
    // What a refresh found in front; only a change counts, so the pause key still ends a pause
    // the game began. With the setting off, a pause it began ends.
    bool SeeFullScreen(bool fullScreen);

  private:
    // Puts the keys in the state the two pauses ask for; true where that changed.
    bool FollowPause();

    Hotkeys& hotkeys_;
    KeyBindings keys_ = DescribedKeyBindings();
    WindowHandle window_ = WindowHandle::None;
    bool paused_ = false;  // as the keys are registered now
    bool pausedByUser_ = false;
    bool pauseInFullScreen_ = false;
    bool fullScreenInFront_ = false;
    bool fullScreenSeen_ = false;  // at the last refresh
};

}  // namespace ombrel
