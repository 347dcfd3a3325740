#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/WindowHandle.h"

namespace ombrel {

// A value for each of a number of windows, for the passes that look up every window they meet:
// open addressing in one vector that is kept from one use to the next, so that filling it anew
// allocates nothing once it has grown to the count of windows (a node-based map allocates for
// every window, every time), and emptying it touches no slot.
template <class Value>
class WindowTable {
  public:
    // Empties the table, ready for about count windows.
    void Clear(std::size_t count) {
        size_ = 0;
        if (2 * count > slots_.size() || ++use_ == 0) {
            Resize(count);
        }
    }

    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    // The window's value, and whether it is new; an existing value is left as it was.
    std::pair<Value*, bool> TryEmplace(WindowHandle window, Value value) {
        if (2 * (size_ + 1) > slots_.size()) {
            Grow();
        }
        Slot& slot = slots_[IndexOf(window)];
        if (slot.use == use_) {
            return {&slot.value, false};
        }
        slot = {window, use_, std::move(value)};
        ++size_;
        return {&slot.value, true};
    }

    // Null where the window has no value.
    Value* Find(WindowHandle window) {
        if (size_ == 0) {
            return nullptr;
        }
        Slot& slot = slots_[IndexOf(window)];
        return slot.use == use_ ? &slot.value : nullptr;
    }
    const Value* Find(WindowHandle window) const {
        if (size_ == 0) {
            return nullptr;
        }
        const Slot& slot = slots_[IndexOf(window)];
        return slot.use == use_ ? &slot.value : nullptr;
    }

    // Keeps the values for which keep is true, and drops the others.
    template <class Keep>
    void Retain(Keep&& keep) {
        Rebuild(0, keep);
    }

  private:
    // A slot holds a value in this use of the table only where it was filled in this use.
    struct Slot {
        WindowHandle window = WindowHandle::None;
        std::uint32_t use = 0;
        Value value{};
    };

    // Fibonacci hashing: window handles are often close together, and the product spreads
    // them over the table's high bits.
    std::size_t Home(WindowHandle window) const {
        return static_cast<std::size_t>(
            (static_cast<std::uint64_t>(window) * 0x9E3779B97F4A7C15ULL) >> shift_);
    }

    // The window's slot, or the free one where it would go.
    std::size_t IndexOf(WindowHandle window) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t index = Home(window);; index = (index + 1) & mask) {
            const Slot& slot = slots_[index];
            if (slot.use != use_ || slot.window == window) {
                return index;
            }
        }
    }

    // At most half full, so that a probe ends soon.
    void Resize(std::size_t count) {
        std::size_t capacity = 16;
        unsigned bits = 4;
        while (capacity < 2 * count) {
            capacity *= 2;
            ++bits;
        }
        shift_ = 64 - bits;
        use_ = 1;
        slots_.assign(capacity, Slot{});
    }

    // Moves the values kept into slots made for at least count windows.
    template <class Keep>
    void Rebuild(std::size_t count, Keep&& keep) {
        std::vector<Slot> old = std::move(slots_);
        const std::uint32_t oldUse = use_;
        std::size_t kept = 0;
        for (const Slot& slot : old) {
            kept += slot.use == oldUse && keep(slot.value) ? 1 : 0;
        }
        slots_.clear();
        Resize(std::max(count, kept));
        size_ = kept;
        for (Slot& slot : old) {
            if (slot.use == oldUse && keep(slot.value)) {
                slot.use = use_;
                slots_[IndexOf(slot.window)] = std::move(slot);
            }
        }
    }

    void Grow() {
        Rebuild(size_ + 1, [](const Value&) { return true; });
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
    std::uint32_t use_ = 1;  // slots of earlier uses (and new ones, at 0) are free
    unsigned shift_ = 60;
};

}  // namespace ombrel
