#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/CommonDialogs.h"
#include "platform/Log.h"
#include "platform/UserFiles.h"
#include "platform/WindowHandle.h"
#include "settings/SettingsFile.h"
#include "text/Texts.h"

namespace ombrel {

// The settings file while the program runs: read at start-up and again whenever it changed (as
// the watch of its folder tells, or its size and time), its problems logged and shown once, and
// made from the template when the user asks to edit one that is not there.
class SettingsFileSession {
  public:
    // Puts the contents of a file in force: at start-up (the usual settings when there is no
    // file or it cannot be used) and at each change read since (reload: those who follow the
    // changes are told).
    using PutInForce = std::function<void(SettingsFileContents, bool reload)>;

    SettingsFileSession(UserFiles& files, Log& log, const Texts& texts, CommonDialogs& dialogs,
                        PutInForce putInForce);
    SettingsFileSession(const SettingsFileSession&) = delete;
    SettingsFileSession& operator=(const SettingsFileSession&) = delete;

    // Watches the folder, the message going to the window at each change, and reads the file.
    void Start(WindowHandle window, std::uint32_t changedMessage);
    // What went wrong with the file, in a box that waits for nobody.
    void ShowNotice();
    // At each refresh: sets the watch up again if it stopped, and reads the file once a change
    // has settled.
    void Refreshed();
    void FolderChanged() noexcept;
    // Opens the file in the user's editor, made first from the template (with the schema beside
    // it) when there is none.
    void Edit();

  private:
    // How many refreshes a change of the settings folder waits before the file is read: an
    // editor may save in several steps, and the change is in force within two seconds.
    static constexpr int kRefreshesToSettle = 2;
    // A file another program holds is read again at each refresh; it is reported only when it
    // is still held after this many.
    static constexpr int kHeldReadsBeforeReport = 5;

    // Reads the file, if it changed, and puts it in force; a file with an error, or one that
    // cannot be read, changes nothing and is reported once.
    void Read();
    // Logs the problem and keeps it for the notice, unless it is the one reported last.
    void Report(std::u16string text);
    // The watch of the folder stopped or could not be set up: it is set up again at each
    // refresh until it works, and meanwhile the file's size and time tell of a change.
    void CheckWatch();

    UserFiles& files_;
    Log& log_;
    const Texts& texts_;
    CommonDialogs& dialogs_;
    PutInForce putInForce_;
    WindowHandle window_{};
    std::uint32_t changedMessage_ = 0;
    // The file as last read (none: there was none), and whether it was read yet.
    std::optional<std::string> bytes_;
    bool read_ = false;
    int settle_ = 0;
    // The file was not there where one was in force: it is looked for once more before it
    // counts as deleted, for an editor may save by deleting and renaming.
    bool secondLook_ = false;
    int heldReads_ = 0;
    std::u16string reported_;               // the last problem reported, until one is read again
    std::optional<std::u16string> notice_;  // shown once the start-up is done
    std::optional<FileStamp> stamp_;
    std::uint32_t watchFailure_ = 0;  // logged once, until the watch works again
};

}  // namespace ombrel
