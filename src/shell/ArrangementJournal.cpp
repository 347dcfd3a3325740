#include "shell/ArrangementJournal.h"

#include <string>
#include <vector>

#include "shell/ArrangementJson.h"
#include "text/LogFailure.h"
#include "text/Texts.h"

namespace ombrel {

void ArrangementJournal::Use(bool remember) {
    if (!remember) {
        wanted_ = read_ = false;
        places_.End();
        return;
    }
    if (!wanted_) {
        wanted_ = true;
        Read();
    }
}

bool ArrangementJournal::Read() {
    const std::u16string path = files_.ArrangementFilePath();
    if (path.empty()) {
        return false;  // no local folder to keep it in
    }
    FileRead read = files_.ReadFile(path, kMaxBytes);
    std::vector<PlaceRecord> records;
    switch (read.outcome) {
        case FileRead::Outcome::Failed:
            // Most likely a program that backs the folder up or scans it: a moment later it is
            // free, and it is not ours to replace before we know what it holds.
            if (!heldReported_) {
                LogFailure(log_, texts_, TextId::ArrangementHeld, read.error, {path});
                heldReported_ = true;
            }
            return false;
        case FileRead::Outcome::Absent:
            break;
        case FileRead::Outcome::TooLarge:
            SetAside(path);
            break;
        case FileRead::Outcome::Read:
            if (std::optional<std::vector<PlaceRecord>> parsed = ParseArrangementJson(read.bytes)) {
                records = std::move(*parsed);
            } else {
                SetAside(path);
            }
            break;
    }
    read_ = true;
    heldReported_ = false;
    places_.Begin(std::move(records), clock_.Today());
    writtenDay_ = clock_.Today();
    return true;
}

void ArrangementJournal::SetAside(const std::u16string& path) {
    // Kept for whoever wants to see what went wrong; an older one gives way.
    const std::u16string aside = path + u".bad";
    const SystemError error = files_.RenameFile(path, aside);
    if (error.Failed()) {
        LogFailure(log_, texts_, TextId::ArrangementNotSetAside, error, {path});
    } else {
        log_.Write(texts_.Format(TextId::ArrangementSetAside, {path, aside}));
    }
}

void ArrangementJournal::Refreshed() {
    if (!wanted_ || (!read_ && !Read())) {
        return;
    }
    if (Due() &&
        (!lastWrite_ || clock_.Milliseconds() - *lastWrite_ >= kWriteSpacingMilliseconds)) {
        Write();
    }
}

void ArrangementJournal::WriteNow() {
    if (wanted_ && read_ && Due()) {
        Write();
    }
}

bool ArrangementJournal::Due() const {
    // A window still open is met again today: its date moves on once a day.
    return places_.Changed() || unwritten_ ||
           (writtenDay_ != clock_.Today() && places_.HoldsWindows());
}

void ArrangementJournal::Write() {
    const std::int64_t today = clock_.Today();
    const std::string bytes = ArrangementJson(places_.Records(today), kMaxBytes);
    lastWrite_ = clock_.Milliseconds();
    writtenDay_ = today;
    const std::u16string path = files_.ArrangementFilePath();
    const SystemError error = files_.ReplaceFile(path, bytes);
    unwritten_ = error.Failed();
    if (unwritten_ && error.Code() != writeFailure_) {
        LogFailure(log_, texts_, TextId::ArrangementNotWritten, error, {path});
    }
    writeFailure_ = error.Code();
}

}  // namespace ombrel
