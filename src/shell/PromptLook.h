#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/WindowEvents.h"
#include "platform/WindowProcedures.h"

namespace ombrel {

// Hears other programs' windows as they change and asks for a prompt look at the screen: many
// events, one look a few milliseconds after the first. A window just created is looked at a few
// more times shortly after, for a program that shows its window a moment later (and for a
// system that tells of nothing but creations). The once-a-second refresh stays: an event can be
// lost, and a look after a lost one sees what the refresh sees.
class PromptLook final : public WindowEventListener {
  public:
    static constexpr std::uintptr_t kSoonTimer = 0x4F01;
    static constexpr std::uintptr_t kAgainTimer = 0x4F02;
    static constexpr std::uint32_t kSoonMilliseconds = 10;
    static constexpr std::uint32_t kAgainMilliseconds = 100;
    static constexpr int kLooksAfterCreation = 3;
    // Heard between two looks at most; beyond, only that a look is due (it reads the screen).
    static constexpr std::size_t kMaxEvents = 4096;

    explicit PromptLook(WindowProcedures& procedures) : procedures_(procedures) {}
    PromptLook(const PromptLook&) = delete;
    PromptLook& operator=(const PromptLook&) = delete;
    ~PromptLook() { Stop(); }

    // Listens for the program's window, whose timers bring the looks; false where the system
    // tells nothing (the refresh still sees everything).
    bool Start(WindowHandle programWindow);
    void Stop() noexcept;

    void OnWindowEvent(const WindowEvent& event) noexcept override;
    // A timer of the program's window went off: the events heard since the last look when a
    // look is due now, none when the timer is not a look's.
    std::optional<std::vector<WindowEvent>> TimerDue(std::uintptr_t timer);

  private:
    WindowProcedures& procedures_;
    WindowHandle window_ = WindowHandle::None;
    bool listening_ = false;
    std::vector<WindowEvent> heard_;
    bool soon_ = false;       // the soon timer runs
    int looksAgainLeft_ = 0;  // the again timer runs while above 0
};

}  // namespace ombrel
