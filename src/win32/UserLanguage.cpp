#include "win32/UserLanguage.h"

#include <windows.h>

#include "settings/SettingsFile.h"
#include "win32/WideText.h"
#include "win32/Win32UserFiles.h"

namespace ombrel::win32 {

std::u16string UserDisplayLanguage() {
    // The user's display language, not the formats' locale: a user in China may well read his
    // menus in English.
    const LANGID language = ::GetUserDefaultUILanguage();
    wchar_t name[LOCALE_NAME_MAX_LENGTH]{};
    if (::LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) ==
        0) {
        return {};
    }
    return FromWide(name);
}

Language SettingsFileLanguage() {
    MessageLoopWaits waits;  // a read only: nothing is watched
    Win32UserFiles files(waits);
    return LanguageOfUsersSettingsFile(files, UserDisplayLanguage());
}

}  // namespace ombrel::win32
