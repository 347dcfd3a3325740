#pragma once

#include <cstdint>
#include <optional>

#include "engine/RememberedPlaces.h"
#include "platform/Clock.h"
#include "platform/Log.h"
#include "platform/UserFiles.h"
#include "text/Texts.h"

namespace ombrel {

// The file that keeps where windows were (%LOCALAPPDATA%\Ombrel\arrangement.json), while the
// settings ask to remember: read when remembering begins, written within two seconds of a change
// and at the way out, each time whole (a power cut or a crash leaves the last one). A journal
// that is not one (broken, too large, not ours) is set aside as arrangement.json.bad and a new
// one begun; one that another program holds is read at a later refresh, and meanwhile neither
// used nor written over.
class ArrangementJournal {
  public:
    static constexpr std::size_t kMaxBytes = 4u << 20;
    // Writes at most every other refresh, whatever the churn: a change seen at a refresh is in
    // the file by the next but one.
    static constexpr std::uint64_t kWriteSpacingMilliseconds = 1500;

    ArrangementJournal(UserFiles& files, Log& log, const Texts& texts, Clock& clock,
                       RememberedPlaces& places)
        : files_(files), log_(log), texts_(texts), clock_(clock), places_(places) {}
    ArrangementJournal(const ArrangementJournal&) = delete;
    ArrangementJournal& operator=(const ArrangementJournal&) = delete;

    // The setting in force: on, the journal is read and remembering begins from it; off,
    // nothing is read or written.
    void Use(bool remember);
    // At each refresh, after the look: a held journal is tried again, a change written when
    // the last write is far enough back.
    void Refreshed();
    // The way out, or the end of the session: a change is written now.
    void WriteNow();

  private:
    // Reads the journal and begins remembering from it; false while it cannot be read.
    bool Read();
    void SetAside(const std::u16string& path);
    bool Due() const;
    void Write();

    UserFiles& files_;
    Log& log_;
    const Texts& texts_;
    Clock& clock_;
    RememberedPlaces& places_;
    bool wanted_ = false;  // the settings ask to remember
    bool read_ = false;    // read, or begun anew: ours to write
    bool heldReported_ = false;
    bool unwritten_ = false;  // the last write failed
    std::optional<std::uint64_t> lastWrite_;
    std::int64_t writtenDay_ = 0;
    std::uint32_t writeFailure_ = 0;  // logged once, until a write works again
};

}  // namespace ombrel
