#include "shell/PromptLook.h"

#include <utility>

namespace ombrel {

bool PromptLook::Start(WindowHandle programWindow) {
    window_ = programWindow;
    listening_ = procedures_.ListenToWindowEvents(this);
    return listening_;
}

void PromptLook::Stop() noexcept {
    if (listening_) {
        procedures_.ListenToWindowEvents(nullptr);
        listening_ = false;
    }
    if (window_ != WindowHandle::None) {
        procedures_.StopTimer(window_, kSoonTimer);
        procedures_.StopTimer(window_, kAgainTimer);
        window_ = WindowHandle::None;
    }
    soon_ = false;
    looksAgainLeft_ = 0;
}

void PromptLook::OnWindowEvent(const WindowEvent& event) noexcept {
    if (window_ == WindowHandle::None) {
        return;
    }
    if (heard_.size() < kMaxEvents) {
        try {
            heard_.push_back(event);
        } catch (...) {
            // Out of memory: the look still reads the screen.
        }
    }
    if (!soon_) {
        soon_ = procedures_.StartTimer(window_, kSoonTimer, kSoonMilliseconds);
    }
    if (event.kind == WindowEventKind::Created) {
        if (looksAgainLeft_ == 0) {
            procedures_.StartTimer(window_, kAgainTimer, kAgainMilliseconds);
        }
        looksAgainLeft_ = kLooksAfterCreation;
    }
}

std::optional<std::vector<WindowEvent>> PromptLook::TimerDue(std::uintptr_t timer) {
    if (timer == kSoonTimer) {
        procedures_.StopTimer(window_, kSoonTimer);
        soon_ = false;
    } else if (timer == kAgainTimer && looksAgainLeft_ > 0) {
        if (--looksAgainLeft_ == 0) {
            procedures_.StopTimer(window_, kAgainTimer);
        }
    } else {
        return std::nullopt;
    }
    return std::exchange(heard_, {});
}

}  // namespace ombrel
