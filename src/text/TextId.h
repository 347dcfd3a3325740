#pragma once

#include <cstdint>

namespace ombrel {

// Every text a user can read, by what it says. The tables of the languages hold one text per id,
// in this order; a text with arguments marks them {1}, {2}... Each area keeps its ids together.
enum class TextId : std::uint16_t {
    // ---- The bar: caption, buttons, tooltips, menus ----
    DesktopCaptionPrefix,

    // ---- The help window and the start-up notice ----
    HelpCaption,

    // ---- The settings dialog ----
    CancelButton,

    // ---- The settings file: its errors, its template, its notices ----
    UnknownCommand,  // {1}: the command as written

    // ---- The program: start-up, shut-down, the service, the bar's place ----
    ServiceStartRequest,
    ServiceStopRequest,

    // ---- Stored state: the registry, the settings kept there, the recovery list, the service ----
    RecoveryListNotWritten,  // {1}: how many windows are hidden, {2}: the code

    // ---- The command line: usage, answers, the client's messages ----
    CommandUsage,
    NothingToDo,

    // ---- The desktops: what the engine logs ----
    ShellRestarted,
    WindowRefusedHide,  // {1}: the window's handle, {2}: its process, {3}: the code

    Count
};

}  // namespace ombrel
