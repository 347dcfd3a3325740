#include "FakeFormRuntime.h"

#include "ui/forms/Form.h"

namespace ombrel::fakes {

int FakeFormRuntime::CreateCount(std::u16string_view formName) const {
    const auto found = creates_.find(formName);
    return found == creates_.end() ? 0 : found->second;
}

WindowHandle FakeFormRuntime::CreateFormWindow(Form& form) {
    ++creates_[std::u16string(form.Layout().name)];
    const WindowHandle window = desktop_.OpenWindow({.className = u"OmbrelForm",
                                                     .title = form.Caption(),
                                                     .visible = false,
                                                     .thread = FakeDesktop::kOwnThread});
    auto& messages = formMessages_[window];
    messages = std::make_unique<FormMessages>(form, desktop_);
    desktop_.SetHandler(window, messages.get());
    return window;
}

std::intptr_t FakeFormRuntime::FormMessages::HandleMessage(const WindowMessage& message) noexcept {
    constexpr std::uint32_t kDisplayChange = 0x007E;  // WM_DISPLAYCHANGE
    constexpr std::uint32_t kDpiChanged = 0x02E0;     // WM_DPICHANGED
    if (message.message == kDisplayChange || message.message == kDpiChanged) {
        form_.RaiseScreensChanged();
    }
    return desktop_.DefaultProcedure(message);
}

void FakeFormRuntime::DestroyFormWindow(Form& form) noexcept {
    desktop_.CloseWindow(form.WindowIfLoaded());
    formMessages_.erase(form.WindowIfLoaded());
}

void FakeFormRuntime::ShowFormWindow(Form& form) noexcept {
    desktop_.SetVisibleByOwner(form.WindowIfLoaded(), true);
    desktop_.SetForeground(form.WindowIfLoaded());
}

void FakeFormRuntime::HideFormWindow(Form& form) noexcept {
    desktop_.SetVisibleByOwner(form.WindowIfLoaded(), false);
}

bool FakeFormRuntime::IsFormWindowVisible(const Form& form) noexcept {
    return desktop_.IsWindowVisible(form.WindowIfLoaded());
}

void FakeFormRuntime::FormChanged(Form& form, FormChange change) noexcept {
    if (change == FormChange::Caption) {
        desktop_.SetTitle(form.WindowIfLoaded(), form.Caption());
    }
}

void FakeFormRuntime::ControlChanged(Form& /*form*/, Control& /*control*/,
                                     ControlChange /*change*/) noexcept {}

float FakeFormRuntime::OuterWidthTwips(const Form& form) noexcept {
    const float atNinetySix = static_cast<float>(form.Layout().clientWidthTwips) + kFrameWidthTwips;
    return atNinetySix * static_cast<float>(DpiAt(form.Left(), form.Top())) / 96.0F;
}

void FakeFormRuntime::DropWindowAt(WindowHandle window, float leftTwips, float topTwips) {
    Form* form = dropsOver_;
    if (form == nullptr || !desktop_.IsWindowVisible(form->WindowIfLoaded()) ||
        window == form->WindowIfLoaded()) {
        return;
    }
    const float x = leftTwips - form->Left() - kFrameWidthTwips / 2;
    const float y = topTwips - form->Top() - kCaptionHeightTwips;
    const FormLayout& layout = form->Layout();
    if (x < 0 || y < 0 || x >= static_cast<float>(layout.clientWidthTwips) ||
        y >= static_cast<float>(layout.clientHeightTwips)) {
        return;  // another window is under the pointer
    }
    for (const Control& control : form->AllControls()) {
        const ControlLayout& row = control.Layout();
        if (row.kind == ControlKind::Timer || row.kind == ControlKind::Shape) {
            continue;
        }
        if (x >= control.Left() && x < control.Left() + static_cast<float>(row.widthTwips) &&
            y >= control.Top() && y < control.Top() + static_cast<float>(row.heightTwips)) {
            form->RaiseWindowDropped(window, control.Name(), control.Index());
            return;
        }
    }
    form->RaiseWindowDropped(window, {});
}

unsigned FakeFormRuntime::DpiAt(float left, float top) const {
    for (const Screen& screen : screens_) {
        const ScreenArea& area = screen.area;
        if (left >= area.left && left < area.right && top >= area.top && top < area.bottom) {
            return screen.dpi;
        }
    }
    // Off every screen: the system draws it at the scale of the nearest, here the first.
    return screens_.empty() ? 96 : screens_.front().dpi;
}

std::vector<ScreenArea> FakeFormRuntime::WorkAreasTwips() {
    std::vector<ScreenArea> areas;
    for (const Screen& screen : screens_) {
        areas.push_back(screen.area);
    }
    return areas;
}

void FakeFormRuntime::SetWorkAreas(const std::vector<ScreenArea>& areas) {
    screens_.clear();
    for (const ScreenArea& area : areas) {
        screens_.push_back({area, 96});
    }
}

}  // namespace ombrel::fakes
