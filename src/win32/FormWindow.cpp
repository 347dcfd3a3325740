#include "win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "win32/Handles.h"
#include "win32/Resources.h"
#include "win32/WideText.h"

namespace ombrel::win32 {
namespace {

constexpr int kFirstControlId = 100;
constexpr int kMarkerPenPixels = 2;
// The dot beneath a marked control: its width, and how far below the control its middle lies.
constexpr float kMarkDotTwips = 75;
constexpr float kMarkDotDropTwips = 52;
// Kept on a form's window while it hears of other programs' windows let go over it.
constexpr const wchar_t* kDropWatcherProperty = L"Ombrel.DropWatcher";
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
    : form_(form), instance_(instance), owner_(owner) {}

HWND FormWindow::Create() {
    const std::wstring caption = ToWide(form_.Caption());
    const FormLayout& layout = form_.Layout();
    if (CreateNativeWindow(kFrameExStyle, kClassName, caption.c_str(), FrameStyle(layout), owner_,
                           instance_) == nullptr) {
        return nullptr;
    }
    dpi_ = ::GetDpiForWindow(window_);
    fonts_ = std::make_unique<UiFonts>(dpi_);
    SetIcons();
    SizeToLayout();
    PlaceInitially();
    CreateControls();
    OnMoved();
    if (watchesDrops_) {
        ::SetPropW(window_, kDropWatcherProperty, this);
    }
    return window_;
}

void FormWindow::Destroy() {
    if (window_ != nullptr) {
        // Clear first: messages that DestroyWindow sends must not reach the form any more.
        const HWND window = std::exchange(window_, nullptr);
        ::RemovePropW(window, kDropWatcherProperty);
        ::DestroyWindow(window);
    }
    tooltip_.Reset();
    controls_.clear();
    fittedFonts_.clear();
    shownOnce_ = false;
}

void FormWindow::SetIcons() {
    const int id = form_.Layout().icon == FormIcon::Settings ? kSettingsIconId : kBarIconId;
    const auto load = [this, id](int metricX, int metricY) {
        return reinterpret_cast<LPARAM>(::LoadImageW(
            instance_, MAKEINTRESOURCEW(id), IMAGE_ICON, ::GetSystemMetricsForDpi(metricX, dpi_),
            ::GetSystemMetricsForDpi(metricY, dpi_), LR_DEFAULTCOLOR | LR_SHARED));
    };
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, load(SM_CXICON, SM_CYICON));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON));
}

int FormWindow::Px(float twips) const {
    return static_cast<int>(std::lround(twips * static_cast<float>(dpi_) / 1440.0F));
}

// Where the window stands is in the screen's own pixels, the same unit on every screen; what
// lies inside it follows its DPI.
int ScreenPx(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerScreenPixel));
}

float ScreenTwips(LONG pixels) {
    return static_cast<float>(pixels) * kTwipsPerScreenPixel;
}

void FormWindow::SizeToLayout() {
    const FormLayout& layout = form_.Layout();
    RECT rect{0, 0, Px(static_cast<float>(layout.clientWidthTwips)),
              Px(static_cast<float>(layout.clientHeightTwips))};
    ::AdjustWindowRectExForDpi(&rect, FrameStyle(layout), FALSE, kFrameExStyle, dpi_);
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

RECT FormWindow::ControlRect(const Control& control) const {
    float left = control.Left();
    float top = control.Top();
    // Controls inside a frame are children of the window too, offset by the frame's place.
    if (const std::u16string_view parent = control.Layout().parent; !parent.empty()) {
        const Control& frame = form_.Controls(parent);
        left += frame.Left();
        top += frame.Top();
    }
    const ControlLayout& row = control.Layout();
    const int x = Px(left);
    const int y = Px(top);
    return {x, y, x + Px(static_cast<float>(row.widthTwips)),
            y + Px(static_cast<float>(row.heightTwips))};
}

std::size_t FormWindow::IndexOf(const Control& control) const {
    const auto controls = form_.AllControls();
    return static_cast<std::size_t>(&control - controls.data());
}

HFONT FormWindow::FontFor(const Control& control, HWND child) {
    const ControlLayout& row = control.Layout();
    if (row.kind != ControlKind::TextBox || !row.multiLine || !row.readOnly) {
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
    fittedFonts_.push_back(fonts_->TextFittingLines(fitted, client.bottom - 2));
    return fittedFonts_.back().Get();
}

void FormWindow::CreateControls() {
    const auto controls = form_.AllControls();
    controls_.assign(controls.size(), nullptr);
    // Owned by nobody: a topmost window owned by the bar would keep the bar itself from being
    // made topmost (seen under Wine). So it goes with the form by hand.
    tooltip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                     instance_, nullptr));
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
        const RECT rect = ControlRect(control);
        const std::wstring text = ToWide(control.Text());
        const HWND child = ::CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style,
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, child)), FALSE);
        controls_[i] = child;
        if (!row.tooltip.empty() && tooltip_) {
            // The text is asked for each time the tooltip shows (TTN_GETDISPINFOW), so that it
            // can say what is true at that moment.
            TOOLINFOW tool = ToolFor(child);
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.lpszText = LPSTR_TEXTCALLBACKW;
            ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    // Lines break only within a width: a tooltip may list a desktop's windows, one per line.
    ::SendMessageW(tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0,
                   ::MulDiv(480, static_cast<int>(dpi_), 96));
    ApplyTabOrder();
}

void FormWindow::ApplyTabOrder() {
    // Keyboard focus moves in z-order, so the z-order follows the tab indexes; frames only draw
    // a border and a title and go beneath everything so that the rows over them stay visible.
    std::vector<std::size_t> order;
    const auto controls = form_.AllControls();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i] != nullptr) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&controls](std::size_t a, std::size_t b) {
        return controls[a].Layout().tabIndex < controls[b].Layout().tabIndex;
    });
    HWND after = HWND_TOP;
    for (std::size_t i : order) {
        const bool frame = controls[i].Layout().kind == ControlKind::Frame;
        ::SetWindowPos(controls_[i], frame ? HWND_BOTTOM : after, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!frame) {
            after = controls_[i];
        }
    }
}

void FormWindow::Relayout() {
    fonts_ = std::make_unique<UiFonts>(dpi_);
    fittedFonts_.clear();
    const auto controls = form_.AllControls();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i] == nullptr) {
            continue;
        }
        const RECT rect = ControlRect(controls[i]);
        ::SetWindowPos(controls_[i], nullptr, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(controls_[i], WM_SETFONT,
                       reinterpret_cast<WPARAM>(FontFor(controls[i], controls_[i])), TRUE);
    }
    ::InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::Show() {
    ::ShowWindow(window_, SW_SHOW);
    if (!shownOnce_) {
        shownOnce_ = true;
        // The control with tab index 0 has the focus when the window is first shown.
        const auto controls = form_.AllControls();
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            if (controls_[i] != nullptr && controls[i].Layout().tabIndex == 0) {
                ::SetFocus(controls_[i]);
            }
        }
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
    const std::size_t index = IndexOf(control);
    const HWND child = index < controls_.size() ? controls_[index] : nullptr;
    if (control.Layout().kind == ControlKind::Shape) {
        ::InvalidateRect(window_, nullptr, TRUE);
        return;
    }
    if (child == nullptr) {
        return;
    }
    switch (change) {
        case ControlChange::Text: {
            const std::wstring text = ToWide(control.Text());
            ::SetWindowTextW(child, text.c_str());
            const ControlLayout& row = control.Layout();
            if (row.kind == ControlKind::TextBox && row.multiLine && row.readOnly) {
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
            const RECT rect = ControlRect(control);
            ::SetWindowPos(child, nullptr, rect.left, rect.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case ControlChange::ToolTip:
            break;  // read when the tooltip next shows
        case ControlChange::Bold:
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, child)),
                           TRUE);
            break;
        case ControlChange::Mark:
            ::InvalidateRect(window_, nullptr, TRUE);  // the dot lies on the window's surface
            break;
    }
}

void FormWindow::OnToolTipNeeded(NMTTDISPINFOW& info) {
    const auto controls = form_.AllControls();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i] != nullptr &&
            reinterpret_cast<UINT_PTR>(controls_[i]) == info.hdr.idFrom) {
            form_.RaiseToolTipNeeded(controls[i].Name(), controls[i].Index());
            // Kept until the next one: the tooltip copies the text when it shows it.
            toolTipText_ = ToWide(controls[i].ToolTipText());
            info.lpszText = toolTipText_.data();
            info.hinst = nullptr;
            return;
        }
    }
}

TOOLINFOW FormWindow::ToolFor(HWND child) const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    return tool;
}

float FormWindow::OuterWidthTwips() const {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    return ScreenTwips(rect.right - rect.left);
}

void FormWindow::OnMoved() {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    form_.MovedByWindow(ScreenTwips(rect.left), ScreenTwips(rect.top));
}

void FormWindow::OnCommand(int id, int code) {
    const auto controls = form_.AllControls();
    const int index = id - kFirstControlId;
    if (index < 0 || static_cast<std::size_t>(index) >= controls.size()) {
        return;
    }
    Control& control = controls[static_cast<std::size_t>(index)];
    const HWND child = controls_[static_cast<std::size_t>(index)];
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

void FormWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(window_, &paint);
    // The marker is drawn on the window's own surface; the buttons, being children, lie above.
    const HBRUSH brush = ::GetSysColorBrush(COLOR_ACTIVECAPTION);
    for (const Control& control : form_.AllControls()) {
        if (control.Layout().kind != ControlKind::Shape) {
            continue;
        }
        RECT outer = ControlRect(control);
        for (int ring = 0; ring < kMarkerPenPixels; ++ring) {
            ::FrameRect(dc, &outer, brush);
            ::InflateRect(&outer, -1, -1);
        }
    }
    // A marked control has a dot beneath it in the colour the system highlights with.
    {
        const ScopedSelection noPen(dc, ::GetStockObject(NULL_PEN));
        const ScopedSelection highlight(dc, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        const int diameter = std::max(Px(kMarkDotTwips), 4);
        for (const Control& control : form_.AllControls()) {
            if (!control.Marked()) {
                continue;
            }
            const RECT rect = ControlRect(control);
            const int middleX = (rect.left + rect.right) / 2;
            const int middleY = rect.bottom + Px(kMarkDotDropTwips);
            // Ellipse leaves out the right and bottom edges: one more each way.
            ::Ellipse(dc, middleX - diameter / 2, middleY - diameter / 2,
                      middleX - diameter / 2 + diameter + 1, middleY - diameter / 2 + diameter + 1);
        }
    }
    ::EndPaint(window_, &paint);
}

void FormWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    SetIcons();
    Relayout();
}

int FormWindow::ControlIndexOf(HWND child) const {
    if (child == nullptr) {
        return -1;
    }
    const auto found = std::find(controls_.begin(), controls_.end(), child);
    return found == controls_.end() ? -1 : static_cast<int>(found - controls_.begin());
}

void FormWindow::OnContextMenu(HWND clicked) {
    const int index = ControlIndexOf(clicked);
    if (index < 0) {
        form_.RaiseContextMenu();  // the menu key with the window itself in front
        return;
    }
    const Control& control = form_.AllControls()[static_cast<std::size_t>(index)];
    form_.RaiseControlContextMenu(control.Name(), control.Index());
}

void FormWindow::WatchWindowDrops() {
    watchesDrops_ = true;
    if (window_ != nullptr) {
        ::SetPropW(window_, kDropWatcherProperty, this);
    }
}

void CALLBACK FormWindow::OnMoveSizeEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND window,
                                          LONG object, LONG /*child*/, DWORD /*thread*/,
                                          DWORD /*time*/) {
    // Only top-level windows; their parts send the same news.
    if (object != OBJID_WINDOW || window == nullptr || ::GetAncestor(window, GA_ROOT) != window) {
        return;
    }
    struct News {
        DWORD event;
        HWND window;
    };
    News news{event, window};
    // The forms that listen are found through their windows, which carry them: the hook's
    // procedure is told nothing else.
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND form, LPARAM context) -> BOOL {
            auto* watcher = static_cast<FormWindow*>(::GetPropW(form, kDropWatcherProperty));
            if (watcher != nullptr && watcher->window_ == form) {
                const News& told = *reinterpret_cast<const News*>(context);
                try {
                    if (told.event == EVENT_SYSTEM_MOVESIZESTART) {
                        watcher->OnOtherWindowMoveStarted(told.window);
                    } else if (told.event == EVENT_SYSTEM_MOVESIZEEND) {
                        watcher->OnOtherWindowMoveEnded(told.window);
                    }
                } catch (...) {
                    // Nothing crosses the system's callback; the window stays where it is.
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&news));
}

void FormWindow::OnOtherWindowMoveStarted(HWND moving) {
    RECT rect{};
    moving_ = ::GetWindowRect(moving, &rect) != FALSE ? moving : nullptr;
    movingSize_ = {rect.right - rect.left, rect.bottom - rect.top};
    movingDpi_ = ::GetDpiForWindow(moving);
}

void FormWindow::OnOtherWindowMoveEnded(HWND moved) {
    // A window whose size changed was sized, not carried: its edge let go over a button is no
    // wish to send it anywhere.
    // One carried onto a screen of another scale was resized by the system in proportion.
    RECT rect{};
    const UINT dpi = ::GetDpiForWindow(moved);
    const auto same = [&](LONG before, LONG after) {
        const LONG expected = movingDpi_ == 0 || dpi == 0 ? before
                                                          : ::MulDiv(before, static_cast<int>(dpi),
                                                                     static_cast<int>(movingDpi_));
        return std::abs(after - expected) <= 2;
    };
    const bool sized = moved != std::exchange(moving_, nullptr) ||
                       ::GetWindowRect(moved, &rect) == FALSE ||
                       !same(movingSize_.cx, rect.right - rect.left) ||
                       !same(movingSize_.cy, rect.bottom - rect.top);
    POINT at{};
    if (sized || window_ == nullptr || ::IsWindowVisible(window_) == FALSE ||
        ::GetCursorPos(&at) == FALSE) {
        return;
    }
    // Only where the user sees this window under the pointer, not what it covers.
    const HWND under = ::WindowFromPoint(at);
    if (under == nullptr || ::GetAncestor(under, GA_ROOT) != window_) {
        return;
    }
    const int index = ControlIndexOf(under);
    if (index < 0) {
        form_.RaiseWindowDropped(FromHwnd(moved), {});
        return;
    }
    const Control& control = form_.AllControls()[static_cast<std::size_t>(index)];
    form_.RaiseWindowDropped(FromHwnd(moved), control.Name(), control.Index());
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                OnCommand(LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        case WM_TIMER: {
            const auto controls = form_.AllControls();
            const std::size_t index = wParam - kFirstControlId;
            if (index < controls.size()) {
                form_.RaiseTimer(controls[index].Name());
            }
            return 0;
        }
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
        case WM_NOTIFY: {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (info->hdr.hwndFrom == tooltip_.Get() && info->hdr.code == TTN_GETDISPINFOW) {
                OnToolTipNeeded(*info);
                return 0;
            }
            break;
        }
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
