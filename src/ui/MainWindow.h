#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "engine/BarView.h"
#include "engine/DesktopEngine.h"
#include "ui/ProgramLifecycle.h"
#include "ui/forms/Form.h"
#include "ui/forms/FormEvents.h"

namespace ombrel {

// The button bar: its handlers forward to the engine, and it shows what the engine tells it.
// The current desktop is mirrored into the bar's Tag as decimal text, where it has always been
// read.
class MainWindow final : public FormEvents, public BarView {
  public:
    MainWindow(Form& frmMain, Form& frmHelp, Form& frmConfig, DesktopEngine& engine,
               ProgramLifecycle& lifecycle, FormRuntime& forms);

    void OnLoad() override { lifecycle_.Startup(); }
    void OnUnload() override { lifecycle_.Shutdown(); }
    void OnClick(std::u16string_view control, int index) override;
    void OnDblClick() override { frmConfig_.Show(); }
    void OnTimer(std::u16string_view control) override;
    void OnMovedByUser() override { lifecycle_.BarMovedByUser(); }

    void SelectDesktopButton(int index) override;
    void NameDesktop(int index) override;
    void ShowKeysPaused(bool paused) override;
    void ShowDesktopHoldsWindows(int index, bool holdsWindows) override;
    // A desktop button's tooltip lists the desktop's windows as they are at that moment.
    void OnToolTipNeeded(std::u16string_view control, int index) override;
    // The hotkey of this id (a HotkeyTable id) is another program's: its button says so.
    void HotkeyTaken(int id);
    bool BarShown() const override { return frmMain_.Visible(); }
    void ShowBar(bool shown) override { frmMain_.SetVisible(shown); }
    WindowHandle BarWindow() const override { return frmMain_.WindowIfLoaded(); }
    void KeepBarOnScreen() override;
    void EndProgram() override { frmMain_.Unload(); }
    // The top right corner of the main screen, where the bar starts.
    void PlaceBarAtCorner();

  private:
    Form& frmMain_;
    Form& frmHelp_;
    Form& frmConfig_;
    DesktopEngine& engine_;
    ProgramLifecycle& lifecycle_;
    FormRuntime& forms_;
    // The caption as the last switch named the desktop; empty before the first one.
    void ShowCaption();

    std::array<bool, kDesktopCount + 3> hotkeyTaken_{};  // the switch keys, then Ctrl+F10..F12
    std::u16string desktopCaption_;
    bool keysPaused_ = false;
};

// A desktop button's tooltip: its key (or that another program holds it), then the titles of
// the desktop's windows, top first, at most ten, or that it is empty.
std::u16string DesktopToolTip(std::u16string_view key, bool keyTaken,
                              std::span<const std::u16string> titles);

}  // namespace ombrel
