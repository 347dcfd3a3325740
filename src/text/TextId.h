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

    // ---- Stored state: the registry, the settings kept there, the recovery list, the service ----
    RecoveryListNotWritten,  // {1}: how many windows are hidden, {2}: the code

    // ---- The command line: usage, answers, the client's messages ----
    CommandUsage,

    // ---- The desktops: what the engine logs ----
    ShellRestarted,

    Count
};

}  // namespace ombrel
