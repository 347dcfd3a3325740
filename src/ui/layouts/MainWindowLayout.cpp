#include "ui/layouts/MainWindowLayout.h"

#include <array>

namespace ombrel {
namespace {

using enum ControlKind;

constexpr ControlLayout DesktopButton(int index, std::u16string_view caption,
                                      std::u16string_view tooltip, int tabIndex) {
    return {.name = bar::kDesktop,
            .kind = CommandButton,
            .index = index,
            .caption = caption,
            .tooltip = tooltip,
            .leftTwips = 120 + 480 * index,
            .topTwips = 120,
            .widthTwips = 375,
            .heightTwips = 375,
            .tabIndex = tabIndex,
            .font = ControlFont::MsSansSerif8};
}

// Creation order is z-order; the desktop buttons keep the order they were first drawn in.
constexpr std::array kControls{
    ControlLayout{.name = bar::kHelp,
                  .caption = TextId::BarHelpButton,
                  .leftTwips = 2730,
                  .topTwips = 600,
                  .widthTwips = 720,
                  .heightTwips = 285,
                  .tabIndex = 14},
    ControlLayout{.name = bar::kExit,
                  .caption = TextId::ExitButton,
                  .leftTwips = 3600,
                  .topTwips = 600,
                  .widthTwips = 720,
                  .heightTwips = 285,
                  .tabIndex = 13},
    ControlLayout{.name = bar::kHide,
                  .caption = TextId::HideButton,
                  .tooltip = u"Ctrl+F12",
                  .leftTwips = 1860,
                  .topTwips = 600,
                  .widthTwips = 720,
                  .heightTwips = 285,
                  .tabIndex = 12},
    // Outside the client area on purpose: reachable by keyboard only; the mouse uses a
    // double-click on the bar.
    ControlLayout{.name = bar::kSettings,
                  .caption = TextId::BarSettingsButton,
                  .leftTwips = 8520,
                  .topTwips = 3600,
                  .widthTwips = 720,
                  .heightTwips = 285,
                  .tabIndex = 0},
    DesktopButton(4, u"5", u"Ctrl+F5", 11),
    DesktopButton(7, u"8", u"Ctrl+F8", 10),
    DesktopButton(5, u"6", u"Ctrl+F6", 9),
    DesktopButton(6, u"7", u"Ctrl+F7", 8),
    DesktopButton(1, u"2", u"Ctrl+F2", 7),
    DesktopButton(3, u"4", u"Ctrl+F4", 6),
    DesktopButton(2, u"3", u"Ctrl+F3", 5),
    DesktopButton(0, u"1", u"Ctrl+F1", 4),
    ControlLayout{.name = bar::kRefreshTimer, .kind = Timer, .intervalMs = kRefreshIntervalMs},
    DesktopButton(8, u"9", u"Ctrl+F9", 3),
    ControlLayout{.name = bar::kTaskbar,
                  .caption = TextId::TaskbarButton,
                  .tooltip = u"Ctrl+F11",
                  .leftTwips = 990,
                  .topTwips = 600,
                  .widthTwips = 720,
                  .heightTwips = 285,
                  .tabIndex = 2},
    ControlLayout{.name = bar::kDesktopIcons,
                  .caption = TextId::DesktopIconsButton,
                  .tooltip = u"Ctrl+F10",
                  .leftTwips = 120,
                  .topTwips = 600,
                  .widthTwips = 720,
                  .heightTwips = 285,
                  .tabIndex = 1},
    // Starts out of sight; the bar puts it around the current desktop's button.
    ControlLayout{.name = bar::kMarker,
                  .kind = Shape,
                  .leftTwips = 8520,
                  .topTwips = 2400,
                  .widthTwips = 420,
                  .heightTwips = 420},
};

constexpr FormLayout kMainWindow{
    .name = u"frmMain",
    .caption = kMainWindowCaption,
    .clientWidthTwips = 4470,
    .clientHeightTwips = 1020,
    .placement = FormPlacement::SystemDefault,
    .icon = FormIcon::Bar,
    .closeBox = false,
    .controls = kControls,
};

}  // namespace

const FormLayout& MainWindowLayout() {
    return kMainWindow;
}

}  // namespace ombrel
