#include "ui/forms/Control.h"

#include "ui/forms/Form.h"

namespace ombrel {

Control::Control(Form& form, const ControlLayout& layout) : form_(&form), layout_(&layout) {
    Reset();
}

void Control::Reset() {
    left_ = static_cast<float>(layout_->leftTwips);
    top_ = static_cast<float>(layout_->topTwips);
    text_ = layout_->caption.Resolve(form_->TextsInForce());
    value_ = 0;
    toolTip_ = std::u16string(layout_->tooltip);
    bold_ = false;
    marked_ = false;
}

void Control::SetLeft(float twips) {
    left_ = twips;
    form_->ControlChanged(*this, ControlChange::Position);
}

void Control::SetTop(float twips) {
    top_ = twips;
    form_->ControlChanged(*this, ControlChange::Position);
}

void Control::SetText(std::u16string text) {
    text_ = std::move(text);
    form_->ControlChanged(*this, ControlChange::Text);
}

void Control::SetToolTipText(std::u16string text) {
    if (text != toolTip_) {
        toolTip_ = std::move(text);
        form_->ControlChanged(*this, ControlChange::ToolTip);
    }
}

void Control::SetBold(bool bold) {
    if (bold != bold_) {
        bold_ = bold;
        form_->ControlChanged(*this, ControlChange::Bold);
    }
}

void Control::SetMarked(bool marked) {
    if (marked != marked_) {
        marked_ = marked;
        form_->ControlChanged(*this, ControlChange::Mark);
    }
}

void Control::SetValue(int value) {
    value_ = value;
    form_->ControlChanged(*this, ControlChange::Value);
}

}  // namespace ombrel
