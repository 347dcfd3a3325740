#pragma once

#include <string>

#include "engine/Changes.h"

namespace ombrel {

// One JSON document, UTF-8, on one line.
std::string StateJson(const DesktopState& state);
// One JSON line (without its line end) for a change, naming the current desktop after it.
std::string ChangeJson(const Change& change, int current);

}  // namespace ombrel
