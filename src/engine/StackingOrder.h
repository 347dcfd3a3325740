#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "engine/WindowTable.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// The z-order of the top-level windows as it stood when taken, in one walk.
class StackingOrder {
  public:
    StackingOrder() = default;
    explicit StackingOrder(WindowSystem& windows) { Take(windows); }

    // Takes the z-order as it stands now, in the storage of the one taken before: a switch
    // among thousands of windows allocates nothing for it.
    void Take(WindowSystem& windows);

    // The given windows that still exist, each once, top first. Where the walk failed, the
    // given order.
    std::vector<WindowHandle> Sorted(std::span<const WindowHandle> windows) const;

  private:
    WindowTable<std::size_t> depth_;
    bool walked_ = false;
};

// Shows or hides a window without waiting on another program: our own windows change at once,
// another program's by posting the request, so a hung program can neither freeze us nor stop a
// run of changes halfway.
enum class ChangeAsked { Done, Posted, Failed };
ChangeAsked ShowOrHideWithoutWaiting(WindowSystem& windows, WindowHandle window,
                                     ShowCommand command) noexcept;

// Shows hidden windows where they stand in the z-order and without taking the focus, so they
// keep the stacking order they had, and the window the user works in keeps the focus.
void ShowInPlace(WindowSystem& windows, std::span<const WindowHandle> hidden) noexcept;

}  // namespace ombrel
