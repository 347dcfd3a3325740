#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SystemError.h"
#include "platform/WindowHandle.h"

namespace ombrel {

// What a file that is already there answers being created (ERROR_FILE_EXISTS).
inline constexpr std::uint32_t kErrorFileExists = 80;
// Another program holds the file open without sharing it (ERROR_SHARING_VIOLATION), or holds a
// lock on part of it (ERROR_LOCK_VIOLATION): a moment later it is usually free.
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorLockViolation = 33;

// What reading a file found. Only a file the system says is not there is absent; a file that
// is there but cannot be read now (held by another program, on a network that is away, denied)
// is a failure, which is not the same thing.
struct FileRead {
    enum class Outcome { Read, Absent, TooLarge, Failed };
    Outcome outcome = Outcome::Absent;
    std::string bytes;  // Read: the whole file
    SystemError error;  // Failed: what the system answered
};

// A file's size and last write time: a change that no watch reported still shows in them.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The user's own files: the settings file Ombrel reads (and watches), the log and the journal of
// where windows were that it writes, and the programs that open them for the user.
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
    // %LOCALAPPDATA%\Ombrel\arrangement.json, beside the log: where windows were.
    virtual std::u16string ArrangementFilePath() = 0;
    // The file's bytes when it holds at most `largest` of them.
    virtual FileRead ReadFile(std::u16string_view path, std::size_t largest) = 0;
    // None when the file is not there or cannot be asked.
    virtual std::optional<FileStamp> StampOf(std::u16string_view path) noexcept = 0;
    // Writes a file that is not there yet, making its folder.
    virtual SystemError CreateNewFile(std::u16string_view path, std::string_view bytes) = 0;
    // Puts a file of these bytes in the place of the file (or where there is none, making its
    // folder), whole or not at all: a power cut leaves the old file or the new one.
    virtual SystemError ReplaceFile(std::u16string_view path, std::string_view bytes) = 0;
    // Gives the file another name, in the place of a file that has that name.
    virtual SystemError RenameFile(std::u16string_view from, std::u16string_view to) = 0;
    // From now on the message is posted to the window whenever something in the settings
    // file's folder changes (the folder is made if it is missing); returns at once, with the
    // error of a watch that could not be set up. A new call replaces the watch.
    virtual SystemError WatchSettingsFolder(WindowHandle window,
                                            std::uint32_t message) noexcept = 0;
    // No error while the watch works; once it has stopped (its folder deleted or renamed, a
    // network that went away), what stopped it. The message is posted when it stops.
    virtual SystemError SettingsWatchFailure() noexcept = 0;
    // Opens the file in the program the user has for its kind, Notepad where there is none; an
    // elevated program opens the system's own Notepad, never a program the user's keys name.
    virtual bool OpenInEditor(std::u16string_view path) noexcept = 0;
};

}  // namespace ombrel
