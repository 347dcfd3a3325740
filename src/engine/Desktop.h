#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/StackingOrder.h"
#include "engine/WindowVisibility.h"
#include "platform/WindowHandle.h"

namespace ombrel {

using WindowSet = std::vector<WindowHandle>;

// One desktop: its windows, top first as they stood when last seen (the windows to show when it
// is entered), its name and the window that asked for the user there.
class Desktop {
  public:
    const WindowSet& Windows() const { return windows_; }
    bool Holds(WindowHandle window) const {
        return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
    }
    bool Empty() const { return windows_.empty(); }

    void Add(WindowHandle window) { windows_.push_back(window); }
    void Add(std::span<const WindowHandle> windows) {
        windows_.insert(windows_.end(), windows.begin(), windows.end());
    }
    // Takes the windows away; true where it held any.
    bool Remove(std::span<const WindowHandle> windows);
    bool Remove(WindowHandle window) { return std::erase(windows_, window) > 0; }
    template <class Predicate>
    void RemoveIf(Predicate&& predicate) {
        std::erase_if(windows_, predicate);
    }
    // Its windows as a refresh found them now, top first.
    void Refill(WindowSet windows) { windows_ = std::move(windows); }
    WindowSet TakeAll() { return std::exchange(windows_, {}); }
    // Its windows in the stacking order of the moment.
    void Restack(const StackingOrder& stacking) { windows_ = stacking.Sorted(windows_); }

    const std::u16string& Name() const { return name_; }
    // True where the name changed.
    bool Rename(std::u16string name) {
        if (name == name_) {
            return false;
        }
        name_ = std::move(name);
        return true;
    }

    WindowHandle Attention() const { return attention_; }
    // The window asks for the user here; true where the desktop was not marked before.
    bool MarkAttention(WindowHandle window) {
        return std::exchange(attention_, window) == WindowHandle::None;
    }
    // True where it was marked.
    bool ClearAttention() {
        return std::exchange(attention_, WindowHandle::None) != WindowHandle::None;
    }

    // Leaving: its windows, in the stacking order of this moment (a window raised since the last
    // refresh leaves, and returns, on top), are hidden bottom-most first.
    void Leave(WindowVisibility& visibility) const { visibility.HideAll(windows_); }
    // Entering: hidden windows keep their place in the z-order, so it comes back as it was
    // left, with its top window (or onTop, where given and here) active again. False when no
    // window of it takes the keyboard.
    bool Enter(const StackingOrder& stacking, WindowVisibility& visibility,
               WindowHandle onTop) const;

  private:
    WindowSet windows_;
    std::u16string name_;
    WindowHandle attention_ = WindowHandle::None;
};

}  // namespace ombrel
