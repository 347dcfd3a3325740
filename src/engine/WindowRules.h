#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/WindowRule.h"
#include "platform/WindowSystem.h"

namespace ombrel {

// Whether the text matches the pattern: "*" stands for any run of characters, "?" for any one,
// and letters match in either case. Time grows with the lengths multiplied, never worse.
bool MatchesPattern(std::u16string_view pattern, std::u16string_view text);

// The placement of the first rule with one that the window matches; none when no rule does.
// Only what the rules look at is asked of the window, each at most once.
std::optional<WindowPlacement> FirstMatchingRule(std::span<const WindowRule> rules,
                                                 WindowSystem& windows, WindowHandle window);
// The onActivate of the first rule with one that the window matches.
std::optional<OnActivate> FirstMatchingOnActivate(std::span<const WindowRule> rules,
                                                  WindowSystem& windows, WindowHandle window);

}  // namespace ombrel
