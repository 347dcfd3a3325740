// From the key press to the last window hidden and the last shown, beside the driver doing the
// same hiding and showing itself.
#include <cstdio>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "DesktopDriver.h"
#include "Measures.h"

namespace ombrel::bench {
namespace {

constexpr Milliseconds kSwitchLimit{
    30'000};  // a ceiling: 200 windows can take seconds on a busy Wine
constexpr Milliseconds kRefreshPassed{1300};
constexpr int kLostPressRetries = 5;

using Windows = std::vector<HWND>;

constexpr Milliseconds kSettleLimit{500};  // for the stacking order and focus after a switch

using Windows = std::vector<HWND>;

// Both lists in z-order, top first. The ones that change last (the top windows) are looked at
// first, so that most checks before the end cost a few calls.
bool Switched(const Windows& leaving, const Windows& entering) {
    if ((!leaving.empty() && ::IsWindowVisible(leaving.front())) ||
        (!entering.empty() && !::IsWindowVisible(entering.front()))) {
        return false;
    }
    return driver::AllVisible(leaving, false) && driver::AllVisible(entering, true);
}

// The cheapest sequence that keeps the stacking order and the focus: the leaving windows hidden
// bottom-most first (the active one last, so no other of them is activated on the way), the
// entering ones shown bottom-most first without activation, and the top one with it.
void SwitchCheapest(const Windows& leaving, const Windows& entering) {
    for (auto window = leaving.rbegin(); window != leaving.rend(); ++window) {
        ::ShowWindowAsync(*window, SW_HIDE);
    }
    if (entering.empty()) {
        return;
    }
    for (auto window = entering.rbegin(); window + 1 != entering.rend(); ++window) {
        ::ShowWindowAsync(*window, SW_SHOWNA);
    }
    ::ShowWindowAsync(entering.front(), SW_SHOW);
}

// The sequence Ombrel used before: hide the top first, show the bottom first, every show
// activating its window.
void SwitchTopFirst(const Windows& leaving, const Windows& entering) {
    for (HWND window : leaving) {
        ::ShowWindowAsync(window, SW_HIDE);
    }
    for (auto window = entering.rbegin(); window != entering.rend(); ++window) {
        ::ShowWindowAsync(*window, SW_SHOW);
    }
}

bool WaitForOwnHotkey() {
    MSG message{};
    return PollUntil(
        [&] {
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_HOTKEY) {
                    return true;
                }
            }
            return false;
        },
        kSwitchLimit);
}

using Act = std::function<void(const Windows& leaving, const Windows& entering)>;

class TwoDesktops {
  public:
    TwoDesktops(Windows one, Windows two) : one_(std::move(one)), two_(std::move(two)) {}

    // Runs act, which should switch from one set to the other, and times it to completion.
    // A key press that Wine lost changes nothing; it is counted and the act repeated.
    double Timed(bool towardsTwo, const Act& act, int& lostPresses) {
        const Windows leaving = InZOrder(towardsTwo ? one_ : two_);
        const Windows entering = InZOrder(towardsTwo ? two_ : one_);
        for (int attempt = 0; attempt < kLostPressRetries; ++attempt) {
            const auto start = Clock::now();
            act(leaving, entering);
            if (PollUntil([&] { return Switched(leaving, entering); }, kSwitchLimit)) {
                return Milliseconds(Clock::now() - start).count();
            }
            if (!driver::AllVisible(leaving, true)) {
                throw std::runtime_error(std::string(towardsTwo ? "to desktop 2" : "to desktop 1") +
                                         ", a switch was left half done: " +
                                         std::to_string(driver::CountVisible(leaving)) + " of " +
                                         std::to_string(leaving.size()) + " leaving and " +
                                         std::to_string(driver::CountVisible(entering)) + " of " +
                                         std::to_string(entering.size()) + " entering visible");
            }
            ++lostPresses;
        }
        throw std::runtime_error("key presses keep getting lost");
    }

    // There and back, timed; kept counts the round trip if desktop 1 came back in its stacking
    // order with the focus on the same window.
    void RoundTrip(const char* who, const Act& there, const Act& back, RoundTrips* into,
                   int& lostPresses) {
        try {
            TimedRoundTrip(who, there, back, into, lostPresses);
        } catch (const std::exception& error) {
            throw std::runtime_error(std::string(who) + ", " + error.what());
        }
    }

    void TimedRoundTrip(const char* who, const Act& there, const Act& back, RoundTrips* into,
                        int& lostPresses) {
        SettleFocusOnTop();
        const Windows before = InZOrder(one_);
        const HWND focus = ::GetForegroundWindow();
        const double milliseconds =
            Timed(true, there, lostPresses) + Timed(false, back, lostPresses);
        if (into == nullptr) {
            return;
        }
        into->milliseconds.push_back(milliseconds);
        const bool kept =
            PollUntil([&] { return ::GetForegroundWindow() == focus && InZOrder(one_) == before; },
                      kSettleLimit);
        into->kept += kept ? 1 : 0;
        if (!kept) {
            // What was lost, for whoever looks into it: the order, the focus, or both.
            const Windows after = InZOrder(one_);
            std::size_t same = 0;
            while (same < after.size() && same < before.size() && after[same] == before[same]) {
                ++same;
            }
            std::fprintf(
                stderr, "           %s, not kept: order %s (first %zu of %zu in place), focus %s\n",
                who, after == before ? "kept" : "lost", same, before.size(),
                ::GetForegroundWindow() == focus ? "kept" : "lost");
        }
    }

    // Every round starts as a switch leaves a desktop: its top window active. The driver's own
    // sequences can leave it elsewhere, when a program hiding its active window hands the focus
    // to a window that was shown a moment earlier.
    void SettleFocusOnTop() const {
        const auto settled = [this] {
            const Windows order = InZOrder(one_);
            return !order.empty() && ::GetForegroundWindow() == order.front();
        };
        if (!PollUntil(settled, kSettleLimit)) {
            ::SetForegroundWindow(InZOrder(one_).front());
            PollUntil(settled, kSettleLimit);
        }
    }

    const Windows& One() const { return one_; }
    const Windows& Two() const { return two_; }

  private:
    Windows one_;
    Windows two_;
};

void Progress(const char* phase, int windowsPerDesktop) {
    static const auto start = Clock::now();
    std::fprintf(stderr, "[%6.1f s] switch, %d windows per desktop: %s\n",
                 std::chrono::duration<double>(Clock::now() - start).count(), windowsPerDesktop,
                 phase);
}

void Pause(Milliseconds time) {
    ::Sleep(static_cast<DWORD>(time.count()));
}

Act PressOmbrelKey(WORD key) {
    return [key](const Windows&, const Windows&) { driver::PressKeys({VK_CONTROL, key}); };
}

// The driver's own hotkey: Ombrel holds Ctrl+F2, so Ctrl+Shift+F2 takes the same way in.
constexpr int kOwnHotkey = 1;
constexpr UINT kOwnModifiers = MOD_CONTROL | MOD_SHIFT;

void SwitchOnOwnKey(const Windows& leaving, const Windows& entering) {
    driver::PressKeys({VK_CONTROL, VK_SHIFT, VK_F2});
    if (WaitForOwnHotkey()) {
        SwitchCheapest(leaving, entering);
    }
}

// The driver's own windows are titled so, and Ombrel leaves them alone: a refresh that ran while
// the driver was halfway through a switch of Ombrel's windows would rightly take the ones shown
// by their program for windows of the desktop it is on.
constexpr const wchar_t* kDriversTitle = L"Limit ";
constexpr const char* kSettingsIgnoringTheDriver =
    "{ \"rules\": [ { \"title\": \"Limit *\", \"ignore\": true } ] }\n";

// Ombrel starts on desktop 1 with the first set; the second set is opened on desktop 2, as a
// user would, and stays there after a refresh.
StartedProgram StartOmbrelWithTwoDesktops(const Contenders& programs, TwoDesktops& desktops,
                                          HWND& bar) {
    WriteSettingsFile(kSettingsIgnoringTheDriver);
    StartedProgram ombrel = Start(kOmbrel, programs);
    bar = WaitForWindow(kOmbrel);
    Pause(kRefreshPassed);
    // Desktop 2 has nothing to show yet: wait for desktop 1 to go.
    for (int attempt = 0; attempt < kLostPressRetries && !driver::AllVisible(desktops.One(), false);
         ++attempt) {
        driver::PressKeys({VK_CONTROL, VK_F2});
        PollUntil([&] { return driver::AllVisible(desktops.One(), false); }, kSwitchLimit);
    }
    SwitchCheapest({}, InZOrder(desktops.Two()));
    PollUntil([&] { return driver::AllVisible(desktops.Two(), true); }, kSwitchLimit);
    Pause(kRefreshPassed);
    int lost = 0;
    desktops.Timed(false, PressOmbrelKey(VK_F1), lost);
    return ombrel;
}

}  // namespace

SwitchFigures MeasureSwitch(const Contenders& programs, int windowsPerDesktop, int runs) {
    constexpr int kWarmUp = 2;
    SwitchFigures figures;
    figures.windowsPerDesktop = windowsPerDesktop;
    Progress("opening the windows", windowsPerDesktop);
    HelperWindows helpers(programs.helper);
    TwoDesktops desktops(helpers.Open(L"One ", windowsPerDesktop),
                         helpers.Open(L"Two ", windowsPerDesktop));
    // As many windows of the same program, on the screen at the same time, for the driver.
    const std::wstring title = kDriversTitle;
    TwoDesktops drivers(helpers.Open(title + L"one ", windowsPerDesktop),
                        helpers.Open(title + L"two ", windowsPerDesktop));
    for (const TwoDesktops* pair : {&desktops, &drivers}) {
        SwitchCheapest(InZOrder(pair->Two()), {});
        PollUntil([&] { return driver::AllVisible(pair->Two(), false); }, kSwitchLimit);
    }

    Progress("starting Ombrel", windowsPerDesktop);
    HWND bar = nullptr;
    StartedProgram ombrel = StartOmbrelWithTwoDesktops(programs, desktops, bar);
    ::RegisterHotKey(nullptr, kOwnHotkey, kOwnModifiers, VK_F2);
    Progress("measuring", windowsPerDesktop);
    // Taking turns, so that a slow moment of the machine falls on all four alike. Ombrel keeps
    // running (and refreshing) throughout, and leaves the driver's windows alone.
    for (int run = 0; run < kWarmUp + runs; ++run) {
        const auto into = [&](RoundTrips& figures) { return run < kWarmUp ? nullptr : &figures; };
        desktops.RoundTrip("Ombrel", PressOmbrelKey(VK_F2), PressOmbrelKey(VK_F1),
                           into(figures.ombrel), figures.lostPresses);
        drivers.RoundTrip("limit", &SwitchCheapest, &SwitchCheapest, into(figures.cheapest),
                          figures.lostPresses);
        drivers.RoundTrip("limit on the key", &SwitchOnOwnKey, &SwitchCheapest,
                          into(figures.cheapestOnKey), figures.lostPresses);
        drivers.RoundTrip("previous sequence", &SwitchTopFirst, &SwitchTopFirst,
                          into(figures.previous), figures.lostPresses);
        // That sequence can leave the focus off the top window; the next round starts from a
        // desktop whose top window has it, as a switch leaves it.
        drivers.RoundTrip("settling", &SwitchCheapest, &SwitchCheapest, nullptr,
                          figures.lostPresses);
    }
    ::UnregisterHotKey(nullptr, kOwnHotkey);
    ombrel.Close(bar);
    RemoveSettingsFile();
    Progress("done", windowsPerDesktop);
    return figures;
}

}  // namespace ombrel::bench
