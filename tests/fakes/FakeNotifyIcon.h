#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/NotifyIcon.h"

namespace ombrel::fakes {

// The notification area as far as Ombrel's one icon goes: whether it is there, what it shows,
// and the user's choice in the next menu it puts up.
class FakeNotifyIcon final : public NotifyIcon {
  public:
    int PictureSize() noexcept override { return pictureSize_; }
    bool Add(WindowHandle owner, std::uint32_t message, const IconPicture& picture,
             std::u16string_view tip) noexcept override {
        ++adds_;
        if (!shellRuns_) {
            return false;
        }
        shown_ = true;
        owner_ = owner;
        message_ = message;
        picture_ = picture;
        tip_ = tip;
        return true;
    }
    bool Update(const IconPicture& picture) noexcept override {
        if (!shown_) {
            return false;
        }
        ++updates_;
        picture_ = picture;
        return true;
    }
    void Remove() noexcept override { shown_ = false; }
    int ShowMenu(std::span<const MenuItem> items, ScreenPoint at) noexcept override {
        menuAt_ = at;
        menu_.clear();
        for (const MenuItem& item : items) {
            menu_.emplace_back(item.text);
        }
        const int chosen = choice_;
        choice_ = -1;
        return chosen;
    }

    // The shell ends, and forgets its icons; or runs again.
    void EndShell() {
        shellRuns_ = false;
        shown_ = false;
    }
    void StartShell() { shellRuns_ = true; }
    // The taskbar's small icons are this big from now on.
    void SetPictureSize(int size) { pictureSize_ = size; }
    // The user chooses this line in the next menu; -1 leaves it.
    void ChooseInNextMenu(int line) { choice_ = line; }

    bool Shown() const { return shown_; }
    WindowHandle Owner() const { return owner_; }
    std::uint32_t Message() const { return message_; }
    const IconPicture& Picture() const { return picture_; }
    const std::u16string& Tip() const { return tip_; }
    int Adds() const { return adds_; }
    int Updates() const { return updates_; }
    // The lines of the last menu shown.
    const std::vector<std::u16string>& Menu() const { return menu_; }
    ScreenPoint MenuAt() const { return menuAt_; }

  private:
    bool shellRuns_ = true;
    bool shown_ = false;
    int pictureSize_ = 16;
    WindowHandle owner_ = WindowHandle::None;
    std::uint32_t message_ = 0;
    IconPicture picture_;
    std::u16string tip_;
    int adds_ = 0;
    int updates_ = 0;
    int choice_ = -1;
    std::vector<std::u16string> menu_;
    ScreenPoint menuAt_;
};

}  // namespace ombrel::fakes
