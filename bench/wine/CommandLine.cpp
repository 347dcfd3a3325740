// The command line: from starting "Ombrel.exe switch N" until it has ended, beside "Ombrel.exe
// help", the same start and end without the pipe; and how soon "Ombrel.exe watch" tells of a
// switch made by key.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "DesktopDriver.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr Milliseconds kLimit{10'000};
constexpr DWORD kRefreshPassed = 1300;
constexpr int kWindowsPerDesktop = 25;

std::wstring Caption(int desktopNumber) {
    return L"这是桌面-" + std::to_wstring(desktopNumber);
}

double RunTimed(const std::wstring& commandLine, int expectedCode) {
    std::string output;
    const auto started = Clock::now();
    const int code = driver::RunToEnd(commandLine, &output);
    const double elapsed = Milliseconds(Clock::now() - started).count();
    if (code != expectedCode) {
        throw std::runtime_error("the command ended with " + std::to_string(code));
    }
    return elapsed;
}

// "Ombrel.exe watch" with its standard output on a pipe the benchmark reads.
class Follower {
  public:
    explicit Follower(const std::wstring& commandLine) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE writeEnd = nullptr;
        ::CreatePipe(&readEnd_, &writeEnd, &inherit, 0);
        ::SetHandleInformation(readEnd_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = writeEnd;
        std::wstring command = commandLine;
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &process_);
        ::CloseHandle(writeEnd);
    }
    Follower(const Follower&) = delete;
    Follower& operator=(const Follower&) = delete;
    ~Follower() {
        driver::EndProcess(process_);
        ::CloseHandle(readEnd_);
    }
    // Whether a line holding the text has come since the last call that found one.
    bool Told(const std::string& text) {
        DWORD waiting = 0;
        while (::PeekNamedPipe(readEnd_, nullptr, 0, nullptr, &waiting, nullptr) != FALSE &&
               waiting > 0) {
            char buffer[4096];
            DWORD read = 0;
            ::ReadFile(readEnd_, buffer, sizeof(buffer), &read, nullptr);
            output_.append(buffer, read);
        }
        const std::size_t found = output_.find(text);
        if (found == std::string::npos) {
            return false;
        }
        output_.erase(0, found + text.size());
        return true;
    }

  private:
    HANDLE readEnd_ = nullptr;
    PROCESS_INFORMATION process_{};
    std::string output_;
};

}  // namespace

CommandLineFigures MeasureCommandLine(const Contenders& programs, int runs) {
    CommandLineFigures figures;
    HelperWindows helpers(programs.helper);
    StartedProgram ombrel = Start(kOmbrel, programs);
    const HWND bar = WaitForWindow(kOmbrel);
    const std::wstring exe = L"\"" + programs.ombrel + L"\" ";
    helpers.Open(L"Command 1 ", kWindowsPerDesktop);
    ::Sleep(kRefreshPassed);
    RunTimed(exe + L"switch 2", 0);
    helpers.Open(L"Command 2 ", kWindowsPerDesktop);
    ::Sleep(kRefreshPassed);
    for (int run = 0; run < runs; ++run) {
        for (const int desktop : {1, 2}) {
            figures.commandMs.push_back(RunTimed(exe + L"switch " + std::to_wstring(desktop), 0));
            if (!PollUntil([&] { return driver::WindowTitle(bar) == Caption(desktop); }, kLimit)) {
                throw std::runtime_error("the command did not switch");
            }
        }
        figures.helpMs.push_back(RunTimed(exe + L"help", 0));
    }
    Follower watch(exe + L"watch");
    if (!PollUntil([&] { return watch.Told("\"desktops\""); }, kLimit)) {
        throw std::runtime_error("watch printed no state");
    }
    for (int run = 0; run < runs; ++run) {
        for (const int desktop : {1, 2}) {
            const std::string line = "{\"current\":" + std::to_string(desktop) +
                                     ",\"desktop\":" + std::to_string(desktop) +
                                     ",\"event\":\"switch\"}";
            const auto pressed = Clock::now();
            driver::PressKeys({VK_CONTROL, static_cast<WORD>(VK_F1 + desktop - 1)});
            if (!PollUntil([&] { return driver::WindowTitle(bar) == Caption(desktop); }, kLimit)) {
                throw std::runtime_error("the key did not switch");
            }
            figures.captionMs.push_back(Milliseconds(Clock::now() - pressed).count());
            if (!PollUntil([&] { return watch.Told(line); }, kLimit)) {
                throw std::runtime_error("watch did not tell of the switch");
            }
            figures.watchMs.push_back(Milliseconds(Clock::now() - pressed).count());
        }
    }
    ombrel.Close(bar);
    return figures;
}

}  // namespace ombrel::bench
