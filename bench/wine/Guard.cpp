// A kill: from the end of Ombrel's process until the guard has shown every window, then from
// the next start until the arrangement is back; and what the guard costs while it waits.
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "DesktopDriver.h"
#include "KernelCpuTime.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr Milliseconds kLimit{10'000};
constexpr DWORD kRefreshPassed = 1300;
constexpr DWORD kSwitchDone = 300;
constexpr int kDesktops = 3;
constexpr int kWindowsPerDesktop[kDesktops] = {17, 17, 16};  // 50 in all

std::wstring Caption(int desktopNumber) {
    return L"这是桌面-" + std::to_wstring(desktopNumber);
}

// Ctrl+F<n>, again if Wine lost the press, until the bar names desktop n.
void SwitchTo(HWND bar, int desktopNumber) {
    for (int tries = 0; tries < 5; ++tries) {
        driver::PressKeys({VK_CONTROL, static_cast<WORD>(VK_F1 + desktopNumber - 1)});
        if (PollUntil([&] { return driver::WindowTitle(bar) == Caption(desktopNumber); },
                      Milliseconds(2000))) {
            return;
        }
    }
    throw std::runtime_error("the bar did not switch");
}

// The guard Ombrel started: OmbrelGuard.exe, whose parent has ended; one runs at a time here.
std::optional<DWORD> RunningGuard() {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    std::optional<DWORD> found;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more != FALSE && !found;
         more = ::Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"OmbrelGuard.exe") == 0) {
            found = entry.th32ProcessID;
        }
    }
    ::CloseHandle(snapshot);
    return found;
}

std::size_t PeakWorkingSetOf(DWORD processId) {
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return 0;
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(process, &counters, sizeof(counters));
    ::CloseHandle(process);
    return counters.PeakWorkingSetSize;
}

}  // namespace

GuardFigures MeasureGuard(const Contenders& programs, int runs, int idleSeconds) {
    GuardFigures figures;
    for (int run = 0; run < runs; ++run) {
        HelperWindows helpers(programs.helper);
        StartedProgram ombrel = Start(kOmbrel, programs);
        const HWND bar = WaitForWindow(kOmbrel);
        std::vector<HWND> all;
        std::vector<HWND> away;  // on desktops 2 and 3, hidden again at the next start
        for (int desktop = 1; desktop <= kDesktops; ++desktop) {
            if (desktop > 1) {
                SwitchTo(bar, desktop);
            }
            const std::vector<HWND> opened = helpers.Open(
                L"Guard " + std::to_wstring(run) + L"-" + std::to_wstring(desktop) + L" ",
                kWindowsPerDesktop[desktop - 1]);
            all.insert(all.end(), opened.begin(), opened.end());
            if (desktop > 1) {
                away.insert(away.end(), opened.begin(), opened.end());
            }
            ::Sleep(kRefreshPassed);
        }
        SwitchTo(bar, 1);
        if (!PollUntil([&] { return driver::AllVisible(away, false); }, kLimit)) {
            throw std::runtime_error("desktops 2 and 3 were not left");
        }
        // The switch writes its list once more after the shows; what is measured here is a
        // kill between commands.
        ::Sleep(kSwitchDone);
        const std::optional<DWORD> guard = RunningGuard();
        if (!guard) {
            throw std::runtime_error("no guard runs beside Ombrel");
        }
        if (run == 0) {
            // Its cost while it waits, beside the minimal program's over the same seconds.
            StartedProgram minimal = Start(kMinimal, programs);
            const HWND minimalWindow = WaitForWindow(kMinimal);
            const std::optional<int> linuxGuard = LinuxProcessOf(L"OmbrelGuard.exe", "--guard");
            const std::optional<int> linuxMinimal = LinuxProcessOf(L"OmbrelBenchMinimal.exe");
            const double guardBefore =
                linuxGuard ? LinuxCpuMilliseconds(*linuxGuard).value_or(0) : 0;
            const double minimalBefore =
                linuxMinimal ? LinuxCpuMilliseconds(*linuxMinimal).value_or(0) : 0;
            ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
            figures.guardIdleCpuMs =
                linuxGuard ? LinuxCpuMilliseconds(*linuxGuard).value_or(0) - guardBefore : -1;
            figures.minimalIdleCpuMs =
                linuxMinimal ? LinuxCpuMilliseconds(*linuxMinimal).value_or(0) - minimalBefore : -1;
            figures.guardPeakBytes = static_cast<double>(PeakWorkingSetOf(*guard));
            figures.minimalPeakBytes = static_cast<double>(minimal.PeakWorkingSet());
            minimal.Close(minimalWindow);
        }

        const auto killed = Clock::now();
        ::TerminateProcess(ombrel.Process(), 1);
        if (!PollUntil([&] { return driver::AllVisible(all, true); }, kLimit)) {
            throw std::runtime_error("the guard did not show every window: " +
                                     std::to_string(driver::CountVisible(all)) + " of " +
                                     std::to_string(all.size()) + " visible");
        }
        figures.shownAfterKillMs.push_back(Milliseconds(Clock::now() - killed).count());

        const auto restarted = Clock::now();
        StartedProgram again = Start(kOmbrel, programs);
        const HWND newBar = WaitForWindow(kOmbrel);
        if (!PollUntil([&] { return driver::AllVisible(away, false); }, kLimit)) {
            throw std::runtime_error("the arrangement did not come back");
        }
        figures.arrangementBackMs.push_back(Milliseconds(Clock::now() - restarted).count());
        again.Close(newBar);
    }
    return figures;
}

}  // namespace ombrel::bench
