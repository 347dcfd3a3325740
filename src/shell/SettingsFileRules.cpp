#include "shell/SettingsFileRules.h"

namespace ombrel {

WindowRules RulesFromFile(std::span<const RuleEntry> entries) {
    WindowRules rules;
    rules.reserve(entries.size());
    for (const RuleEntry& entry : entries) {
        WindowPlacement placement;
        switch (entry.action) {
            case RuleEntry::Action::Desktop:
                placement = {WindowPlacement::Kind::Desktop, entry.desktop - 1};
                break;
            case RuleEntry::Action::Pin:
                placement = {WindowPlacement::Kind::Pin, 0};
                break;
            case RuleEntry::Action::Ignore:
                placement = {WindowPlacement::Kind::Ignore, 0};
                break;
        }
        rules.push_back({entry.exe, entry.className, entry.title, placement});
    }
    return rules;
}

}  // namespace ombrel
