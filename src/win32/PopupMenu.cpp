#include "win32/PopupMenu.h"

#include <string>
#include <vector>

#include "win32/Handles.h"
#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

namespace ombrel::win32 {

int ShowPopupMenu(HWND owner, std::span<const MenuItem> items, ProgramIcons& programIcons,
                  const POINT* place) noexcept {
    // The pictures outlive the menu that draws them.
    std::vector<UniqueBitmap> icons;
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu) {
        return -1;
    }
    int chosen = 0;
    try {
        // The menu is drawn at the scale of the screen the owner stands on.
        const int iconSize = ::GetSystemMetricsForDpi(SM_CXSMICON, ::GetDpiForWindow(owner));
        icons.reserve(items.size());
        for (std::size_t index = 0; index < items.size(); ++index) {
            const MenuItem& item = items[index];
            // A title's "&" is a character, not the mark of a shortcut key.
            std::wstring text;
            for (wchar_t character : ToWide(item.text)) {
                text += character == L'&' ? std::wstring(L"&&") : std::wstring(1, character);
            }
            MENUITEMINFOW line{};
            line.cbSize = sizeof(line);
            line.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
            line.wID = static_cast<UINT>(index + 1);
            line.dwTypeData = text.data();
            line.fState = item.enabled ? MFS_ENABLED : MFS_DISABLED;
            if (item.iconOf != WindowHandle::None) {
                icons.push_back(WindowIconBitmap(ToHwnd(item.iconOf), iconSize, programIcons));
                if (icons.back()) {
                    line.fMask |= MIIM_BITMAP;
                    line.hbmpItem = icons.back().Get();
                }
            }
            ::InsertMenuItemW(menu.Get(), static_cast<UINT>(index), TRUE, &line);
        }
        POINT at{};
        if (place != nullptr) {
            at = *place;
        } else {
            ::GetCursorPos(&at);
        }
        // The owner in front, or the menu does not close when the user clicks elsewhere.
        ::SetForegroundWindow(owner);
        chosen = ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                  at.y, 0, owner, nullptr);
    } catch (...) {
        chosen = 0;
    }
    return chosen - 1;
}

}  // namespace ombrel::win32
