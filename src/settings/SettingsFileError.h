#pragma once

#include <string>

namespace ombrel {

// 1-based; the column counts characters (Unicode code points), not bytes.
struct SettingsFilePosition {
    int line = 0;
    int column = 0;
    friend bool operator==(const SettingsFilePosition&, const SettingsFilePosition&) = default;
};

struct SettingsFileError {
    SettingsFilePosition at;
    std::u16string what;  // in Chinese, without the position
};

// The whole message, the position first ("line 3, column 12: ..."), for the log and the user.
std::u16string SettingsFileErrorText(const SettingsFileError& error);

}  // namespace ombrel
