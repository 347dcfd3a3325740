#include "engine/PlaceMatching.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "platform/Text.h"

namespace ombrel {

double TitleLikeness(std::u16string_view a, std::u16string_view b) {
    const std::size_t longer = std::max(a.size(), b.size());
    if (longer == 0) {
        return 1.0;
    }
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t start = 0;
    while (start < shorter && a[start] == b[start]) {
        ++start;
    }
    std::size_t end = 0;
    while (end < shorter - start && a[a.size() - 1 - end] == b[b.size() - 1 - end]) {
        ++end;
    }
    return static_cast<double>(start + end) / static_cast<double>(longer);
}

bool SameProgram(const PlaceRecord& record, const WindowTraits& window) {
    return SameIgnoringCase(record.program, window.program) &&
           SameIgnoringCase(record.className, window.className) &&
           (record.appId.empty() || window.appId.empty() || record.appId == window.appId);
}

std::optional<std::size_t> BestRecord(std::span<const PlaceRecord* const> candidates,
                                      const WindowTraits& window, int order) {
    // Ranked by: the same title, then a title alike enough (the more alike the better), then
    // the distance in the order of appearance, then the earlier in that order.
    using Rank = std::tuple<int, double, int, int>;
    std::optional<std::size_t> best;
    Rank bestRank{};
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const PlaceRecord& record = *candidates[i];
        if (!SameProgram(record, window)) {
            continue;
        }
        const bool same = record.title == window.title;
        const double likeness = same ? 1.0 : TitleLikeness(record.title, window.title);
        const Rank rank{same ? 1 : 0, likeness >= kLikeTitles ? likeness : 0.0,
                        -std::abs(record.order - order), -record.order};
        if (!best || rank > bestRank) {
            best = i;
            bestRank = rank;
        }
    }
    return best;
}

}  // namespace ombrel
