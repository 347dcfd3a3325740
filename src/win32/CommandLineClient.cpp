#include "win32/CommandLineClient.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "engine/CommandText.h"
#include "win32/FormWindow.h"
#include "win32/WideText.h"
#include "win32/Win32WindowProcedures.h"

namespace ombrel::win32 {
namespace {

constexpr int kDone = 0;
constexpr int kNotRunning = 1;
constexpr int kRefused = 2;
constexpr UINT kAnswerPatienceMs = 10000;

std::vector<std::u16string> CommandWords() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::u16string> words;
    for (int index = 1; index < count; ++index) {
        words.push_back(FromWide(arguments[index]));
    }
    ::LocalFree(arguments);
    return words;
}

void Print(std::u16string_view text) {
    const std::wstring wide = ToWide(text);
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const DWORD type = output == nullptr || output == INVALID_HANDLE_VALUE ? FILE_TYPE_UNKNOWN
                                                                           : ::GetFileType(output);
    DWORD written = 0;
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
        // Redirected: UTF-8, whatever the console's code page.
        const std::string bytes = ToUtf8(wide);
        ::WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return;
    }
    // A program without a console of its own writes to the one it was started from, if any.
    if (::AttachConsole(ATTACH_PARENT_PROCESS) == FALSE) {
        return;
    }
    const HANDLE console =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        ::WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        ::CloseHandle(console);
    }
    ::FreeConsole();
}

// The running instance's bar: a window of our class whose procedure is the hook. Only this
// session's desktop is searched, so another session's instance is never reached.
HWND FindRunningBar() {
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
            if (std::wstring_view(name) == FormWindow::kClassName && IsHooked(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A window that only receives the running instance's answer.
class AnswerWindow {
  public:
    AnswerWindow() {
        WNDCLASSEXW answerClass{};
        answerClass.cbSize = sizeof(answerClass);
        answerClass.lpfnWndProc = &Procedure;
        answerClass.hInstance = ::GetModuleHandleW(nullptr);
        answerClass.lpszClassName = L"OmbrelAnswer";
        ::RegisterClassExW(&answerClass);
        window_ = ::CreateWindowExW(0, answerClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, answerClass.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer_));
    }
    AnswerWindow(const AnswerWindow&) = delete;
    AnswerWindow& operator=(const AnswerWindow&) = delete;
    ~AnswerWindow() { ::DestroyWindow(window_); }

    HWND Handle() const { return window_; }
    const std::u16string& Answer() const { return answer_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            auto* answer =
                reinterpret_cast<std::u16string*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
            if (answer != nullptr && data != nullptr && data->dwData == kRemoteAnswerTag &&
                data->lpData != nullptr) {
                try {
                    answer->assign(static_cast<const char16_t*>(data->lpData),
                                   data->cbData / sizeof(char16_t));
                } catch (...) {
                    return FALSE;
                }
                return TRUE;
            }
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    std::u16string answer_;
    HWND window_ = nullptr;
};

}  // namespace

std::optional<int> RunCommandLine() {
    const std::vector<std::u16string> words = CommandWords();
    if (words.empty()) {
        return std::nullopt;
    }
    const std::optional<Command> command = ParseCommand(words);
    if (!command || command->kind == Command::Kind::Help) {
        Print(kCommandUsage);
        return command ? kDone : kRefused;
    }
    const HWND bar = FindRunningBar();
    if (bar == nullptr) {
        Print(u"Ombrel 没有运行。\r\n");
        return kNotRunning;
    }
    // We were started by the user (a prompt, a launcher, a key of his): the right to move the
    // keyboard is ours, and the instance needs it to leave the entered desktop's window active.
    DWORD runningProcess = 0;
    ::GetWindowThreadProcessId(bar, &runningProcess);
    ::AllowSetForegroundWindow(runningProcess);
    AnswerWindow answer;  // written by its window procedure while we wait
    const std::u16string text = CommandText(*command);
    COPYDATASTRUCT data{};
    data.dwData = kRemoteCommandTag;
    data.cbData = static_cast<DWORD>(text.size() * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(text.data());
    DWORD_PTR result = 0;
    const bool answered =
        ::SendMessageTimeoutW(bar, WM_COPYDATA, reinterpret_cast<WPARAM>(answer.Handle()),
                              reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerPatienceMs,
                              &result) != 0;
    if (!answered || result == 0) {
        Print(u"Ombrel 没有回应。\r\n");
        return kNotRunning;
    }
    Print(answer.Answer());
    return kDone;
}

}  // namespace ombrel::win32
