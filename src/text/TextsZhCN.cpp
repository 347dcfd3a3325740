#include <array>
#include <cstddef>

#include "text/Texts.h"

namespace ombrel {
namespace {

using enum TextId;

constexpr std::array kChinese{
    // ---- The bar: caption, buttons, tooltips, menus ----
    TextEntry{DesktopCaption, u"这是桌面-{1}"},
    TextEntry{NamedDesktopCaption, u"这是桌面-{1}：{2}"},
    TextEntry{KeysPausedMark, u"（热键已暂停）"},
    TextEntry{DesktopIconsButton, u"桌  面"},
    TextEntry{TaskbarButton, u"任务栏"},
    TextEntry{HideButton, u"隐  藏"},
    TextEntry{BarHelpButton, u"帮助"},
    TextEntry{ExitButton, u"退出"},
    TextEntry{BarSettingsButton, u"设  置"},
    TextEntry{KeyTakenByAnotherProgram, u"{1} 已被其他程序占用"},
    TextEntry{NoKey, u"（无热键）"},
    TextEntry{NamedDesktopToolTip, u"{1}（{2}）"},
    TextEntry{WindowAskingForAttention, u"请求注意：{1}"},
    TextEntry{EmptyDesktop, u"（空）"},
    TextEntry{MoreWindows, u"另有 {1} 个窗口"},
    TextEntry{UntitledWindow, u"（无标题）"},
    TextEntry{NoWindowsMenuItem, u"（没有窗口）"},
    TextEntry{SettingsMenuItem, u"设置…"},
    TextEntry{EditSettingsFileMenuItem, u"编辑设置文件"},
    TextEntry{OpenLogMenuItem, u"打开日志"},

    // ---- The help window and the start-up notice ----
    TextEntry{HelpCaption, u"帮助"},
    TextEntry{UsualKeysHelp,
              u"按Ctrl+[F1至F9]桌面切换。\r\n"
              u"按Ctrl+F10显示/隐藏桌面图标。\r\n"
              u"按Ctrl+F11显示/隐藏任务栏。\r\n"
              u"按Ctrl+F12显示/隐藏软件界面。\r\n"},
    TextEntry{KeyHelpLine, u"按{1}{2}。\r\n"},
    TextEntry{HelpDesktop, u"桌面{1}"},
    TextEntry{HelpNextDesktop, u"下一个桌面"},
    TextEntry{HelpPreviousDesktop, u"上一个桌面"},
    TextEntry{HelpLastDesktop, u"上一次所在的桌面"},
    TextEntry{HelpSwitchTo, u"切换到{1}"},
    TextEntry{HelpSendTo, u"把当前窗口送到{1}"},
    TextEntry{HelpMoveTo, u"把当前窗口送到{1}并切换过去"},
    TextEntry{HelpToggleDesktopIcons, u"显示/隐藏桌面图标"},
    TextEntry{HelpToggleTaskbar, u"显示/隐藏任务栏"},
    TextEntry{HelpToggleBar, u"显示/隐藏软件界面"},
    TextEntry{HelpPause, u"暂停/恢复热键"},
    TextEntry{HelpPin, u"让当前窗口留在每个桌面上"},
    TextEntry{HelpUnpin, u"让当前窗口只留在当前桌面上"},
    TextEntry{HelpPinToggle, u"让当前窗口留在每个桌面上，或取消"},
    TextEntry{HelpExit, u"退出"},

    // ---- The settings dialog ----
    TextEntry{CancelButton, u"取  消"},
    TextEntry{SettingsCaption, u"设置"},
    TextEntry{OkButton, u"确  定"},
    TextEntry{ApplyButton, u"应  用"},
    TextEntry{DefaultsButton, u"缺省值"},
    TextEntry{WallpaperFrame, u"墙纸"},
    TextEntry{WallpaperDesktopLabel, u"桌面{1}"},
    TextEntry{StartupFrame, u"启动"},
    TextEntry{SkipNoticeOption, u"启动时跳过提示信息"},
    TextEntry{StartWithWindowsOption, u"Windows启动时自动加载"},
    TextEntry{WallpaperFilter,
              u"图片 (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|所有文件 (*.*)|*.*"},
    TextEntry{SettingsNotSavedHeading, u"以下设置未能保存："},
    TextEntry{SettingsNoRightToWrite, u"没有修改注册表的权限，请以管理员身份运行本程序后再试。"},
    TextEntry{SettingsErrorCode, u"错误代码：{1}"},
    TextEntry{WallpaperNotSet, u"无法设置墙纸：{1}"},
    TextEntry{WallpaperNotRemoved, u"无法取消墙纸。"},
    TextEntry{
        StartsForThisUserOnly,
        u"Windows启动时自动加载只为你设置，不为所有用户：程序所在的文件夹，管理员以外的用户也能写入"
        u"，"
        u"谁都可以把那里的程序换成自己的。要为所有用户设置，请把程序放在只有管理员能写入的文件夹"
        u"（例如 Program Files）里。"},

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

    TextEntry{NothingToDo, u"无事可做：没有可以送走或固定的窗口，或那个方向没有桌面。\r\n"},

    // ---- The desktops: what the engine logs ----
    TextEntry{ShellRestarted, u"资源管理器已重新启动：已重新找到任务栏和桌面图标"},
    TextEntry{WindowRefusedHide,
              u"无法隐藏窗口 {1}（进程 {2}，代码 {3}）：它属于权限更高的程序，将留在每个桌面上"},
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
