#include "ui/MainWindow.h"

#include <string>

#include "platform/Text.h"
#include "ui/layouts/MainWindowLayout.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kDesktopCaptionPrefix = u"这是桌面-";
constexpr float kMarkerOffsetTwips = 30;

}  // namespace

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
    if (control == bar::kDesktop && IsDesktopIndex(index)) {
        engine_.Run(Command::SwitchTo(index));
    } else if (control == bar::kDesktopIcons) {
        engine_.Run({Command::Kind::ToggleDesktopIcons});
    } else if (control == bar::kTaskbar) {
        engine_.Run({Command::Kind::ToggleTaskbar});
    } else if (control == bar::kHide) {
        // Only the hotkey brings the bar back: a hidden bar has nothing to click.
        frmMain_.Hide();
    } else if (control == bar::kExit) {
        frmMain_.Unload();
    } else if (control == bar::kHelp) {
        frmHelp_.Show();
    } else if (control == bar::kSettings) {
        frmConfig_.Show();
    }
}

void MainWindow::OnTimer(std::u16string_view control) {
    if (control == bar::kRefreshTimer) {
        engine_.CollectDesktopWindows(static_cast<std::int16_t>(engine_.CurrentDesktop()));
    }
}

void MainWindow::MarkDesktop(int index) {
    const Control& button = frmMain_.Controls(bar::kDesktop, index);
    Control& marker = frmMain_.Controls(bar::kMarker);
    marker.SetLeft(button.Left() - kMarkerOffsetTwips);
    marker.SetTop(button.Top() - kMarkerOffsetTwips);
    frmMain_.SetTag(DecimalText(index));
}

void MainWindow::NameDesktop(int index) {
    frmMain_.SetCaption(std::u16string(kDesktopCaptionPrefix) + DecimalText(index + 1));
}

}  // namespace ombrel
