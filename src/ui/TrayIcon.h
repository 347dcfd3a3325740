#pragma once

#include <cstdint>
#include <string>

#include "engine/DesktopEngine.h"
#include "platform/Registry.h"
#include "text/Texts.h"
#include "ui/MainWindow.h"
#include "ui/NotifyIcon.h"
#include "ui/ProgramLifecycle.h"
#include "ui/TrayIconPicture.h"

namespace ombrel {

// Where the registry says whether the taskbar is light (1) or dark (0).
inline constexpr std::u16string_view kPersonalizeKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
inline constexpr std::u16string_view kTaskbarLightValue = u"SystemUsesLightTheme";

// The current desktop's number in the notification area, while the settings want it: one icon
// whose picture follows the switches, the taskbar's colours and its scale, each as Windows tells
// of it. A click on it opens the menu of the desktops, a right click the bar's menu with exit.
class TrayIcon {
  public:
    TrayIcon(NotifyIcon& icon, Registry& registry, const DesktopEngine& engine,
             ProgramLifecycle& lifecycle, MainWindow& bar, const Texts& texts)
        : icon_(icon),
          registry_(registry),
          engine_(engine),
          lifecycle_(lifecycle),
          bar_(bar),
          texts_(texts) {}
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The settings in force want the icon, with its clicks sent to owner as message, or not; the
    // tooltip follows a change of language.
    void Want(bool wanted, WindowHandle owner, std::uint32_t message);
    // The desktop is current: at start-up and at every switch.
    void ShowDesktop(int index);
    // The shell started again and knows nothing of the icon.
    void ShellRestarted();
    // The taskbar's colours may have changed.
    void ThemeChanged();
    // The screens' scale may have changed.
    void ScaleChanged();
    // A click (or Enter on it): the desktops, each with its number and name, at the place given.
    void Clicked(ScreenPoint at);
    // A right click: the bar's menu, with exit.
    void MenuWanted(ScreenPoint at);
    // At exit: the icon leaves the notification area.
    void Remove() noexcept;

  private:
    // What the picture shows; drawn again only when one of them changes.
    struct Look {
        int size = 0;
        int number = 0;
        TrayTheme theme = TrayTheme::Dark;
        friend bool operator==(const Look&, const Look&) = default;
    };
    TrayTheme TaskbarTheme() const;
    Look LookNow() const;
    void Add();
    void Redraw();

    NotifyIcon& icon_;
    Registry& registry_;
    const DesktopEngine& engine_;
    ProgramLifecycle& lifecycle_;
    MainWindow& bar_;
    const Texts& texts_;
    std::u16string toolTip_;  // as added
    bool wanted_ = false;
    bool added_ = false;
    WindowHandle owner_ = WindowHandle::None;
    std::uint32_t message_ = 0;
    int current_ = 0;
    TrayTheme theme_ = TrayTheme::Dark;
    Look shown_;
};

}  // namespace ombrel
