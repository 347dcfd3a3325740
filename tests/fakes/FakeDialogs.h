#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/CommonDialogs.h"

namespace ombrel::fakes {

// The open-file dialog answers with what the test queued; message boxes are recorded.
class FakeDialogs final : public CommonDialogs {
  public:
    struct ShownMessage {
        WindowHandle owner;
        std::u16string text;
        std::u16string caption;
        std::uint32_t style;
    };

    // The next open-file dialog chooses this path (nullopt: the user cancels).
    void QueueChoice(std::optional<std::u16string> path) { choices_.push_back(std::move(path)); }
    const std::vector<OpenFileRecord>& OpenFileCalls() const { return openFileCalls_; }
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // Every notice shown, the last one the open one (a notice replaces the one before).
    const std::vector<std::u16string>& Notices() const { return notices_; }

    bool ShowOpenFileDialog(OpenFileRecord& record) noexcept override;
    int ShowMessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                       std::uint32_t style) noexcept override;
    void ShowNotice(std::u16string_view text, std::u16string_view caption) noexcept override;

  private:
    std::deque<std::optional<std::u16string>> choices_;
    std::vector<OpenFileRecord> openFileCalls_;
    std::vector<ShownMessage> messages_;
    std::vector<std::u16string> notices_;
};

}  // namespace ombrel::fakes
