#include "engine/WindowVisibility.h"

#include <algorithm>
#include <vector>

#include "engine/StackingOrder.h"
#include "platform/Text.h"
#include "text/Texts.h"

namespace ombrel {

void WindowVisibility::Hide(WindowHandle window) {
    if (Refused(window)) {
        return;
    }
    Record(window);
    Apply(window, ShowCommand::Hide);
}

void WindowVisibility::WillHide(std::span<const WindowHandle> windows) {
    for (WindowHandle window : windows) {
        if (!Refused(window)) {
            Record(window);
        }
    }
}

void WindowVisibility::Record(WindowHandle window) {
    if (window == WindowHandle::None) {
        return;
    }
    // The process of this moment: a handle hidden before may name another program's window by
    // now, and that window is the one to show again.
    KnownWindow& known = known_.Note(window);
    known_.SetHidden(known, true);
}

bool WindowVisibility::ForgetIfGone(WindowHandle window) {
    const KnownWindow* known = known_.Entry(window);
    if (known == nullptr || !known->hidden || windows_.ProcessIdOf(window) == known->processId) {
        return false;
    }
    known_.Forget(window);  // and what we asked, which was of the window that is gone
    return true;
}

void WindowVisibility::Show(WindowHandle window, Focus focus) {
    if (!ForgetIfGone(window)) {
        ShowStillOurs(window,
                      focus == Focus::Take ? ShowCommand::Show : ShowCommand::ShowNoActivate);
    }
}

void WindowVisibility::ShowStillOurs(WindowHandle window, ShowCommand command) {
    if (KnownWindow* known = known_.Entry(window)) {
        known_.SetHidden(*known, false);
    }
    Apply(window, command);
}

void WindowVisibility::HideAll(std::span<const WindowHandle> topFirst) {
    // NOLINTNEXTLINE(modernize-loop-convert): bottom-most first; no reversed view in every build
    for (auto window = topFirst.rbegin(); window != topFirst.rend(); ++window) {
        Hide(*window);
    }
}

bool WindowVisibility::ShowAll(std::span<const WindowHandle> topFirst, Focus focusOnTop) {
    std::vector<WindowHandle> shown;
    shown.reserve(topFirst.size());
    for (WindowHandle window : topFirst) {
        if (!ForgetIfGone(window)) {
            shown.push_back(window);
        }
    }
    // A program that does not respond would hold the keyboard where nobody can type: the
    // first window of a responding one takes it, and the hung ones are shown where they stand.
    const auto keyboard =
        focusOnTop == Focus::Leave
            ? shown.end()
            : std::find_if(shown.begin(), shown.end(),
                           [this](WindowHandle window) { return !windows_.IsHung(window); });
    // Hidden windows keep their places in the z-order, so the windows below the top one are
    // shown where they stand: their order does not hang on the order in which their programs
    // get to the requests, and none of them is raised or activated on the way.
    for (auto window = shown.rbegin(); window != shown.rend(); ++window) {
        if (keyboard == shown.end() || *window != *keyboard) {
            ShowStillOurs(*window, ShowCommand::ShowNoActivate);
        }
    }
    if (keyboard == shown.end()) {
        return focusOnTop == Focus::Leave && !shown.empty();
    }
    // The window's own thread shows it, and Windows lets it take the keyboard only with the
    // right we hold (the user pressed our key), which ends at the user's next input: the key's
    // own release comes a moment later, long before a busy program gets to the show. So we set
    // the foreground ourselves while the right is still ours; the system queues the activation
    // behind the show on that window's thread and does not wait for it.
    windows_.AllowForeground(*keyboard);
    ShowStillOurs(*keyboard, ShowCommand::Show);
    windows_.SetForegroundWindow(*keyboard);
    return true;
}

void WindowVisibility::Apply(WindowHandle window, ShowCommand command) {
    switch (ShowOrHideWithoutWaiting(windows_, window, command)) {
        case ChangeAsked::Done:
            if (KnownWindow* known = known_.Entry(window)) {
                known->asked.reset();
            }
            break;
        case ChangeAsked::Posted:
            if (window != WindowHandle::None) {
                KnownWindow* entry = known_.Entry(window);
                KnownWindow& known = entry != nullptr ? *entry : known_.Note(window);
                const int waiting = known.asked ? known.asked->waiting + 1 : 1;
                known.asked = KnownWindow::Asked{command != ShowCommand::Hide};
                known.asked->waiting = waiting;
                mayBeUnsettled_ = true;
            }
            break;
        case ChangeAsked::Failed:
            if (command == ShowCommand::Hide && windows_.LastError() == kErrorWindowAccessDenied) {
                Refuse(window, kErrorWindowAccessDenied);
            }
            break;
    }
}

void WindowVisibility::Refuse(WindowHandle window, std::uint32_t code) {
    KnownWindow* entry = known_.Entry(window);
    KnownWindow& known = entry != nullptr ? *entry : known_.Note(window);
    known_.SetHidden(known, false);
    known.place = KnownWindow::Place::Refused;
    mayBeUnsettled_ = true;
    log_.Write(texts_.Format(TextId::WindowRefusedHide,
                             {HexText(static_cast<std::uint64_t>(window)),
                              DecimalText(known.processId), DecimalText(code)}));
}

bool WindowVisibility::IsVisible(WindowHandle window, KnownWindow*& known) {
    const bool visible = windows_.IsWindowVisible(window);
    if (known == nullptr || !known->asked) {
        if (known != nullptr && known->hidden && !visible) {
            known->hideSeen = true;
        }
        return visible;
    }
    if (ForgetIfGone(window)) {
        known = nullptr;  // the entry was of a window that closed, and is gone
        return visible;
    }
    if ((visible == known->asked->visible && known->asked->waiting == 1) ||
        known->asked->answered) {
        // Done as asked, or its program took its messages since and the window is as the
        // program wants it now.
        known->asked.reset();
        known->hideSeen = known->hidden && !visible;
        return visible;
    }
    return known->asked->visible;
}

void WindowVisibility::Told(const WindowEvent& event) {
    if (event.kind != WindowEventKind::Shown && event.kind != WindowEventKind::Hidden) {
        return;  // only the look says what they mean for the desktops
    }
    KnownWindow* known = known_.Entry(event.window);
    if (known == nullptr || (!known->asked && !known->hidden) ||
        windows_.ProcessIdOf(event.window) != known->processId) {
        return;
    }
    const bool shown = event.kind == WindowEventKind::Shown;
    if (known->asked) {
        if (known->asked->visible != shown || known->asked->waiting > 1) {
            return;  // an earlier request of ours may be the one done: the look will tell
        }
        known->asked.reset();
    }
    if (!shown && known->hidden) {
        known->hideSeen = true;
    }
}

void WindowVisibility::Refreshed() {
    // Evidence, not a count: a program that has taken no message since we asked has not acted
    // on it, however long it takes. What one that answered shows is looked at from the next
    // look on, so the answer and the change it follows are both in. The probe goes out only
    // once a refresh finds the change still on its way: a switch sends none for the changes
    // done by then, nearly all of them.
    if (!mayBeUnsettled_) {
        return;  // nothing asked or refused since every change settled: nothing to look at
    }
    mayBeUnsettled_ = false;
    std::vector<WindowHandle> gone;
    known_.ForEach([this, &gone](WindowHandle window, KnownWindow& known) {
        if (known.place == KnownWindow::Place::Refused &&
            windows_.ProcessIdOf(window) != known.processId) {
            // A refused window that closed frees its handle for a window that may be hidden.
            gone.push_back(window);
            return;
        }
        if (known.place == KnownWindow::Place::Refused) {
            mayBeUnsettled_ = true;  // looked at again until it closes
        }
        if (!known.asked || known.asked->answered) {
            return;
        }
        if (windows_.ProcessIdOf(window) == 0) {
            known.asked.reset();  // asked of a window that has closed since: nobody's
            return;
        }
        KnownWindow::Asked& asked = *known.asked;
        asked.probed = asked.probed || windows_.Probe(window);
        asked.answered =
            (!asked.probed || windows_.ProbeAnswered(window)) && !windows_.IsHung(window);
        mayBeUnsettled_ = mayBeUnsettled_ || !asked.answered;
    });
    for (WindowHandle window : gone) {
        known_.Forget(window);
    }
}

}  // namespace ombrel
