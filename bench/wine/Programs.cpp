#include "Programs.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

#include "DesktopDriver.h"

namespace ombrel::bench {
namespace {

constexpr int kWindowsPerHelper = 50;
constexpr auto kStartLimit = std::chrono::seconds(20);

double FileTimeMilliseconds(const FILETIME& time) {
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10'000.0;  // 100 ns units
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == search.processId && ::IsWindowVisible(window)) {
                search.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

StartedProgram::StartedProgram(const std::wstring& commandLine)
    : process_(driver::StartProcess(commandLine)) {
    if (process_.hProcess == nullptr) {
        throw std::runtime_error("could not start " + driver::Utf8(commandLine));
    }
}

StartedProgram::StartedProgram(StartedProgram&& other) noexcept
    : process_(std::exchange(other.process_, {})) {}

StartedProgram& StartedProgram::operator=(StartedProgram&& other) noexcept {
    if (this != &other) {
        End();
        process_ = std::exchange(other.process_, {});
    }
    return *this;
}

StartedProgram::~StartedProgram() {
    End();
}

void StartedProgram::End() {
    driver::EndProcess(process_);
}

void StartedProgram::Close(HWND mainWindow) {
    if (mainWindow != nullptr) {
        ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    }
    ::WaitForSingleObject(process_.hProcess, 10'000);
    End();
}

Milliseconds StartedProgram::CpuTime() const {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!::GetProcessTimes(process_.hProcess, &created, &exited, &kernel, &user)) {
        return Milliseconds(-1);
    }
    return Milliseconds(FileTimeMilliseconds(kernel) + FileTimeMilliseconds(user));
}

std::size_t StartedProgram::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(process_.hProcess, &counters, sizeof(counters))) {
        return 0;
    }
    return counters.PeakWorkingSetSize;
}

std::vector<HWND> HelperWindows::Open(const std::wstring& title, int count) {
    std::vector<HWND> opened;
    for (int first = 1; first <= count; first += kWindowsPerHelper) {
        const int here = std::min(kWindowsPerHelper, count - first + 1);
        helpers_.emplace_back(Quoted(helperPath_) + L" " + Quoted(title + std::to_wstring(first)) +
                              L" " + std::to_wstring(here));
        std::vector<HWND> windows;
        const bool open = PollUntil(
            [&] {
                windows = VisibleWindowsOf(helpers_.back().ProcessId());
                return windows.size() == static_cast<std::size_t>(here);
            },
            kStartLimit);
        if (!open) {
            throw std::runtime_error("a helper's windows did not open");
        }
        opened.insert(opened.end(), windows.begin(), windows.end());
    }
    return opened;
}

StartedProgram Start(const MeasuredProgram& program, const Contenders& programs) {
    return StartedProgram(Quoted(programs.*program.path));
}

HWND WaitForWindow(const MeasuredProgram& program) {
    HWND window = nullptr;
    const auto visible = [&] {
        window = ::FindWindowW(program.windowClass, nullptr);
        return window != nullptr && ::IsWindowVisible(window);
    };
    if (!PollUntil(visible, kStartLimit)) {
        throw std::runtime_error("the program's window did not appear");
    }
    return window;
}

namespace {

std::wstring SettingsFilePath() {
    wchar_t appData[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    return std::wstring(appData) + L"\\Ombrel\\settings.json";
}

}  // namespace

bool ProgramRuns(const wchar_t* programFileName) {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return false;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more != FALSE && !found;
         more = ::Process32NextW(snapshot, &entry)) {
        found = _wcsicmp(entry.szExeFile, programFileName) == 0;
    }
    ::CloseHandle(snapshot);
    return found;
}

void WriteSettingsFile(const std::string& text) {
    const std::wstring path = SettingsFilePath();
    ::CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

void RemoveSettingsFile() {
    ::DeleteFileW(SettingsFilePath().c_str());
}

std::vector<HWND> InZOrder(const std::vector<HWND>& windows) {
    std::map<HWND, int> place;
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& order = *reinterpret_cast<std::map<HWND, int>*>(context);
            order.emplace(window, static_cast<int>(order.size()));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&place));
    std::vector<HWND> sorted = windows;
    std::sort(sorted.begin(), sorted.end(),
              [&place](HWND a, HWND b) { return place[a] < place[b]; });
    return sorted;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Worst(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

}  // namespace ombrel::bench
