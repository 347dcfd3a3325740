#pragma once

#include <map>
#include <string>
#include <vector>

#include "FakeDesktop.h"
#include "platform/UserFiles.h"

namespace ombrel::fakes {

// Files in memory; a change to the settings folder is posted to the watching window at once,
// as the system's notification would be.
class FakeUserFiles final : public UserFiles {
  public:
    static constexpr std::u16string_view kSettingsFile =
        u"C:\\Users\\user\\AppData\\Roaming\\Ombrel\\settings.json";
    static constexpr std::u16string_view kSchemaFile =
        u"C:\\Users\\user\\AppData\\Roaming\\Ombrel\\settings.schema.json";
    static constexpr std::u16string_view kLogFile =
        u"C:\\Users\\user\\AppData\\Local\\Ombrel\\Ombrel.log";

    explicit FakeUserFiles(FakeDesktop& desktop) : desktop_(desktop) {}

    // The user saves (or, with none, deletes) a file in an editor.
    void Save(std::u16string_view path, std::optional<std::string> bytes) {
        if (bytes) {
            files_[std::u16string(path)] = *bytes;
        } else {
            files_.erase(std::u16string(path));
        }
        if (message_ != 0) {
            desktop_.PostToWindow(window_, message_, 0);
        }
    }
    const std::map<std::u16string, std::string, std::less<>>& Files() const { return files_; }
    const std::vector<std::u16string>& Opened() const { return opened_; }

    std::u16string SettingsFilePath() override { return std::u16string(kSettingsFile); }
    std::u16string LogFilePath() override { return std::u16string(kLogFile); }
    std::optional<std::string> ReadFile(std::u16string_view path) override {
        const auto found = files_.find(path);
        return found == files_.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::uint32_t CreateNewFile(std::u16string_view path, std::string_view bytes) override {
        if (files_.contains(path)) {
            return kErrorFileExists;
        }
        Save(path, std::string(bytes));
        return 0;
    }
    bool WatchSettingsFolder(WindowHandle window, std::uint32_t message) noexcept override {
        window_ = window;
        message_ = message;
        return true;
    }
    bool OpenInEditor(std::u16string_view path) noexcept override {
        opened_.emplace_back(path);
        return true;
    }

  private:
    FakeDesktop& desktop_;
    std::map<std::u16string, std::string, std::less<>> files_;
    std::vector<std::u16string> opened_;
    WindowHandle window_ = WindowHandle::None;
    std::uint32_t message_ = 0;
};

}  // namespace ombrel::fakes
