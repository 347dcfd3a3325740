#pragma once

#include <string>
#include <vector>

#include "text/TextId.h"

namespace ombrel {

class Texts;

// 1-based; the column counts characters (Unicode code points), not bytes.
struct SettingsFilePosition {
    int line = 0;
    int column = 0;
    friend bool operator==(const SettingsFilePosition&, const SettingsFilePosition&) = default;
};

// What is wrong, as a text of the table and its arguments: put in words in the language in
// force when it is reported, which the file itself may be about to change.
struct SettingsFileError {
    SettingsFilePosition at;
    TextId what = TextId::SettingsRootNotObject;
    std::vector<std::u16string> arguments;
};

// What is wrong, without the position.
std::u16string SettingsFileErrorWhat(const Texts& texts, const SettingsFileError& error);
// The whole message, the position first ("line 3, column 12: ..."), for the log and the user.
std::u16string SettingsFileErrorText(const Texts& texts, const SettingsFileError& error);

}  // namespace ombrel
