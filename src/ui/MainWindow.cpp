#include "ui/MainWindow.h"

namespace ombrel {

MainWindow::MainWindow(Form& frmMain, Form& frmHelp, Form& frmConfig, DesktopEngine& engine,
                       ProgramLifecycle& lifecycle)
    : frmMain_(frmMain),
      frmHelp_(frmHelp),
      frmConfig_(frmConfig),
      engine_(engine),
      lifecycle_(lifecycle) {
    frmMain_.SetEvents(*this);
}

void MainWindow::OnClick(std::u16string_view control, int index) {
    if (control == u"cmdDesktop" && IsDesktopIndex(index)) {
        engine_.SwitchDesktop(static_cast<std::int16_t>(index));
    } else if (control == u"cmdDesk") {
        engine_.SwitchDesktop(kToggleDesktopIcons);
    } else if (control == u"cmdTray") {
        engine_.SwitchDesktop(kToggleTaskbar);
    } else if (control == u"cmdHide") {
        // Only the hotkey brings the bar back: a hidden bar has nothing to click.
        frmMain_.Hide();
    } else if (control == u"Command1") {
        frmMain_.Unload();
    } else if (control == u"Command2") {
        frmHelp_.Show();
    } else if (control == u"cmdConfig") {
        frmConfig_.Show();
    }
}

void MainWindow::OnTimer(std::u16string_view control) {
    if (control == u"tmrFresh") {
        engine_.CollectDesktopWindows(static_cast<std::int16_t>(engine_.CurrentDesktop()));
    }
}

}  // namespace ombrel
