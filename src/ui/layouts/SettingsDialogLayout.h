#pragma once

#include <array>
#include <string_view>

#include "ui/forms/Layout.h"

namespace ombrel {

// The settings dialog: a wallpaper path per desktop, the two start options, four buttons.
const FormLayout& SettingsDialogLayout();

// The settings dialog's controls by name; the nine labels are only data.
namespace config {
inline constexpr std::u16string_view kWallpaperFrame = u"Frame1";
inline constexpr std::u16string_view kOptionsFrame = u"Frame2";
inline constexpr std::u16string_view kWallpaperBox = u"txtWallPaper";  // one per desktop
inline constexpr std::u16string_view kBrowse = u"cmdWallPaper";        // one per desktop
inline constexpr std::u16string_view kSkipNotice = u"chkNeverShowInfo";
inline constexpr std::u16string_view kStartWithWindows = u"chkStart";
inline constexpr std::u16string_view kOk = u"cmdOk";
inline constexpr std::u16string_view kCancel = u"cmdCancel";
inline constexpr std::u16string_view kApply = u"cmdApply";
inline constexpr std::u16string_view kDefaults = u"cmdDefault";
inline constexpr std::array kAll{kWallpaperFrame, kOptionsFrame,     kWallpaperBox, kBrowse,
                                 kSkipNotice,     kStartWithWindows, kOk,           kCancel,
                                 kApply,          kDefaults};
}  // namespace config

}  // namespace ombrel
