#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Changes.h"

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

}  // namespace ombrel
