#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "platform/WindowHandle.h"

namespace ombrel {

class Form;
class Control;

enum class FormChange { Caption, Position };

// Positions on the screen are in twips of this many for each pixel of the screen, on every
// screen, whatever its scale: one unit for every position keeps places comparable across screens
// of different scale and across a change of scale. Sizes inside a window follow its DPI.
inline constexpr float kTwipsPerScreenPixel = 15;

// A screen's work area (without its taskbar), in the unit of positions.
struct ScreenArea {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    bool primary = false;  // the main screen, whose top right corner the bar starts in
};
enum class ControlChange { Text, Value, Position, ToolTip, Bold, Mark };

// One line of a menu.
struct MenuItem {
    std::u16string_view text;
    // Drawn with the icon of this window's program, where one can be had without waiting on it.
    WindowHandle iconOf = WindowHandle::None;
    bool enabled = true;
};

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
    // The window's full width, frame included, as it is drawn on its screen now; in the unit of
    // positions, so it changes when the window moves to a screen of another scale.
    virtual float OuterWidthTwips(const Form& form) noexcept = 0;
    // Every screen; empty when the system does not say.
    virtual std::vector<ScreenArea> WorkAreasTwips() = 0;
    // A menu of the items at the mouse pointer, owned by the form; returns once the user chose
    // (the item's index) or left it (-1).
    virtual int ShowMenu(Form& form, std::span<const MenuItem> items) noexcept = 0;
    int ShowMenu(Form& form, std::span<const std::u16string_view> items) noexcept {
        std::vector<MenuItem> lines;
        try {
            for (std::u16string_view text : items) {
                lines.push_back({text});
            }
        } catch (...) {
            return -1;
        }
        return ShowMenu(form, std::span<const MenuItem>(lines));
    }
    // From now on, another program's window let go after a move with the pointer over the
    // form raises the form's OnWindowDropped.
    virtual void WatchWindowDrops(Form& form) noexcept = 0;
};

}  // namespace ombrel
