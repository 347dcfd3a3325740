#pragma once

#include <cstdint>
#include <vector>

namespace ombrel {

// The colours of the taskbar the icon stands on.
enum class TrayTheme { Dark, Light };

// The desktop's number (1 to 9) as the notification area shows it: size x size pixels, row by
// row from the top, each 0xAARRGGBB with the colour premultiplied by its alpha. The digit is drawn
// from strokes at this size, never scaled from another, light on a dark taskbar and dark on a
// light one, on a clear ground. A number outside 1 to 9 leaves the picture clear.
std::vector<std::uint32_t> DesktopNumberPicture(int size, int number, TrayTheme theme);

}  // namespace ombrel
