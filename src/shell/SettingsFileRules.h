#pragma once

#include <span>

#include "engine/WindowRules.h"
#include "settings/SettingsFile.h"

namespace ombrel {

// The file's rules as the engine takes them, in their order.
WindowRules RulesFromFile(std::span<const RuleEntry> entries);

}  // namespace ombrel
