#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PlaceMatching.h"

namespace ombrel {

// The journal's own mark: a file without it is not ours to read.
inline constexpr std::string_view kArrangementFormat = "Ombrel arrangement 1";

// The journal's text (UTF-8): the mark, and each record with its desktop numbered from 1 as the
// user counts them ("pinned" for a pinned window) and the date it was last met; the records, in
// their order, that fit in `largest` bytes.
std::string ArrangementJson(std::span<const PlaceRecord> records, std::size_t largest);
// The records of a journal; none for a text that is not one (not JSON, without the mark, or
// with a record that is not as written).
std::optional<std::vector<PlaceRecord>> ParseArrangementJson(std::string_view utf8);

}  // namespace ombrel
