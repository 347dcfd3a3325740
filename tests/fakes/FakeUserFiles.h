#pragma once

#include <map>
#include <string>
#include <vector>

#include "FakeDesktop.h"
#include "platform/UserFiles.h"

namespace ombrel::fakes {

// Files in memory; a change to the settings folder is posted to the watching window at once,
// as the system's notification would be. A file put in place whole is counted. A file can be held
// by another program or be absent for a few reads (an editor's save), a file larger than the reader
// takes is refused, and the watch can stop or be refused.
class FakeUserFiles final : public UserFiles {
  public:
    static constexpr std::u16string_view kSettingsFile =
        u"C:\\Users\\user\\AppData\\Roaming\\Ombrel\\settings.json";
    static constexpr std::u16string_view kSchemaFile =
        u"C:\\Users\\user\\AppData\\Roaming\\Ombrel\\settings.schema.json";
    static constexpr std::u16string_view kLogFile =
        u"C:\\Users\\user\\AppData\\Local\\Ombrel\\Ombrel.log";
    static constexpr std::u16string_view kArrangementFile =
        u"C:\\Users\\user\\AppData\\Local\\Ombrel\\arrangement.json";

    explicit FakeUserFiles(FakeDesktop& desktop) : desktop_(desktop) {}

    // The user saves (or, with none, deletes) a file in an editor.
    void Save(std::u16string_view path, std::optional<std::string> bytes) {
        if (bytes) {
            files_[std::u16string(path)] = {*bytes, ++clock_};
        } else {
            files_.erase(std::u16string(path));
        }
        if (message_ != 0 && watchFailure_ == 0) {
            desktop_.PostToWindow(window_, message_, 0);
        }
    }
    // The next `reads` reads of the file fail with the code (another program holds it, a
    // network away), or find it absent with code 0, while it stays what it was.
    void FailReads(std::u16string_view path, std::uint32_t code, int reads) {
        failing_[std::u16string(path)] = {code, reads};
    }
    // The folder's watch stops with the code (its folder deleted, a network away): it tells
    // the window once and nothing more.
    void FailWatch(std::uint32_t code) {
        watchFailure_ = code;
        desktop_.PostToWindow(window_, message_, 0);
    }
    // A new watch fails with the code (0: it works again).
    void RefuseWatch(std::uint32_t code) { refuseWatch_ = code; }
    bool Watching() const { return message_ != 0 && watchFailure_ == 0; }
    const std::vector<std::u16string>& Opened() const { return opened_; }
    // The file's bytes; none when it is not there.
    std::optional<std::string> Contents(std::u16string_view path) const {
        const auto found = files_.find(path);
        return found != files_.end() ? std::optional(found->second.bytes) : std::nullopt;
    }
    // How many files were put in place whole, and how many of those calls failed.
    int Replacements() const { return replacements_; }
    // The next replacements fail with the code (0: they work again), the old file staying.
    void RefuseReplacements(std::uint32_t code) { refuseReplacement_ = code; }

    std::u16string SettingsFilePath() override { return std::u16string(kSettingsFile); }
    std::u16string LogFilePath() override { return std::u16string(kLogFile); }
    std::u16string ArrangementFilePath() override { return std::u16string(kArrangementFile); }
    FileRead ReadFile(std::u16string_view path, std::size_t largest) override {
        if (const auto failing = failing_.find(path);
            failing != failing_.end() && failing->second.reads > 0) {
            --failing->second.reads;
            return {
                failing->second.code == 0 ? FileRead::Outcome::Absent : FileRead::Outcome::Failed,
                {},
                SystemError(failing->second.code)};
        }
        const auto found = files_.find(path);
        if (found == files_.end()) {
            return {FileRead::Outcome::Absent};
        }
        if (found->second.bytes.size() > largest) {
            return {FileRead::Outcome::TooLarge};
        }
        return {FileRead::Outcome::Read, found->second.bytes};
    }
    std::optional<FileStamp> StampOf(std::u16string_view path) noexcept override {
        const auto found = files_.find(path);
        if (found == files_.end()) {
            return std::nullopt;
        }
        return FileStamp{found->second.bytes.size(), found->second.written};
    }
    SystemError CreateNewFile(std::u16string_view path, std::string_view bytes) override {
        if (files_.contains(path)) {
            return SystemError(kErrorFileExists);
        }
        Save(path, std::string(bytes));
        return kSucceeded;
    }
    SystemError ReplaceFile(std::u16string_view path, std::string_view bytes) override {
        if (refuseReplacement_ != 0) {
            return SystemError(refuseReplacement_);
        }
        ++replacements_;
        files_[std::u16string(path)] = {std::string(bytes), ++clock_};
        return kSucceeded;
    }
    SystemError RenameFile(std::u16string_view from, std::u16string_view to) override {
        const auto found = files_.find(from);
        if (found == files_.end()) {
            return SystemError(2);  // ERROR_FILE_NOT_FOUND
        }
        File moved = std::move(found->second);
        files_.erase(found);
        files_[std::u16string(to)] = std::move(moved);
        return kSucceeded;
    }
    SystemError WatchSettingsFolder(WindowHandle window, std::uint32_t message) noexcept override {
        if (refuseWatch_ != 0) {
            return SystemError(refuseWatch_);
        }
        window_ = window;
        message_ = message;
        watchFailure_ = 0;
        return kSucceeded;
    }
    SystemError SettingsWatchFailure() noexcept override { return SystemError(watchFailure_); }
    bool OpenInEditor(std::u16string_view path) noexcept override {
        opened_.emplace_back(path);
        return true;
    }

  private:
    struct File {
        std::string bytes;
        std::uint64_t written = 0;  // the clock at the last save
    };
    struct Failing {
        std::uint32_t code = 0;
        int reads = 0;
    };

    FakeDesktop& desktop_;
    std::map<std::u16string, File, std::less<>> files_;
    std::map<std::u16string, Failing, std::less<>> failing_;
    std::uint64_t clock_ = 0;
    int replacements_ = 0;
    std::uint32_t refuseReplacement_ = 0;
    std::uint32_t watchFailure_ = 0;
    std::uint32_t refuseWatch_ = 0;
    std::vector<std::u16string> opened_;
    WindowHandle window_ = WindowHandle::None;
    std::uint32_t message_ = 0;
};

}  // namespace ombrel::fakes
