#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace ombrel::bench {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

// A started program, ended (politely, then by force) when this goes away.
class StartedProgram {
  public:
    StartedProgram() = default;
    explicit StartedProgram(const std::wstring& commandLine);
    StartedProgram(StartedProgram&& other) noexcept;
    StartedProgram& operator=(StartedProgram&& other) noexcept;
    ~StartedProgram();

    HANDLE Process() const { return process_.hProcess; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    // Asks the program's window to close, as its exit would, and waits for the process to end.
    void Close(HWND mainWindow);
    // CPU time used so far, user and kernel together.
    Milliseconds CpuTime() const;
    std::size_t PeakWorkingSet() const;

  private:
    void End();

    PROCESS_INFORMATION process_{};
};

// Windows of other programs, up to 50 per helper process, all visible when Open returns.
class HelperWindows {
  public:
    explicit HelperWindows(const std::wstring& helperPath) : helperPath_(helperPath) {}
    std::vector<HWND> Open(const std::wstring& title, int count);

  private:
    std::wstring helperPath_;
    std::vector<StartedProgram> helpers_;
};

// The programs measured: Ombrel.exe and the minimal program beside it.
struct Contenders {
    std::wstring ombrel;
    std::wstring minimal;
    std::wstring helper;
};

// One of the programs measured: where it is, and the class of its window, found by one lookup
// while the program is still starting. The benchmarks never open Ombrel's help or settings,
// so its only window of that class is the bar.
struct MeasuredProgram {
    std::wstring Contenders::*path;
    const wchar_t* windowClass;
};
inline const MeasuredProgram kOmbrel{&Contenders::ombrel, L"OmbrelForm"};
inline const MeasuredProgram kMinimal{&Contenders::minimal, L"OmbrelBenchMinimal"};

StartedProgram Start(const MeasuredProgram& program, const Contenders& programs);
// Its window once visible; throws if it does not appear.
HWND WaitForWindow(const MeasuredProgram& program);

// Whether a process of that program file (such as L"OmbrelGuard.exe") runs.
bool ProgramRuns(const wchar_t* programFileName);

// Ombrel's settings file in the user's folder, written whole (UTF-8) or removed.
void WriteSettingsFile(const std::string& text);
void RemoveSettingsFile();

// The windows in the system's z-order, top first.
std::vector<HWND> InZOrder(const std::vector<HWND>& windows);

// Checks every millisecond or so until the condition holds; false if it did not within limit.
template <typename Condition>
bool PollUntil(Condition condition, Milliseconds limit) {
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(limit);
    while (!condition()) {
        if (Clock::now() > end) {
            return false;
        }
        ::Sleep(1);
    }
    return true;
}

double Median(std::vector<double> values);
double Worst(const std::vector<double>& values);

}  // namespace ombrel::bench
