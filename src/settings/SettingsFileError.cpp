#include "settings/SettingsFileError.h"

#include "platform/Text.h"
#include "text/Texts.h"

namespace ombrel {

std::u16string SettingsFileErrorText(const SettingsFileError& error) {
    return FormatText(TextId::SettingsFileErrorAt,
                      {DecimalText(error.at.line), DecimalText(error.at.column), error.what});
}

}  // namespace ombrel
