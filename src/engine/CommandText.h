#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/Commands.h"

namespace ombrel {

// The words of the commands, as the command line, the settings file and a second start's
// message carry them: "switch 3", "send next", "move previous", "last", "icons"... Checked
// strictly: lower case, a desktop as one digit 1 to 9, nothing more. None for anything else.
std::optional<Command> ParseCommand(std::span<const std::u16string> words);
// The same check on one text, words apart by single blanks.
std::optional<Command> ParseCommandText(std::u16string_view text);
// The words of a command, as ParseCommandText takes them.
std::u16string CommandText(const Command& command);
// The text with each control character (C0, DEL, C1) replaced by U+FFFD, for text that goes to
// a terminal in columns: another program's title can neither forge a row nor send the
// terminal an escape sequence.
std::u16string PrintableText(std::u16string_view text);

// What `Ombrel.exe help` prints, and a refused command line before it ends with code 2.
inline constexpr std::u16string_view kCommandUsage =
    u"用法：Ombrel.exe [命令]\r\n"
    u"  不带命令：启动 Ombrel（已在运行时显示它的按钮栏）\r\n"
    u"  switch N   切换到桌面 N（1-9）\r\n"
    u"  send N     把当前窗口送到桌面 N（1-9）\r\n"
    u"  move N     把当前窗口送到桌面 N（1-9）并随它切换过去\r\n"
    u"  next       切换到下一个桌面（previous：上一个）\r\n"
    u"  last       切换回上一次所在的桌面\r\n"
    u"  send next、send previous、move next、move previous\r\n"
    u"             把当前窗口送到下一个或上一个桌面（move 随它切换过去）\r\n"
    u"  icons      隐藏或显示桌面图标\r\n"
    u"  taskbar    隐藏或显示任务栏\r\n"
    u"  bar        隐藏或显示按钮栏\r\n"
    u"  pause      暂停 Ombrel 的热键，再次使用时恢复\r\n"
    u"  pin        让当前窗口留在每个桌面上（unpin：取消；pin toggle：切换）\r\n"
    u"  exit       退出 Ombrel，显示它隐藏的所有窗口\r\n"
    u"  list       列出每个桌面的窗口：桌面、当前桌面标 *、进程名、标题\r\n"
    u"  list --json  以一个 JSON 文档列出桌面、窗口和任务栏等的状态\r\n"
    u"  watch      每有变化输出一行 JSON，直到 Ombrel 退出或本命令被中止\r\n"
    u"  help       显示本说明\r\n"
    u"退出代码：0 完成；1 Ombrel 没有运行；2 命令或参数无效；\r\n"
    u"          3 Ombrel 在运行但十秒内没有回应；4 无事可做（没有可送或可固定的窗口）\r\n";

}  // namespace ombrel
