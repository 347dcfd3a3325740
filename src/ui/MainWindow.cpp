#include "ui/MainWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "ui/layouts/MainWindowLayout.h"

namespace ombrel {
namespace {

constexpr std::u16string_view kDesktopCaptionPrefix = u"这是桌面-";
constexpr float kMarkerOffsetTwips = 30;
// How much of the bar must lie on a screen for the user to reach it: 16 pixels at 96 DPI each
// way (all of it, where it is smaller).
constexpr float kReachableTwips = 240;

}  // namespace

MainWindow::MainWindow(Form& frmMain, Form& frmHelp, Form& frmConfig, DesktopEngine& engine,
                       ProgramLifecycle& lifecycle, FormRuntime& forms)
    : frmMain_(frmMain),
      frmHelp_(frmHelp),
      frmConfig_(frmConfig),
      engine_(engine),
      lifecycle_(lifecycle),
      forms_(forms) {
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

void MainWindow::PlaceBarAtCorner() {
    frmMain_.SetLeft(forms_.ScreenWidthTwips() - frmMain_.Width());
    frmMain_.SetTop(0);
}

void MainWindow::KeepBarOnScreen() {
    const float width = frmMain_.Width();
    const auto height = static_cast<float>(frmMain_.Layout().clientHeightTwips);
    const float left = frmMain_.Left();
    const float top = frmMain_.Top();
    const std::vector<ScreenArea> screens = forms_.WorkAreasTwips();
    const bool reachable =
        screens.empty() ||  // nothing known: leave it where the user put it
        std::any_of(screens.begin(), screens.end(), [&](const ScreenArea& screen) {
            const float across = std::min(left + width, screen.right) - std::max(left, screen.left);
            const float down = std::min(top + height, screen.bottom) - std::max(top, screen.top);
            return across >= std::min(kReachableTwips, width) &&
                   down >= std::min(kReachableTwips, height);
        });
    if (!reachable) {
        PlaceBarAtCorner();
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
