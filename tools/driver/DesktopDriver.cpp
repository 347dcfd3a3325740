#include "DesktopDriver.h"

#include <tlhelp32.h>

#include <atomic>
#include <cstdio>
#include <cwchar>

namespace ombrel::driver {
namespace {

constexpr UINT kOpenMessage = WM_APP + 1;

struct OpenRequest {
    std::wstring title;
    int x;
    int y;
    HWND opened;
};

LRESULT CALLBACK DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        const HDC dc = ::BeginPaint(window, &paint);
        wchar_t title[128] = {};
        ::GetWindowTextW(window, title, 128);
        RECT client{};
        ::GetClientRect(window, &client);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kOpenMessage) {
        auto* request = reinterpret_cast<OpenRequest*>(lParam);
        request->opened =
            ::CreateWindowExW(0, L"OmbrelDemoDocument", request->title.c_str(),
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, request->x, request->y, 320, 200,
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetForegroundWindow(request->opened);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

DocumentWindows::DocumentWindows() {
    std::atomic<bool> ready{false};
    thread_ = std::thread([this, &ready] {
        threadId_ = ::GetCurrentThreadId();
        WNDCLASSW document{};
        document.lpfnWndProc = &DocumentProc;
        document.hInstance = ::GetModuleHandleW(nullptr);
        document.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        document.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        document.lpszClassName = L"OmbrelDemoDocument";
        ::RegisterClassW(&document);
        WNDCLASSW control{};
        control.lpfnWndProc = &ControlProc;
        control.hInstance = ::GetModuleHandleW(nullptr);
        control.lpszClassName = L"OmbrelDemoControl";
        ::RegisterClassW(&control);
        control_ = ::CreateWindowExW(0, L"OmbrelDemoControl", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ready = true;
        Run();
    });
    while (!ready) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

DocumentWindows::~DocumentWindows() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void DocumentWindows::Run() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

HWND DocumentWindows::Open(const std::wstring& title, int x, int y) {
    OpenRequest request{title, x, y, nullptr};
    ::SendMessageW(control_, kOpenMessage, 0, reinterpret_cast<LPARAM>(&request));
    return request.opened;
}

namespace {

PROCESS_INFORMATION Start(const std::wstring& commandLine, DWORD flags) {
    std::wstring command = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // Under a busy Wine a start is now and then refused for a moment; a person would try again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, flags, nullptr,
                             nullptr, &startup, &process)) {
            return process;
        }
        std::fprintf(stderr, "starting %ls failed with error %lu\n", commandLine.c_str(),
                     ::GetLastError());
        ::Sleep(500);
    }
    return {};
}

// When the process started; 0 when it is gone.
ULONGLONG StartTimeOf(DWORD processId) {
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    FILETIME created{};
    FILETIME unused[3]{};
    const bool known = process != nullptr &&
                       ::GetProcessTimes(process, &created, &unused[0], &unused[1], &unused[2]);
    if (process != nullptr) {
        ::CloseHandle(process);
    }
    return known ? (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime
                 : 0;
}

}  // namespace

PROCESS_INFORMATION StartProcess(const std::wstring& commandLine) {
    return Start(commandLine, 0);
}

PROCESS_INFORMATION StartProcessInJob(const std::wstring& commandLine, HANDLE job) {
    PROCESS_INFORMATION process = Start(commandLine, CREATE_SUSPENDED);
    if (process.hProcess != nullptr) {
        ::AssignProcessToJobObject(job, process.hProcess);
        ::ResumeThread(process.hThread);
    }
    return process;
}

void EndProcessTree(HANDLE process) {
    std::vector<PROCESSENTRY32W> running;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more != FALSE;
         more = ::Process32NextW(snapshot, &entry)) {
        running.push_back(entry);
    }
    ::CloseHandle(snapshot);
    // A child names its parent's id, which may have been given out again since: a process
    // counts as started by another only when it started later.
    std::vector<DWORD> tree{::GetProcessId(process)};
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const ULONGLONG parentStart = StartTimeOf(tree[i]);
        for (const PROCESSENTRY32W& candidate : running) {
            if (candidate.th32ParentProcessID == tree[i] && candidate.th32ProcessID != tree[i] &&
                StartTimeOf(candidate.th32ProcessID) >= parentStart) {
                tree.push_back(candidate.th32ProcessID);
            }
        }
    }
    for (auto id = tree.rbegin(); id + 1 != tree.rend(); ++id) {
        const HANDLE started = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, *id);
        if (started != nullptr) {
            ::TerminateProcess(started, 1);
            ::WaitForSingleObject(started, 5000);
            ::CloseHandle(started);
        }
    }
    ::TerminateProcess(process, 1);
    ::WaitForSingleObject(process, 5000);
}

namespace {

// A pipe whose write end a started program inherits as its standard output and error.
struct OutputPipe {
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
};

OutputPipe MakeOutputPipe() {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    OutputPipe pipe;
    if (::CreatePipe(&pipe.readEnd, &pipe.writeEnd, &inherit, 0) != FALSE) {
        ::SetHandleInformation(pipe.readEnd, HANDLE_FLAG_INHERIT, 0);
    }
    return pipe;
}

// Starts the program with the pipe's write end as its output, which is closed here: the
// child's copy keeps the pipe open until it ends.
bool StartWithOutput(const std::wstring& commandLine, OutputPipe& pipe,
                     PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = pipe.writeEnd;
    startup.hStdError = pipe.writeEnd;
    std::wstring command = commandLine;
    const BOOL started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, nullptr, &startup, &process);
    ::CloseHandle(pipe.writeEnd);
    pipe.writeEnd = nullptr;
    return started != FALSE;
}

}  // namespace

int RunToEnd(const std::wstring& commandLine, std::string* output) {
    OutputPipe pipe = MakeOutputPipe();
    if (pipe.readEnd == nullptr) {
        return -1;
    }
    PROCESS_INFORMATION process{};
    if (!StartWithOutput(commandLine, pipe, process)) {
        ::CloseHandle(pipe.readEnd);
        return -1;
    }
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(pipe.readEnd, buffer, sizeof(buffer), &read, nullptr) != FALSE && read > 0) {
        output->append(buffer, read);
    }
    ::CloseHandle(pipe.readEnd);
    DWORD exitCode = 0;
    ::WaitForSingleObject(process.hProcess, 10000);
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

FollowedProcess::FollowedProcess(const std::wstring& commandLine) {
    OutputPipe pipe = MakeOutputPipe();
    readEnd_ = pipe.readEnd;
    if (readEnd_ != nullptr) {
        StartWithOutput(commandLine, pipe, process_);
    }
}

FollowedProcess::~FollowedProcess() {
    EndProcess(process_);
    if (readEnd_ != nullptr) {
        ::CloseHandle(readEnd_);
    }
}

bool FollowedProcess::Printed(const std::string& text) {
    DWORD waiting = 0;
    while (::PeekNamedPipe(readEnd_, nullptr, 0, nullptr, &waiting, nullptr) != FALSE &&
           waiting > 0) {
        char buffer[4096];
        DWORD read = 0;
        if (::ReadFile(readEnd_, buffer, sizeof(buffer), &read, nullptr) == FALSE) {
            break;
        }
        output_.append(buffer, read);
    }
    const std::size_t found = output_.find(text);
    if (found == std::string::npos) {
        return false;
    }
    output_.erase(0, found + text.size());
    return true;
}

void EndProcess(PROCESS_INFORMATION& process) {
    if (process.hProcess == nullptr) {
        return;
    }
    if (::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, 5000);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    process = {};
}

std::size_t CountVisible(const std::vector<HWND>& windows) {
    std::size_t visible = 0;
    for (HWND window : windows) {
        visible += ::IsWindowVisible(window) != FALSE ? 1 : 0;
    }
    return visible;
}

bool AllVisible(const std::vector<HWND>& windows, bool visible) {
    return CountVisible(windows) == (visible ? windows.size() : 0);
}

std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    return path;
}

void SetNeverShowInfo(const wchar_t* value) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr);
    ::RegSetValueExW(key, L"NeverShowInfo", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(HWND window, const std::wstring& text) {
    // Posted characters rather than SendInput: Wine on a virtual X display delivers no key
    // presses to windows from SendInput (hotkeys it does deliver).
    for (wchar_t character : text) {
        ::PostMessageW(window, WM_CHAR, character, 1);
    }
}

std::string Utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(),
                          size, nullptr, nullptr);
    return utf8;
}

void ClickAt(POINT screen, bool twice) {
    ClickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, twice ? 2 : 1);
}

void RightClickAt(POINT screen) {
    ClickWith(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void ClickWith(POINT screen, DWORD down, DWORD up, int times) {
    // Every event carries its own position: an event that took the cursor's position when it
    // is processed could land elsewhere once the next click has moved the cursor.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    const LONG x = static_cast<LONG>((screen.x * 65536 + width / 2) / width);
    const LONG y = static_cast<LONG>((screen.y * 65536 + height / 2) / height);
    std::vector<INPUT> inputs;
    for (int i = 0; i < times; ++i) {
        for (DWORD button : {down, up}) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dx = x;
            input.mi.dy = y;
            input.mi.dwFlags = button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            inputs.push_back(input);
        }
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

POINT CenterOf(HWND window) {
    const RECT rect = WindowRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

HWND FindBar() {
    // The caption changes with the desktop; the class and the exit button do not (but for its
    // language).
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[64] = {};
            ::GetClassNameW(window, className, 64);
            if (std::wstring(className) == L"OmbrelForm" &&
                (FindChildButton(window, L"退出") != nullptr ||
                 FindChildButton(window, L"Exit") != nullptr)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindChildButton(HWND parent, const wchar_t* caption) {
    return ::FindWindowExW(parent, nullptr, L"Button", caption);
}

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

std::wstring ControlText(HWND control) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

std::wstring WindowTitle(HWND window) {
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    return title;
}

}  // namespace ombrel::driver
