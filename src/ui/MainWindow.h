#pragma once

#include <array>
#include <functional>
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
    // Programs asked to end may ask the user to save: from windows he can see.
    void OnSessionEnding() override { lifecycle_.Run(SessionEnding{}); }
    void OnClick(std::u16string_view control, int index) override;
    void OnDblClick() override { frmConfig_.Show(); }
    // A small menu: the settings, the settings file, the log.
    void OnContextMenu() override;
    // That menu, put up by show (which returns the index chosen, or -1) and the choice carried
    // out; with exit where the bar's exit button is out of reach.
    void ProgramMenu(const std::function<int(std::span<const MenuItem>)>& show, bool withExit);
    // On a desktop button: a menu of the desktop's windows; choosing one goes there. Elsewhere
    // the bar's own menu.
    void OnControlContextMenu(std::u16string_view control, int index) override;
    // Each notch away from the user goes to the previous desktop, towards him to the next; a
    // touchpad's small steps add up to a notch first.
    void OnMouseWheel(int delta) override;
    // Let go over a desktop button, the window and its family go to that desktop.
    void OnWindowDropped(WindowHandle window, std::u16string_view control, int index) override;
    void OnTimer(std::u16string_view control) override;
    void OnMovedByUser() override { lifecycle_.BarMovedByUser(); }
    void OnScreensChanged() override { KeepBarOnScreen(); }

    void SelectDesktopButton(int index) override;
    void NameDesktop(int index) override;
    void ShowKeysPaused(bool paused) override;
    void ShowDesktopHoldsWindows(int index, bool holdsWindows) override;
    void ShowDesktopWantsAttention(int index, bool wants) override;
    // A desktop button's tooltip lists the desktop's windows as they are at that moment.
    void OnToolTipNeeded(std::u16string_view control, int index) override;
    // The keys in force, and those another program holds: each button's tooltip names the first
    // key that does what the button does, or says that none does.
    void ShowKeys(const KeyBindings& keys, std::span<const HotkeyRefusal> refused);
    // The desktops' names are in the caption and on the buttons' tooltips.
    void DesktopsRenamed() override { ShowCaption(); }
    // The language changed: the buttons and the caption are read again.
    void Retext();
    bool BarShown() const override { return frmMain_.Visible(); }
    void ShowBar(bool shown) override { frmMain_.SetVisible(shown); }
    WindowHandle BarWindow() const override { return frmMain_.WindowIfLoaded(); }
    // Puts a bar that lies outside every screen back at the top right of the main one.
    void KeepBarOnScreen();
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

    // What each button's tooltip says of its key: the desktop buttons', then those of the buttons
    // that toggle the desktop icons, the taskbar and the bar.
    struct ButtonKey {
        std::u16string name;
        bool taken = false;
    };
    std::array<ButtonKey, kDesktopCount + 3> buttonKeys_;
    int namedDesktop_ = -1;  // the desktop the caption names; none before the first switch
    int wheelRest_ = 0;      // the wheel's turn not yet a whole notch, signed like its deltas
    bool keysPaused_ = false;
};

// A desktop button's tooltip: its key (or that another program holds it), the title of the
// window that asked for the user there (if one did), then the titles of the desktop's windows,
// top first, at most ten, or that it is empty.
std::u16string DesktopToolTip(const Texts& texts, std::u16string_view key, bool keyTaken,
                              std::span<const std::u16string> titles,
                              const std::u16string* asking = nullptr);

}  // namespace ombrel
