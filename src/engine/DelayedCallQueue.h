// The engine's queue of delayed calls, advanced by the frame time at the end of every frame.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "engine/DelayedCall.h"

#include "utilities/Singleton.h"

namespace ZELM {

class DelayedCallQueue : public Singleton<DelayedCallQueue> {
public:
    // Queues an entry. A delay of exactly -1 parks it until shutdown: it never fires.
    void Add(std::unique_ptr<DelayedCall> call);
    // Counts every entry down by dtMs and fires, in insertion order, those whose delay has run
    // out. A delay of 0 fires in the first advance after it was added, even with dtMs 0.
    void Advance(float dtMs);
    // Deletes every pending entry except the one firing now, so a call that changes the level
    // clears the queue and still completes.
    void Clear();

    std::size_t Size() const { return entries.size(); }
    std::size_t ParkedSize() const { return parked.size(); }

private:
    struct Entry {
        std::uint64_t sequence;
        std::unique_ptr<DelayedCall> call;
    };

    std::list<Entry> entries;
    std::list<std::unique_ptr<DelayedCall>> parked;
    const DelayedCall* firing = nullptr;
    std::uint64_t nextSequence = 0;
};

}  // namespace ZELM
