#include <array>
#include <cstddef>

#include "text/Texts.h"

namespace ombrel {
namespace {

using enum TextId;

constexpr std::array kEnglish{
    // ---- The bar: caption, buttons, tooltips, menus ----
    TextEntry{DesktopCaption, u"Desktop {1}"},
    TextEntry{NamedDesktopCaption, u"Desktop {1}: {2}"},
    TextEntry{KeysPausedMark, u" (keys paused)"},
    // "Icons" rather than "Desktop": beside nine desktop buttons, it says which thing it hides.
    TextEntry{DesktopIconsButton, u"Icons"},
    TextEntry{TaskbarButton, u"Taskbar"},
    TextEntry{HideButton, u"Hide"},
    TextEntry{BarHelpButton, u"Help"},
    TextEntry{ExitButton, u"Exit"},
    TextEntry{BarSettingsButton, u"Settings"},
    TextEntry{KeyTakenByAnotherProgram, u"{1} is in use by another program"},
    TextEntry{NoKey, u"(no key)"},
    TextEntry{NamedDesktopToolTip, u"{1} ({2})"},
    TextEntry{WindowAskingForAttention, u"Asking for attention: {1}"},
    TextEntry{EmptyDesktop, u"(empty)"},
    TextEntry{MoreWindows, u"and {1} more"},
    TextEntry{UntitledWindow, u"(untitled)"},
    TextEntry{NoWindowsMenuItem, u"(No windows)"},
    TextEntry{SettingsMenuItem, u"Settings…"},
    TextEntry{EditSettingsFileMenuItem, u"Edit Settings File"},
    TextEntry{OpenLogMenuItem, u"Open Log"},
    TextEntry{ExitMenuItem, u"Exit"},
    TextEntry{TrayIconToolTip, u"Ombrel desktop switcher"},
    TextEntry{TrayDesktopMenuItem, u"Desktop {1}"},
    TextEntry{TrayNamedDesktopMenuItem, u"Desktop {1}: {2}"},

    // ---- The help window and the start-up notice ----
    TextEntry{HelpCaption, u"Help"},
    TextEntry{UsualKeysHelp,
              u"Ctrl+F1 to F9: switch desktops.\r\n"
              u"Ctrl+F10: show/hide desktop icons.\r\n"
              u"Ctrl+F11: show/hide the taskbar.\r\n"
              u"Ctrl+F12: show/hide the bar.\r\n"},
    // Reads "Ctrl+F2: switch to desktop 2." with the phrases below.
    TextEntry{KeyHelpLine, u"{1}: {2}.\r\n"},
    TextEntry{HelpDesktop, u"desktop {1}"},
    TextEntry{HelpNextDesktop, u"the next desktop"},
    TextEntry{HelpPreviousDesktop, u"the previous desktop"},
    TextEntry{HelpLastDesktop, u"the desktop you were last on"},
    TextEntry{HelpSwitchTo, u"switch to {1}"},
    TextEntry{HelpSendTo, u"send the current window to {1}"},
    TextEntry{HelpMoveTo, u"send the current window to {1} and follow it"},
    TextEntry{HelpToggleDesktopIcons, u"show/hide desktop icons"},
    TextEntry{HelpToggleTaskbar, u"show/hide the taskbar"},
    TextEntry{HelpToggleBar, u"show/hide the bar"},
    TextEntry{HelpPause, u"pause/resume hotkeys"},
    TextEntry{HelpPin, u"keep the current window on every desktop"},
    TextEntry{HelpUnpin, u"keep the current window on the current desktop only"},
    TextEntry{HelpPinToggle, u"keep the current window on every desktop, or stop doing so"},
    TextEntry{HelpExit, u"exit Ombrel"},
    TextEntry{HelpFind, u"find a window by typing part of its title or program name"},
    TextEntry{FinderCaption, u"Find Window"},
    TextEntry{PinnedWindowMark, u"P"},

    // ---- The settings dialog ----
    TextEntry{CancelButton, u"Cancel"},
    TextEntry{SettingsCaption, u"Settings"},
    TextEntry{OkButton, u"OK"},
    TextEntry{ApplyButton, u"Apply"},
    TextEntry{DefaultsButton, u"Defaults"},
    TextEntry{WallpaperFrame, u"Wallpaper of each desktop"},
    TextEntry{WallpaperDesktopLabel, u"Desktop {1}"},
    // The frame names the desktops: the number alone fits the row.
    TextEntry{WallpaperRowLabel, u"{1}"},
    TextEntry{StartupFrame, u"Startup"},
    TextEntry{SkipNoticeOption, u"Skip startup notice"},
    TextEntry{StartWithWindowsOption, u"Start with Windows"},
    TextEntry{WallpaperFilter,
              u"Pictures (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|All files (*.*)|*.*"},
    TextEntry{SettingsNotSavedHeading, u"These settings could not be saved:"},
    TextEntry{SettingsNoRightToWrite,
              u"You do not have permission to change the registry. Run Ombrel as administrator "
              u"and try again."},
    TextEntry{SettingsErrorCode, u"Error code: {1}"},
    TextEntry{WallpaperNotSet, u"Could not set the wallpaper: {1}"},
    TextEntry{WallpaperNotRemoved, u"Could not remove the wallpaper."},
    TextEntry{StartsForThisUserOnly,
              u"Start with Windows is set for you only, not for all users: users other than "
              u"administrators can write to the folder Ombrel is in, so anyone could replace the "
              u"program there with their own. To set it for all users, put Ombrel in a folder "
              u"only administrators can write to (such as Program Files)."},

    // ---- The settings file: its errors, its template, its notices ----
    TextEntry{UnknownCommand, u"Unknown command \"{1}\""},
    TextEntry{CommandLineOnly,
              u"The command \"{1}\" can only be used on the command line, not as a key's command"},
    TextEntry{SettingsFileErrorAt, u"Settings file, line {1}, column {2}: {3}"},
    TextEntry{JsonUnexpectedEnd,
              u"JSON error: the file ends too early; a }, ] or quotation mark may be missing"},
    TextEntry{JsonInvisibleOrBadEncoding,
              u"JSON error: an invisible character or an invalid encoding here (UTF-8 is "
              u"expected)"},
    TextEntry{JsonUnexpectedCharacter, u"JSON error: \"{1}\" is not expected here"},
    TextEntry{JsonNumberOutOfRange, u"Number out of range"},
    TextEntry{JsonTooManyMembers, u"An object can have at most {1} members"},
    TextEntry{JsonTooManyElements, u"An array can have at most {1} elements"},
    TextEntry{JsonTooDeep, u"Nested more than {1} levels deep"},
    TextEntry{JsonMemberRepeated, u"\"{1}\" appears twice; it is already on line {2}"},
    TextEntry{SettingsRootNotObject, u"The settings file must be a JSON object: { … }"},
    TextEntry{SettingsUnknownMember,
              u"Unknown setting \"{1}\": the settings are keys, names, wrap, pauseInFullScreen, "
              u"remember, trayIcon, language, rules, onActivate"},
    TextEntry{SettingsSchemaNotText, u"\"$schema\" must be text"},
    TextEntry{SettingsSwitchNotBoolean, u"\"{1}\" must be true or false"},
    TextEntry{KeysNotObject,
              u"\"keys\" must be an object: { \"key combination\": \"command\", … }"},
    TextEntry{KeyTextUnknown,
              u"Unrecognized key combination \"{1}\": write one or more of ctrl, alt, shift, win "
              u"(each once) and one key, joined by +, such as ctrl+alt+f1; only f13 to f24 can be "
              u"used alone"},
    TextEntry{KeyGivenTwice, u"The key combination {1} is already set on line {2}"},
    TextEntry{KeyCommandNotText,
              u"The command of \"{1}\" must be text, such as \"switch 1\", or null to leave "
              u"the key combination unused"},
    TextEntry{NamesNotObject, u"\"names\" must be an object: { \"desktop number\": \"name\", … }"},
    TextEntry{DesktopNumberInvalid, u"Invalid desktop number \"{1}\": it must be \"1\" to \"9\""},
    TextEntry{DesktopNameNotText, u"The name of desktop {1} must be text"},
    TextEntry{DesktopNameTooLong, u"The name of desktop {1} is longer than {2} characters"},
    TextEntry{RulesNotArray,
              u"\"rules\" must be an array: [ { \"exe\": \"outlook.exe\", \"desktop\": 2 }, … ]"},
    TextEntry{RuleNotObject,
              u"A rule must be an object, such as { \"exe\": \"outlook.exe\", \"desktop\": 2 }"},
    TextEntry{RulePatternNotText,
              u"The rule's \"{1}\" must be text; * stands for any characters, ? for one character"},
    TextEntry{RulePatternTooLong, u"The rule's \"{1}\" is longer than {2} characters"},
    TextEntry{RuleMemberUnknown,
              u"Unknown item \"{1}\" in a rule: the items are exe, class, title, desktop, pin, "
              u"ignore, onActivate"},
    TextEntry{RuleActionTwice,
              u"A rule can have only one action (one of desktop, pin, ignore); it already has one "
              u"on line {1}"},
    TextEntry{RuleDesktopInvalid,
              u"The rule's \"desktop\" must be a desktop number from 1 to 9 (a number, without "
              u"quotes)"},
    TextEntry{RuleFlagNotTrue,
              u"The rule's \"{1}\" can only be true; remove the item if it is not wanted"},
    TextEntry{RuleWithoutPattern,
              u"A rule needs at least one of exe (program file name), class (window class name), "
              u"title (window title)"},
    TextEntry{RuleWithoutAction,
              u"The rule has no action: it needs one of \"desktop\": 1 to 9, \"pin\": true or "
              u"\"ignore\": true, or an \"onActivate\""},
    TextEntry{OnActivateInvalid,
              u"\"onActivate\" must be \"join\" (stay on the desktop where it appears), \"follow\" "
              u"(switch there), \"mark\" (hide it and mark its desktop) or \"smart\" (switch there "
              u"when it gets the foreground, mark otherwise)"},
    TextEntry{LanguageInvalid,
              u"\"language\" must be \"zh-CN\" (Chinese), \"en-US\" (English) or \"auto\" (follow "
              u"the Windows display language)"},
    TextEntry{
        SettingsTemplateBeforeKeys,
        u"// Ombrel settings. Text after // is a comment and does not affect the settings.\r\n"
        u"{\r\n"
        u"  // Editors check the file against this one and suggest the values you can use.\r\n"
        u"  \"$schema\": \"./settings.schema.json\",\r\n"
        u"\r\n"
        u"  // The language of the bar, the help and the messages: \"zh-CN\" Chinese; \"en-US\"\r\n"
        u"  //   English; \"auto\" Windows' display language (Chinese if it is Chinese).\r\n"
        u"  \"language\": \"en-US\",\r\n"
        u"\r\n"
        u"  // Hotkeys: \"key combination\": \"command\".\r\n"
        u"  // Key combination: one or more of ctrl, alt, shift, win (each once) and one key, "
        u"joined\r\n"
        u"  //   by +, in any case, such as \"ctrl+alt+f1\", \"win+shift+left\". Keys: f1 to f24, "
        u"a to z,\r\n"
        u"  //   0 to 9, numpad0 to numpad9, left, right, up, down, home, end, pageup, "
        u"pagedown,\r\n"
        u"  //   insert, delete, space, tab, enter, escape, backspace; only f13 to f24 can be used "
        u"alone.\r\n"
        u"  // Commands: switch N switches to desktop N; send N sends the current window to "
        u"desktop N;\r\n"
        u"  //   move N sends it and follows it (N is 1 to 9); next, previous switch to the next, "
        u"previous\r\n"
        u"  //   desktop; last goes back to the desktop you were last on; send next, send "
        u"previous,\r\n"
        u"  //   move next, move previous; icons, taskbar, bar hide or show the desktop icons, "
        u"taskbar,\r\n"
        u"  //   button bar; pause pauses or resumes the hotkeys; exit quits; find opens \"Find "
        u"Window\"\r\n"
        u"  //   to find a window on any desktop by typing (no key by default; add \"ctrl+alt+f\": "
        u"\"find\");\r\n"
        u"  //   list lists the windows of each desktop; help shows the commands' help.\r\n"
        u"  // A command of null: the key combination is not used.\r\n"
        u"  \"keys\": {"},
    TextEntry{
        SettingsTemplateAfterKeys,
        u"\r\n"
        u"  },\r\n"
        u"\r\n"
        u"  // The desktops' names: desktop number \"1\" to \"9\", at most 32 characters each; for "
        u"example:\r\n"
        u"  \"names\": {\r\n"
        u"    // \"1\": \"Work\",\r\n"
        u"    // \"2\": \"Mail\"\r\n"
        u"  },\r\n"
        u"\r\n"
        u"  // Next on the last desktop goes to the first; previous on the first goes to the "
        u"last.\r\n"
        u"  \"wrap\": true,\r\n"
        u"\r\n"
        u"  // Pause the hotkeys while a full-screen program (a game, a slide show) is in "
        u"front.\r\n"
        u"  \"pauseInFullScreen\": false,\r\n"
        u"\r\n"
        u"  // Remember each window's desktop and put it back there after a restart of the "
        u"computer or\r\n"
        u"  //   of its program (rules first); delete %LOCALAPPDATA%\\Ombrel\\arrangement.json to "
        u"forget.\r\n"
        u"  \"remember\": false,\r\n"
        u"\r\n"
        u"  // Show the current desktop's number in the notification area, also when the taskbar "
        u"hides\r\n"
        u"  //   or the bar is hidden: click to switch desktops; right-click for settings, log and "
        u"exit.\r\n"
        u"  \"trayIcon\": false,\r\n"
        u"\r\n"
        u"  // When a program brings up a window on another desktop: \"join\" keeps it on the "
        u"desktop\r\n"
        u"  //   where it appears; \"follow\" switches to its desktop; \"mark\" hides it back on "
        u"its desktop\r\n"
        u"  //   and marks that desktop; \"smart\" switches there when it gets the foreground "
        u"through\r\n"
        u"  //   something you did, and marks otherwise. A rule can have its own \"onActivate\" "
        u"too.\r\n"
        u"  \"onActivate\": \"join\",\r\n"
        u"\r\n"
        u"  // Rules: when Ombrel first sees a window (at start or as it appears), the first rule "
        u"that\r\n"
        u"  //   matches places it; after that it is up to you. In exe (program file name), class "
        u"(window\r\n"
        u"  //   class name) and title, * stands for any characters, ? for one; case is ignored; "
        u"all given\r\n"
        u"  //   must match. One action per rule: \"desktop\": N puts it on desktop N (1 to 9); "
        u"\"pin\": true\r\n"
        u"  //   keeps it on every desktop; \"ignore\": true leaves it alone (not hidden or "
        u"listed). Examples:\r\n"
        u"  \"rules\": [\r\n"
        u"    // { \"exe\": \"outlook.exe\", \"desktop\": 2 },\r\n"
        u"    // { \"title\": \"*Calculator*\", \"pin\": true }\r\n"
        u"  ]\r\n"
        u"}\r\n"},
    TextEntry{SettingsFileTooLarge, u"The settings file is larger than 1 MB and was not read"},
    TextEntry{SettingsFileHeld,
              u"The settings file is in use by another program and cannot be read"},
    TextEntry{SettingsFileUnreadable, u"Cannot read the settings file (code {1})"},
    TextEntry{SettingsKeptUnchanged, u"{1}\r\nThe current settings stay as they are."},
    TextEntry{SettingsFileReread, u"Settings file read again"},
    TextEntry{SettingsFileDeleted, u"Settings file deleted: the default hotkeys are back"},
    TextEntry{SettingsNoticeCaption, u"Ombrel Settings File"},
    TextEntry{SettingsWatchRestarted,
              u"Cannot watch the settings file's folder (code {1}): watching it again"},
    TextEntry{SettingsWatchRetried,
              u"Cannot watch the settings file's folder (code {1}): retrying every second, and "
              u"checking the settings file's size and time meanwhile"},
    TextEntry{SettingsWatchBack, u"The settings file's folder can be watched again"},

    // ---- The program: start-up, shut-down, the service, the bar's place ----
    TextEntry{ServiceStartRequest, u"start"},
    TextEntry{ServiceStopRequest, u"stop"},
    TextEntry{ArrangementPutBack,
              u"Ombrel did not exit normally last time: put {1} window(s) back on their desktops; "
              u"the current desktop is {2}"},
    TextEntry{HotkeyNotRegistered, u"Could not register hotkey {1} (code {2})"},

    // ---- Stored state: the registry, the settings kept there, the recovery list, the service ----
    TextEntry{RecoveryListNotWritten,
              u"Could not write the recovery list (code {2}): {1} hidden window(s)"},
    TextEntry{ServiceRequestSent, u"Service {1}: {2} request sent"},
    TextEntry{ServiceRequestFailed, u"Service {1}: {2} request failed (code {3})"},
    TextEntry{BarPositionNotSaved, u"Could not save the bar's position (code {1})"},
    TextEntry{GuardShowedWindows,
              u"Guard: Ombrel (process {1}) did not exit normally; showed {2} hidden window(s)"},
    TextEntry{ArrangementSetAside,
              u"The record of window places {1} is damaged, too large or not Ombrel's: renamed "
              u"to {2}; starting a new record"},
    TextEntry{ArrangementNotSetAside,
              u"The record of window places {1} cannot be used and could not be renamed (code "
              u"{2}): starting a new record, which will replace it"},
    TextEntry{ArrangementHeld,
              u"Cannot read the record of window places {1} (code {2}): it is neither used nor "
              u"overwritten until it can be read"},
    TextEntry{ArrangementNotWritten, u"Could not save the record of window places {1} (code {2})"},

    // ---- The command line: usage, answers, the client's messages ----
    TextEntry{
        CommandUsage,
        u"Usage: Ombrel.exe [command]\r\n"
        u"  No command: start Ombrel (if it is already running, show its bar)\r\n"
        u"  switch N   switch to desktop N (1-9)\r\n"
        u"  send N     send the current window to desktop N (1-9)\r\n"
        u"  move N     send the current window to desktop N (1-9) and follow it\r\n"
        u"  next       switch to the next desktop (previous: the previous one)\r\n"
        u"  last       switch back to the desktop you were last on\r\n"
        u"  send next, send previous, move next, move previous\r\n"
        u"             send the current window to the next or previous desktop (move follows "
        u"it)\r\n"
        u"  icons      hide or show the desktop icons\r\n"
        u"  taskbar    hide or show the taskbar\r\n"
        u"  bar        hide or show the button bar\r\n"
        u"  pause      pause Ombrel's hotkeys; use it again to resume them\r\n"
        u"  pin        keep the current window on every desktop (unpin undoes it; pin toggle does "
        u"either)\r\n"
        u"  exit       exit Ombrel, showing every window it has hidden\r\n"
        u"  find       open \"Find Window\": type a few letters to find a window on any desktop\r\n"
        u"  show H     switch to window H's desktop and bring H to the front (H: a handle from "
        u"list --json)\r\n"
        u"  bring H    bring window H and its program's other windows to the current desktop, H "
        u"in front\r\n"
        u"  list       list each desktop's windows: desktop (current one marked *), process, "
        u"title\r\n"
        u"  list --json  list the state of the desktops, windows, taskbar etc. as one JSON "
        u"document\r\n"
        u"  watch      print a line of JSON at every change, until Ombrel exits or this command is "
        u"stopped\r\n"
        u"  help       show this help\r\n"
        u"Exit codes: 0 done; 1 Ombrel is not running; 2 invalid command or argument;\r\n"
        u"            3 Ombrel is running but did not answer within ten seconds;\r\n"
        u"            4 nothing to do (no window to send or pin, or Ombrel does not know the "
        u"window)\r\n"},

    TextEntry{NothingToDo,
              u"Nothing to do: no window to send away or pin, no desktop in that direction, or "
              u"Ombrel does not know the window.\r\n"},
    TextEntry{NotRunning, u"Ombrel is not running.\r\n"},
    TextEntry{NotRunningNameTaken,
              u"Ombrel is not running (another program holds its command pipe).\r\n"},
    TextEntry{RefusedByElevated,
              u"Ombrel refused the connection from this program (Ombrel running as administrator "
              u"accepts commands only from programs running as administrator).\r\n"},
    TextEntry{ServerLessTrusted,
              u"Ombrel is running without administrator rights: programs running as "
              u"administrator do not send it commands.\r\n"},
    TextEntry{NoAnswerInTime, u"Ombrel is running but did not answer within ten seconds.\r\n"},
    TextEntry{NotAnswered, u"Ombrel is running but did not answer this command.\r\n"},
    TextEntry{PipeBusy, u"Ombrel is busy with other callers. Try again later.\r\n"},
    TextEntry{CommandLineUnavailable,
              u"The command line is unavailable for now: {1}; Ombrel retries every second"},
    TextEntry{PipeAccessNotMade, u"Could not set up the command pipe's access rights (code {1})"},
    TextEntry{PipeHeld, u"The command pipe {1} is held by another program"},
    TextEntry{PipeNotMade, u"Could not create the command pipe {1} (code {2})"},
    TextEntry{PipeAccessNotSealed,
              u"Could not tighten the command pipe's access rights (code {1})"},
    TextEntry{PipeReady, u"Command pipe {1} created: the command line is ready"},
    TextEntry{CallerRefusedByElevated,
              u"The command pipe refused a caller: Ombrel running as administrator accepts "
              u"commands only from programs running as administrator in the same logon session"},
    TextEntry{CallerRefusedFromElsewhere,
              u"The command pipe refused a caller: it is not from this user's current logon "
              u"session"},

    // ---- The desktops: what the engine logs ----
    TextEntry{ShellRestarted, u"Explorer restarted: found the taskbar and the desktop icons again"},
    TextEntry{WindowRefusedHide,
              u"Cannot hide window {1} (process {2}, code {3}): it belongs to a program with "
              u"higher privileges and will stay on every desktop"},
};

// Every id has its text, in the order of the ids, so that an id is its text's index.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < kEnglish.size(); ++i) {
        if (static_cast<std::size_t>(kEnglish[i].id) != i) {
            return false;
        }
    }
    return kEnglish.size() == static_cast<std::size_t>(TextId::Count);
}
static_assert(InIdOrder(), "the English table must hold every id, in the order of TextId");

}  // namespace

std::span<const TextEntry> EnglishTexts() {
    return kEnglish;
}

}  // namespace ombrel
