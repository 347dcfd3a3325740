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
    ServiceRequestSent,      // {1}: the service, {2}: the request
    ServiceRequestFailed,    // {1}: the service, {2}: the request, {3}: the code
    BarPositionNotSaved,     // {1}: the code

    // ---- The command line: usage, answers, the client's messages ----
    CommandUsage,

    // ---- The desktops: what the engine logs ----
    ShellRestarted,

    Count
};

}  // namespace ombrel
