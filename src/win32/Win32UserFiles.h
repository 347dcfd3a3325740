#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/UserFiles.h"
#include "win32/SystemLibrary.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// %APPDATA%\Ombrel for the settings, %LOCALAPPDATA%\Ombrel for the log and the arrangement. The
// settings folder is watched by the system's thread pool, which only posts a message: everything
// else happens on the program's own thread.
class Win32UserFiles final : public UserFiles {
  public:
    Win32UserFiles() = default;
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
    static void CALLBACK FolderChanged(void* context, BOOLEAN timedOut) noexcept;
    void StopWatching() noexcept;

    HANDLE change_ = INVALID_HANDLE_VALUE;  // FindFirstChangeNotificationW's
    HANDLE wait_ = nullptr;                 // RegisterWaitForSingleObject's
    HWND window_ = nullptr;
    UINT message_ = 0;
    std::wstring folder_;
    // Set by the pool's thread when the watch stops; from then on its calls do nothing.
    std::atomic<DWORD> failure_ = 0;
    SystemLibrary shell_{L"shell32.dll"};  // for opening a file, which few starts do
};

// %VARIABLE%\Ombrel, or empty when the system names no such folder.
std::wstring OmbrelFolder(const wchar_t* variable);

}  // namespace ombrel::win32
