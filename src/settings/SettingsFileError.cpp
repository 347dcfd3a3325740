#include "settings/SettingsFileError.h"

#include <string_view>

#include "platform/Text.h"
#include "text/Texts.h"

namespace ombrel {

std::u16string SettingsFileErrorWhat(const Texts& texts, const SettingsFileError& error) {
    const std::vector<std::u16string_view> arguments(error.arguments.begin(),
                                                     error.arguments.end());
    return texts.Format(error.what, arguments);
}

std::u16string SettingsFileErrorText(const Texts& texts, const SettingsFileError& error) {
    return texts.Format(TextId::SettingsFileErrorAt,
                        {DecimalText(error.at.line), DecimalText(error.at.column),
                         SettingsFileErrorWhat(texts, error)});
}

}  // namespace ombrel
