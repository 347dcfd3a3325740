#include "shell/SettingsFileSession.h"

#include <utility>
#include <variant>

#include "platform/Text.h"
#include "settings/SettingsFileTemplate.h"
#include "text/Texts.h"

namespace ombrel {

SettingsFileSession::SettingsFileSession(UserFiles& files, Log& log, const Texts& texts,
                                         CommonDialogs& dialogs, PutInForce putInForce)
    : files_(files),
      log_(log),
      texts_(texts),
      dialogs_(dialogs),
      putInForce_(std::move(putInForce)) {}

void SettingsFileSession::Start(WindowHandle window, std::uint32_t changedMessage) {
    window_ = window;
    changedMessage_ = changedMessage;
    // Watched before the first read, so that no save falls between the two.
    CheckWatch();
    Read();
}

void SettingsFileSession::FolderChanged() noexcept {
    settle_ = kRefreshesToSettle;
    if (files_.SettingsWatchFailure().Failed()) {
        // Set up again at once: a stopped watch may keep a thread of the pool busy until then.
        try {
            CheckWatch();
        } catch (...) {
            // Out of memory for the log line: the next refresh tries again.
        }
    }
}

void SettingsFileSession::Refreshed() {
    CheckWatch();
    if (settle_ > 0 && --settle_ == 0) {
        Read();
        ShowNotice();
    }
}

void SettingsFileSession::CheckWatch() {
    const std::uint32_t stopped = files_.SettingsWatchFailure().Code();
    if (!read_ || stopped != 0 || watchFailure_ != 0) {
        const std::uint32_t code = files_.WatchSettingsFolder(window_, changedMessage_).Code();
        if (watchFailure_ == 0 && (stopped != 0 || code != 0)) {
            log_.Write(texts_.Format(
                code == 0 ? TextId::SettingsWatchRestarted : TextId::SettingsWatchRetried,
                {DecimalText(stopped != 0 ? stopped : code)}));
        } else if (watchFailure_ != 0 && code == 0) {
            log_.Write(texts_.Text(TextId::SettingsWatchBack));
        }
        watchFailure_ = code;
    }
    // Whatever the watch, a change shows in the file's size and time: a watch that says
    // nothing (a renamed folder, a network share) never silences the reload.
    if (!read_) {
        return;  // the first read takes the file's stamp
    }
    const std::optional<FileStamp> stamp = files_.StampOf(files_.SettingsFilePath());
    if (stamp != stamp_ && settle_ == 0) {
        settle_ = kRefreshesToSettle;
    }
    stamp_ = stamp;
}

void SettingsFileSession::Read() {
    const std::u16string path = files_.SettingsFilePath();
    stamp_ = files_.StampOf(path);
    FileRead read = files_.ReadFile(path, SettingsFileContents::kMaxBytes);
    const bool reload = read_;
    std::u16string problem;
    switch (read.outcome) {
        case FileRead::Outcome::Read:
            break;
        case FileRead::Outcome::Absent:
            if (reload && bytes_ && !secondLook_) {
                secondLook_ = true;
                settle_ = 1;
                return;
            }
            break;
        case FileRead::Outcome::TooLarge:
            problem = texts_.Text(TextId::SettingsFileTooLarge);
            break;
        case FileRead::Outcome::Failed:
            if (read.error.Code() == kErrorSharingViolation ||
                read.error.Code() == kErrorLockViolation) {
                // Most often held only while another program saves or scans it: read again at
                // each refresh until it is free.
                settle_ = 1;
                if (++heldReads_ < kHeldReadsBeforeReport && reload) {
                    return;
                }
                if (heldReads_ >= kHeldReadsBeforeReport) {
                    problem = texts_.Text(TextId::SettingsFileHeld);
                }
            } else {
                problem =
                    texts_.Format(TextId::SettingsFileUnreadable, {DecimalText(read.error.Code())});
            }
            break;
    }
    secondLook_ = false;
    if (read.outcome != FileRead::Outcome::Failed) {
        heldReads_ = 0;
    }
    if (read.outcome != FileRead::Outcome::Read && read.outcome != FileRead::Outcome::Absent) {
        // What is in force stays; at start-up that is the usual keys.
        if (!std::exchange(read_, true)) {
            putInForce_({}, false);
        }
        if (!problem.empty()) {
            Report(texts_.Format(TextId::SettingsKeptUnchanged, {problem}));
        }
        return;
    }
    std::optional<std::string> bytes;
    if (read.outcome == FileRead::Outcome::Read) {
        bytes = std::move(read.bytes);
    }
    if (reload && bytes == bytes_) {
        reported_.clear();
        return;  // saved unchanged, or another file of the folder changed
    }
    read_ = true;
    bytes_ = std::move(bytes);
    std::variant<SettingsFileContents, SettingsFileError> parsed = SettingsFileContents{};
    if (bytes_) {
        parsed = ParseSettingsFile(*bytes_);
    }
    if (const SettingsFileError* error = std::get_if<SettingsFileError>(&parsed)) {
        if (!reload) {
            // A file with an error at start-up leaves the usual keys in force.
            putInForce_({}, false);
        }
        Report(
            texts_.Format(TextId::SettingsKeptUnchanged, {SettingsFileErrorText(texts_, *error)}));
        return;
    }
    putInForce_(std::get<SettingsFileContents>(std::move(parsed)), reload);
    reported_.clear();
    if (reload) {
        log_.Write(texts_.Text(bytes_ ? TextId::SettingsFileReread : TextId::SettingsFileDeleted));
    }
}

void SettingsFileSession::Report(std::u16string text) {
    if (text == reported_) {
        return;
    }
    log_.Write(text);
    notice_ = text;
    reported_ = std::move(text);
}

void SettingsFileSession::ShowNotice() {
    if (notice_) {
        dialogs_.ShowNotice(*notice_, texts_.Text(TextId::SettingsNoticeCaption));
        notice_.reset();
    }
}

void SettingsFileSession::Edit() {
    const std::u16string path = files_.SettingsFilePath();
    if (!files_.StampOf(path)) {
        // A start the user can edit, with the schema his editor completes and checks it by.
        static_cast<void>(
            files_.CreateNewFile(path, SettingsFileTemplate(texts_, DescribedKeyTexts())));
        const std::size_t slash = path.find_last_of(u'\\');
        static_cast<void>(files_.CreateNewFile(
            path.substr(0, slash == std::u16string::npos ? 0 : slash + 1) + u"settings.schema.json",
            SettingsFileSchema(texts_.InForce())));
    }
    files_.OpenInEditor(path);
}

}  // namespace ombrel
