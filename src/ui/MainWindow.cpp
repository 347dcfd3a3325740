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
constexpr std::size_t kMostTitlesShown = 10;
// A longer title is cut, so that the tooltip stays a list.
constexpr std::size_t kLongestTitle = 60;
constexpr std::u16string_view kKeyTaken = u" 已被其他程序占用";
constexpr std::u16string_view kKeysPaused = u"（热键已暂停）";

// The buttons whose tooltip names a hotkey, by hotkey id after the nine switch keys.
constexpr std::array<std::u16string_view, 3> kToggleButtons{bar::kDesktopIcons, bar::kTaskbar,
                                                            bar::kHide};
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

std::u16string DesktopToolTip(std::u16string_view key, bool keyTaken,
                              std::span<const std::u16string> titles) {
    std::u16string tip(key);
    if (keyTaken) {
        tip += kKeyTaken;
    }
    if (titles.empty()) {
        return tip + u"\r\n（空）";
    }
    for (std::size_t shown = 0; shown < titles.size() && shown < kMostTitlesShown; ++shown) {
        const std::u16string& title = titles[shown];
        tip += u"\r\n";
        if (title.empty()) {
            tip += u"（无标题）";
        } else if (title.size() > kLongestTitle) {
            tip += title.substr(0, kLongestTitle - 1) + u"…";
        } else {
            tip += title;
        }
    }
    if (titles.size() > kMostTitlesShown) {
        tip += u"\r\n另有 " +
               DecimalText(static_cast<long long>(titles.size() - kMostTitlesShown)) + u" 个窗口";
    }
    return tip;
}

void MainWindow::ShowDesktopHoldsWindows(int index, bool holdsWindows) {
    // A desktop that holds windows is told apart at a glance.
    frmMain_.Controls(bar::kDesktop, index).SetBold(holdsWindows);
}

void MainWindow::OnToolTipNeeded(std::u16string_view control, int index) {
    if (control == bar::kDesktop && IsDesktopIndex(index)) {
        Control& button = frmMain_.Controls(bar::kDesktop, index);
        std::u16string key(button.Layout().tooltip);
        if (keysPaused_) {
            key += kKeysPaused;
        }
        button.SetToolTipText(DesktopToolTip(key, hotkeyTaken_.at(static_cast<std::size_t>(index)),
                                             engine_.DesktopTitles(index)));
    }
}

void MainWindow::HotkeyTaken(int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= hotkeyTaken_.size()) {
        return;  // the send keys have no button
    }
    hotkeyTaken_.at(static_cast<std::size_t>(id)) = true;
    if (IsDesktopIndex(id)) {
        return;  // its tooltip is composed when it shows
    }
    Control& button =
        frmMain_.Controls(kToggleButtons.at(static_cast<std::size_t>(id - kDesktopCount)));
    button.SetToolTipText(std::u16string(button.Layout().tooltip) + std::u16string(kKeyTaken));
}

void MainWindow::PlaceBarAtCorner() {
    const std::vector<ScreenArea> screens = forms_.WorkAreasTwips();
    if (screens.empty()) {
        return;  // nothing known: the window stays where the system put it
    }
    const auto primary = std::find_if(screens.begin(), screens.end(),
                                      [](const ScreenArea& screen) { return screen.primary; });
    const ScreenArea& main = primary != screens.end() ? *primary : screens.front();
    // Moving onto a screen of another scale redraws the bar at that scale, wider or narrower:
    // its right edge is put on the screen's once more at the new width.
    for (int tries = 0; tries < 2; ++tries) {
        const float width = frmMain_.Width();
        frmMain_.SetLeft(main.right - width);
        frmMain_.SetTop(main.top);
        if (frmMain_.Width() == width) {
            break;
        }
    }
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

void MainWindow::SelectDesktopButton(int index) {
    const Control& button = frmMain_.Controls(bar::kDesktop, index);
    Control& marker = frmMain_.Controls(bar::kMarker);
    marker.SetLeft(button.Left() - kMarkerOffsetTwips);
    marker.SetTop(button.Top() - kMarkerOffsetTwips);
    frmMain_.SetTag(DecimalText(index));
}

void MainWindow::NameDesktop(int index) {
    desktopCaption_ = std::u16string(kDesktopCaptionPrefix) + DecimalText(index + 1);
    ShowCaption();
}

void MainWindow::ShowKeysPaused(bool paused) {
    keysPaused_ = paused;
    ShowCaption();
}

void MainWindow::ShowCaption() {
    std::u16string caption =
        desktopCaption_.empty() ? std::u16string(frmMain_.Layout().caption) : desktopCaption_;
    if (keysPaused_) {
        caption += kKeysPaused;
    }
    frmMain_.SetCaption(std::move(caption));
}

}  // namespace ombrel
