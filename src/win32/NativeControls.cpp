#include "win32/NativeControls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

// A control's id, also its timer's, is its index among the form's controls from here on.
constexpr int kFirstControlId = 100;

struct NativeKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

NativeKind KindOf(const ControlLayout& row) {
    switch (row.kind) {
        case ControlKind::CommandButton:
            return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::CheckBox:
            return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX, 0};
        case ControlKind::Label:
            return {WC_STATICW, SS_LEFT, 0};
        case ControlKind::TextBox:
            return {WC_EDITW,
                    row.multiLine
                        ? DWORD{ES_MULTILINE | ES_AUTOVSCROLL} | (row.readOnly ? ES_READONLY : 0)
                        : DWORD{ES_AUTOHSCROLL} | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Timer:
        case ControlKind::Shape:
            break;
    }
    return {nullptr, 0, 0};
}

bool IsFixedText(const ControlLayout& row) {
    return row.kind == ControlKind::TextBox && row.multiLine && row.readOnly;
}

}  // namespace

void NativeControls::Create(HWND window, HINSTANCE instance, const FormScale& scale) {
    window_ = window;
    scale_ = scale;
    fonts_ = std::make_unique<UiFonts>(scale.Dpi(), form_.TextsInForce().InForce());
    const auto controls = form_.AllControls();
    windows_.assign(controls.size(), nullptr);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control& control = controls[i];
        const ControlLayout& row = control.Layout();
        const int id = kFirstControlId + static_cast<int>(i);
        if (row.kind == ControlKind::Timer) {
            ::SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(row.intervalMs),
                       nullptr);
            continue;
        }
        const NativeKind kind = KindOf(row);
        if (kind.className == nullptr) {
            continue;
        }
        const RECT rect = scale_.ControlRect(form_, control);
        const std::wstring text = ToWide(control.Text());
        const HWND child = ::CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style,
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, child)), FALSE);
        windows_[i] = child;
    }
    ApplyTabOrder();
}

void NativeControls::Forget() {
    window_ = nullptr;
    windows_.clear();
    fittedFonts_.clear();
}

void NativeControls::ApplyTabOrder() {
    // Keyboard focus moves in z-order, so the z-order follows the tab indexes; frames only draw
    // a border and a title and go beneath everything so that the rows over them stay visible.
    std::vector<std::size_t> order;
    const auto controls = form_.AllControls();
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i] != nullptr) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&controls](std::size_t a, std::size_t b) {
        return controls[a].Layout().tabIndex < controls[b].Layout().tabIndex;
    });
    HWND after = HWND_TOP;
    for (std::size_t i : order) {
        const bool frame = controls[i].Layout().kind == ControlKind::Frame;
        ::SetWindowPos(windows_[i], frame ? HWND_BOTTOM : after, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!frame) {
            after = windows_[i];
        }
    }
}

HFONT NativeControls::FontFor(const Control& control, HWND child) {
    const ControlLayout& row = control.Layout();
    if (!IsFixedText(row)) {
        return fonts_->For(row.font, control.Bold());
    }
    // A fixed text shows all its lines: the help's four lines must not scroll out of sight. A
    // longer one (a line for each key of one's own) keeps a readable size and scrolls.
    constexpr int kMostLinesFitted = 5;
    int lines = 0;
    for (std::size_t at = control.Text().find(u'\n'); at != std::u16string::npos;
         at = control.Text().find(u'\n', at + 1)) {
        ++lines;
    }
    const int fitted = std::min(std::max(lines, 1), kMostLinesFitted);
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    const LONG_PTR wanted = lines > fitted ? (style | WS_VSCROLL) : (style & ~WS_VSCROLL);
    if (wanted != style) {
        ::SetWindowLongPtrW(child, GWL_STYLE, wanted);
        ::SetWindowPos(child, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    RECT client{};
    ::GetClientRect(child, &client);
    if (lines > fitted) {
        fittedFonts_.push_back(fonts_->TextFittingLines(fitted, client.bottom - 2));
    } else {
        // Lines that wrap count as the lines they become: English help is longer than Chinese.
        RECT wraps{};
        ::SendMessageW(child, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&wraps));
        fittedFonts_.push_back(fonts_->TextFittingWrapped(
            ToWide(control.Text()), wraps.right - wraps.left, client.bottom - 2));
    }
    return fittedFonts_.back().Get();
}

void NativeControls::Relayout(const FormScale& scale) {
    scale_ = scale;
    fonts_ = std::make_unique<UiFonts>(scale.Dpi(), form_.TextsInForce().InForce());
    fittedFonts_.clear();
    const auto controls = form_.AllControls();
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i] == nullptr) {
            continue;
        }
        const RECT rect = scale_.ControlRect(form_, controls[i]);
        ::SetWindowPos(windows_[i], nullptr, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(windows_[i], WM_SETFONT,
                       reinterpret_cast<WPARAM>(FontFor(controls[i], windows_[i])), TRUE);
    }
}

void NativeControls::Changed(const Control& control, ControlChange change) {
    const auto controls = form_.AllControls();
    const auto index = static_cast<std::size_t>(&control - controls.data());
    const HWND child = index < windows_.size() ? windows_[index] : nullptr;
    if (child == nullptr) {
        return;
    }
    if (fonts_->LanguageShown() != form_.TextsInForce().InForce()) {
        // Its texts are read again in another language: every control takes that one's face.
        Relayout(scale_);
    }
    switch (change) {
        case ControlChange::Text: {
            const std::wstring text = ToWide(control.Text());
            ::SetWindowTextW(child, text.c_str());
            if (IsFixedText(control.Layout())) {
                // A fixed text takes the size its new lines need.
                ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, child)),
                               TRUE);
            }
            break;
        }
        case ControlChange::Value:
            ::SendMessageW(child, BM_SETCHECK, control.Value() == 1 ? BST_CHECKED : BST_UNCHECKED,
                           0);
            break;
        case ControlChange::Position: {
            const RECT rect = scale_.ControlRect(form_, control);
            ::SetWindowPos(child, nullptr, rect.left, rect.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case ControlChange::Bold:
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, child)),
                           TRUE);
            break;
        case ControlChange::ToolTip:  // read when the tooltip next shows
        case ControlChange::Mark:     // drawn by the window on its surface
            break;
    }
}

void NativeControls::FocusFirst() const {
    const auto controls = form_.AllControls();
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i] != nullptr && controls[i].Layout().tabIndex == 0) {
            ::SetFocus(windows_[i]);
        }
    }
}

void NativeControls::Commanded(int id, int code) {
    const int index = IndexOfId(static_cast<std::uintptr_t>(id));
    if (index < 0 || static_cast<std::size_t>(index) >= windows_.size()) {
        return;
    }
    Control& control = form_.AllControls()[static_cast<std::size_t>(index)];
    const HWND child = windows_[static_cast<std::size_t>(index)];
    switch (control.Layout().kind) {
        case ControlKind::TextBox:
            if (code == EN_CHANGE) {
                const int length = ::GetWindowTextLengthW(child);
                std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
                ::GetWindowTextW(child, text.data(), length + 1);
                text.resize(static_cast<std::size_t>(length));
                control.TextEditedByUser(FromWide(text));
            }
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) {
                control.ValueChangedByUser(
                    ::SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
            }
            break;
        case ControlKind::CommandButton:
            if (code == BN_CLICKED) {
                form_.RaiseClick(control.Name(), control.Index());
            }
            break;
        default:
            break;
    }
}

int NativeControls::IndexOf(HWND child) const {
    if (child == nullptr) {
        return -1;
    }
    const auto found = std::find(windows_.begin(), windows_.end(), child);
    return found == windows_.end() ? -1 : static_cast<int>(found - windows_.begin());
}

int NativeControls::IndexOfId(std::uintptr_t id) const {
    const std::uintptr_t index = id - kFirstControlId;
    return index < form_.AllControls().size() ? static_cast<int>(index) : -1;
}

}  // namespace ombrel::win32
