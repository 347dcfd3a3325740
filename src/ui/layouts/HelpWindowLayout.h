#pragma once

#include <array>
#include <string_view>

#include "ui/forms/Layout.h"

namespace ombrel {

// The help window, which is also the start-up notice: the hotkeys and an OK button.
const FormLayout& HelpWindowLayout();

// The help window's controls by name.
namespace help {
inline constexpr std::u16string_view kText = u"Text1";
inline constexpr std::u16string_view kOk = u"cmdOk";
inline constexpr std::array kAll{kText, kOk};
}  // namespace help

}  // namespace ombrel
