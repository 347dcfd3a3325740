#pragma once

#include "FakeClock.h"
#include "FakeCommandChannel.h"
#include "FakeDesktop.h"
#include "FakeDialogs.h"
#include "FakeFinderView.h"
#include "FakeFormRuntime.h"
#include "FakeLog.h"
#include "FakeNotifyIcon.h"
#include "FakeRegistry.h"
#include "FakeServiceManager.h"
#include "FakeUserFiles.h"
#include "FakeWallpaper.h"
#include "shell/Platform.h"
#include "text/Texts.h"

namespace ombrel::fakes {

// One in-memory Windows: every seam, wired together as the program expects.
struct FakePlatform {
    FakeDesktop desktop;
    FakeRegistry registry;
    FakeServiceManager services;
    FakeDialogs dialogs;
    FakeWallpaper wallpaper;
    FakeFormRuntime forms{desktop};
    FakeLog log;
    FakeUserFiles files{desktop};
    FakeCommandChannel commands{desktop};
    FakeFinderView finder;
    FakeClock clock;
    FakeNotifyIcon notifyIcon;
    Platform platform{desktop, desktop, desktop, wallpaper, registry, services, dialogs,   forms,
                      forms,   log,     files,   commands,  finder,   clock,    notifyIcon};
    // The program's, which it puts in the language of the settings.
    Texts texts;
};

}  // namespace ombrel::fakes
