#pragma once

#include <cstdint>

namespace ombrel {

// Every text a user can read, by what it says. The tables of the languages hold one text per id,
// in this order; a text with arguments marks them {1}, {2}... Each area keeps its ids together.
enum class TextId : std::uint16_t {
    // ---- The bar: caption, buttons, tooltips, menus ----
    DesktopCaption,       // {1}: the desktop's number
    NamedDesktopCaption,  // {1}: the desktop's number, {2}: its name
    KeysPausedMark,
    DesktopIconsButton,
    TaskbarButton,
    HideButton,
    BarHelpButton,
    ExitButton,
    BarSettingsButton,
    KeyTakenByAnotherProgram,  // {1}: the key
    NoKey,
    NamedDesktopToolTip,       // {1}: the desktop's name, {2}: what the tooltip said of its key
    WindowAskingForAttention,  // {1}: the window's title
    EmptyDesktop,
    MoreWindows,  // {1}: how many windows the tooltip does not list
    UntitledWindow,
    NoWindowsMenuItem,
    SettingsMenuItem,
    EditSettingsFileMenuItem,
    OpenLogMenuItem,
    ExitMenuItem,
    TrayIconToolTip,
    TrayDesktopMenuItem,       // {1}: the desktop's number
    TrayNamedDesktopMenuItem,  // {1}: the desktop's number, {2}: its name

    // ---- The help window and the start-up notice ----
    HelpCaption,
    UsualKeysHelp,
    KeyHelpLine,  // {1}: the key, {2}: what it does
    HelpDesktop,  // {1}: the desktop's number
    HelpNextDesktop,
    HelpPreviousDesktop,
    HelpLastDesktop,
    HelpSwitchTo,  // {1}: the desktop
    HelpSendTo,    // {1}: the desktop
    HelpMoveTo,    // {1}: the desktop
    HelpToggleDesktopIcons,
    HelpToggleTaskbar,
    HelpToggleBar,
    HelpPause,
    HelpPin,
    HelpUnpin,
    HelpPinToggle,
    HelpExit,
    HelpFind,
    FinderCaption,
    PinnedWindowMark,  // the finder's mark for a window on every desktop

    // ---- The settings dialog ----
    CancelButton,
    SettingsCaption,
    OkButton,
    ApplyButton,
    DefaultsButton,
    WallpaperFrame,
    WallpaperDesktopLabel,  // {1}: the desktop's number
    WallpaperRowLabel,      // {1}: the desktop's number, beside its box in the dialog
    StartupFrame,
    SkipNoticeOption,
    StartWithWindowsOption,
    WallpaperFilter,  // descriptions and their patterns, separated by "|"
    SettingsNotSavedHeading,
    SettingsNoRightToWrite,
    SettingsErrorCode,  // {1}: the code
    WallpaperNotSet,    // {1}: the picture's path
    WallpaperNotRemoved,
    StartsForThisUserOnly,

    // ---- The settings file: its errors, its template, its notices ----
    UnknownCommand,       // {1}: the command as written
    CommandLineOnly,      // {1}: a query or the subscription, bound to a key
    SettingsFileErrorAt,  // {1}: the line, {2}: the column, {3}: what is wrong
    JsonUnexpectedEnd,
    JsonInvisibleOrBadEncoding,
    JsonUnexpectedCharacter,  // {1}: the character
    JsonNumberOutOfRange,
    JsonTooManyMembers,   // {1}: the most
    JsonTooManyElements,  // {1}: the most
    JsonTooDeep,          // {1}: the most
    JsonMemberRepeated,   // {1}: the member's name, {2}: the line of the first
    SettingsRootNotObject,
    SettingsUnknownMember,  // {1}: the name
    SettingsSchemaNotText,
    SettingsSwitchNotBoolean,  // {1}: the name
    KeysNotObject,
    KeyTextUnknown,     // {1}: the key text
    KeyGivenTwice,      // {1}: the key's name, {2}: the line of the first
    KeyCommandNotText,  // {1}: the key text
    NamesNotObject,
    DesktopNumberInvalid,  // {1}: the number as written
    DesktopNameNotText,    // {1}: the desktop's number
    DesktopNameTooLong,    // {1}: the desktop's number, {2}: the most
    RulesNotArray,
    RuleNotObject,
    RulePatternNotText,  // {1}: the member's name
    RulePatternTooLong,  // {1}: the member's name, {2}: the most
    RuleMemberUnknown,   // {1}: the member's name
    RuleActionTwice,     // {1}: the line of the first
    RuleDesktopInvalid,
    RuleFlagNotTrue,  // {1}: the member's name
    RuleWithoutPattern,
    RuleWithoutAction,
    OnActivateInvalid,
    LanguageInvalid,
    SettingsTemplateBeforeKeys,
    SettingsTemplateAfterKeys,
    SettingsFileTooLarge,
    SettingsFileHeld,
    SettingsFileUnreadable,  // {1}: the code
    SettingsKeptUnchanged,   // {1}: what went wrong
    SettingsFileReread,
    SettingsFileDeleted,
    SettingsNoticeCaption,
    SettingsWatchRestarted,  // {1}: the code
    SettingsWatchRetried,    // {1}: the code
    SettingsWatchBack,

    // ---- The program: start-up, shut-down, the service, the bar's place ----
    ServiceStartRequest,
    ServiceStopRequest,
    ArrangementPutBack,   // {1}: how many windows, {2}: the current desktop's number
    HotkeyNotRegistered,  // {1}: the key's name, {2}: the code

    // ---- Stored state: the registry, the settings kept there, the recovery list, the service ----
    RecoveryListNotWritten,  // {1}: how many windows are hidden, {2}: the code
    ServiceRequestSent,      // {1}: the service, {2}: the request
    ServiceRequestFailed,    // {1}: the service, {2}: the request, {3}: the code
    BarPositionNotSaved,     // {1}: the code
    GuardShowedWindows,      // {1}: the process that ended, {2}: how many windows
    ArrangementSetAside,     // {1}: the journal's path, {2}: the name it has now
    ArrangementNotSetAside,  // {1}: the journal's path, {2}: the code
    ArrangementHeld,         // {1}: the journal's path, {2}: the code
    ArrangementNotWritten,   // {1}: the journal's path, {2}: the code

    // ---- The command line: usage, answers, the client's messages ----
    CommandUsage,
    NothingToDo,
    NotRunning,
    NotRunningNameTaken,
    RefusedByElevated,
    ServerLessTrusted,
    NoAnswerInTime,
    NotAnswered,
    PipeBusy,
    CommandLineUnavailable,  // {1}: why
    PipeAccessNotMade,       // {1}: the code
    PipeHeld,                // {1}: the pipe's name
    PipeNotMade,             // {1}: the pipe's name, {2}: the code
    PipeAccessNotSealed,     // {1}: the code
    PipeReady,               // {1}: the pipe's name
    CallerRefusedByElevated,
    CallerRefusedFromElsewhere,

    // ---- The desktops: what the engine logs ----
    ShellRestarted,
    WindowRefusedHide,  // {1}: the window's handle, {2}: its process, {3}: the code

    Count
};

}  // namespace ombrel
