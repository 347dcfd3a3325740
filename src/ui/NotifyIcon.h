#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/WindowHandle.h"
#include "ui/forms/FormRuntime.h"

namespace ombrel {

// A place on the screen, in its pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// One picture of the icon: size x size premultiplied ARGB pixels, row by row from the top.
struct IconPicture {
    int size = 0;
    std::vector<std::uint32_t> pixels;
    friend bool operator==(const IconPicture&, const IconPicture&) = default;
};

// Ombrel's one icon in the taskbar's notification area. It is known to the shell by the owner
// window and an id that never changes, so the user's choice to keep it in sight holds from
// picture to picture and from start to start. Clicks come to the owner as the message given.
class NotifyIcon {
  public:
    NotifyIcon() = default;
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;
    virtual ~NotifyIcon() = default;

    // The side in pixels of the picture the taskbar shows at its scale now (its small icon).
    virtual int PictureSize() noexcept = 0;
    // Puts the icon in the notification area (one still there takes the new picture); false
    // when the shell would not (none runs yet).
    virtual bool Add(WindowHandle owner, std::uint32_t message, const IconPicture& picture,
                     std::u16string_view tip) noexcept = 0;
    // The icon shows this picture from now on; the one before is let go.
    virtual bool Update(const IconPicture& picture) noexcept = 0;
    virtual void Remove() noexcept = 0;
    // A menu of the items at the place the shell named for it (the pointer, or the icon when it
    // was chosen with the keyboard), owned by the icon's window; the index of the item chosen,
    // or -1.
    virtual int ShowMenu(std::span<const MenuItem> items, ScreenPoint at) noexcept = 0;
};

}  // namespace ombrel
