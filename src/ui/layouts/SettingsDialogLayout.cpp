#include "ui/layouts/SettingsDialogLayout.h"

#include <array>

namespace ombrel {
namespace {

using enum ControlKind;

// Rows 0 and 1 live in the frame (origin 120, 60 in the dialog), rows 2 to 8 in the dialog;
// either way the nine rows make one even column, 300 twips apart.
constexpr int kRowTopTwips = 300;
constexpr int kRowPitchTwips = 300;
constexpr int kFrameLeftTwips = 120;
constexpr int kFrameTopTwips = 60;

constexpr ControlLayout WallpaperBox(int index, std::u16string_view parent, int tabIndex) {
    const bool inFrame = !parent.empty();
    return {.name = config::kWallpaperBox,
            .kind = TextBox,
            .index = index,
            .parent = parent,
            .leftTwips = 720 - (inFrame ? kFrameLeftTwips : 0),
            .topTwips = kRowTopTwips + kRowPitchTwips * index - (inFrame ? kFrameTopTwips : 0),
            .widthTwips = 3315,
            .heightTwips = 270,
            .tabIndex = tabIndex};
}

constexpr ControlLayout BrowseButton(int index, std::u16string_view parent, int tabIndex) {
    const bool inFrame = !parent.empty();
    return {.name = config::kBrowse,
            .kind = CommandButton,
            .index = index,
            .parent = parent,
            .leftTwips = 4020 - (inFrame ? kFrameLeftTwips : 0),
            .topTwips = kRowTopTwips + kRowPitchTwips * index - (inFrame ? kFrameTopTwips : 0),
            .widthTwips = 255,
            .heightTwips = 255,
            .tabIndex = tabIndex};
}

constexpr ControlLayout DesktopLabel(std::u16string_view name, int index, int tabIndex) {
    return {.name = name,
            .kind = Label,
            .parent = config::kWallpaperFrame,
            .caption = LayoutText(TextId::WallpaperRowLabel, index + 1),
            .leftTwips = 120,
            .topTwips = 300 + kRowPitchTwips * index,
            .widthTwips = 495,
            .heightTwips = 195,
            .tabIndex = tabIndex};
}

constexpr std::array kControls{
    ControlLayout{.name = config::kCancel,
                  .caption = TextId::CancelButton,
                  .leftTwips = 3480,
                  .topTwips = 3840,
                  .widthTwips = 915,
                  .heightTwips = 375,
                  .tabIndex = 34},
    ControlLayout{.name = config::kApply,
                  .caption = TextId::ApplyButton,
                  .leftTwips = 3480,
                  .topTwips = 3360,
                  .widthTwips = 915,
                  .heightTwips = 375,
                  .tabIndex = 33},
    BrowseButton(8, {}, 22),
    WallpaperBox(8, {}, 21),
    BrowseButton(7, {}, 20),
    WallpaperBox(7, {}, 19),
    BrowseButton(6, {}, 18),
    WallpaperBox(6, {}, 17),
    BrowseButton(5, {}, 16),
    WallpaperBox(5, {}, 15),
    BrowseButton(4, {}, 14),
    WallpaperBox(4, {}, 13),
    BrowseButton(3, {}, 12),
    WallpaperBox(3, {}, 11),
    BrowseButton(2, {}, 10),
    WallpaperBox(2, {}, 9),
    ControlLayout{.name = config::kOptionsFrame,
                  .kind = Frame,
                  .caption = TextId::StartupFrame,
                  .leftTwips = 120,
                  .topTwips = 3240,
                  .widthTwips = 2415,
                  .heightTwips = 975,
                  .tabIndex = 3},
    ControlLayout{.name = config::kSkipNotice,
                  .kind = CheckBox,
                  .parent = config::kOptionsFrame,
                  .caption = TextId::SkipNoticeOption,
                  .leftTwips = 120,
                  .topTwips = 660,
                  .widthTwips = 1935,
                  .heightTwips = 195,
                  .tabIndex = 23},
    ControlLayout{.name = config::kStartWithWindows,
                  .kind = CheckBox,
                  .parent = config::kOptionsFrame,
                  .caption = TextId::StartWithWindowsOption,
                  .leftTwips = 120,
                  .topTwips = 300,
                  .widthTwips = 2235,
                  .heightTwips = 195,
                  .tabIndex = 4},
    ControlLayout{.name = config::kWallpaperFrame,
                  .kind = Frame,
                  .caption = TextId::WallpaperFrame,
                  .leftTwips = 120,
                  .topTwips = 60,
                  .widthTwips = 4275,
                  .heightTwips = 3075,
                  .tabIndex = 2},
    BrowseButton(1, config::kWallpaperFrame, 8),
    WallpaperBox(1, config::kWallpaperFrame, 7),
    BrowseButton(0, config::kWallpaperFrame, 6),
    WallpaperBox(0, config::kWallpaperFrame, 5),
    DesktopLabel(u"Label9", 8, 32),
    DesktopLabel(u"Label8", 7, 31),
    DesktopLabel(u"Label7", 6, 30),
    DesktopLabel(u"Label6", 5, 29),
    DesktopLabel(u"Label5", 4, 28),
    DesktopLabel(u"Label4", 3, 27),
    DesktopLabel(u"Label3", 2, 26),
    DesktopLabel(u"Label2", 1, 25),
    DesktopLabel(u"Label1", 0, 24),
    ControlLayout{.name = config::kDefaults,
                  .caption = TextId::DefaultsButton,
                  .leftTwips = 2580,
                  .topTwips = 3360,
                  .widthTwips = 855,
                  .heightTwips = 375,
                  .tabIndex = 1},
    ControlLayout{.name = config::kOk,
                  .caption = TextId::OkButton,
                  .leftTwips = 2580,
                  .topTwips = 3840,
                  .widthTwips = 855,
                  .heightTwips = 375,
                  .tabIndex = 0},
};

constexpr FormLayout kSettingsDialog{
    .name = u"frmConfig",
    .caption = TextId::SettingsCaption,
    .clientWidthTwips = 4500,
    .clientHeightTwips = 4290,
    .placement = FormPlacement::CenterScreen,
    .icon = FormIcon::Settings,
    .closeBox = true,
    .controls = kControls,
};

}  // namespace

const FormLayout& SettingsDialogLayout() {
    return kSettingsDialog;
}

}  // namespace ombrel
