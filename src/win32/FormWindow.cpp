#include "win32/FormWindow.h"

#include <algorithm>
#include <string>
#include <utility>

#include "win32/FormDrawing.h"
#include "win32/Resources.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

bool HasShapes(const FormLayout& layout) {
    return std::any_of(layout.controls.begin(), layout.controls.end(),
                       [](const ControlLayout& row) { return row.kind == ControlKind::Shape; });
}

DWORD FrameStyle(const FormLayout& layout) {
    // Only a window that can be closed gets the system menu, and with it the close box. What a
    // window draws itself (the marker) stays under its controls; a window without drawings
    // paints beneath its frames, which draw only their border and title.
    return kFrameStyle | (layout.closeBox ? WS_SYSMENU : 0) |
           (HasShapes(layout) ? WS_CLIPCHILDREN : 0);
}

}  // namespace

void FormWindow::RegisterClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterWindowClass(windowClass);
}

FormWindow::FormWindow(Form& form, HINSTANCE instance, HWND owner)
    : form_(form),
      instance_(instance),
      owner_(owner),
      controls_(form),
      toolTips_(form, controls_) {}

HWND FormWindow::Create() {
    const std::wstring caption = ToWide(form_.Caption());
    const FormLayout& layout = form_.Layout();
    if (CreateNativeWindow(kFrameExStyle, kClassName, caption.c_str(), FrameStyle(layout), owner_,
                           instance_) == nullptr) {
        return nullptr;
    }
    scale_ = FormScale(::GetDpiForWindow(window_));
    SetIcons();
    SizeToLayout();
    PlaceInitially();
    controls_.Create(window_, instance_, scale_);
    toolTips_.Create(window_, instance_, scale_.Dpi());
    OnMoved();
    if (dropWatcher_) {
        dropWatcher_->Attach(window_);
    }
    return window_;
}

void FormWindow::Destroy() {
    if (window_ != nullptr) {
        // Cleared first: messages that DestroyWindow sends must not reach the form any more.
        const HWND window = std::exchange(window_, nullptr);
        if (dropWatcher_) {
            dropWatcher_->Detach();
        }
        ::DestroyWindow(window);
    }
    toolTips_.Destroy();
    controls_.Forget();
    shownOnce_ = false;
}

void FormWindow::SetIcons() {
    const int id = form_.Layout().icon == FormIcon::Settings ? kSettingsIconId : kBarIconId;
    const UINT dpi = scale_.Dpi();
    const auto load = [this, id, dpi](int metricX, int metricY) {
        return reinterpret_cast<LPARAM>(::LoadImageW(
            instance_, MAKEINTRESOURCEW(id), IMAGE_ICON, ::GetSystemMetricsForDpi(metricX, dpi),
            ::GetSystemMetricsForDpi(metricY, dpi), LR_DEFAULTCOLOR | LR_SHARED));
    };
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, load(SM_CXICON, SM_CYICON));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON));
}

void FormWindow::SizeToLayout() {
    const FormLayout& layout = form_.Layout();
    RECT rect{0, 0, scale_.Px(static_cast<float>(layout.clientWidthTwips)),
              scale_.Px(static_cast<float>(layout.clientHeightTwips))};
    ::AdjustWindowRectExForDpi(&rect, FrameStyle(layout), FALSE, kFrameExStyle, scale_.Dpi());
    ::SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::PlaceInitially() {
    if (form_.Layout().placement != FormPlacement::CenterScreen) {
        return;
    }
    RECT window{};
    ::GetWindowRect(window_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ::SetWindowPos(window_, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::Show() {
    ::ShowWindow(window_, SW_SHOW);
    if (!shownOnce_) {
        shownOnce_ = true;
        controls_.FocusFirst();
    }
}

void FormWindow::Hide() {
    ::ShowWindow(window_, SW_HIDE);
}

void FormWindow::CaptionChanged() {
    const std::wstring caption = ToWide(form_.Caption());
    ::SetWindowTextW(window_, caption.c_str());
}

void FormWindow::PositionChanged() {
    ::SetWindowPos(window_, nullptr, ScreenPx(form_.Left()), ScreenPx(form_.Top()), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ControlChanged(const Control& control, ControlChange change) {
    // Shapes and marks lie on the window's own surface.
    if (control.Layout().kind == ControlKind::Shape || change == ControlChange::Mark) {
        ::InvalidateRect(window_, nullptr, TRUE);
        return;
    }
    controls_.Changed(control, change);
}

float FormWindow::OuterWidthTwips() const {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    return ScreenTwips(rect.right - rect.left);
}

void FormWindow::WatchWindowDrops() {
    if (!dropWatcher_) {
        dropWatcher_ = std::make_unique<DropWatcher>(form_, controls_);
    }
    if (window_ != nullptr) {
        dropWatcher_->Attach(window_);
    }
}

void FormWindow::OnMoved() {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    form_.MovedByWindow(ScreenTwips(rect.left), ScreenTwips(rect.top));
}

void FormWindow::OnTimer(WPARAM id) {
    const int index = controls_.IndexOfId(id);
    if (index >= 0) {
        form_.RaiseTimer(form_.AllControls()[static_cast<std::size_t>(index)].Name());
    }
}

void FormWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(window_, &paint);
    DrawShapesAndMarks(dc, form_, scale_);
    ::EndPaint(window_, &paint);
}

void FormWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    scale_ = FormScale(dpi);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    SetIcons();
    controls_.Relayout(scale_);
    ::InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::OnContextMenu(HWND clicked) {
    const int index = controls_.IndexOf(clicked);
    if (index < 0) {
        form_.RaiseContextMenu();  // the menu key with the window itself in front
        return;
    }
    const Control& control = form_.AllControls()[static_cast<std::size_t>(index)];
    form_.RaiseControlContextMenu(control.Name(), control.Index());
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                controls_.Commanded(LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            form_.RaiseDblClick();
            return 0;
        case WM_RBUTTONUP:
            form_.RaiseContextMenu();
            return 0;
        case WM_CONTEXTMENU:
            // A control's right-click reaches its parent as this; the surface's is WM_RBUTTONUP.
            OnContextMenu(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            // Over a control the system hands the wheel on to its parent, here.
            form_.RaiseMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_NOTIFY:
            if (toolTips_.Notified(*reinterpret_cast<NMHDR*>(lParam))) {
                return 0;
            }
            break;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_MOVE:
            OnMoved();
            break;
        case WM_EXITSIZEMOVE:
            form_.RaiseMovedByUser();
            break;
        case WM_CLOSE:
            // Closing unloads the form; the bar's unload is the orderly exit.
            form_.Unload();
            return 0;
        case WM_DPICHANGED:
            // The window takes its new size and place first; then it must still be on a screen.
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            form_.RaiseScreensChanged();
            return 0;
        case WM_DISPLAYCHANGE:
            form_.RaiseScreensChanged();
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace ombrel::win32
