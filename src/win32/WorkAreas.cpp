#include "win32/WorkAreas.h"

#include <windows.h>

#include "win32/FormScale.h"

namespace ombrel::win32 {

std::vector<ScreenArea> WorkAreasTwips() {
    std::vector<ScreenArea> areas;
    const MONITORENUMPROC collect = [](HMONITOR monitor, HDC, LPRECT, LPARAM found) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoW(monitor, &info) != FALSE) {
            const RECT& work = info.rcWork;
            try {
                reinterpret_cast<std::vector<ScreenArea>*>(found)->push_back(
                    {ScreenTwips(work.left), ScreenTwips(work.top), ScreenTwips(work.right),
                     ScreenTwips(work.bottom), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
            } catch (...) {
                return FALSE;  // nothing may cross the system's callback
            }
        }
        return TRUE;
    };
    ::EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace ombrel::win32
