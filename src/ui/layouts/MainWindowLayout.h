#pragma once

#include <array>
#include <string_view>

#include "ui/forms/Layout.h"

namespace ombrel {

// The button bar: nine desktop buttons on top, the commands below, the marker, the timer.
const FormLayout& MainWindowLayout();

inline constexpr std::u16string_view kMainWindowCaption = u"Ombrel200902";

// The bar's controls by name, for the layout, the behaviour and the tests.
namespace bar {
inline constexpr std::u16string_view kDesktop = u"cmdDesktop";  // one per desktop, by index
inline constexpr std::u16string_view kMarker = u"shpSelect";
inline constexpr std::u16string_view kDesktopIcons = u"cmdDesk";
inline constexpr std::u16string_view kTaskbar = u"cmdTray";
inline constexpr std::u16string_view kHide = u"cmdHide";
inline constexpr std::u16string_view kHelp = u"Command2";
inline constexpr std::u16string_view kExit = u"Command1";
inline constexpr std::u16string_view kSettings = u"cmdConfig";
inline constexpr std::u16string_view kRefreshTimer = u"tmrFresh";
inline constexpr std::array kAll{kDesktop, kMarker, kDesktopIcons, kTaskbar,     kHide,
                                 kHelp,    kExit,   kSettings,     kRefreshTimer};
}  // namespace bar
inline constexpr int kRefreshIntervalMs = 1000;

}  // namespace ombrel
