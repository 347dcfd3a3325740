#pragma once

#include <span>
#include <string_view>

#include "ui/forms/LayoutText.h"

namespace ombrel {

inline constexpr int kNoIndex = -1;
inline constexpr int kNoTabIndex = -1;

enum class ControlKind { CommandButton, TextBox, CheckBox, Frame, Label, Timer, Shape };

enum class ControlFont {
    WindowDefault,
    // The desktop buttons' own font: MS Sans Serif, 8.25 pt, normal weight, ANSI character set.
    MsSansSerif8,
};

enum class FormPlacement { SystemDefault, CenterScreen };

enum class FormIcon { Bar, Settings };

// One control as it is built; twips are relative to the parent's client area.
struct ControlLayout {
    std::u16string_view name;
    ControlKind kind = ControlKind::CommandButton;
    int index = kNoIndex;
    // Empty: the window itself.
    std::u16string_view parent;
    LayoutText caption;
    std::u16string_view tooltip;
    int leftTwips = 0;
    int topTwips = 0;
    int widthTwips = 0;
    int heightTwips = 0;
    int tabIndex = kNoTabIndex;
    ControlFont font = ControlFont::WindowDefault;
    int intervalMs = 0;
    bool multiLine = false;
    bool readOnly = false;
};

// A window as it is built: its own properties and its controls in creation order.
struct FormLayout {
    std::u16string_view name;
    LayoutText caption;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    FormPlacement placement = FormPlacement::SystemDefault;
    FormIcon icon = FormIcon::Bar;
    bool closeBox = false;
    std::span<const ControlLayout> controls;
};

}  // namespace ombrel
