#pragma once

#include "platform/Clock.h"
#include "platform/CommonDialogs.h"
#include "platform/Hotkeys.h"
#include "platform/Log.h"
#include "platform/Registry.h"
#include "platform/RunningProcess.h"
#include "platform/ServiceManager.h"
#include "platform/UserFiles.h"
#include "platform/Wallpaper.h"
#include "platform/WindowProcedures.h"
#include "platform/WindowSystem.h"
#include "shell/CommandChannel.h"
#include "ui/FinderView.h"
#include "ui/NotifyIcon.h"
#include "ui/forms/FormRuntime.h"

namespace ombrel {

// Everything the program asks of Windows, one seam per concern, as the program is wired.
struct Platform {
    WindowSystem& windows;
    Hotkeys& hotkeys;
    WindowProcedures& procedures;
    Wallpaper& wallpaper;
    Registry& registry;
    ServiceManager& services;
    CommonDialogs& dialogs;
    FormRuntime& forms;
    RunningProcess& process;
    Log& log;
    UserFiles& files;
    CommandChannel& commands;
    FinderView& finder;
    Clock& clock;
    NotifyIcon& notifyIcon;
};

}  // namespace ombrel
