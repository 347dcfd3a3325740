#pragma once

#include <string>

namespace ombrel::win32 {

// The language Windows shows this user its own texts in, as a locale name ("zh-CN", "en-US");
// empty where Windows does not say.
std::u16string UserDisplayLanguage();

}  // namespace ombrel::win32
