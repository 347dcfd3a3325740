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
    TextEntry{ExitMenuItem, u"退出"},
    TextEntry{TrayIconToolTip, u"Ombrel 桌面切换"},
    TextEntry{TrayDesktopMenuItem, u"桌面 {1}"},
    TextEntry{TrayNamedDesktopMenuItem, u"桌面 {1}：{2}"},

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
    TextEntry{HelpFind, u"查找窗口：输入标题或程序名的一部分"},
    TextEntry{FinderCaption, u"查找窗口"},
    TextEntry{PinnedWindowMark, u"P"},

    // ---- The settings dialog ----
    TextEntry{CancelButton, u"取  消"},
    TextEntry{SettingsCaption, u"设置"},
    TextEntry{OkButton, u"确  定"},
    TextEntry{ApplyButton, u"应  用"},
    TextEntry{DefaultsButton, u"缺省值"},
    TextEntry{WallpaperFrame, u"墙纸"},
    TextEntry{WallpaperDesktopLabel, u"桌面{1}"},
    TextEntry{WallpaperRowLabel, u"桌面{1}"},
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
    TextEntry{CommandLineOnly, u"命令“{1}”只能在命令行使用，不能用作热键的命令"},
    TextEntry{SettingsFileErrorAt, u"设置文件第 {1} 行第 {2} 列：{3}"},
    TextEntry{JsonUnexpectedEnd, u"JSON 格式错误：文件意外结束，可能少了 } 或 ] 或引号"},
    TextEntry{JsonInvisibleOrBadEncoding,
              u"JSON 格式错误：此处有不可见的字符或无效的编码（应为 UTF-8）"},
    TextEntry{JsonUnexpectedCharacter, u"JSON 格式错误：此处不应出现“{1}”"},
    TextEntry{JsonNumberOutOfRange, u"数字超出范围"},
    TextEntry{JsonTooManyMembers, u"一个对象最多有 {1} 项"},
    TextEntry{JsonTooManyElements, u"一个数组最多有 {1} 个元素"},
    TextEntry{JsonTooDeep, u"嵌套超过 {1} 层"},
    TextEntry{JsonMemberRepeated, u"“{1}”重复出现，第 {2} 行已有"},
    TextEntry{SettingsRootNotObject, u"设置文件应为一个 JSON 对象：{ … }"},
    TextEntry{SettingsUnknownMember,
              u"未知的设置项“{1}”：可用的有 keys、names、wrap、pauseInFullScreen、remember、"
              u"trayIcon、language、rules、onActivate"},
    TextEntry{SettingsSchemaNotText, u"“$schema”应为文本"},
    TextEntry{SettingsSwitchNotBoolean, u"“{1}”应为 true 或 false"},
    TextEntry{KeysNotObject, u"“keys”应为对象：{ \"组合键\": \"命令\", … }"},
    TextEntry{
        KeyTextUnknown,
        u"无法识别的组合键“{1}”：应写成 ctrl、alt、shift、win 中的一个或几个（各一次）加一个键，"
        u"用 + 连接，如 ctrl+alt+f1；只有 f13 到 f24 可以单独使用"},
    TextEntry{KeyGivenTwice, u"组合键 {1} 已在第 {2} 行设置过"},
    TextEntry{KeyCommandNotText,
              u"组合键“{1}”的命令应为文本，如 \"switch 1\"；或为 null，表示不使用这个组合键"},
    TextEntry{NamesNotObject, u"“names”应为对象：{ \"桌面编号\": \"名称\", … }"},
    TextEntry{DesktopNumberInvalid, u"桌面编号“{1}”无效：应为 \"1\" 到 \"9\""},
    TextEntry{DesktopNameNotText, u"桌面 {1} 的名称应为文本"},
    TextEntry{DesktopNameTooLong, u"桌面 {1} 的名称超过 {2} 个字符"},
    TextEntry{RulesNotArray,
              u"“rules”应为数组：[ { \"exe\": \"outlook.exe\", \"desktop\": 2 }, … ]"},
    TextEntry{RuleNotObject, u"规则应为对象，如 { \"exe\": \"outlook.exe\", \"desktop\": 2 }"},
    TextEntry{RulePatternNotText, u"规则的“{1}”应为文本，可用 * 代表任意几个字符、? 代表一个字符"},
    TextEntry{RulePatternTooLong, u"规则的“{1}”超过 {2} 个字符"},
    TextEntry{RuleMemberUnknown,
              u"规则中未知的项“{1}”：可用的有 exe、class、title、desktop、pin、ignore、onActivate"},
    TextEntry{RuleActionTwice,
              u"一条规则只能有一个动作（desktop、pin、ignore 之一），第 {1} 行已有"},
    TextEntry{RuleDesktopInvalid, u"规则的“desktop”应为桌面编号 1 到 9（数字，不加引号）"},
    TextEntry{RuleFlagNotTrue, u"规则的“{1}”只能为 true；不需要就删去这一项"},
    TextEntry{RuleWithoutPattern,
              u"规则至少要有 exe（程序文件名）、class（窗口类名）、title（标题）之一"},
    TextEntry{RuleWithoutAction,
              u"规则缺少动作：应有 \"desktop\": 1 到 9、\"pin\": true 或 \"ignore\": true 之一，"
              u"或有 \"onActivate\""},
    TextEntry{OnActivateInvalid,
              u"“onActivate”应为 \"join\"（留在出现的桌面）、\"follow\"（切换过去）、"
              u"\"mark\"（隐藏并标记它的桌面）或 \"smart\"（它得到前台时切换过去，否则标记）"},
    TextEntry{LanguageInvalid,
              u"“language”应为 \"zh-CN\"（中文）、\"en-US\"（英文）或 \"auto\"（跟随 Windows "
              u"的显示语言）"},
    TextEntry{
        SettingsTemplateBeforeKeys,
        u"// Ombrel 的设置。以 // 开头的是说明，不影响设置。\r\n"
        u"{\r\n"
        u"  // 编辑器按这个文件检查写法并提示可用的值。\r\n"
        u"  \"$schema\": \"./settings.schema.json\",\r\n"
        u"\r\n"
        u"  // 界面、帮助和消息的语言：\"zh-CN\" 中文；\"en-US\" 英文；\"auto\" 跟随 Windows。\r\n"
        u"  // Language: \"en-US\" for English, \"auto\" for Windows' display language.\r\n"
        u"  \"language\": \"zh-CN\",\r\n"
        u"\r\n"
        u"  // 热键：\"组合键\": \"命令\"。\r\n"
        u"  // 组合键：ctrl、alt、shift、win 中的一个或几个（各一次），加一个键，用 + 连接，\r\n"
        u"  //   大小写均可，如 \"ctrl+alt+f1\"、\"win+shift+left\"。键可以是 f1 到 f24、a 到 "
        u"z、\r\n"
        u"  //   0 到 9、numpad0 到 "
        u"numpad9、left、right、up、down、home、end、pageup、pagedown、\r\n"
        u"  //   insert、delete、space、tab、enter、escape、backspace；只有 f13 到 f24 "
        u"可以单独使用。\r\n"
        u"  // 命令：switch N 切换到桌面 N；send N 把当前窗口送到桌面 N；move N 送去并随它切换\r\n"
        u"  //   （N 为 1 到 9）；next、previous 切换到下一个、上一个桌面；last "
        u"回到上一次所在的桌面；\r\n"
        u"  //   send next、send previous、move next、move previous；icons、taskbar、bar "
        u"隐藏或显示\r\n"
        u"  //   桌面图标、任务栏、按钮栏；pause 暂停或恢复热键；exit 退出；\r\n"
        u"  //   find 打开“查找窗口”，输入几个字找到任何桌面上的窗口（没有默认的热键，\r\n"
        u"  //   可以加一行 \"ctrl+alt+f\": \"find\"）；\r\n"
        u"  //   list 列出各桌面的窗口；help 显示命令的说明。\r\n"
        u"  // 命令写 null：不使用这个组合键。\r\n"
        u"  \"keys\": {"},
    TextEntry{
        SettingsTemplateAfterKeys,
        u"\r\n"
        u"  },\r\n"
        u"\r\n"
        u"  // 桌面的名称，桌面编号 \"1\" 到 \"9\"，名称最多 32 个字符，例如：\r\n"
        u"  \"names\": {\r\n"
        u"    // \"1\": \"工作\",\r\n"
        u"    // \"2\": \"邮件\"\r\n"
        u"  },\r\n"
        u"\r\n"
        u"  // 在最后一个桌面上切换到下一个时回到第一个，在第一个上切换到上一个时到最后一个。\r\n"
        u"  \"wrap\": true,\r\n"
        u"\r\n"
        u"  // 全屏的程序（如游戏、放映的幻灯片）在前台时暂停热键。\r\n"
        u"  \"pauseInFullScreen\": false,\r\n"
        u"\r\n"
        u"  // "
        u"记住每个窗口所在的桌面：重新启动电脑或程序后，它的窗口回到原来的桌面（规则优先）。\r\n"
        u"  //   记录保存在 %LOCALAPPDATA%\\Ombrel\\arrangement.json，删除它即可忘记。\r\n"
        u"  \"remember\": false,\r\n"
        u"\r\n"
        u"  // 在任务栏的通知区域显示当前桌面的编号（任务栏自动隐藏或按钮栏隐藏时也看得到）：\r\n"
        u"  //   单击列出各桌面，选一个切换过去；右键单击打开设置、日志和退出的菜单。\r\n"
        u"  \"trayIcon\": false,\r\n"
        u"\r\n"
        u"  // 程序让一个在别的桌面上的窗口出现时：\"join\" 窗口留在它出现的桌面上；\r\n"
        u"  //   \"follow\" 切换到窗口所在的桌面；\"mark\" 把它隐藏回它的桌面，并标记那个桌面；\r\n"
        u"  //   \"smart\" 它得到前台时（由你的操作引起）切换过去，否则标记。\r\n"
        u"  //   规则中也可以写 \"onActivate\"，只对它相符的窗口。\r\n"
        u"  \"onActivate\": \"join\",\r\n"
        u"\r\n"
        u"  // 规则：Ombrel "
        u"第一次见到一个窗口时（启动时或窗口新出现时），按第一条相符的规则放置它，\r\n"
        u"  //   之后由你决定。exe（程序文件名）、class（窗口类名）、title（标题）可用 * "
        u"代表任意几个\r\n"
        u"  //   字符、? 代表一个字符，不分大小写，写出的几项都要相符。每条规则一个动作：\r\n"
        u"  //   \"desktop\": N 放到桌面 N（1 到 9）；\"pin\": true 留在每个桌面上；\r\n"
        u"  //   \"ignore\": true 不管这个窗口（不隐藏、不列出）。例如：\r\n"
        u"  \"rules\": [\r\n"
        u"    // { \"exe\": \"outlook.exe\", \"desktop\": 2 },\r\n"
        u"    // { \"title\": \"*计算器*\", \"pin\": true }\r\n"
        u"  ]\r\n"
        u"}\r\n"},
    TextEntry{SettingsFileTooLarge, u"设置文件大于 1 MB，没有读入"},
    TextEntry{SettingsFileHeld, u"设置文件正被其他程序占用，无法读入"},
    TextEntry{SettingsFileUnreadable, u"无法读入设置文件（代码 {1}）"},
    TextEntry{SettingsKeptUnchanged, u"{1}\r\n当前的设置保持不变。"},
    TextEntry{SettingsFileReread, u"设置文件已重新读入"},
    TextEntry{SettingsFileDeleted, u"设置文件已删除：恢复默认热键"},
    TextEntry{SettingsNoticeCaption, u"Ombrel 设置文件"},
    TextEntry{SettingsWatchRestarted, u"无法监视设置文件所在的文件夹（代码 {1}）：已重新开始监视"},
    TextEntry{SettingsWatchRetried,
              u"无法监视设置文件所在的文件夹（代码 {1}）：每秒再试，并查看设置文件的大小和时间"},
    TextEntry{SettingsWatchBack, u"设置文件所在的文件夹又可以监视了"},

    // ---- The program: start-up, shut-down, the service, the bar's place ----
    TextEntry{ServiceStartRequest, u"启动"},
    TextEntry{ServiceStopRequest, u"停止"},
    TextEntry{ArrangementPutBack,
              u"上次的 Ombrel 没有正常退出：已把 {1} 个窗口放回各自的桌面，当前是桌面 {2}"},
    TextEntry{HotkeyNotRegistered, u"热键 {1} 未能注册（代码 {2}）"},

    // ---- Stored state: the registry, the settings kept there, the recovery list, the service ----
    TextEntry{RecoveryListNotWritten, u"恢复列表未能写入（代码 {2}）：{1} 个隐藏的窗口"},
    TextEntry{ServiceRequestSent, u"服务 {1} {2}请求已发出"},
    TextEntry{ServiceRequestFailed, u"服务 {1} {2}请求失败（代码 {3}）"},
    TextEntry{BarPositionNotSaved, u"按钮栏的位置未能保存（代码 {1}）"},
    TextEntry{GuardShowedWindows,
              u"守护进程：Ombrel（进程 {1}）没有正常退出，已显示 {2} 个隐藏的窗口"},
    TextEntry{ArrangementSetAside,
              u"窗口位置的记录 {1} 已损坏、过大或不是 Ombrel 的：已改名为 {2}，重新开始记录"},
    TextEntry{ArrangementNotSetAside,
              u"窗口位置的记录 {1} 无法使用，也未能改名（代码 {2}）：重新开始记录，它将被替换"},
    TextEntry{ArrangementHeld,
              u"无法读入窗口位置的记录 {1}（代码 {2}）：读入之前不使用它，也不覆盖它"},
    TextEntry{ArrangementNotWritten, u"窗口位置的记录 {1} 未能保存（代码 {2}）"},

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
        u"  find       打开“查找窗口”：输入几个字，找到任何桌面上的窗口\r\n"
        u"  show H     切换到窗口 H 所在的桌面，并把它放到最前面（H：list --json 给出的句柄）\r\n"
        u"  bring H    把窗口 H 和它的程序的其他窗口带到当前桌面，并把它放到最前面\r\n"
        u"  list       列出每个桌面的窗口：桌面、当前桌面标 *、进程名、标题\r\n"
        u"  list --json  以一个 JSON 文档列出桌面、窗口和任务栏等的状态\r\n"
        u"  watch      每有变化输出一行 JSON，直到 Ombrel 退出或本命令被中止\r\n"
        u"  help       显示本说明\r\n"
        u"退出代码：0 完成；1 Ombrel 没有运行；2 命令或参数无效；\r\n"
        u"          3 Ombrel 在运行但十秒内没有回应；\r\n"
        u"          4 无事可做（没有可送或可固定的窗口，或 Ombrel 不知道这个窗口）\r\n"},

    TextEntry{
        NothingToDo,
        u"无事可做：没有可以送走或固定的窗口，或那个方向没有桌面，或 Ombrel 不知道这个窗口。\r\n"},
    TextEntry{NotRunning, u"Ombrel 没有运行。\r\n"},
    TextEntry{NotRunningNameTaken, u"Ombrel 没有运行（它的命令管道被另一个程序占用）。\r\n"},
    TextEntry{RefusedByElevated,
              u"Ombrel 拒绝了本程序的连接（以管理员身份运行的 Ombrel "
              u"只接受以管理员身份运行的程序的命令）。\r\n"},
    TextEntry{ServerLessTrusted,
              u"Ombrel 以普通权限运行：以管理员身份运行的程序不向它发送命令。\r\n"},
    TextEntry{NoAnswerInTime, u"Ombrel 在运行，但十秒内没有回应。\r\n"},
    TextEntry{NotAnswered, u"Ombrel 在运行，但没有回答这个命令。\r\n"},
    TextEntry{PipeBusy, u"Ombrel 正忙于其他调用者，请稍后再试。\r\n"},
    TextEntry{CommandLineUnavailable, u"命令行暂不可用：{1}；Ombrel 会每秒再试"},
    TextEntry{PipeAccessNotMade, u"未能建立命令管道的访问权限（代码 {1}）"},
    TextEntry{PipeHeld, u"命令管道 {1} 已被另一个程序占用"},
    TextEntry{PipeNotMade, u"命令管道 {1} 未能建立（代码 {2}）"},
    TextEntry{PipeAccessNotSealed, u"命令管道的访问权限未能收紧（代码 {1}）"},
    TextEntry{PipeReady, u"命令管道 {1} 已建立：命令行可以使用了"},
    TextEntry{CallerRefusedByElevated,
              u"命令管道拒绝了一个调用者：以管理员身份运行的 Ombrel "
              u"只接受同一登录中以管理员身份运行的程序的命令"},
    TextEntry{CallerRefusedFromElsewhere, u"命令管道拒绝了一个调用者：它不属于本用户的这次登录"},

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
