#pragma once

#include <windows.h>

#include <string>

#include "platform/UserFiles.h"
#include "win32/MessageLoopWaits.h"
#include "win32/SystemLibrary.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// %APPDATA%\Ombrel for the settings, %LOCALAPPDATA%\Ombrel for the log and the arrangement. The
// settings folder is watched by the program's own thread between its messages; a change only
// posts a message, which the settings handle like any other.
class Win32UserFiles final : public UserFiles {
  public:
    explicit Win32UserFiles(MessageLoopWaits& waits) : waits_(waits) {}
    ~Win32UserFiles() override;
    Win32UserFiles(const Win32UserFiles&) = delete;
    Win32UserFiles& operator=(const Win32UserFiles&) = delete;

    std::u16string SettingsFilePath() override;
    std::u16string LogFilePath() override;
    std::u16string ArrangementFilePath() override;
    FileRead ReadFile(std::u16string_view path, std::size_t largest) override;
    std::optional<FileStamp> StampOf(std::u16string_view path) noexcept override;
    SystemError CreateNewFile(std::u16string_view path, std::string_view bytes) override;
    SystemError ReplaceFile(std::u16string_view path, std::string_view bytes) override;
    SystemError RenameFile(std::u16string_view from, std::u16string_view to) override;
    SystemError WatchSettingsFolder(WindowHandle window, std::uint32_t message) noexcept override;
    SystemError SettingsWatchFailure() noexcept override;
    bool OpenInEditor(std::u16string_view path) noexcept override;

  private:
    void FolderChanged() noexcept;
    void StopWatching() noexcept;

    MessageLoopWaits& waits_;
    HANDLE change_ = INVALID_HANDLE_VALUE;  // FindFirstChangeNotificationW's
    HWND window_ = nullptr;
    UINT message_ = 0;
    std::wstring folder_;
    // Set when the watch stops, until it is set up again.
    DWORD failure_ = 0;
    SystemLibrary shell_{L"shell32.dll"};  // for opening a file, which few starts do
};

// %VARIABLE%\Ombrel, or empty when the system names no such folder.
std::wstring OmbrelFolder(const wchar_t* variable);

}  // namespace ombrel::win32
