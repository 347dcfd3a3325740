#include "win32/MessageLoopWaits.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace ombrel::win32 {

bool MessageLoopWaits::Add(HANDLE object, std::function<void()> signalled) {
    // One place of the wait is the messages'.
    if (objects_.size() + 1 >= MAXIMUM_WAIT_OBJECTS) {
        return false;
    }
    objects_.push_back(object);
    calls_.push_back(std::move(signalled));
    return true;
}

void MessageLoopWaits::Remove(HANDLE object) noexcept {
    const auto found = std::find(objects_.begin(), objects_.end(), object);
    if (found != objects_.end()) {
        const auto index = std::distance(objects_.begin(), found);
        objects_.erase(found);
        calls_.erase(calls_.begin() + index);
    }
}

void MessageLoopWaits::Wait() noexcept {
    const auto count = static_cast<DWORD>(objects_.size());
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, objects_.data(), INFINITE, QS_ALLINPUT,
                                                     MWMO_INPUTAVAILABLE);
    if (woke >= WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + count) {
        try {
            // A copy: the call may remove its own object.
            const std::function<void()> call = calls_[woke - WAIT_OBJECT_0];
            call();
        } catch (...) {
            // Without memory for the copy the call is made at the next wait.
        }
    }
}

}  // namespace ombrel::win32
