#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace ombrel::driver {

// Ordinary windows of another program than Ombrel, on a thread that keeps answering.
class DocumentWindows {
  public:
    DocumentWindows();
    ~DocumentWindows();
    DocumentWindows(const DocumentWindows&) = delete;
    DocumentWindows& operator=(const DocumentWindows&) = delete;

    // Opens a visible window with this title at this place and brings it to the front.
    HWND Open(const std::wstring& title, int x, int y);

  private:
    void Run();

    std::thread thread_;
    DWORD threadId_ = 0;
    HWND control_ = nullptr;
};

// Starts a program; the handles are the caller's to close, or EndProcess's.
PROCESS_INFORMATION StartProcess(const std::wstring& commandLine);
// The same inside the job: the program, and what it starts, belong to it unless they break
// away, as under a launcher that ends its programs when it goes.
PROCESS_INFORMATION StartProcessInJob(const std::wstring& commandLine, HANDLE job);
// Ends the program if it still runs, as the task manager would, and closes its handles.
void EndProcess(PROCESS_INFORMATION& process);
// Ends every process the program started, theirs too, then the program itself, as the task
// manager's "End process tree" does; the handles stay the caller's.
void EndProcessTree(HANDLE process);
// Runs the command line to its end (at most ten seconds) with a pipe for its standard output
// and error, which output receives; the exit code, -1 when it could not start.
int RunToEnd(const std::wstring& commandLine, std::string* output);
// A program whose standard output and error are read while it runs; ended, as EndProcess
// ends it, when this goes away.
class FollowedProcess {
  public:
    explicit FollowedProcess(const std::wstring& commandLine);
    FollowedProcess(const FollowedProcess&) = delete;
    FollowedProcess& operator=(const FollowedProcess&) = delete;
    ~FollowedProcess();

    // Whether what it printed since the last text found holds the text; what was read up to
    // its end is then dropped. Never waits.
    bool Printed(const std::string& text);
    const std::string& Unread() const { return output_; }
    HANDLE Process() const { return process_.hProcess; }

  private:
    HANDLE readEnd_ = nullptr;
    PROCESS_INFORMATION process_{};
    std::string output_;
};

// A Linux path as a Wine prefix sees it, on drive Z:.
std::wstring WinePath(const char* unixPath);

// Ombrel's settings, under HKEY_LOCAL_MACHINE.
inline constexpr const wchar_t* kSettingsKey = L"SOFTWARE\\Kelvora";
// Writes the start-up notice's setting ("Yes" turns the notice off).
void SetNeverShowInfo(const wchar_t* value);

// What a person does: keys, clicks, and waiting to see the effect.
void PressKeys(std::initializer_list<WORD> keys);
void ClickAt(POINT screen, bool twice = false);
void RightClickAt(POINT screen);
// Presses and lets go of a mouse button (the MOUSEEVENTF_ flags) at the point, times times.
void ClickWith(POINT screen, DWORD down, DWORD up, int times);
// Types text into a window character by character, as its keyboard handling receives it.
void TypeText(HWND window, const std::wstring& text);
// UTF-8, for messages.
std::string Utf8(const std::wstring& text);
POINT CenterOf(HWND window);
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(5));
HWND FindBar();
HWND FindChildButton(HWND parent, const wchar_t* caption);
RECT WindowRect(HWND window);
// How many of the windows are visible; whether all of them are (or none, for false).
std::size_t CountVisible(const std::vector<HWND>& windows);
bool AllVisible(const std::vector<HWND>& windows, bool visible);
std::wstring WindowTitle(HWND window);
// A control's text as the control itself reports it, also in another program.
std::wstring ControlText(HWND control);

}  // namespace ombrel::driver
