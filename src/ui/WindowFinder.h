#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Changes.h"
#include "model/Command.h"
#include "text/Texts.h"
#include "ui/FinderView.h"

namespace ombrel {

// One window as the finder lists it.
struct FinderRow {
    WindowHandle window{};
    int desktop = 0;  // its index; kPinnedRow for a window on every desktop
    std::u16string title;
    std::u16string program;
    std::uint64_t lastActive = 0;
    friend bool operator==(const FinderRow&, const FinderRow&) = default;
};
inline constexpr int kPinnedRow = -1;

// Every window of every desktop, pinned ones once, the most recently used first; the others in
// the order of their desktops and, within one, top first.
std::vector<FinderRow> FinderRows(const DesktopState& state);

// The rows whose title or program holds every word typed (apart by blanks), whatever the case,
// in their order; all of them when nothing is typed.
std::vector<FinderRow> FilterRows(const std::vector<FinderRow>& rows, std::u16string_view typed);

// The finder: opened with the windows of the moment, it lists those that hold what is typed;
// the window chosen is gone to, or brought here, by the command that the mouse and the command
// line give for it.
class WindowFinder final : public FinderViewEvents {
  public:
    using RunCommand = std::function<void(const Command&)>;
    WindowFinder(FinderView& view, const Texts& texts, RunCommand run)
        : view_(view), texts_(texts), run_(std::move(run)) {}

    // Opens on the screen of `bar` with every window of the state, nothing typed.
    void Open(const DesktopState& state, WindowHandle bar);
    bool IsOpen() const { return view_.IsOpen(); }

    void OnFinderTyped(std::u16string_view text) override;
    void OnFinderChosen(std::size_t line, bool bringHere) override;
    void OnFinderDismissed() override;

  private:
    void Show(std::vector<FinderRow> rows);

    FinderView& view_;
    const Texts& texts_;
    RunCommand run_;
    std::vector<FinderRow> rows_;   // every window, as opened
    std::vector<FinderRow> shown_;  // those the list shows, in its order
};

}  // namespace ombrel
