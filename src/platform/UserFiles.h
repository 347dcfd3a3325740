#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WindowHandle.h"

namespace ombrel {

// What a file that is already there answers being created (ERROR_FILE_EXISTS).
inline constexpr std::uint32_t kErrorFileExists = 80;

// The user's own files: the settings file Ombrel reads (and watches), the log it writes, and
// the programs that open them for the user.
class UserFiles {
  public:
    UserFiles() = default;
    UserFiles(const UserFiles&) = delete;
    UserFiles& operator=(const UserFiles&) = delete;
    virtual ~UserFiles() = default;

    // %APPDATA%\Ombrel\settings.json; the schema lies beside it.
    virtual std::u16string SettingsFilePath() = 0;
    // %LOCALAPPDATA%\Ombrel\Ombrel.log.
    virtual std::u16string LogFilePath() = 0;
    // The file's bytes; none when it is not there or cannot be read.
    virtual std::optional<std::string> ReadFile(std::u16string_view path) = 0;
    // Writes a file that is not there yet, making its folder; the Win32 error code.
    virtual std::uint32_t CreateNewFile(std::u16string_view path, std::string_view bytes) = 0;
    // From now on the message is posted to the window whenever something in the settings
    // file's folder changes (the folder is made if it is missing); returns at once.
    virtual bool WatchSettingsFolder(WindowHandle window, std::uint32_t message) noexcept = 0;
    // Opens the file in the program the user has for its kind, Notepad where there is none; an
    // elevated program opens the system's own Notepad, never a program the user's keys name.
    virtual bool OpenInEditor(std::u16string_view path) noexcept = 0;
};

}  // namespace ombrel
