#include "FakeDesktop.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/Text.h"

namespace ombrel::fakes {
namespace {

constexpr std::uint32_t kErrorInvalidWindowHandle = 1400;
constexpr std::uint32_t kErrorHotkeyNotRegistered = 1419;

}  // namespace

FakeDesktop::FakeDesktop() = default;

WindowHandle FakeDesktop::OpenWindow(const WindowOptions& options) {
    Window window;
    if (options.reuse != WindowHandle::None && !Exists(options.reuse)) {
        window.handle = options.reuse;
    } else {
        window.handle = static_cast<WindowHandle>(nextHandle_);
        nextHandle_ += 4;
    }
    window.owner = options.owner;
    window.styles = options.styles;
    window.className = options.className;
    window.title = options.title;
    window.visible = options.visible;
    window.cloaked = options.cloaked;
    window.thread = options.thread;
    window.elevated = options.elevated;
    window.fullScreen = options.fullScreen;
    window.contentThread = options.contentThread;
    window.minimized = options.minimized;
    window.appId = options.appId;
    windows_.push_front(std::move(window));
    byHandle_[windows_.front().handle] = windows_.begin();
    Tell(WindowEventKind::Created, windows_.front());
    if (options.visible) {
        Tell(WindowEventKind::Shown, windows_.front());
    }
    return windows_.front().handle;
}

void FakeDesktop::Tell(WindowEventKind kind, const Window& window) {
    // The hook skips our own process, as Ombrel asks of it.
    if (eventListener_ == nullptr || window.thread == kOwnThread) {
        return;
    }
    switch (eventDelivery_) {
        case EventDelivery::AtOnce:
            eventListener_->OnWindowEvent({kind, window.handle});
            break;
        case EventDelivery::Held:
            heldEvents_.push_back({kind, window.handle});
            break;
        case EventDelivery::Lost:
            break;
    }
}

void FakeDesktop::DeliverHeldWindowEvents(bool reversed) {
    std::vector<WindowEvent> events = std::exchange(heldEvents_, {});
    if (reversed) {
        std::reverse(events.begin(), events.end());
    }
    for (const WindowEvent& event : events) {
        if (eventListener_ != nullptr) {
            eventListener_->OnWindowEvent(event);
        }
    }
}

void FakeDesktop::FireTimers() {
    constexpr std::uint32_t kTimerMessage = 0x0113;  // WM_TIMER
    for (const auto& [timer, milliseconds] : decltype(timers_)(timers_)) {
        if (timers_.contains(timer)) {
            SendMessage(timer.first, kTimerMessage, timer.second);
        }
    }
}

void FakeDesktop::CloseWindow(WindowHandle window) {
    if (const auto found = byHandle_.find(window); found != byHandle_.end()) {
        Tell(WindowEventKind::Destroyed, *found->second);
        windows_.erase(found->second);
        byHandle_.erase(found);
    }
    std::erase_if(hotkeys_, [window](const auto& entry) { return entry.second.owner == window; });
    if (foreground_ == window) {
        foreground_ = WindowHandle::None;
    }
}

const FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) const {
    const auto found = byHandle_.find(window);
    return found == byHandle_.end() ? nullptr : &*found->second;
}

bool FakeDesktop::Exists(WindowHandle window) const {
    return Find(window) != nullptr;
}

FakeDesktop::Window& FakeDesktop::Get(WindowHandle window) {
    const Window* found = Find(window);
    if (found == nullptr) {
        throw std::out_of_range("no such window");
    }
    return const_cast<Window&>(*found);
}

void FakeDesktop::SetVisibleByOwner(WindowHandle window, bool visible) {
    Window& target = Get(window);
    if (std::exchange(target.visible, visible) != visible) {
        Tell(visible ? WindowEventKind::Shown : WindowEventKind::Hidden, target);
    }
}

void FakeDesktop::SetForeground(WindowHandle window) {
    foreground_ = window;
    if (const Window* target = Find(window)) {
        Tell(WindowEventKind::Foreground, *target);
    }
}

void FakeDesktop::SetMinimizedByOwner(WindowHandle window, bool minimized) {
    Window& target = Get(window);
    if (std::exchange(target.minimized, minimized) != minimized) {
        Tell(minimized ? WindowEventKind::Minimized : WindowEventKind::Restored, target);
    }
}

void FakeDesktop::SetTitle(WindowHandle window, std::u16string title) {
    Window& target = Get(window);
    target.title = std::move(title);
    Tell(WindowEventKind::Renamed, target);
}

void FakeDesktop::ActOnFirstWaitingChange(ThreadId thread) {
    for (Window& window : windows_) {
        if (window.thread == thread && !window.pending.empty()) {
            const ShowCommand command = window.pending.front();
            window.pending.erase(window.pending.begin());
            Apply(window, command);
        }
    }
}

void FakeDesktop::HangThread(ThreadId thread, bool reported) {
    hungThreads_.push_back(thread);
    if (reported) {
        reportedHung_.push_back(thread);
    }
}

void FakeDesktop::ResumeThread(ThreadId thread) {
    std::erase(hungThreads_, thread);
    std::erase(reportedHung_, thread);
    for (Window& window : windows_) {
        // The last change decides: what the earlier ones did, it undoes or does again.
        if (window.thread == thread && !window.pending.empty()) {
            Apply(window, std::exchange(window.pending, {}).back());
        }
    }
    std::erase_if(probesOut_, [this, thread](const auto& entry) {
        const Window* window = Find(entry.first);
        return window == nullptr || window->thread == thread;
    });
}

bool FakeDesktop::Probe(WindowHandle window) noexcept {
    const Window* target = Find(window);
    if (target == nullptr) {
        return false;
    }
    if (TakesNoMessages(*target)) {
        ++probesOut_[window];
    }
    return true;
}

bool FakeDesktop::ProbeAnswered(WindowHandle window) noexcept {
    return !probesOut_.contains(window) || !Exists(window);
}

bool FakeDesktop::IsHung(WindowHandle window) noexcept {
    const Window* target = Find(window);
    return target != nullptr && std::find(reportedHung_.begin(), reportedHung_.end(),
                                          target->thread) != reportedHung_.end();
}

bool FakeDesktop::TakesNoMessages(const Window& window) const {
    return std::find(hungThreads_.begin(), hungThreads_.end(), window.thread) != hungThreads_.end();
}

std::vector<WindowHandle> FakeDesktop::VisibleWindows() const {
    std::vector<WindowHandle> visible;
    for (const Window& window : windows_) {
        if (window.visible) {
            visible.push_back(window.handle);
        }
    }
    return visible;
}

bool FakeDesktop::Fails(std::string_view call) {
    if (const auto error = failures_.Take(call)) {
        lastError_ = *error;
        return true;
    }
    return false;
}

WindowHandle FakeDesktop::FindWindowByClass(std::u16string_view className) noexcept {
    if (Fails("FindWindow")) {
        return WindowHandle::None;
    }
    for (const Window& window : windows_) {
        if (window.className == className) {
            return window.handle;
        }
    }
    return WindowHandle::None;
}

bool FakeDesktop::ShowWindow(WindowHandle window, ShowCommand command) noexcept {
    ++syncShowCalls_;
    if (Fails("ShowWindow")) {
        return false;
    }
    Window* target = const_cast<Window*>(Find(window));
    if (target == nullptr) {
        lastError_ = kErrorInvalidWindowHandle;
        return false;
    }
    if (TakesNoMessages(*target)) {
        // On Windows this call would not come back until the thread answers again.
        ++hangs_;
        return false;
    }
    const bool wasVisible = target->visible;
    Apply(*target, command);
    return wasVisible;
}

WindowHandle FakeDesktop::FindChildByClass(WindowHandle parent,
                                           std::u16string_view className) noexcept {
    const Window* target = Find(parent);
    if (target == nullptr) {
        return WindowHandle::None;
    }
    const auto child = std::find(target->children.begin(), target->children.end(), className);
    if (child == target->children.end()) {
        return WindowHandle::None;
    }
    return static_cast<WindowHandle>(static_cast<std::uintptr_t>(parent) + 1 +
                                     static_cast<std::uintptr_t>(child - target->children.begin()));
}

bool FakeDesktop::ShowWindowAsync(WindowHandle window, ShowCommand command) noexcept {
    ++asyncShowCalls_;
    if (beforeAsyncShow_) {
        beforeAsyncShow_(window, command);
    }
    if (Fails("ShowWindowAsync")) {
        return false;
    }
    Window* target = const_cast<Window*>(Find(window));
    if (target == nullptr) {
        lastError_ = kErrorInvalidWindowHandle;
        return false;
    }
    if (target->elevated) {
        lastError_ = kErrorWindowAccessDenied;
        return false;
    }
    if (TakesNoMessages(*target)) {
        target->pending.push_back(command);
    } else {
        Apply(*target, command);
    }
    return true;
}

void FakeDesktop::Apply(Window& target, ShowCommand command) {
    if (command == ShowCommand::Hide) {
        if (std::exchange(target.visible, false)) {
            Tell(WindowEventKind::Hidden, target);
        }
        if (foreground_ == target.handle) {
            // The system hands the focus to the next visible window down the z-order.
            const auto next = std::find_if(windows_.begin(), windows_.end(),
                                           [](const Window& window) { return window.visible; });
            foreground_ = WindowHandle::None;
            if (next != windows_.end()) {
                Activate(next->handle);
            }
        }
        return;
    }
    // Show brings the window to the front and takes the focus; ShowNoActivate (SWP_NOZORDER,
    // SWP_NOACTIVATE) leaves it where it stands. The window's own thread carries the show out,
    // so the foreground lock asks whether its program may take the focus; if not, the window
    // comes to the front and the keyboard stays where it was.
    if (!std::exchange(target.visible, true)) {
        Tell(WindowEventKind::Shown, target);
    }
    if (command == ShowCommand::ShowNoActivate) {
        return;
    }
    windows_.splice(windows_.begin(), windows_, byHandle_.at(target.handle));
    if (command == ShowCommand::Restore && std::exchange(target.minimized, false)) {
        Tell(WindowEventKind::Restored, target);
    }
    if ((command == ShowCommand::Show || command == ShowCommand::Restore) &&
        MayTakeForeground(target.thread)) {
        Activate(target.handle);
    }
}

void FakeDesktop::InputTo(ThreadId thread) {
    lastInput_ = thread;
    allowedForeground_.clear();
}

bool FakeDesktop::MayTakeForeground(ThreadId thread) const {
    if (foreground_ == WindowHandle::None || thread == lastInput_) {
        return true;
    }
    const Window* active = Find(foreground_);
    const ThreadId foregroundThread = active != nullptr ? active->thread : kOwnThread;
    return thread == foregroundThread ||
           std::find(allowedForeground_.begin(), allowedForeground_.end(), thread) !=
               allowedForeground_.end();
}

bool FakeDesktop::AllowForegroundFrom(ThreadId granter, ThreadId grantee) {
    if (!MayTakeForeground(granter)) {
        return false;
    }
    allowedForeground_.push_back(grantee);
    return true;
}

bool FakeDesktop::AllowForeground(WindowHandle window) noexcept {
    const Window* target = Find(window);
    return target != nullptr && AllowForegroundFrom(kOwnThread, target->thread);
}

bool FakeDesktop::SetForegroundWindow(WindowHandle window) noexcept {
    if (!Exists(window) || !MayTakeForeground(kOwnThread)) {
        return false;
    }
    Activate(window);
    return true;
}

void FakeDesktop::Activate(WindowHandle window) {
    if (foreground_ != window) {
        foreground_ = window;
        ++activations_;
        if (const Window* target = Find(window)) {
            Tell(WindowEventKind::Foreground, *target);
        }
    }
}

bool FakeDesktop::IsWindowVisible(WindowHandle window) noexcept {
    const Window* target = Find(window);
    return target != nullptr && target->visible;
}

bool FakeDesktop::IsWindowCloaked(WindowHandle window) noexcept {
    const Window* target = Find(window);
    return target != nullptr && target->cloaked;
}

bool FakeDesktop::IsOwnThreadWindow(WindowHandle window) noexcept {
    const Window* target = Find(window);
    return target != nullptr && target->thread == kOwnThread;
}

std::uint32_t FakeDesktop::ProcessIdOf(WindowHandle window) noexcept {
    const Window* target = Find(window);
    return target == nullptr ? 0 : 1000 + target->thread;
}

std::u16string FakeDesktop::ClassName(WindowHandle window) {
    ++classNameCalls_;
    const Window* target = Find(window);
    return target == nullptr ? std::u16string() : target->className;
}

WindowStyles FakeDesktop::StylesOf(WindowHandle window) noexcept {
    const Window* target = Find(window);
    return target == nullptr ? WindowStyles{} : target->styles;
}

WindowHandle FakeDesktop::RootOwner(WindowHandle window) noexcept {
    const Window* target = Find(window);
    while (target != nullptr && Find(target->owner) != nullptr) {
        target = Find(target->owner);
    }
    return target == nullptr ? WindowHandle::None : target->handle;
}

bool FakeDesktop::EnumWindows(const std::function<bool(WindowHandle)>& visit) {
    if (Fails("EnumWindows")) {
        return false;
    }
    // A snapshot, as Windows takes one: the callback may open or close windows.
    std::vector<WindowHandle> order;
    order.reserve(windows_.size());
    for (const Window& window : windows_) {
        order.push_back(window.handle);
    }
    for (WindowHandle handle : order) {
        if (Exists(handle) && !visit(handle)) {
            break;
        }
    }
    return true;
}

WindowHandle FakeDesktop::GetForegroundWindow() noexcept {
    return foreground_;
}

bool FakeDesktop::HoldFocus() noexcept {
    if (Fails("HoldFocus") || !MayTakeForeground(kOwnThread)) {
        return false;
    }
    Activate(kFocusHolder);
    return true;
}

bool FakeDesktop::SetTopmost(WindowHandle window) noexcept {
    if (Fails("SetTopmost") || !Exists(window)) {
        return false;
    }
    topmost_.push_back(window);
    return true;
}

void FakeDesktop::FlashWindow(WindowHandle window) {
    constexpr std::uintptr_t kShellFlash = 0x8006;  // HSHELL_FLASH
    const std::uint32_t shellHook = RegisterMessage(u"SHELLHOOK");
    for (WindowHandle listener : std::vector<WindowHandle>(shellListeners_)) {
        SendMessage(listener, shellHook, kShellFlash, static_cast<std::intptr_t>(window));
    }
}

std::uint32_t FakeDesktop::RegisterMessage(std::u16string_view name) noexcept {
    constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;
    const auto found = registeredMessages_.find(name);
    if (found != registeredMessages_.end()) {
        return found->second;
    }
    const auto number =
        static_cast<std::uint32_t>(kFirstRegisteredMessage + registeredMessages_.size());
    registeredMessages_.emplace(std::u16string(name), number);
    return number;
}

bool FakeDesktop::BroadcastMessage(std::uint32_t message) noexcept {
    std::vector<WindowHandle> everyone;
    for (const Window& window : windows_) {
        everyone.push_back(window.handle);
    }
    for (WindowHandle window : everyone) {
        SendMessage(window, message);
    }
    return true;
}

bool FakeDesktop::IsTopmost(WindowHandle window) const {
    return std::find(topmost_.begin(), topmost_.end(), window) != topmost_.end() && Exists(window);
}

void FakeDesktop::HoldHotkeyElsewhere(std::uint32_t modifiers, std::uint32_t virtualKey) {
    hotkeys_[{modifiers, virtualKey}] = Hotkey{WindowHandle::None, -1};
}

bool FakeDesktop::IsHotkeyHeldBy(WindowHandle window, int id) const {
    return std::any_of(hotkeys_.begin(), hotkeys_.end(), [&](const auto& entry) {
        return entry.second.owner == window && entry.second.id == id;
    });
}

bool FakeDesktop::IsCombinationHeld(std::uint32_t modifiers, std::uint32_t virtualKey) const {
    return hotkeys_.contains({modifiers, virtualKey});
}

std::size_t FakeDesktop::HotkeysHeldBy(WindowHandle window) const {
    return static_cast<std::size_t>(
        std::count_if(hotkeys_.begin(), hotkeys_.end(),
                      [window](const auto& entry) { return entry.second.owner == window; }));
}

bool FakeDesktop::PressHotkey(std::uint32_t modifiers, std::uint32_t virtualKey, int repeats) {
    const auto found = hotkeys_.find({modifiers, virtualKey});
    if (found == hotkeys_.end() || found->second.owner == WindowHandle::None) {
        return false;
    }
    const Hotkey hotkey = found->second;
    if (const Window* owner = Find(hotkey.owner)) {
        InputTo(owner->thread);
    }
    for (int press = 0; press <= (hotkey.repeats ? repeats : 0); ++press) {
        SendMessage(hotkey.owner, kWmHotkey, static_cast<std::uintptr_t>(hotkey.id),
                    static_cast<std::intptr_t>((virtualKey << 16) | modifiers));
    }
    return true;
}

SystemError FakeDesktop::RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                                        std::uint32_t virtualKey) noexcept {
    if (Fails("RegisterHotKey")) {
        return SystemError(lastError_);
    }
    const bool repeats = (modifiers & ModNoRepeat) == 0;
    modifiers &= ~static_cast<std::uint32_t>(ModNoRepeat);  // not part of the combination
    if (hotkeys_.contains({modifiers, virtualKey}) || IsHotkeyHeldBy(window, id)) {
        lastError_ = kErrorHotkeyAlreadyRegistered;
        return SystemError(lastError_);
    }
    hotkeys_[{modifiers, virtualKey}] = Hotkey{window, id, repeats};
    return kSucceeded;
}

SystemError FakeDesktop::UnregisterHotKey(WindowHandle window, int id) noexcept {
    if (Fails("UnregisterHotKey")) {
        return SystemError(lastError_);
    }
    const auto found = std::find_if(hotkeys_.begin(), hotkeys_.end(), [&](const auto& entry) {
        return entry.second.owner == window && entry.second.id == id;
    });
    if (found == hotkeys_.end()) {
        lastError_ = kErrorHotkeyNotRegistered;
        return SystemError(lastError_);
    }
    hotkeys_.erase(found);
    return kSucceeded;
}

WindowHandle FakeDesktop::CreateProgramWindow(MessageHandler& handler) noexcept {
    if (Fails("CreateProgramWindow")) {
        return WindowHandle::None;
    }
    const WindowHandle window = OpenWindow({.className = u"OmbrelProgram",
                                            .title = u"Ombrel",
                                            .visible = false,
                                            .thread = kOwnThread});
    const_cast<Window*>(Find(window))->handler = &handler;
    return window;
}

void FakeDesktop::DestroyProgramWindow(WindowHandle window) noexcept {
    CloseWindow(window);
}

std::intptr_t FakeDesktop::DefaultProcedure(const WindowMessage& message) noexcept {
    if (Window* target = const_cast<Window*>(Find(message.window))) {
        target->received.push_back(message);
    }
    return static_cast<std::intptr_t>(message.message) + 1;
}

void FakeDesktop::SetHandler(WindowHandle window, MessageHandler* handler) {
    if (Window* target = const_cast<Window*>(Find(window))) {
        target->handler = handler;
    }
}

std::vector<WindowHandle> FakeDesktop::ProgramWindows() const {
    std::vector<WindowHandle> found;
    for (const Window& window : windows_) {
        if (window.handler != nullptr && window.className == u"OmbrelProgram") {
            found.push_back(window.handle);
        }
    }
    return found;
}

std::u16string FakeDesktop::WindowTitle(WindowHandle window) {
    const Window* target = Find(window);
    return target == nullptr ? std::u16string() : target->title;
}

std::u16string FakeDesktop::ProgramPathOf(WindowHandle window) {
    const Window* target = Find(window);
    if (target == nullptr) {
        return {};
    }
    const auto named = programNames_.find(target->thread);
    return u"C:\\Programs\\" + (named != programNames_.end()
                                    ? named->second
                                    : u"program" + DecimalText(target->thread) + u".exe");
}

std::u16string FakeDesktop::ProcessNameOf(WindowHandle window) {
    const Window* target = Find(window);
    if (target == nullptr) {
        return {};
    }
    const auto nameOf = [this](ThreadId thread) {
        const auto named = programNames_.find(thread);
        return named != programNames_.end() ? named->second
                                            : u"program" + DecimalText(thread) + u".exe";
    };
    std::u16string name = nameOf(target->thread);
    if (name == kStoreAppFrameHost && target->contentThread != 0) {
        return nameOf(target->contentThread);
    }
    return name;
}

bool FakeDesktop::PostToWindow(WindowHandle window, std::uint32_t message,
                               std::intptr_t lParam) noexcept {
    if (!Exists(window)) {
        return false;
    }
    SendMessage(window, message, 0, lParam);
    return true;
}

std::intptr_t FakeDesktop::SendMessage(WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) {
    Window* target = const_cast<Window*>(Find(window));
    if (target == nullptr) {
        return 0;
    }
    if (target->handler != nullptr) {
        return target->handler->HandleMessage({window, message, wParam, lParam});
    }
    target->received.push_back({window, message, wParam, lParam});
    return static_cast<std::intptr_t>(message) + 1;
}

}  // namespace ombrel::fakes
