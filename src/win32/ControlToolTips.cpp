#include "win32/ControlToolTips.h"

#include "win32/WideText.h"

namespace ombrel::win32 {

void ControlToolTips::Create(HWND window, HINSTANCE instance, UINT dpi) {
    // Owned by nobody: a topmost window owned by the bar would keep the bar itself from being
    // made topmost (seen under Wine). So it goes with the form by hand.
    tooltip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                     instance, nullptr));
    const auto controls = form_.AllControls();
    const std::vector<HWND>& children = controls_.Windows();
    for (std::size_t i = 0; i < children.size() && tooltip_; ++i) {
        if (children[i] == nullptr || controls[i].Layout().tooltip.empty()) {
            continue;
        }
        // The text is asked for each time the tooltip shows (TTN_GETDISPINFOW).
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(children[i]);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // Lines break only within a width: a tooltip may list a desktop's windows, one per line.
    ::SendMessageW(tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0, ::MulDiv(480, static_cast<int>(dpi), 96));
}

bool ControlToolTips::Notified(NMHDR& header) {
    if (header.hwndFrom != tooltip_.Get() || header.code != TTN_GETDISPINFOW) {
        return false;
    }
    OnTextNeeded(*reinterpret_cast<NMTTDISPINFOW*>(&header));
    return true;
}

void ControlToolTips::OnTextNeeded(NMTTDISPINFOW& info) {
    const int index = controls_.IndexOf(reinterpret_cast<HWND>(info.hdr.idFrom));
    if (index < 0) {
        return;
    }
    const Control& control = form_.AllControls()[static_cast<std::size_t>(index)];
    form_.RaiseToolTipNeeded(control.Name(), control.Index());
    // Kept until the next one: the tooltip copies the text when it shows it.
    text_ = ToWide(control.ToolTipText());
    info.lpszText = text_.data();
    info.hinst = nullptr;
}

}  // namespace ombrel::win32
