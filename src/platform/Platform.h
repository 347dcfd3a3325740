#pragma once

#include "platform/CommonDialogs.h"
#include "platform/FormRuntime.h"
#include "platform/Hotkeys.h"
#include "platform/Registry.h"
#include "platform/ServiceManager.h"
#include "platform/Wallpaper.h"
#include "platform/WindowProcedures.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// Everything the program asks of Windows, one seam per concern.
struct Platform {
    WindowSystem& windows;
    Hotkeys& hotkeys;
    WindowProcedures& procedures;
    Wallpaper& wallpaper;
    Registry& registry;
    ServiceManager& services;
    CommonDialogs& dialogs;
    FormRuntime& forms;
};

}  // namespace ombrel
