#pragma once

#include "ui/forms/Layout.h"

namespace ombrel {

// The settings dialog: a wallpaper path per desktop, the two start options, four buttons.
const FormLayout& SettingsDialogLayout();

}  // namespace ombrel
