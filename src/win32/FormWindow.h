#pragma once

#include <windows.h>

#include <memory>

#include "ui/forms/Form.h"
#include "win32/ControlToolTips.h"
#include "win32/DropWatcher.h"
#include "win32/FormScale.h"
#include "win32/NativeControls.h"
#include "win32/NativeWindow.h"

namespace ombrel::win32 {

// The native window of one form: framed, sized and placed from its layout, and turning window
// messages into the form's events. One object per form for the program's life; the window
// itself comes and goes with loading and unloading.
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

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(WPARAM id);
    void OnPaint();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnMoved();
    void OnContextMenu(HWND clicked);

    void SizeToLayout();
    void PlaceInitially();
    void SetIcons();

    Form& form_;
    HINSTANCE instance_;
    HWND owner_;
    FormScale scale_;
    bool shownOnce_ = false;
    NativeControls controls_;
    ControlToolTips toolTips_;
    std::unique_ptr<DropWatcher> dropWatcher_;  // only for a form that watches
};

}  // namespace ombrel::win32
