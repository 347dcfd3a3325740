#pragma once

#include <string>
#include <string_view>

#include "FakePlatform.h"
#include "engine/ShellWindows.h"
#include "service/ServiceControl.h"

namespace ombrel::testing {

inline constexpr std::u16string_view kOwnKey = u"HKLM\\SOFTWARE\\Kelvora";

struct ShellWindowHandles {
    WindowHandle progMan;
    WindowHandle trayWnd;
};

// Where the program starts in most tests and in the benchmarks: a fake desktop with the shell's
// windows, the companion service installed, and the start-up notice turned off.
inline ShellWindowHandles PrepareQuietDesktop(fakes::FakePlatform& fake) {
    const ShellWindowHandles shell{
        fake.desktop.OpenWindow({.className = std::u16string(kDesktopIconsClass)}),
        fake.desktop.OpenWindow({.className = std::u16string(kTaskbarClass)})};
    fake.services.Install(std::u16string(kCompanionServiceName));
    fake.registry.PutString(kOwnKey, u"NeverShowInfo", u"Yes");
    return shell;
}

}  // namespace ombrel::testing
