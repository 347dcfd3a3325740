#pragma once

#include "ui/forms/Layout.h"

namespace ombrel {

// The button bar: nine desktop buttons on top, the commands below, the marker, the timer.
const FormLayout& MainWindowLayout();

inline constexpr std::u16string_view kMainWindowCaption = u"Ombrel200902";
inline constexpr int kRefreshIntervalMs = 1000;

}  // namespace ombrel
