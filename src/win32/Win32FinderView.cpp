#include "win32/Win32FinderView.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/Handles.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
constexpr UINT_PTR kBoxSubclass = 1;

// Sizes at 96 DPI.
constexpr int kWidth = 620;
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kBoxHeight = 26;
constexpr int kLineHeight = 24;
constexpr int kLinesInSight = 12;
constexpr int kWhereWidth = 26;

int Scaled(int pixels, UINT dpi) {
    return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

void DrawTextIn(HDC dc, const std::u16string& text, RECT area, UINT format) {
    const std::wstring wide = ToWide(text);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
                format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

Win32FinderView::~Win32FinderView() {
    // Whoever heard it is gone by now: what DestroyWindow sends tells nobody.
    events_ = nullptr;
    open_ = false;
    if (window_ != nullptr) {
        ::DestroyWindow(std::exchange(window_, nullptr));
    }
}

bool Win32FinderView::Open(WindowHandle bar, std::u16string_view caption,
                           FinderViewEvents& events) {
    events_ = &events;
    if (window_ == nullptr && !Create()) {
        return false;
    }
    ::SetWindowTextW(window_, ToWide(caption).c_str());
    SetText(L"");
    PlaceOn(ToHwnd(bar));
    open_ = true;
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::SetFocus(box_);
    return true;
}

void Win32FinderView::ShowLines(std::span<const FinderLine> lines) {
    lines_.assign(lines.begin(), lines.end());
    // The list holds only the count: the lines are drawn from lines_ as they come into sight.
    ::SendMessageW(list_, LB_SETCOUNT, lines_.size(), 0);
    ::SendMessageW(list_, LB_SETCURSEL, lines_.empty() ? static_cast<WPARAM>(-1) : 0, 0);
}

void Win32FinderView::Close() noexcept {
    if (!open_) {
        return;
    }
    open_ = false;
    ::ShowWindow(window_, SW_HIDE);
    lines_.clear();
    icons_.clear();
    ::SendMessageW(list_, LB_SETCOUNT, 0, 0);
}

bool Win32FinderView::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.hInstance = instance_;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterWindowClass(windowClass);
    if (CreateNativeWindow(kExStyle, kClassName, L"", kStyle, nullptr, instance_) == nullptr) {
        return false;
    }
    box_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                             window_, nullptr, instance_, nullptr);
    list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA |
                                  LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              0, 0, 0, 0, window_, nullptr, instance_, nullptr);
    if (box_ == nullptr || list_ == nullptr ||
        !::SetWindowSubclass(box_, &BoxProcedure, kBoxSubclass,
                             reinterpret_cast<DWORD_PTR>(this))) {
        ::DestroyWindow(std::exchange(window_, nullptr));
        return false;
    }
    Layout(::GetDpiForWindow(window_));
    return true;
}

void Win32FinderView::Layout(UINT dpi) {
    if (dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    // Titles come in every language: the face that has Chinese has the rest too.
    fonts_ = std::make_unique<UiFonts>(dpi, Language::Chinese);
    const HFONT font = fonts_->For(ControlFont::WindowDefault);
    ::SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    lineHeight_ = Scaled(kLineHeight, dpi);
    iconSize_ = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    icons_.clear();  // read again at the new size
    ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, lineHeight_);

    const int margin = Scaled(kMargin, dpi);
    const int width = Scaled(kWidth, dpi) - 2 * margin;
    const int boxHeight = Scaled(kBoxHeight, dpi);
    const int listTop = margin + boxHeight + Scaled(kGap, dpi);
    // The list's own border around its lines.
    const int listHeight =
        lineHeight_ * kLinesInSight + 2 * ::GetSystemMetricsForDpi(SM_CYEDGE, dpi);
    ::MoveWindow(box_, margin, margin, width, boxHeight, TRUE);
    ::MoveWindow(list_, margin, listTop, width, listHeight, TRUE);

    RECT frame{0, 0, Scaled(kWidth, dpi), listTop + listHeight + margin};
    ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FinderView::PlaceOn(HWND bar) {
    const HMONITOR screen = bar != nullptr
                                ? ::MonitorFromWindow(bar, MONITOR_DEFAULTTOPRIMARY)
                                : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(screen, &info)) {
        return;
    }
    const RECT& work = info.rcWork;
    // Onto that screen first: the window takes its DPI there, and with it its size.
    ::SetWindowPos(window_, nullptr, work.left, work.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout(::GetDpiForWindow(window_));
    RECT frame{};
    ::GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 5);
    ::SetWindowPos(window_, HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32FinderView::SetText(const wchar_t* text) {
    settingText_ = true;
    ::SetWindowTextW(box_, text);
    settingText_ = false;
}

void Win32FinderView::MoveChoice(int lines) {
    if (lines_.empty()) {
        return;
    }
    const auto current = static_cast<int>(::SendMessageW(list_, LB_GETCURSEL, 0, 0));
    const int last = static_cast<int>(lines_.size()) - 1;
    const int chosen = std::clamp(std::max(current, 0) + lines, 0, last);
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void Win32FinderView::Choose(bool bringHere) {
    const auto current = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (current != LB_ERR && events_ != nullptr) {
        events_->OnFinderChosen(static_cast<std::size_t>(current), bringHere);
    }
}

HBITMAP Win32FinderView::IconOf(HWND window) {
    auto found = icons_.find(window);
    if (found == icons_.end()) {
        found = icons_.emplace(window, WindowIconBitmap(window, iconSize_, programIcons_)).first;
    }
    return found->second.Get();
}

void Win32FinderView::DrawLine(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool chosen = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &area, ::GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID >= lines_.size()) {
        return;
    }
    const FinderLine& line = lines_[item.itemID];
    ::SetBkMode(dc, TRANSPARENT);
    const COLORREF text = ::GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const int pad = Scaled(kGap, dpi_);
    const int width = area.right - area.left;

    ::SetTextColor(dc, text);
    RECT where{area.left + pad, area.top, area.left + pad + Scaled(kWhereWidth, dpi_), area.bottom};
    DrawTextIn(dc, line.where, where, DT_CENTER);

    const int iconLeft = where.right + pad;
    const int iconTop = area.top + (lineHeight_ - iconSize_) / 2;
    if (const HBITMAP icon = IconOf(ToHwnd(line.window))) {
        const UniqueMemoryDc memory(::CreateCompatibleDC(dc));
        const HGDIOBJ before = ::SelectObject(memory.Get(), icon);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(dc, iconLeft, iconTop, iconSize_, iconSize_, memory.Get(), 0, 0, iconSize_,
                        iconSize_, blend);
        ::SelectObject(memory.Get(), before);
    } else if (const HICON usual = static_cast<HICON>(::LoadImageW(
                   nullptr, IDI_APPLICATION, IMAGE_ICON, iconSize_, iconSize_, LR_SHARED))) {
        // As the taskbar shows a program without an icon of its own.
        ::DrawIconEx(dc, iconLeft, iconTop, usual, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
    }

    // The title takes what the program's name, at most a third of the line, leaves.
    const int programWidth = width / 3;
    const RECT title{iconLeft + iconSize_ + pad, area.top, area.right - programWidth - pad,
                     area.bottom};
    DrawTextIn(dc, line.title, title, DT_LEFT);
    ::SetTextColor(dc, chosen ? text : ::GetSysColor(COLOR_GRAYTEXT));
    const RECT program{area.right - programWidth, area.top, area.right - pad, area.bottom};
    DrawTextIn(dc, line.program, program, DT_LEFT);
}

LRESULT Win32FinderView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == box_ && HIWORD(wParam) == EN_CHANGE &&
                !settingText_ && events_ != nullptr) {
                std::wstring typed(static_cast<std::size_t>(::GetWindowTextLengthW(box_)) + 1,
                                   L'\0');
                typed.resize(static_cast<std::size_t>(
                    ::GetWindowTextW(box_, typed.data(), static_cast<int>(typed.size()))));
                events_->OnFinderTyped(FromWide(typed));
            } else if (reinterpret_cast<HWND>(lParam) == list_) {
                if (HIWORD(wParam) == LBN_DBLCLK) {
                    Choose(false);
                } else if (HIWORD(wParam) == LBN_SELCHANGE) {
                    ::SetFocus(box_);  // the keyboard stays in the box: typing goes on filtering
                }
            }
            return 0;
        case WM_DRAWITEM:
            DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                // A click elsewhere closes it, as a menu closes.
                if (open_ && events_ != nullptr) {
                    events_->OnFinderDismissed();
                }
            } else {
                ::SetFocus(box_);
            }
            return 0;
        case WM_CLOSE:
            if (events_ != nullptr) {
                events_->OnFinderDismissed();
            }
            return 0;
        case WM_DPICHANGED: {
            Layout(HIWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK Win32FinderView::BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR id, DWORD_PTR self) {
    auto& view = *reinterpret_cast<Win32FinderView*>(self);
    try {
        switch (message) {
            case WM_KEYDOWN:
                switch (wParam) {
                    case VK_UP:
                        view.MoveChoice(-1);
                        return 0;
                    case VK_DOWN:
                        view.MoveChoice(1);
                        return 0;
                    case VK_PRIOR:
                        view.MoveChoice(-(kLinesInSight - 1));
                        return 0;
                    case VK_NEXT:
                        view.MoveChoice(kLinesInSight - 1);
                        return 0;
                    case VK_RETURN:
                        view.Choose(::GetKeyState(VK_SHIFT) < 0);
                        return 0;
                    case VK_ESCAPE:
                        if (view.events_ != nullptr) {
                            view.events_->OnFinderDismissed();
                        }
                        return 0;
                    default:
                        break;
                }
                break;
            case WM_CHAR:
                if (wParam == L'\r' || wParam == 0x1B) {
                    return 0;  // taken at the key's press: no beep
                }
                break;
            case WM_MOUSEWHEEL:
                return ::SendMessageW(view.list_, message, wParam, lParam);
            case WM_NCDESTROY:
                ::RemoveWindowSubclass(box, &BoxProcedure, id);
                break;
            default:
                break;
        }
    } catch (...) {
        return 0;  // nothing thrown crosses the window procedure
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace ombrel::win32
