#include "ui/MainWindow.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "text/Texts.h"
#include "ui/layouts/MainWindowLayout.h"

namespace ombrel {
namespace {

constexpr float kMarkerOffsetTwips = 30;
constexpr std::size_t kMostTitlesShown = 10;
// A longer title is cut, so that the tooltip stays a list.
constexpr std::size_t kLongestTitle = 60;
// What one notch of a mouse wheel reports (WHEEL_DELTA).
constexpr int kWheelNotch = 120;

// A title as the bar lists it: cut where it is long, named where it is empty.
std::u16string ShownTitle(const Texts& texts, const std::u16string& title) {
    if (title.empty()) {
        return std::u16string(texts.Text(TextId::UntitledWindow));
    }
    if (title.size() > kLongestTitle) {
        // Never half of a character that takes two units.
        std::size_t cut = kLongestTitle - 1;
        if (title[cut - 1] >= 0xD800 && title[cut - 1] < 0xDC00) {
            --cut;
        }
        return title.substr(0, cut) + u"…";
    }
    return title;
}

// The buttons whose tooltip names a hotkey, by hotkey id after the nine switch keys.
constexpr std::array<std::u16string_view, 3> kToggleButtons{bar::kDesktopIcons, bar::kTaskbar,
                                                            bar::kHide};
constexpr std::array<Command, 3> kToggleCommands{Command{Command::Kind::ToggleDesktopIcons},
                                                 Command{Command::Kind::ToggleTaskbar},
                                                 Command{Command::Kind::ToggleBar}};
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
        lifecycle_.Run(Command::SwitchTo(index));
    } else if (control == bar::kDesktopIcons) {
        lifecycle_.Run(Command{Command::Kind::ToggleDesktopIcons});
    } else if (control == bar::kTaskbar) {
        lifecycle_.Run(Command{Command::Kind::ToggleTaskbar});
    } else if (control == bar::kHide) {
        // Only the hotkey brings the bar back: a hidden bar has nothing to click.
        lifecycle_.Run(Command{Command::Kind::ToggleBar});
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
        lifecycle_.Refreshed();
    }
}

void MainWindow::OnContextMenu() {
    ProgramMenu(
        [this](std::span<const MenuItem> items) { return forms_.ShowMenu(frmMain_, items); },
        false);
}

void MainWindow::ProgramMenu(const std::function<int(std::span<const MenuItem>)>& show,
                             bool withExit) {
    const Texts& texts = frmMain_.TextsInForce();
    const std::array<MenuItem, 4> items{MenuItem{texts.Text(TextId::SettingsMenuItem)},
                                        MenuItem{texts.Text(TextId::EditSettingsFileMenuItem)},
                                        MenuItem{texts.Text(TextId::OpenLogMenuItem)},
                                        MenuItem{texts.Text(TextId::ExitMenuItem)}};
    switch (show(std::span<const MenuItem>(items).first(withExit ? 4 : 3))) {
        case 0:
            frmConfig_.Show();
            break;
        case 1:
            lifecycle_.EditSettingsFile();
            break;
        case 2:
            lifecycle_.OpenLog();
            break;
        case 3:
            // The way the exit button goes.
            OnClick(bar::kExit, kNoIndex);
            break;
        default:
            break;
    }
}

std::u16string DesktopToolTip(const Texts& texts, std::u16string_view key, bool keyTaken,
                              std::span<const std::u16string> titles,
                              const std::u16string* asking) {
    std::u16string tip =
        keyTaken ? texts.Format(TextId::KeyTakenByAnotherProgram, {key}) : std::u16string(key);
    if (asking != nullptr) {
        tip +=
            u"\r\n" + texts.Format(TextId::WindowAskingForAttention, {ShownTitle(texts, *asking)});
    }
    if (titles.empty()) {
        return tip + u"\r\n" + std::u16string(texts.Text(TextId::EmptyDesktop));
    }
    for (std::size_t shown = 0; shown < titles.size() && shown < kMostTitlesShown; ++shown) {
        tip += u"\r\n" + ShownTitle(texts, titles[shown]);
    }
    if (titles.size() > kMostTitlesShown) {
        tip += u"\r\n" + texts.Format(TextId::MoreWindows, {DecimalText(static_cast<long long>(
                                                               titles.size() - kMostTitlesShown))});
    }
    return tip;
}

void MainWindow::OnControlContextMenu(std::u16string_view control, int index) {
    if (control != bar::kDesktop || !IsDesktopIndex(index)) {
        OnContextMenu();
        return;
    }
    // Taken together, so that the titles name the windows they stand beside.
    const Texts& words = frmMain_.TextsInForce();
    const WindowSet windows = engine_.AllDesktops()[index].Windows();
    const std::vector<std::u16string> titles = engine_.DesktopTitles(index);
    std::vector<std::u16string> texts;
    texts.reserve(titles.size());
    for (const std::u16string& title : titles) {
        texts.push_back(ShownTitle(words, title));
    }
    std::vector<MenuItem> items;
    for (std::size_t item = 0; item < texts.size() && item < windows.size(); ++item) {
        items.push_back({texts[item], windows[item]});
    }
    if (items.empty()) {
        // Said rather than no menu at all, which would look like a click that was lost.
        items.push_back({words.Text(TextId::NoWindowsMenuItem), WindowHandle::None, false});
    }
    const int chosen = forms_.ShowMenu(frmMain_, std::span<const MenuItem>(items));
    // The lines stand in the order of the windows; the line of an empty desktop names none.
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < items.size() &&
        items[static_cast<std::size_t>(chosen)].iconOf != WindowHandle::None) {
        lifecycle_.Run(Command::GoTo(items[static_cast<std::size_t>(chosen)].iconOf));
    }
}

void MainWindow::OnMouseWheel(int delta) {
    // A turn the other way starts afresh: what was left of the last one does not hold it back.
    if ((delta < 0 && wheelRest_ > 0) || (delta > 0 && wheelRest_ < 0)) {
        wheelRest_ = 0;
    }
    wheelRest_ += delta;
    for (; wheelRest_ >= kWheelNotch; wheelRest_ -= kWheelNotch) {
        lifecycle_.Run(Command::Toward(Command::Kind::Switch, Command::Target::Previous));
    }
    for (; wheelRest_ <= -kWheelNotch; wheelRest_ += kWheelNotch) {
        lifecycle_.Run(Command::Toward(Command::Kind::Switch, Command::Target::Next));
    }
}

void MainWindow::OnWindowDropped(WindowHandle window, std::u16string_view control, int index) {
    if (control == bar::kDesktop && IsDesktopIndex(index)) {
        lifecycle_.Run(Command::SendWindowTo(window, index));
    }
}

void MainWindow::ShowDesktopWantsAttention(int index, bool wants) {
    frmMain_.Controls(bar::kDesktop, index).SetMarked(wants);
}

void MainWindow::ShowDesktopHoldsWindows(int index, bool holdsWindows) {
    // A desktop that holds windows is told apart at a glance.
    frmMain_.Controls(bar::kDesktop, index).SetBold(holdsWindows);
}

void MainWindow::OnToolTipNeeded(std::u16string_view control, int index) {
    if (control == bar::kDesktop && IsDesktopIndex(index)) {
        const Texts& texts = frmMain_.TextsInForce();
        Control& button = frmMain_.Controls(bar::kDesktop, index);
        const ButtonKey& key = buttonKeys_.at(static_cast<std::size_t>(index));
        std::u16string first =
            key.name.empty() ? std::u16string(button.Layout().tooltip) : key.name;
        if (keysPaused_) {
            first += texts.Text(TextId::KeysPausedMark);
        }
        if (const std::u16string& name = engine_.DesktopName(index); !name.empty()) {
            first = texts.Format(TextId::NamedDesktopToolTip, {name, first});
        }
        const std::optional<std::u16string> asking = engine_.AttentionTitle(index);
        button.SetToolTipText(DesktopToolTip(texts, first, key.taken, engine_.DesktopTitles(index),
                                             asking ? &*asking : nullptr));
    }
}

void MainWindow::ShowKeys(const KeyBindings& keys, std::span<const HotkeyRefusal> refused) {
    const Texts& texts = frmMain_.TextsInForce();
    const auto keyFor = [&](const Command& command) {
        for (std::size_t id = 0; id < keys.size(); ++id) {
            if (keys[id].command == command) {
                const bool taken =
                    std::any_of(refused.begin(), refused.end(), [id](const HotkeyRefusal& refusal) {
                        return refusal.id == static_cast<int>(id);
                    });
                return ButtonKey{keys[id].name, taken};
            }
        }
        return ButtonKey{std::u16string(texts.Text(TextId::NoKey)), false};
    };
    for (int index = 0; index < kDesktopCount; ++index) {
        buttonKeys_.at(static_cast<std::size_t>(index)) = keyFor(Command::SwitchTo(index));
    }
    for (std::size_t toggle = 0; toggle < kToggleButtons.size(); ++toggle) {
        ButtonKey& key = buttonKeys_.at(kDesktopCount + toggle);
        key = keyFor(kToggleCommands.at(toggle));
        // The desktop buttons' tooltips are composed when they show.
        frmMain_.Controls(kToggleButtons.at(toggle))
            .SetToolTipText(key.taken ? texts.Format(TextId::KeyTakenByAnotherProgram, {key.name})
                                      : key.name);
    }
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
    namedDesktop_ = index;
    ShowCaption();
}

void MainWindow::ShowKeysPaused(bool paused) {
    keysPaused_ = paused;
    ShowCaption();
}

void MainWindow::Retext() {
    frmMain_.Retext();
    ShowCaption();
}

void MainWindow::ShowCaption() {
    const Texts& texts = frmMain_.TextsInForce();
    // Before the first switch the caption is the program's own.
    std::u16string caption = frmMain_.Layout().caption.Resolve(texts);
    if (IsDesktopIndex(namedDesktop_)) {
        const std::u16string number = DecimalText(namedDesktop_ + 1);
        const std::u16string& name = engine_.DesktopName(namedDesktop_);
        caption = name.empty() ? texts.Format(TextId::DesktopCaption, {number})
                               : texts.Format(TextId::NamedDesktopCaption, {number, name});
    }
    if (keysPaused_) {
        caption += texts.Text(TextId::KeysPausedMark);
    }
    frmMain_.SetCaption(std::move(caption));
}

}  // namespace ombrel
