#pragma once

#include "engine/BarView.h"
#include "ui/MainWindow.h"
#include "ui/TrayIcon.h"

namespace ombrel {

// The one view the engine tells: the bar, and the tray icon for what it shows of a switch. The
// engine knows nothing of the icon.
class BarAndTrayIcon final : public BarView {
  public:
    BarAndTrayIcon(MainWindow& bar, TrayIcon& tray) : bar_(bar), tray_(tray) {}

    void SelectDesktopButton(int index) override {
        bar_.SelectDesktopButton(index);
        tray_.ShowDesktop(index);
    }
    void NameDesktop(int index) override { bar_.NameDesktop(index); }
    void DesktopsRenamed() override { bar_.DesktopsRenamed(); }
    void ShowDesktopHoldsWindows(int index, bool holdsWindows) override {
        bar_.ShowDesktopHoldsWindows(index, holdsWindows);
    }
    void ShowDesktopWantsAttention(int index, bool wants) override {
        bar_.ShowDesktopWantsAttention(index, wants);
    }
    void ShowKeysPaused(bool paused) override { bar_.ShowKeysPaused(paused); }
    bool BarShown() const override { return bar_.BarShown(); }
    void ShowBar(bool shown) override { bar_.ShowBar(shown); }
    WindowHandle BarWindow() const override { return bar_.BarWindow(); }

  private:
    MainWindow& bar_;
    TrayIcon& tray_;
};

}  // namespace ombrel
