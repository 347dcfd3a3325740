#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/Commands.h"

namespace ombrel {

// A command given on Ombrel.exe's command line, run by the instance already running: one of
// the user's commands, the orderly exit, the list of windows, or the usage text.
struct RemoteCommand {
    enum class Kind { Run, Exit, List, Help };
    Kind kind = Kind::Help;
    Command command{Command::Kind::ToggleBar};  // for Run

    friend bool operator==(const RemoteCommand&, const RemoteCommand&) = default;
};

// The words after the program's name, checked strictly: exactly one command in lower case, a
// desktop as one digit 1 to 9, nothing more. None for anything else.
std::optional<RemoteCommand> ParseRemoteCommand(std::span<const std::u16string> words);
// The same check on the text a second start carries to the running instance ("switch 3").
std::optional<RemoteCommand> ParseRemoteCommandText(std::u16string_view text);
// The words of a command as ParseRemoteCommandText takes them.
std::u16string RemoteCommandText(const RemoteCommand& command);

// What `Ombrel.exe help` prints, and a refused command line before it ends with code 2.
inline constexpr std::u16string_view kRemoteCommandUsage =
    u"用法：Ombrel.exe [命令]\r\n"
    u"  不带命令：启动 Ombrel（已在运行时显示它的按钮栏）\r\n"
    u"  switch N   切换到桌面 N（1-9）\r\n"
    u"  send N     把当前窗口送到桌面 N（1-9）\r\n"
    u"  icons      隐藏或显示桌面图标\r\n"
    u"  taskbar    隐藏或显示任务栏\r\n"
    u"  bar        隐藏或显示按钮栏\r\n"
    u"  exit       退出 Ombrel，显示它隐藏的所有窗口\r\n"
    u"  list       列出每个桌面的窗口：桌面、当前桌面标 *、进程名、标题\r\n"
    u"  help       显示本说明\r\n"
    u"退出代码：0 完成；1 Ombrel 没有运行；2 命令或参数无效\r\n";

}  // namespace ombrel
