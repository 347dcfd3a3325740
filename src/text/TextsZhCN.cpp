#include <array>
#include <cstddef>

#include "text/Texts.h"

namespace ombrel {
namespace {

using enum TextId;

constexpr std::array kChinese{
    // ---- The bar: caption, buttons, tooltips, menus ----
    TextEntry{DesktopCaptionPrefix, u"这是桌面-"},

    // ---- The help window and the start-up notice ----
    TextEntry{HelpCaption, u"帮助"},

    // ---- The settings dialog ----
    TextEntry{CancelButton, u"取  消"},

    // ---- The settings file: its errors, its template, its notices ----
    TextEntry{UnknownCommand, u"不认识的命令“{1}”"},

    // ---- The program: start-up, shut-down, the service, the bar's place ----
    TextEntry{ServiceStartRequest, u"启动"},
    TextEntry{ServiceStopRequest, u"停止"},

    // ---- Stored state: the registry, the settings kept there, the recovery list, the service ----
    TextEntry{RecoveryListNotWritten, u"恢复列表未能写入（代码 {2}）：{1} 个隐藏的窗口"},
    TextEntry{ServiceRequestSent, u"服务 {1} {2}请求已发出"},
    TextEntry{ServiceRequestFailed, u"服务 {1} {2}请求失败（代码 {3}）"},
    TextEntry{BarPositionNotSaved, u"按钮栏的位置未能保存（代码 {1}）"},

    // ---- The command line: usage, answers, the client's messages ----
    TextEntry{
        CommandUsage,
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
        u"          3 Ombrel 在运行但十秒内没有回应；4 无事可做（没有可送或可固定的窗口）\r\n"},

    // ---- The desktops: what the engine logs ----
    TextEntry{ShellRestarted, u"资源管理器已重新启动：已重新找到任务栏和桌面图标"},
};

// Every id has its text, in the order of the ids, so that an id is its text's index.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < kChinese.size(); ++i) {
        if (static_cast<std::size_t>(kChinese[i].id) != i) {
            return false;
        }
    }
    return kChinese.size() == static_cast<std::size_t>(TextId::Count);
}
static_assert(InIdOrder(), "the Chinese table must hold every id, in the order of TextId");

}  // namespace

std::span<const TextEntry> ChineseTexts() {
    return kChinese;
}

}  // namespace ombrel
