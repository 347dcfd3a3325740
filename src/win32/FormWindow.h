#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/forms/Form.h"
#include "win32/NativeWindow.h"
#include "win32/UiFonts.h"
#include "win32/UniqueHandle.h"

namespace ombrel::win32 {

// Screen pixels to and from the twips that place forms (kTwipsPerScreenPixel on every screen).
int ScreenPx(float twips);
float ScreenTwips(LONG pixels);

// The native window of one form: built from its layout, scaled for its DPI, and turning
// window messages into the form's events. One object per form for the program's life; the
// window itself comes and goes with loading and unloading.
class FormWindow final : public NativeWindow {
  public:
    static constexpr const wchar_t* kClassName = L"OmbrelForm";
    static void RegisterClass(HINSTANCE instance);

    FormWindow(Form& form, HINSTANCE instance, HWND owner);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Create();
    void Destroy();
    void Show();
    void Hide();
    void CaptionChanged();
    void PositionChanged();
    void ControlChanged(const Control& control, ControlChange change);
    float OuterWidthTwips() const;
    // From now on another program's window let go over this window raises the form's event.
    void WatchWindowDrops();
    // The system's news of a move or size of another program's window (a WINEVENTPROC).
    static void CALLBACK OnMoveSizeEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                         LONG child, DWORD thread, DWORD time);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code);
    void OnPaint();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnMoved();
    void OnContextMenu(HWND clicked);
    void OnOtherWindowMoveStarted(HWND moving);
    void OnOtherWindowMoveEnded(HWND moved);
    // Where it was hidden or none, the control's index; -1 for none.
    int ControlIndexOf(HWND child) const;

    void CreateControls();
    void ApplyTabOrder();
    void Relayout();
    void SizeToLayout();
    void PlaceInitially();
    void SetIcons();
    int Px(float twips) const;
    RECT ControlRect(const Control& control) const;
    std::size_t IndexOf(const Control& control) const;
    HFONT FontFor(const Control& control, HWND child);
    // The tooltip's entry for a control, to add or update.
    TOOLINFOW ToolFor(HWND child) const;
    // The tooltip is about to show the control's text: the form brings it up to date first.
    void OnToolTipNeeded(NMTTDISPINFOW& info);

    Form& form_;
    HINSTANCE instance_;
    HWND owner_;
    UniqueWindow tooltip_;
    std::wstring toolTipText_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool shownOnce_ = false;
    std::unique_ptr<UiFonts> fonts_;
    std::vector<HWND> controls_;  // parallel to the form's controls; none for timers and shapes
    std::vector<UniqueFont> fittedFonts_;
    bool watchesDrops_ = false;
    // The window of another program the user is moving or sizing, and its size at the start.
    HWND moving_ = nullptr;
    SIZE movingSize_{};
    UINT movingDpi_ = 0;
};

}  // namespace ombrel::win32
