#include "engine/WindowRules.h"

#include "platform/Text.h"

namespace ombrel {
namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c < 0xDC00;
}

// How many UTF-16 units the character at `at` takes: "?" stands for a character, not a unit.
std::size_t UnitsAt(std::u16string_view text, std::size_t at) {
    return IsHighSurrogate(text[at]) && at + 1 < text.size() ? 2 : 1;
}

bool MatchesIfGiven(const std::optional<std::u16string>& pattern,
                    std::optional<std::u16string>& text, auto ask) {
    if (!pattern) {
        return true;
    }
    if (!text) {
        text = ask();
    }
    return MatchesPattern(*pattern, *text);
}

std::u16string MatchedTitle(WindowSystem& windows, WindowHandle window) {
    std::u16string title = windows.WindowTitle(window);
    if (title.size() > kMatchedTitleLength) {
        // Never half a character.
        title.resize(IsHighSurrogate(title[kMatchedTitleLength - 1]) ? kMatchedTitleLength - 1
                                                                     : kMatchedTitleLength);
    }
    return title;
}

}  // namespace

bool MatchesPattern(std::u16string_view pattern, std::u16string_view text) {
    // Two cursors and the last star: on a mismatch the star takes one more character and the
    // rest of the pattern is tried again from there. A later star makes the earlier one final,
    // so nothing is tried twice from the same place.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t star = std::u16string_view::npos;
    std::size_t resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && pattern[p] == u'?') {
            t += UnitsAt(text, t);
            ++p;
        } else if (p < pattern.size() && FoldCase(pattern[p]) == FoldCase(text[t])) {
            ++t;
            ++p;
        } else if (star != std::u16string_view::npos) {
            resume += UnitsAt(text, resume);
            t = resume;
            p = star + 1;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

namespace {

// The member of the first rule that has it and that the window matches.
template <class Member>
Member FirstMatching(std::span<const WindowRule> rules, WindowSystem& windows, WindowHandle window,
                     Member WindowRule::*member) {
    std::optional<std::u16string> exe;
    std::optional<std::u16string> className;
    std::optional<std::u16string> title;
    for (const WindowRule& rule : rules) {
        if ((rule.*member).has_value() &&
            MatchesIfGiven(rule.className, className, [&] { return windows.ClassName(window); }) &&
            MatchesIfGiven(rule.title, title, [&] { return MatchedTitle(windows, window); }) &&
            MatchesIfGiven(rule.exe, exe, [&] { return windows.ProcessNameOf(window); })) {
            return rule.*member;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<WindowPlacement> FirstMatchingRule(std::span<const WindowRule> rules,
                                                 WindowSystem& windows, WindowHandle window) {
    return FirstMatching(rules, windows, window, &WindowRule::placement);
}

std::optional<OnActivate> FirstMatchingOnActivate(std::span<const WindowRule> rules,
                                                  WindowSystem& windows, WindowHandle window) {
    return FirstMatching(rules, windows, window, &WindowRule::onActivate);
}

}  // namespace ombrel
