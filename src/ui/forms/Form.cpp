#include "ui/forms/Form.h"

#include <stdexcept>
#include <string>

namespace ombrel {

Form::Form(const FormLayout& layout, FormRuntime& runtime, const Texts& texts)
    : layout_(&layout), runtime_(&runtime), texts_(&texts) {
    controls_.reserve(layout.controls.size());
    for (const ControlLayout& row : layout.controls) {
        controls_.emplace_back(*this, row);
    }
    ResetToLayout();
}

void Form::ResetToLayout() {
    caption_ = layout_->caption.Resolve(*texts_);
    tag_.clear();
    left_ = 0;
    top_ = 0;
    for (Control& control : controls_) {
        control.Reset();
    }
}

void Form::Load() {
    if (IsLoaded()) {
        return;
    }
    window_ = runtime_->CreateFormWindow(*this);
    if (events_ != nullptr) {
        events_->OnLoad();
    }
}

void Form::Unload() {
    // An unload handler that ends up unloading its own form again must not recurse.
    if (!IsLoaded() || unloading_) {
        return;
    }
    unloading_ = true;
    if (events_ != nullptr) {
        events_->OnUnload();
    }
    runtime_->DestroyFormWindow(*this);
    window_ = WindowHandle::None;
    unloading_ = false;
    ResetToLayout();
}

void Form::Show() {
    Load();
    runtime_->ShowFormWindow(*this);
}

void Form::Hide() {
    if (IsLoaded()) {
        runtime_->HideFormWindow(*this);
    }
}

bool Form::Visible() const {
    return IsLoaded() && runtime_->IsFormWindowVisible(*this);
}

void Form::SetVisible(bool visible) {
    if (visible) {
        Show();
    } else {
        Hide();
    }
}

void Form::SetCaption(std::u16string caption) {
    caption_ = std::move(caption);
    if (IsLoaded()) {
        runtime_->FormChanged(*this, FormChange::Caption);
    }
}

void Form::Retext() {
    if (layout_->caption.FromTable()) {
        SetCaption(layout_->caption.Resolve(*texts_));
    }
    for (Control& control : controls_) {
        if (control.Layout().caption.FromTable()) {
            control.SetText(control.Layout().caption.Resolve(*texts_));
        }
    }
}

void Form::SetLeft(float twips) {
    left_ = twips;
    if (IsLoaded()) {
        runtime_->FormChanged(*this, FormChange::Position);
    }
}

void Form::SetTop(float twips) {
    top_ = twips;
    if (IsLoaded()) {
        runtime_->FormChanged(*this, FormChange::Position);
    }
}

float Form::Width() const {
    return IsLoaded() ? runtime_->OuterWidthTwips(*this)
                      : static_cast<float>(layout_->clientWidthTwips);
}

WindowHandle Form::hWnd() {
    Load();
    return window_;
}

Control& Form::Controls(std::u16string_view name, int index) {
    for (Control& control : controls_) {
        if (control.Name() == name && control.Index() == index) {
            return control;
        }
    }
    // Names come from our own layout tables: a miss is a programming error.
    throw std::out_of_range("no such control");
}

void Form::RaiseClick(std::u16string_view control, int index) {
    if (events_ != nullptr) {
        events_->OnClick(control, index);
    }
}

void Form::RaiseDblClick() {
    if (events_ != nullptr) {
        events_->OnDblClick();
    }
}

void Form::RaiseContextMenu() {
    if (events_ != nullptr) {
        events_->OnContextMenu();
    }
}

void Form::RaiseControlContextMenu(std::u16string_view control, int index) {
    if (events_ != nullptr) {
        events_->OnControlContextMenu(control, index);
    }
}

void Form::RaiseMouseWheel(int delta) {
    if (events_ != nullptr) {
        events_->OnMouseWheel(delta);
    }
}

void Form::RaiseWindowDropped(WindowHandle window, std::u16string_view control, int index) {
    if (events_ != nullptr) {
        events_->OnWindowDropped(window, control, index);
    }
}

void Form::RaiseSessionEnding() {
    if (events_ != nullptr) {
        events_->OnSessionEnding();
    }
}

void Form::RaiseScreensChanged() {
    if (events_ != nullptr) {
        events_->OnScreensChanged();
    }
}

void Form::RaiseMovedByUser() {
    if (events_ != nullptr) {
        events_->OnMovedByUser();
    }
}

void Form::RaiseToolTipNeeded(std::u16string_view control, int index) {
    if (events_ != nullptr) {
        events_->OnToolTipNeeded(control, index);
    }
}

void Form::RaiseTimer(std::u16string_view control) {
    if (events_ != nullptr) {
        events_->OnTimer(control);
    }
}

void Form::MovedByWindow(float leftTwips, float topTwips) {
    left_ = leftTwips;
    top_ = topTwips;
}

void Form::ControlChanged(Control& control, ControlChange change) {
    if (IsLoaded()) {
        runtime_->ControlChanged(*this, control, change);
    }
}

}  // namespace ombrel
