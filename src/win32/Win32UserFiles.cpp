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

std::u16string Win32UserFiles::ArrangementFilePath() {
    const std::wstring folder = OmbrelFolder(L"LOCALAPPDATA");
    return folder.empty() ? std::u16string() : FromWide(folder + L"\\arrangement.json");
}

FileRead Win32UserFiles::ReadFile(std::u16string_view path, std::size_t largest) {
    // Shared every way: an editor may hold the file open while it saves.
    const HANDLE opened = ::CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // Only these say the file is not there; a network path that is away says otherwise.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return {FileRead::Outcome::Absent};
        }
        return {FileRead::Outcome::Failed, {}, SystemError(error)};
    }
    const UniqueKernelHandle file(opened);
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.Get(), &size) == FALSE) {
        return {FileRead::Outcome::Failed, {}, SystemError(::GetLastError())};
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > largest) {
        return {FileRead::Outcome::TooLarge};
    }
    FileRead read{FileRead::Outcome::Read,
                  std::string(static_cast<std::size_t>(size.QuadPart), '\0')};
    DWORD done = 0;
    if (!read.bytes.empty() &&
        ::ReadFile(file.Get(), read.bytes.data(), static_cast<DWORD>(read.bytes.size()), &done,
                   nullptr) == FALSE) {
        return {FileRead::Outcome::Failed, {}, SystemError(::GetLastError())};
    }
    read.bytes.resize(done);
    return read;
}

std::optional<FileStamp> Win32UserFiles::StampOf(std::u16string_view path) noexcept {
    try {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (::GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data) == FALSE) {
            return std::nullopt;
        }
        return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                         (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                             data.ftLastWriteTime.dwLowDateTime};
    } catch (...) {
        // A noexcept seam: no memory for the wide path is a stamp that cannot be asked.
        return std::nullopt;
    }
}

SystemError Win32UserFiles::CreateNewFile(std::u16string_view path, std::string_view bytes) {
    const std::wstring wide = ToWide(path);
    ::CreateDirectoryW(FolderOf(wide).c_str(), nullptr);
    const HANDLE created = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        return SystemError(::GetLastError());
    }
    const UniqueKernelHandle file(created);
    DWORD written = 0;
    if (::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                    nullptr) == FALSE) {
        return SystemError(::GetLastError());
    }
    return kSucceeded;
}

SystemError Win32UserFiles::ReplaceFile(std::u16string_view path, std::string_view bytes) {
    // Written beside it under another name, on the disk before it takes the old one's place:
    // whatever stops us on the way, the file is the old one or the new one, never half of one.
    const std::wstring wide = ToWide(path);
    const std::wstring fresh = wide + L".new";
    ::CreateDirectoryW(FolderOf(wide).c_str(), nullptr);
    {
        const HANDLE created = ::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE) {
            return SystemError(::GetLastError());
        }
        const UniqueKernelHandle file(created);
        DWORD written = 0;
        if (::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                        nullptr) == FALSE ||
            ::FlushFileBuffers(file.Get()) == FALSE) {
            const DWORD error = ::GetLastError();
            ::DeleteFileW(fresh.c_str());
            return SystemError(error);
        }
    }
    if (::MoveFileExW(fresh.c_str(), wide.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(fresh.c_str());
        return SystemError(error);
    }
    return kSucceeded;
}

SystemError Win32UserFiles::RenameFile(std::u16string_view from, std::u16string_view to) {
    if (::MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
        return SystemError(::GetLastError());
    }
    return kSucceeded;
}

SystemError Win32UserFiles::WatchSettingsFolder(WindowHandle window,
                                                std::uint32_t message) noexcept {
    StopWatching();
    try {
        folder_ = OmbrelFolder(L"APPDATA");
        if (folder_.empty()) {
            return SystemError(ERROR_ENVVAR_NOT_FOUND);
        }
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        window_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
        message_ = message;
        failure_ = 0;
        change_ = ::FindFirstChangeNotificationW(
            folder_.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
        if (change_ == INVALID_HANDLE_VALUE) {
            return SystemError(::GetLastError());
        }
        if (!waits_.Add(change_, [this] { FolderChanged(); })) {
            StopWatching();
            return SystemError(ERROR_NOT_ENOUGH_QUOTA);
        }
        return kSucceeded;
    } catch (...) {
        // A noexcept seam: no memory for the folder's name is an error like any other.
        return SystemError(ERROR_OUTOFMEMORY);
    }
}

SystemError Win32UserFiles::SettingsWatchFailure() noexcept {
    return SystemError(failure_);
}

void Win32UserFiles::FolderChanged() noexcept {
    // Tell the settings as any other message would, and wait for the next change.
    ::PostMessageW(window_, message_, 0, 0);
    DWORD error = ERROR_SUCCESS;
    if (::FindNextChangeNotification(change_) == FALSE) {
        error = ::GetLastError();
    } else if (::GetFileAttributesW(folder_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // Deleted or renamed: the handle would go on watching a folder nobody saves into.
        error = ::GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        // Stopped: a handle that stays signalled is waited for no longer, until it is set up
        // again.
        failure_ = error;
        waits_.Remove(change_);
        ::PostMessageW(window_, message_, 0, 0);
    }
}

void Win32UserFiles::StopWatching() noexcept {
    if (change_ != INVALID_HANDLE_VALUE) {
        waits_.Remove(change_);
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
        const auto shellExecute = shell_.Function<decltype(::ShellExecuteW)>("ShellExecuteW");
        if (shellExecute == nullptr) {
            return false;
        }
        const auto opened = reinterpret_cast<INT_PTR>(
            shellExecute(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (opened > 32) {
            return true;
        }
        // No program for the kind: Notepad reads any text.
        const std::wstring quoted = L"\"" + file + L"\"";
        return reinterpret_cast<INT_PTR>(shellExecute(nullptr, L"open", L"notepad.exe",
                                                      quoted.c_str(), nullptr, SW_SHOWNORMAL)) > 32;
    } catch (...) {
        // A noexcept seam: no memory for the command line is an editor that did not start.
        return false;
    }
}

}  // namespace ombrel::win32
