// The tray icon's cost in handles: Ombrel's GDI and USER objects before and after a thousand
// switches with the icon on, each switch drawing a new icon and letting the last one go.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "DesktopDriver.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr Milliseconds kLimit{10'000};
// A key press through Wine is now and then lost: pressed again when nothing came of it.
constexpr Milliseconds kPressAgainAfter{2'000};
constexpr DWORD kSettled = 1300;

GuiObjects Count(HANDLE process) {
    return {::GetGuiResources(process, GR_GDIOBJECTS), ::GetGuiResources(process, GR_USEROBJECTS)};
}

}  // namespace

TrayIconFigures MeasureTrayIcon(const Contenders& programs, int switches) {
    TrayIconFigures figures;
    figures.switches = switches;
    WriteSettingsFile("{ \"trayIcon\": true }");
    StartedProgram ombrel = Start(kOmbrel, programs);
    const HWND bar = WaitForWindow(kOmbrel);
    ::Sleep(kSettled);
    figures.before = Count(ombrel.Process());
    const auto started = Clock::now();
    for (int done = 0; done < switches; ++done) {
        const int desktop = done % 2 == 0 ? 2 : 1;
        const std::wstring caption = L"这是桌面-" + std::to_wstring(desktop);
        bool switched = false;
        for (auto waited = Milliseconds(0); !switched && waited < kLimit;
             waited += kPressAgainAfter) {
            driver::PressKeys({VK_CONTROL, static_cast<WORD>(VK_F1 + desktop - 1)});
            switched =
                PollUntil([&] { return driver::WindowTitle(bar) == caption; }, kPressAgainAfter);
        }
        if (!switched) {
            throw std::runtime_error("the key did not switch");
        }
    }
    figures.switchMs = Milliseconds(Clock::now() - started).count() / switches;
    ::Sleep(kSettled);
    figures.after = Count(ombrel.Process());
    ombrel.Close(bar);
    RemoveSettingsFile();
    return figures;
}

}  // namespace ombrel::bench
