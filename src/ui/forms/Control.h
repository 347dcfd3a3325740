#pragma once

#include <string>

#include "ui/forms/Layout.h"

namespace ombrel {

class Form;

// A control's state at run time; what never changes stays in its layout row.
class Control {
  public:
    Control(Form& form, const ControlLayout& layout);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    Control(Control&&) = default;
    Control& operator=(Control&&) = delete;
    ~Control() = default;

    const ControlLayout& Layout() const { return *layout_; }
    std::u16string_view Name() const { return layout_->name; }
    int Index() const { return layout_->index; }

    // Twips, as single-precision numbers like every position the forms hold.
    float Left() const { return left_; }
    float Top() const { return top_; }
    void SetLeft(float twips);
    void SetTop(float twips);

    // A button's or label's caption, a text box's contents.
    const std::u16string& Text() const { return text_; }
    void SetText(std::u16string text);
    // A check box: 0 clear, 1 ticked.
    int Value() const { return value_; }
    void SetValue(int value);

    // The text shown when the mouse rests on it; its layout's at first.
    const std::u16string& ToolTipText() const { return toolTip_; }
    void SetToolTipText(std::u16string text);
    // Its caption drawn bold.
    bool Bold() const { return bold_; }
    void SetBold(bool bold);
    // A dot beneath it in the system's highlight colour: something there wants the user.
    bool Marked() const { return marked_; }
    void SetMarked(bool marked);

    // The user changed the native control; the model follows without echoing back.
    void TextEditedByUser(std::u16string text) { text_ = std::move(text); }
    void ValueChangedByUser(int value) { value_ = value; }

    void Reset();

  private:
    Form* form_;
    const ControlLayout* layout_;
    float left_ = 0;
    float top_ = 0;
    std::u16string text_;
    int value_ = 0;
    std::u16string toolTip_;
    bool bold_ = false;
    bool marked_ = false;
};

}  // namespace ombrel
