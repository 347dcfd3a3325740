#include "win32/Win32UserFiles.h"

#include <shellapi.h>

#include "win32/CommandPipe.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

constexpr const wchar_t* kSettingsFileName = L"\\settings.json";

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

std::wstring OmbrelFolder(const wchar_t* variable) {
    wchar_t base[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(variable, base, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::wstring(base, length) + L"\\Ombrel";
}

Win32UserFiles::~Win32UserFiles() {
    StopWatching();
}

std::u16string Win32UserFiles::SettingsFilePath() {
    const std::wstring folder = OmbrelFolder(L"APPDATA");
    return folder.empty() ? std::u16string() : FromWide(folder + kSettingsFileName);
}

std::u16string Win32UserFiles::LogFilePath() {
    const std::wstring folder = OmbrelFolder(L"LOCALAPPDATA");
    return folder.empty() ? std::u16string() : FromWide(folder + L"\\Ombrel.log");
}

std::optional<std::string> Win32UserFiles::ReadFile(std::u16string_view path) {
    // Shared every way: an editor may hold the file open while it saves.
    const HANDLE opened = ::CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const UniqueKernelHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    LARGE_INTEGER size{};
    // A settings file has no business being larger than a megabyte.
    constexpr LONGLONG kLargest = 1 << 20;
    if (!file || ::GetFileSizeEx(file.Get(), &size) == FALSE || size.QuadPart > kLargest) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                     &read, nullptr) == FALSE) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

std::uint32_t Win32UserFiles::CreateNewFile(std::u16string_view path, std::string_view bytes) {
    const std::wstring wide = ToWide(path);
    ::CreateDirectoryW(FolderOf(wide).c_str(), nullptr);
    const HANDLE created = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        return ::GetLastError();
    }
    const UniqueKernelHandle file(created);
    DWORD written = 0;
    if (::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                    nullptr) == FALSE) {
        return ::GetLastError();
    }
    return ERROR_SUCCESS;
}

bool Win32UserFiles::WatchSettingsFolder(WindowHandle window, std::uint32_t message) noexcept {
    StopWatching();
    try {
        const std::wstring folder = OmbrelFolder(L"APPDATA");
        if (folder.empty()) {
            return false;
        }
        ::CreateDirectoryW(folder.c_str(), nullptr);
        window_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
        message_ = message;
        change_ = ::FindFirstChangeNotificationW(
            folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
        if (change_ == INVALID_HANDLE_VALUE) {
            return false;
        }
        return ::RegisterWaitForSingleObject(&wait_, change_, &FolderChanged, this, INFINITE,
                                             WT_EXECUTEDEFAULT) != FALSE;
    } catch (...) {
        return false;
    }
}

void CALLBACK Win32UserFiles::FolderChanged(void* context, BOOLEAN /*timedOut*/) noexcept {
    // On a thread of the pool: only tell the program's thread, and wait for the next change.
    auto* files = static_cast<Win32UserFiles*>(context);
    ::PostMessageW(files->window_, files->message_, 0, 0);
    ::FindNextChangeNotification(files->change_);
}

void Win32UserFiles::StopWatching() noexcept {
    if (wait_ != nullptr) {
        // Waits for a callback under way, so that it never runs on a closed handle.
        ::UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
        wait_ = nullptr;
    }
    if (change_ != INVALID_HANDLE_VALUE) {
        ::FindCloseChangeNotification(change_);
        change_ = INVALID_HANDLE_VALUE;
    }
}

bool Win32UserFiles::OpenInEditor(std::u16string_view path) noexcept {
    try {
        const std::wstring file = ToWide(path);
        if (RunsElevated()) {
            // The program for a kind, and App Paths, are the user's keys, which any ordinary
            // program may write: an elevated Ombrel starts Notepad of the system folder alone.
            wchar_t system[MAX_PATH] = {};
            const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
            if (length == 0 || length >= MAX_PATH) {
                return false;
            }
            const std::wstring notepad = std::wstring(system, length) + L"\\notepad.exe";
            std::wstring line = L"\"" + notepad + L"\" \"" + file + L"\"";
            STARTUPINFOW startup{};
            startup.cb = sizeof(startup);
            PROCESS_INFORMATION started{};
            if (::CreateProcessW(notepad.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &started) == FALSE) {
                return false;
            }
            const UniqueKernelHandle process(started.hProcess);
            const UniqueKernelHandle thread(started.hThread);
            return true;
        }
        const auto opened = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (opened > 32) {
            return true;
        }
        // No program for the kind: Notepad reads any text.
        const std::wstring quoted = L"\"" + file + L"\"";
        return reinterpret_cast<INT_PTR>(::ShellExecuteW(
                   nullptr, L"open", L"notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL)) > 32;
    } catch (...) {
        return false;
    }
}

}  // namespace ombrel::win32
