#pragma once

#include <string>
#include <vector>

#include "ui/FinderView.h"

namespace ombrel::fakes {

// The finder's window as the user would work it: what it shows, and his typing and choices.
class FakeFinderView final : public FinderView {
  public:
    bool Open(WindowHandle bar, std::u16string_view caption, FinderViewEvents& events) override {
        events_ = &events;
        bar_ = bar;
        caption_ = caption;
        open_ = true;
        ++openings_;
        return true;
    }
    void ShowLines(std::span<const FinderLine> lines) override {
        lines_.assign(lines.begin(), lines.end());
    }
    void Close() noexcept override { open_ = false; }
    bool IsOpen() const noexcept override { return open_; }

    void Type(std::u16string_view text) { events_->OnFinderTyped(text); }
    void Choose(std::size_t line, bool bringHere = false) {
        events_->OnFinderChosen(line, bringHere);
    }
    void Dismiss() { events_->OnFinderDismissed(); }

    const std::vector<FinderLine>& Lines() const { return lines_; }
    const std::u16string& Caption() const { return caption_; }
    WindowHandle Bar() const { return bar_; }
    int Openings() const { return openings_; }

  private:
    FinderViewEvents* events_ = nullptr;
    WindowHandle bar_ = WindowHandle::None;
    std::u16string caption_;
    std::vector<FinderLine> lines_;
    bool open_ = false;
    int openings_ = 0;
};

}  // namespace ombrel::fakes
