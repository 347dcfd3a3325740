#pragma once

#include <vector>

#include "platform/WindowHandle.h"

namespace ombrel {

class Form;
class Control;

enum class FormChange { Caption, Position };

// A part of the screen in twips, as forms are placed.
struct ScreenArea {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};
enum class ControlChange { Text, Value, Position, ToolTip, Bold };

// Native windows for the forms.
class FormRuntime {
  public:
    FormRuntime() = default;
    FormRuntime(const FormRuntime&) = delete;
    FormRuntime& operator=(const FormRuntime&) = delete;
    virtual ~FormRuntime() = default;

    // Builds the window and its controls from the form's layout, hidden, and from then on
    // raises the form's events.
    virtual WindowHandle CreateFormWindow(Form& form) = 0;
    virtual void DestroyFormWindow(Form& form) noexcept = 0;
    virtual void ShowFormWindow(Form& form) noexcept = 0;
    virtual void HideFormWindow(Form& form) noexcept = 0;
    virtual bool IsFormWindowVisible(const Form& form) noexcept = 0;
    // The model changed: bring the native window in line.
    virtual void FormChanged(Form& form, FormChange change) noexcept = 0;
    virtual void ControlChanged(Form& form, Control& control, ControlChange change) noexcept = 0;
    // The window's full width, frame included.
    virtual float OuterWidthTwips(const Form& form) noexcept = 0;
    virtual float ScreenWidthTwips() noexcept = 0;
    // The work area of every screen (without its taskbar); empty when the system does not say.
    virtual std::vector<ScreenArea> WorkAreasTwips() = 0;
};

}  // namespace ombrel
