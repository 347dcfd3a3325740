#include "ui/TrayIcon.h"

#include <string>
#include <vector>

#include "platform/ScopedRegistryKey.h"
#include "platform/Text.h"
#include "text/Texts.h"

namespace ombrel {

void TrayIcon::Want(bool wanted, WindowHandle owner, std::uint32_t message) {
    if (wanted && added_ && owner == owner_ && message == message_ &&
        toolTip_ == texts_.Text(TextId::TrayIconToolTip)) {
        return;  // a reload that left the setting on
    }
    Remove();
    wanted_ = wanted;
    owner_ = owner;
    message_ = message;
    if (wanted) {
        theme_ = TaskbarTheme();
        Add();
    }
}

void TrayIcon::ShowDesktop(int index) {
    current_ = index;
    Redraw();
}

void TrayIcon::ShellRestarted() {
    if (wanted_) {
        // The new taskbar may stand at another scale; it never holds the old icon.
        added_ = false;
        Add();
    }
}

void TrayIcon::ThemeChanged() {
    if (wanted_) {
        theme_ = TaskbarTheme();
        Redraw();
    }
}

void TrayIcon::ScaleChanged() {
    Redraw();
}

void TrayIcon::Clicked(ScreenPoint at) {
    if (!added_) {
        return;
    }
    std::vector<std::u16string> lines;
    lines.reserve(kDesktopCount);
    for (int index = 0; index < kDesktopCount; ++index) {
        const std::u16string number = DecimalText(index + 1);
        const std::u16string& name = engine_.DesktopName(index);
        lines.push_back(name.empty()
                            ? texts_.Format(TextId::TrayDesktopMenuItem, {number})
                            : texts_.Format(TextId::TrayNamedDesktopMenuItem, {number, name}));
    }
    std::vector<MenuItem> items;
    items.reserve(lines.size());
    for (const std::u16string& text : lines) {
        items.push_back({text});
    }
    const int chosen = icon_.ShowMenu(items, at);
    if (IsDesktopIndex(chosen)) {
        lifecycle_.Run(Command::SwitchTo(chosen));
    }
}

void TrayIcon::MenuWanted(ScreenPoint at) {
    if (added_) {
        bar_.ProgramMenu(
            [this, at](std::span<const MenuItem> items) { return icon_.ShowMenu(items, at); },
            true);
    }
}

void TrayIcon::Remove() noexcept {
    if (added_) {
        icon_.Remove();
        added_ = false;
    }
}

TrayTheme TrayIcon::TaskbarTheme() const {
    ScopedRegistryKey key(registry_);
    std::uint32_t type = 0;
    std::uint32_t light = 0;
    std::uint32_t size = sizeof(light);
    // Where the value is missing (before Windows 10) the taskbar is dark.
    if (key.Open(RootKeyFor(kHkeyCurrentUser), kPersonalizeKey).Failed() ||
        registry_
            .QueryValue(key.Get(), kTaskbarLightValue, type, reinterpret_cast<std::byte*>(&light),
                        size)
            .Failed() ||
        type != RegDword || size != sizeof(light)) {
        return TrayTheme::Dark;
    }
    return light != 0 ? TrayTheme::Light : TrayTheme::Dark;
}

TrayIcon::Look TrayIcon::LookNow() const {
    return {icon_.PictureSize(), current_ + 1, theme_};
}

void TrayIcon::Add() {
    const Look look = LookNow();
    toolTip_ = texts_.Text(TextId::TrayIconToolTip);
    added_ =
        icon_.Add(owner_, message_,
                  {look.size, DesktopNumberPicture(look.size, look.number, look.theme)}, toolTip_);
    if (added_) {
        shown_ = look;
    }
}

void TrayIcon::Redraw() {
    if (!added_) {
        return;
    }
    const Look look = LookNow();
    if (look == shown_) {
        return;
    }
    if (icon_.Update({look.size, DesktopNumberPicture(look.size, look.number, look.theme)})) {
        shown_ = look;
    }
}

}  // namespace ombrel
