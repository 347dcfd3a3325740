#pragma once

#include <cstdint>

#include "platform/WindowHandle.h"

namespace ombrel {

// What the system tells of another program's top-level window as it happens.
enum class WindowEventKind : std::uint8_t {
    Created,
    Shown,
    Hidden,
    Destroyed,
    Renamed,
    Minimized,
    Restored,
    Foreground,  // it became the foreground window
};

struct WindowEvent {
    WindowEventKind kind;
    WindowHandle window;
    friend bool operator==(const WindowEvent&, const WindowEvent&) = default;
};

// Hears the events while the program takes its messages. It must be cheap and ask nothing of
// another program: there can be thousands a second.
class WindowEventListener {
  public:
    WindowEventListener() = default;
    WindowEventListener(const WindowEventListener&) = delete;
    WindowEventListener& operator=(const WindowEventListener&) = delete;
    virtual void OnWindowEvent(const WindowEvent& event) noexcept = 0;

  protected:
    ~WindowEventListener() = default;
};

}  // namespace ombrel
