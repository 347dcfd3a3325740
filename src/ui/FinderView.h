#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/WindowHandle.h"

namespace ombrel {

// One row of the finder as it is drawn.
struct FinderLine {
    WindowHandle window{};
    std::u16string where;  // the desktop's number, or the mark of a window on every desktop
    std::u16string title;
    std::u16string program;
    friend bool operator==(const FinderLine&, const FinderLine&) = default;
};

// What the user does in the finder's window.
class FinderViewEvents {
  public:
    FinderViewEvents() = default;
    FinderViewEvents(const FinderViewEvents&) = delete;
    FinderViewEvents& operator=(const FinderViewEvents&) = delete;

    // The text in the box is now this.
    virtual void OnFinderTyped(std::u16string_view text) = 0;
    // Enter (bringHere: with Shift) or a double click on the line of that index.
    virtual void OnFinderChosen(std::size_t line, bool bringHere) = 0;
    // Escape, the window's close box, or a click elsewhere.
    virtual void OnFinderDismissed() = 0;

  protected:
    ~FinderViewEvents() = default;
};

// The finder's window: a text box over a list, in front with the keyboard while it is open.
// Up and Down choose a line in the list while the keyboard stays in the box.
class FinderView {
  public:
    FinderView() = default;
    FinderView(const FinderView&) = delete;
    FinderView& operator=(const FinderView&) = delete;
    virtual ~FinderView() = default;

    // Opens the window, empty, on the screen of the bar at that screen's DPI, in front
    // with the keyboard; an open one is brought to the front again with its text emptied.
    virtual bool Open(WindowHandle bar, std::u16string_view caption, FinderViewEvents& events) = 0;
    // The list holds these lines from now on, the first one chosen.
    virtual void ShowLines(std::span<const FinderLine> lines) = 0;
    virtual void Close() noexcept = 0;
    virtual bool IsOpen() const noexcept = 0;
};

}  // namespace ombrel
