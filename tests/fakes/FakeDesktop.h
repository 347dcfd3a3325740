#pragma once

#include <algorithm>
#include <cstdint>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "FailurePlan.h"
#include "platform/Hotkeys.h"
#include "platform/WindowProcedures.h"
#include "platform/WindowSystem.h"

namespace ombrel::fakes {

using ThreadId = std::uint32_t;

// An in-memory desktop: top-level windows in z-order, the foreground window, hotkeys and
// window procedures, with the behaviour of Windows that the program relies on.
class FakeDesktop final : public WindowSystem, public Hotkeys, public WindowProcedures {
  public:
    static constexpr ThreadId kOwnThread = 1;
    static constexpr ThreadId kOtherThread = 2;

    struct WindowOptions {
        std::u16string className = u"Notepad";
        std::u16string title;
        bool visible = true;
        bool cloaked = false;
        ThreadId thread = kOtherThread;
        WindowHandle owner = WindowHandle::None;
        WindowStyles styles{};
        // A handle Windows hands out again once its window has closed.
        WindowHandle reuse = WindowHandle::None;
        // A program running with more rights than ours: showing or hiding it is refused.
        bool elevated = false;
        // It covers its whole screen (a game, a presentation).
        bool fullScreen = false;
        // A child window of another thread's program inside it, as a store app's window lives
        // in a frame of ApplicationFrameHost.exe; 0 for none.
        ThreadId contentThread = 0;
        bool minimized = false;
        // The AppUserModelID in its property store; empty for none.
        std::u16string appId;
    };

    struct Window {
        WindowHandle handle{};
        std::u16string className;
        std::u16string title;
        bool visible = false;
        bool cloaked = false;
        ThreadId thread = kOtherThread;
        WindowHandle owner = WindowHandle::None;
        WindowStyles styles{};
        bool elevated = false;
        bool fullScreen = false;
        ThreadId contentThread = 0;
        bool minimized = false;
        std::u16string appId;
        // The classes of its child windows.
        std::vector<std::u16string> children;
        // The program's own windows hand their messages to it.
        MessageHandler* handler = nullptr;
        // The changes asked for with ShowWindowAsync that a hung thread has not acted on yet,
        // in the order asked.
        std::vector<ShowCommand> pending;
        // What reached the window's own procedure, or the system's default for a program window.
        std::vector<WindowMessage> received;
    };

    FakeDesktop();

    // Windows: a new window goes on top of the z-order, and EnumWindows reports top first.
    WindowHandle OpenWindow(const WindowOptions& options);
    WindowHandle OpenWindow() { return OpenWindow(WindowOptions{}); }
    void CloseWindow(WindowHandle window);
    bool Exists(WindowHandle window) const;
    Window& Get(WindowHandle window);
    const Window* Find(WindowHandle window) const;
    // As the window's own program would do it.
    void SetVisibleByOwner(WindowHandle window, bool visible);
    void SetMinimizedByOwner(WindowHandle window, bool minimized);
    void SetForeground(WindowHandle window);
    // The foreground lock: the user's next input goes to this thread's program (a key, a
    // click); rights given by others end. Until a test says otherwise, the last input was ours.
    void InputTo(ThreadId thread);
    // What AllowSetForegroundWindow does when the granter's program calls it.
    bool AllowForegroundFrom(ThreadId granter, ThreadId grantee);
    // Whether the thread's program may take the foreground now.
    bool MayTakeForeground(ThreadId thread) const;
    void SetTitle(WindowHandle window, std::u16string title);
    // The thread stops taking its messages: a synchronous show or hide of its windows would
    // never return, and what is posted or sent to it waits. The system calls it hung only once
    // it has taken none for five seconds (reported).
    void HangThread(ThreadId thread, bool reported = false);
    // It takes its messages again: what waited is done (the last change of each window decides),
    // and the probes are answered.
    void ResumeThread(ThreadId thread);
    // A thread that is slow, not stopped: it acts on the first change each of its windows waits
    // for, and takes no other message yet.
    void ActOnFirstWaitingChange(ThreadId thread);
    // Synchronous calls that would have blocked forever on a hung thread.
    int HangsObserved() const { return hangs_; }
    std::vector<WindowHandle> VisibleWindows() const;

    // Hotkeys: held by another program, pressed by the user.
    void HoldHotkeyElsewhere(std::uint32_t modifiers, std::uint32_t virtualKey);
    bool IsHotkeyHeldBy(WindowHandle window, int id) const;
    bool IsCombinationHeld(std::uint32_t modifiers, std::uint32_t virtualKey) const;
    std::size_t HotkeysHeldBy(WindowHandle window) const;
    // Delivers WM_HOTKEY to the owner if the combination is registered; false if nobody holds it.
    // A key held down repeats: each repeat is delivered too, unless it was registered without.
    bool PressHotkey(std::uint32_t modifiers, std::uint32_t virtualKey, int repeats = 0);
    // Dispatches a message through the window's procedure: a program window's handler, or a
    // procedure that notes it and answers the message's number plus one.
    std::intptr_t SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam = 0,
                              std::intptr_t lParam = 0);
    // The window's messages go to handler from now on.
    void SetHandler(WindowHandle window, MessageHandler* handler);
    // The hidden windows the program made for itself.
    std::vector<WindowHandle> ProgramWindows() const;

    // The window events of other programs' windows: told at once, as they happen, unless held
    // back (told later, when a test says, in either order) or lost.
    enum class EventDelivery { AtOnce, Held, Lost };
    void DeliverWindowEvents(EventDelivery delivery) { eventDelivery_ = delivery; }
    void DeliverHeldWindowEvents(bool reversed = false);
    bool ListensToWindowEvents() const { return eventListener_ != nullptr; }
    // The timers of the program's windows go off once each, as if their time had passed.
    void FireTimers();
    bool TimerRunning(WindowHandle window, std::uintptr_t id) const {
        return timers_.contains({window, id});
    }

    FailurePlan& Failures() { return failures_; }
    // Called at every ShowWindowAsync before it acts, to see the state of that moment.
    void BeforeAsyncShow(std::function<void(WindowHandle, ShowCommand)> probe) {
        beforeAsyncShow_ = std::move(probe);
    }
    int SyncShowCalls() const { return syncShowCalls_; }
    int AsyncShowCalls() const { return asyncShowCalls_; }
    int ClassNameCalls() const { return classNameCalls_; }
    // Windows the system made active in answer to a show or a hide.
    int Activations() const { return activations_; }

    // WindowSystem
    WindowHandle FindWindowByClass(std::u16string_view className) noexcept override;
    // A child's handle is its parent's plus its place among the children, plus one.
    WindowHandle FindChildByClass(WindowHandle parent,
                                  std::u16string_view className) noexcept override;
    std::uint32_t LastError() noexcept override { return lastError_; }
    bool ShowWindow(WindowHandle window, ShowCommand command) noexcept override;
    bool ShowWindowAsync(WindowHandle window, ShowCommand command) noexcept override;
    // Answered at once by a thread that takes its messages, at its resumption by a hung one.
    bool Probe(WindowHandle window) noexcept override;
    bool ProbeAnswered(WindowHandle window) noexcept override;
    bool IsHung(WindowHandle window) noexcept override;
    bool IsWindowVisible(WindowHandle window) noexcept override;
    bool IsWindowCloaked(WindowHandle window) noexcept override;
    bool IsMinimized(WindowHandle window) noexcept override {
        const Window* target = Find(window);
        return target != nullptr && target->minimized;
    }
    bool IsOwnThreadWindow(WindowHandle window) noexcept override;
    // Each thread stands for a program of its own here.
    std::uint32_t ProcessIdOf(WindowHandle window) noexcept override;
    std::u16string ClassName(WindowHandle window) override;
    std::u16string WindowTitle(WindowHandle window) override;
    // "program<thread>.exe", or the name given to the thread's program: each thread stands for
    // a program. A store app's frame answers with its content's program, as Windows is asked.
    std::u16string ProcessNameOf(WindowHandle window) override;
    void NameProgram(ThreadId thread, std::u16string name) { programNames_[thread] = name; }
    // "C:\Programs\" and the name of the thread's own program (a store app's frame: the host's).
    std::u16string ProgramPathOf(WindowHandle window) override;
    std::u16string AppIdOf(WindowHandle window) override {
        const Window* target = Find(window);
        return target != nullptr ? target->appId : std::u16string();
    }
    static constexpr std::u16string_view kStoreAppFrameHost = u"ApplicationFrameHost.exe";
    // Delivered at once, through the window's procedure.
    bool PostToWindow(WindowHandle window, std::uint32_t message,
                      std::intptr_t lParam) noexcept override;
    WindowHandle RootOwner(WindowHandle window) noexcept override;
    WindowStyles StylesOf(WindowHandle window) noexcept override;
    bool EnumWindows(const std::function<bool(WindowHandle)>& visit) override;
    WindowHandle GetForegroundWindow() noexcept override;
    bool CoversItsScreen(WindowHandle window) noexcept override {
        const Window* target = Find(window);
        return target != nullptr && target->fullScreen;
    }
    // The focus goes to a window of ours that is not on the desktop.
    bool HoldFocus() noexcept override;
    bool IsFocusHolder(WindowHandle window) noexcept override { return window == kFocusHolder; }
    bool AllowForeground(WindowHandle window) noexcept override;
    bool SetForegroundWindow(WindowHandle window) noexcept override;
    static constexpr auto kFocusHolder = static_cast<WindowHandle>(0xF0C5);
    bool SetTopmost(WindowHandle window) noexcept override;
    std::uint32_t RegisterMessage(std::u16string_view name) noexcept override;
    // Delivered at once, through each window's procedure.
    bool BroadcastMessage(std::uint32_t message) noexcept override;
    bool IsTopmost(WindowHandle window) const;

    // Hotkeys
    SystemError RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                               std::uint32_t virtualKey) noexcept override;
    SystemError UnregisterHotKey(WindowHandle window, int id) noexcept override;

    // WindowProcedures
    WindowHandle CreateProgramWindow(MessageHandler& handler) noexcept override;
    void DestroyProgramWindow(WindowHandle window) noexcept override;
    std::intptr_t DefaultProcedure(const WindowMessage& message) noexcept override;
    void AllowFromAnyProgram(WindowHandle window, std::uint32_t message) noexcept override {
        allowedFromAnyProgram_.emplace_back(window, message);
    }
    bool ListenToShell(WindowHandle window, bool listen) noexcept override {
        std::erase(shellListeners_, window);
        if (listen) {
            shellListeners_.push_back(window);
        }
        return true;
    }
    bool ListenToWindowEvents(WindowEventListener* listener) noexcept override {
        eventListener_ = listener;
        return true;
    }
    bool StartTimer(WindowHandle window, std::uintptr_t id,
                    std::uint32_t milliseconds) noexcept override {
        timers_[{window, id}] = milliseconds;
        return true;
    }
    void StopTimer(WindowHandle window, std::uintptr_t id) noexcept override {
        timers_.erase({window, id});
    }
    // The window's program flashes it (FlashWindowEx), or the system does for a program it
    // refused the front: the windows that hear the shell are told, hidden windows' flashes too.
    void FlashWindow(WindowHandle window);
    // Whether programs with fewer rights may send the window this message.
    bool AllowedFromAnyProgram(WindowHandle window, std::uint32_t message) const {
        return std::find(allowedFromAnyProgram_.begin(), allowedFromAnyProgram_.end(),
                         std::pair{window, message}) != allowedFromAnyProgram_.end();
    }

  private:
    struct Hotkey {
        WindowHandle owner;  // None: another program
        int id;
        bool repeats = true;
    };
    using Combination = std::pair<std::uint32_t, std::uint32_t>;

    bool Fails(std::string_view call);
    void Apply(Window& target, ShowCommand command);
    void Activate(WindowHandle window);
    bool TakesNoMessages(const Window& window) const;
    void Tell(WindowEventKind kind, const Window& window);

    // Z-order, top first, with an index by handle: lookups and bringing a window to the front
    // cost the same with ten windows as with ten thousand, as they do on Windows, so that
    // figures measured on this desktop are the engine's own.
    std::list<Window> windows_;
    std::unordered_map<WindowHandle, std::list<Window>::iterator> byHandle_;
    std::uintptr_t nextHandle_ = 0x10010;
    WindowHandle foreground_ = WindowHandle::None;
    ThreadId lastInput_ = kOwnThread;
    std::vector<ThreadId> allowedForeground_;
    std::vector<WindowHandle> topmost_;
    std::vector<ThreadId> hungThreads_;
    std::vector<ThreadId> reportedHung_;
    std::map<WindowHandle, int> probesOut_;
    int hangs_ = 0;
    int syncShowCalls_ = 0;
    int asyncShowCalls_ = 0;
    int classNameCalls_ = 0;
    int activations_ = 0;
    std::map<Combination, Hotkey> hotkeys_;
    std::map<std::u16string, std::uint32_t, std::less<>> registeredMessages_;
    FailurePlan failures_;
    std::function<void(WindowHandle, ShowCommand)> beforeAsyncShow_;
    std::uint32_t lastError_ = 0;
    std::vector<std::pair<WindowHandle, std::uint32_t>> allowedFromAnyProgram_;
    std::map<ThreadId, std::u16string> programNames_;
    std::vector<WindowHandle> shellListeners_;
    WindowEventListener* eventListener_ = nullptr;
    EventDelivery eventDelivery_ = EventDelivery::AtOnce;
    std::vector<WindowEvent> heldEvents_;
    std::map<std::pair<WindowHandle, std::uintptr_t>, std::uint32_t> timers_;
};

}  // namespace ombrel::fakes
