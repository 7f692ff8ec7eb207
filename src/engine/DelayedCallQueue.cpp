// Advancing and clearing the delayed-call queue.
#include "engine/DelayedCallQueue.h"

namespace ZELM {

void DelayedCallQueue::Add(std::unique_ptr<DelayedCall> call) {
    if (call->GetRemaining() == -1.0f) {
        parked.push_back(std::move(call));
        return;
    }
    entries.push_back(Entry{nextSequence++, std::move(call)});
}

void DelayedCallQueue::Advance(float dtMs) {
    // Calls queued while this advance fires others wait for the next frame; otherwise a call
    // that queues itself again would never let the frame end.
    const std::uint64_t end = nextSequence;
    for (auto it = entries.begin(); it != entries.end() && it->sequence < end;) {
        if (!it->call->Advance(dtMs)) {
            ++it;
            continue;
        }
        std::unique_ptr<DelayedCall> call = std::move(it->call);
        firing = call.get();
        call->Fire();
        firing = nullptr;
        // Clear() may have run during Fire(); it leaves this entry in place, so `it` is still valid.
        it = entries.erase(it);
    }
}

void DelayedCallQueue::Clear() {
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->call == nullptr || it->call.get() == firing) {
            ++it;
        } else {
            it = entries.erase(it);
        }
    }
}

}  // namespace ZELM
