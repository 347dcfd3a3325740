#pragma once

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

    void MarkDesktop(int index) override;
    void NameDesktop(int index) override;
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
};

}  // namespace ombrel
