#pragma once

#include <string>

#include "text/Texts.h"

namespace ombrel::win32 {

// The language Windows shows this user its own texts in, as a locale name ("zh-CN", "en-US");
// empty where Windows does not say.
std::u16string UserDisplayLanguage();

// The language the user's settings file asks for, for the processes that do not keep it in
// force themselves (the command line's client, the guard): Chinese without a usable file.
Language SettingsFileLanguage();

}  // namespace ombrel::win32
