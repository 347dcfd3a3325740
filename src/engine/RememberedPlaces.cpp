#include "engine/RememberedPlaces.h"

#include <algorithm>

#include "platform/Text.h"

namespace ombrel {
namespace {

// The program with its class: the windows whose order of appearance is counted together.
std::u16string KindKey(std::u16string_view program, std::u16string_view className) {
    return Folded(program) + u'\n' + Folded(className);
}

// The program as its windows' last desktop is known: a store app by its own id.
std::u16string ProgramKey(std::u16string_view program, std::u16string_view appId) {
    return Folded(program) + u'\n' + std::u16string(appId);
}

// A title is kept, and compared, on its first units, as rules match it: a program may give its
// window a title of any length.
std::u16string KeptTitle(WindowSystem& windows, WindowHandle window) {
    std::u16string title = windows.WindowTitle(window);
    if (title.size() > kMatchedTitleLength) {
        const bool halfCharacter =
            title[kMatchedTitleLength - 1] >= 0xD800 && title[kMatchedTitleLength - 1] < 0xDC00;
        title.resize(halfCharacter ? kMatchedTitleLength - 1 : kMatchedTitleLength);
    }
    return title;
}

std::optional<WindowPlacement> PlacementAt(int desktop) {
    if (desktop == PlaceRecord::kPinned) {
        return WindowPlacement{WindowPlacement::Kind::Pin, 0};
    }
    if (IsDesktopIndex(desktop)) {
        return WindowPlacement{WindowPlacement::Kind::Desktop, desktop};
    }
    return std::nullopt;
}

}  // namespace

void RememberedPlaces::Begin(std::vector<PlaceRecord> records, std::int64_t today) {
    End();
    on_ = true;
    kept_.reserve(records.size());
    for (PlaceRecord& record : records) {
        kept_.push_back({std::move(record)});
    }
    Bound(today);
    LearnProgramDesktops();
}

void RememberedPlaces::End() {
    on_ = false;
    paused_ = false;
    changed_ = false;
    kept_.clear();
    holdings_.clear();
    appeared_.clear();
    programDesktops_.clear();
    processesMet_.clear();
    looks_ = 0;
}

WindowTraits RememberedPlaces::Describe(WindowHandle window) {
    return {windows_.ProgramPathOf(window), windows_.ClassName(window), windows_.AppIdOf(window),
            KeptTitle(windows_, window)};
}

std::pair<std::size_t, bool> RememberedPlaces::Adopt(WindowHandle window,
                                                     const WindowTraits& traits) {
    const int order = ++appeared_[KindKey(traits.program, traits.className)];
    // First an unused record, then one a closed window left: a program started again and
    // again keeps one record, not one for every start.
    for (const bool used : {false, true}) {
        std::vector<const PlaceRecord*> candidates;
        std::vector<std::size_t> indices;
        for (std::size_t i = 0; i < kept_.size(); ++i) {
            if (kept_[i].used == used && kept_[i].holder == WindowHandle::None) {
                candidates.push_back(&kept_[i].record);
                indices.push_back(i);
            }
        }
        if (const std::optional<std::size_t> best = BestRecord(candidates, traits, order)) {
            Kept& kept = kept_[indices[*best]];
            kept.used = kept.met = true;
            kept.holder = window;
            if (kept.record.title != traits.title || kept.record.appId != traits.appId) {
                kept.record.title = traits.title;
                kept.record.appId = traits.appId;
                changed_ = true;
            }
            return {indices[*best], !used};
        }
    }
    // Placed where it appeared: the next look finds its desktop.
    kept_.push_back(
        {{traits.program, traits.className, traits.appId, traits.title, kNoDesktopYet, order, 0},
         true,
         true,
         window});
    changed_ = true;
    return {kept_.size() - 1, false};
}

bool RememberedPlaces::Recorded(WindowHandle window) {
    // A dialog lives and goes with its owner; our own windows (the help, the settings) are
    // where the user opens them.
    return windows_.RootOwner(window) == window && !windows_.IsOwnThreadWindow(window);
}

RememberedPlaces::Holding RememberedPlaces::Enlist(WindowHandle window) {
    Holding holding{windows_.ProcessIdOf(window), kNone};
    processesMet_.try_emplace(holding.processId, looks_);
    if (Recorded(window)) {
        holding.record = Adopt(window, Describe(window)).first;
    }
    return holding;
}

void RememberedPlaces::Release(WindowHandle window) {
    const auto found = holdings_.find(window);
    if (found == holdings_.end()) {
        return;
    }
    if (found->second.record != kNone) {
        kept_[found->second.record].holder = WindowHandle::None;
    }
    holdings_.erase(found);
}

std::optional<WindowPlacement> RememberedPlaces::PlaceOf(WindowHandle window) {
    if (!on_ || holdings_.contains(window) || !Recorded(window)) {
        return std::nullopt;
    }
    const std::uint32_t processId = windows_.ProcessIdOf(window);
    const WindowTraits traits = Describe(window);
    const auto [record, own] = Adopt(window, traits);
    holdings_[window] = {processId, record};
    if (!JustStarted(processId)) {
        return std::nullopt;
    }
    if (own) {
        return PlacementAt(kept_[record].record.desktop);
    }
    // A second start of a program whose windows are open already opens where the user is.
    const std::u16string program = ProgramKey(traits.program, traits.appId);
    const auto together = programDesktops_.find(program);
    return together != programDesktops_.end() && !ProgramOpen(program, window)
               ? PlacementAt(together->second)
               : std::nullopt;
}

bool RememberedPlaces::JustStarted(std::uint32_t processId) {
    const auto met = processesMet_.try_emplace(processId, looks_).first;
    return looks_ - met->second <= kStartingLooks;
}

bool RememberedPlaces::ProgramOpen(const std::u16string& programKey, WindowHandle except) const {
    return std::any_of(holdings_.begin(), holdings_.end(), [&](const auto& held) {
        if (held.first == except || held.second.record == kNone) {
            return false;
        }
        const PlaceRecord& record = kept_[held.second.record].record;
        return record.desktop != kNoDesktopYet &&
               ProgramKey(record.program, record.appId) == programKey;
    });
}

void RememberedPlaces::Meet(const Desktops& desktops, bool readTitles) {
    if (!on_ || paused_) {
        return;
    }
    ++looks_;
    // Bottom-most first: the order of appearance of windows met together.
    std::vector<std::pair<WindowHandle, int>> present;
    for (int index = 0; index < kDesktopCount; ++index) {
        const WindowSet& windows = desktops[index].Windows();
        std::for_each(windows.rbegin(), windows.rend(),
                      [&](WindowHandle window) { present.emplace_back(window, index); });
    }
    for (WindowHandle window : known_.PinnedWindows()) {
        if (known_.IsPinned(window)) {
            present.emplace_back(window, PlaceRecord::kPinned);
        }
    }
    std::unordered_map<WindowHandle, int> living(present.begin(), present.end());
    std::vector<WindowHandle> closed;
    for (const auto& [window, holding] : holdings_) {
        const KnownWindow* known = known_.Entry(window);
        // A handle that names another process's window now is of a window that closed.
        if (!living.contains(window) ||
            (known != nullptr && known->processId != holding.processId)) {
            closed.push_back(window);
        }
    }
    for (WindowHandle window : closed) {
        Release(window);
    }
    // Per program, its windows' one desktop so far; kNoDesktopYet once they are on several.
    std::unordered_map<std::u16string, int> together;
    for (const auto& [window, desktop] : present) {
        auto holding = holdings_.find(window);
        if (holding == holdings_.end()) {
            holding = holdings_.emplace(window, Enlist(window)).first;
        }
        if (holding->second.record == kNone) {
            continue;
        }
        Kept& kept = kept_[holding->second.record];
        PlaceRecord& record = kept.record;
        kept.met = true;
        const bool moved = record.desktop != desktop;
        if (moved) {
            record.desktop = desktop;
            changed_ = true;
        }
        if (moved || readTitles) {
            if (std::u16string title = KeptTitle(windows_, window); title != record.title) {
                record.title = std::move(title);
                changed_ = true;
            }
        }
        const auto [program, first] =
            together.try_emplace(ProgramKey(record.program, record.appId), desktop);
        if (!first && program->second != desktop) {
            program->second = kNoDesktopYet;
        }
    }
    // A program whose windows are on several desktops now has no one desktop; one whose
    // windows all closed keeps the desktop where they were last seen.
    for (const auto& [program, desktop] : together) {
        if (desktop != kNoDesktopYet) {
            programDesktops_[program] = desktop;
        } else {
            programDesktops_.erase(program);
        }
    }
}

std::vector<PlaceRecord> RememberedPlaces::Records(std::int64_t today) {
    for (Kept& kept : kept_) {
        if (kept.met || kept.holder != WindowHandle::None) {
            kept.record.lastMet = today;
            kept.met = false;
        }
    }
    Bound(today);
    changed_ = false;
    std::vector<PlaceRecord> records;
    records.reserve(kept_.size());
    for (const Kept& kept : kept_) {
        // A window that closed before any look found its desktop has no place to keep.
        if (kept.record.desktop != kNoDesktopYet) {
            records.push_back(kept.record);
        }
    }
    return records;
}

void RememberedPlaces::Bound(std::int64_t today) {
    std::erase_if(kept_, [today](const Kept& kept) {
        return kept.holder == WindowHandle::None && kept.record.lastMet < today - kDaysKept;
    });
    std::stable_sort(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) {
        return a.record.lastMet > b.record.lastMet;
    });
    if (kept_.size() > kMaxRecords) {
        kept_.resize(kMaxRecords);
    }
    for (auto& [window, holding] : holdings_) {
        holding.record = kNone;
    }
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        if (const auto holding = holdings_.find(kept_[i].holder); holding != holdings_.end()) {
            holding->second.record = i;
        }
    }
}

void RememberedPlaces::LearnProgramDesktops() {
    // Records come most recently met first: a program's first record dates its last run.
    std::unordered_map<std::u16string, std::int64_t> lastDay;
    for (const Kept& kept : kept_) {
        const PlaceRecord& record = kept.record;
        const std::u16string key = ProgramKey(record.program, record.appId);
        const auto [day, first] = lastDay.try_emplace(key, record.lastMet);
        if (first) {
            programDesktops_[key] = record.desktop;
        } else if (day->second == record.lastMet && programDesktops_[key] != record.desktop) {
            programDesktops_[key] = kNoDesktopYet;
        }
    }
    std::erase_if(programDesktops_,
                  [](const auto& program) { return program.second == kNoDesktopYet; });
}

}  // namespace ombrel
