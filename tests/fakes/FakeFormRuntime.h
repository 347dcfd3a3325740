#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "FakeDesktop.h"
#include "platform/RunningProcess.h"
#include "ui/forms/FormRuntime.h"

namespace ombrel::fakes {

// Forms without native controls: each loaded form is a window of our own thread on the fake
// desktop, so it is enumerated and collected like any other window. It also plays the running
// process, whose end is the end of the forms.
class FakeFormRuntime final : public FormRuntime, public RunningProcess {
  public:
    static constexpr float kScreenWidthTwips = 1920 * 15;
    // Left and right border together, at 96 DPI.
    static constexpr float kFrameWidthTwips = 2 * 3 * 15;

    explicit FakeFormRuntime(FakeDesktop& desktop) : desktop_(desktop) {}

    void SetPreviousInstance(bool running) {
        instanceObjectError_ = running ? SystemError(kErrorObjectExists) : kSucceeded;
    }
    // What taking the instance object answers, as an elevated instance's refuses us.
    void SetInstanceObjectError(std::uint32_t code) { instanceObjectError_ = SystemError(code); }
    // Another process that runs, as the system would answer about it.
    void AddRunningProcess(ProcessIdentity process) { othersRunning_.push_back(process); }
    void SetProgramPath(std::u16string directory, std::u16string name) {
        directory_ = std::move(directory);
        name_ = std::move(name);
    }
    bool ProcessEnded() const { return endCount_ > 0; }
    int EndCount() const { return endCount_; }
    int CreateCount(const std::u16string_view formName) const;

    WindowHandle CreateFormWindow(Form& form) override;
    void DestroyFormWindow(Form& form) noexcept override;
    void ShowFormWindow(Form& form) noexcept override;
    void HideFormWindow(Form& form) noexcept override;
    bool IsFormWindowVisible(const Form& form) noexcept override;
    void FormChanged(Form& form, FormChange change) noexcept override;
    void ControlChanged(Form& form, Control& control, ControlChange change) noexcept override;
    float OuterWidthTwips(const Form& form) noexcept override;
    // One 1920 x 1080 screen at 96 DPI with a 40-pixel taskbar at the bottom, unless a test
    // docks, undocks or scales.
    std::vector<ScreenArea> WorkAreasTwips() override;
    // Screens at 96 DPI.
    void SetWorkAreas(const std::vector<ScreenArea>& areas);
    // Each screen has a scale of its own: a window is drawn at the DPI of the screen it stands
    // on, and the system's DPI (the main screen's at sign-in) says nothing about it.
    struct Screen {
        ScreenArea area;
        unsigned dpi = 96;
    };
    void SetScreens(std::vector<Screen> screens) { screens_ = std::move(screens); }
    // The user's choice in the next menu (-1: he leaves it), and the items of the last one.
    void ChooseInMenu(int index) { menuChoice_ = index; }
    const std::vector<std::u16string>& LastMenu() const { return lastMenu_; }
    // Per item of the last menu: whether it could be chosen.
    const std::vector<bool>& LastMenuEnabled() const { return lastMenuEnabled_; }
    using FormRuntime::ShowMenu;
    int ShowMenu(Form& /*form*/, std::span<const MenuItem> items) noexcept override {
        lastMenu_.clear();
        lastMenuEnabled_.clear();
        for (const MenuItem& item : items) {
            lastMenu_.emplace_back(item.text);
            lastMenuEnabled_.push_back(item.enabled);
        }
        return menuChoice_;
    }
    void WatchWindowDrops(Form& form) noexcept override { dropsOver_ = &form; }
    // The user lets go of a window he moved with the pointer at this place on the screen: over
    // the watched form while it shows, it hears of it with the control there (at 96 DPI, the
    // client area a border in from the left and a caption down from the top).
    void DropWindowAt(WindowHandle window, float leftTwips, float topTwips);
    static constexpr float kCaptionHeightTwips = 26 * 15;
    std::uint32_t SessionId() noexcept override { return sessionId_; }
    void SetSessionId(std::uint32_t session) { sessionId_ = session; }
    SystemError InstanceObjectError() noexcept override { return instanceObjectError_; }
    ProcessIdentity Identity() noexcept override { return identity_; }
    // Another instance runs here from now on: a later start of the program.
    void SetIdentity(ProcessIdentity identity) { identity_ = identity; }
    bool IsRunning(const ProcessIdentity& process) noexcept override {
        return process == identity_ || std::find(othersRunning_.begin(), othersRunning_.end(),
                                                 process) != othersRunning_.end();
    }
    // Without a guard that carries errands (the default), the program starts the service itself.
    bool KeepGuardRunning(bool startCompanionService) noexcept override {
        ++guardChecks_;
        if (startCompanionService && guardCarriesService_) {
            ++serviceErrands_;
            return true;
        }
        return false;
    }
    void WaitForGuardStarter() noexcept override { ++starterWaits_; }
    int GuardChecks() const { return guardChecks_; }
    void SetGuardCarriesService(bool carries) { guardCarriesService_ = carries; }
    int ServiceErrands() const { return serviceErrands_; }
    int StarterWaits() const { return starterWaits_; }
    std::u16string ProgramDirectory() override { return directory_; }
    std::u16string ProgramName() override { return name_; }
    std::u16string DisplayLanguage() override { return displayLanguage_; }
    void SetDisplayLanguage(std::u16string language) { displayLanguage_ = std::move(language); }
    bool ProgramFolderWritableByOthers() noexcept override { return folderWritableByOthers_; }
    void SetProgramFolderWritableByOthers(bool writable) { folderWritableByOthers_ = writable; }
    void EndProcess() noexcept override {
        ++endCount_;
        if (atEnd_) {
            atEnd_();
        }
    }
    // Runs at the moment the program ends its process, to see the state it leaves behind.
    void AtEndProcess(std::function<void()> probe) { atEnd_ = std::move(probe); }

  private:
    // A form's window hears what the system sends every top-level window: the screens changed,
    // or its own screen's scale.
    class FormMessages final : public MessageHandler {
      public:
        FormMessages(Form& form, FakeDesktop& desktop) : form_(form), desktop_(desktop) {}
        std::intptr_t HandleMessage(const WindowMessage& message) noexcept override;

      private:
        Form& form_;
        FakeDesktop& desktop_;
    };

    FakeDesktop& desktop_;
    std::map<WindowHandle, std::unique_ptr<FormMessages>> formMessages_;
    ProcessIdentity identity_{4242, 0x01DB000000000000};
    SystemError instanceObjectError_;
    std::vector<ProcessIdentity> othersRunning_;
    std::u16string directory_ = u"C:\\Program Files\\Ombrel";
    std::u16string name_ = u"Ombrel";
    std::u16string displayLanguage_ = u"zh-CN";
    bool folderWritableByOthers_ = false;
    int endCount_ = 0;
    std::function<void()> atEnd_;
    std::map<std::u16string, int, std::less<>> creates_;
    unsigned DpiAt(float left, float top) const;

    int guardChecks_ = 0;
    bool guardCarriesService_ = false;
    int serviceErrands_ = 0;
    int starterWaits_ = 0;
    int menuChoice_ = -1;
    std::vector<std::u16string> lastMenu_;
    std::vector<bool> lastMenuEnabled_;
    Form* dropsOver_ = nullptr;
    std::vector<Screen> screens_{{{0, 0, kScreenWidthTwips, 1040 * 15, true}, 96}};
    std::uint32_t sessionId_ = 1;
};

}  // namespace ombrel::fakes
