// The swept boxes, the choice between a banded sweep and a plain one, and the pairs they form.
#include "physics/SweepAndPrune.h"

#include <algorithm>
#include <cmath>

#include "physics/PhysicsComponent.h"

namespace Kestrin {
namespace {

// Which way the second body is to be pushed out of the first: along the axis of least penetration.
unsigned Direction(const PhysicsComponent& first, const PhysicsComponent& second) {
    const float dx = first.GetX() - second.GetX();
    const float dy = first.GetY() - second.GetY();
    const float penX = (first.GetWidth() + second.GetWidth()) / 2.0f - std::fabs(dx);
    const float penY = (first.GetHeight() + second.GetHeight()) / 2.0f - std::fabs(dy);
    if (penX < penY) {
        return dx >= 0.0f ? kSecondLeft : kSecondRight;
    }
    return dy >= 0.0f ? kSecondBelow : kSecondAbove;
}

}  // namespace

unsigned SweepAndPrune::ListBox() {
    if (!freeBoxPlaces.empty()) {
        const unsigned place = freeBoxPlaces.back();
        freeBoxPlaces.pop_back();
        sweptBoxes[place] = SweptBox{};
        return place;
    }
    sweptBoxes.emplace_back();
    return static_cast<unsigned>(sweptBoxes.size() - 1);
}

void SweepAndPrune::UnlistBox(unsigned place) {
    if (place < sweptBoxes.size()) {
        freeBoxPlaces.push_back(place);
    }
}

void SweepAndPrune::RefreshImmovable(AxisLists& lists) {
    lists.Settle();
    for (const AxisEntry& entry : lists.X()) {
        if (entry.isMin) {
            sweptBoxes[entry.box].immovable = entry.owner->GetInverseMass() == 0.0f;
        }
    }
}

void SweepAndPrune::AddPair(std::vector<CollisionPair>& pairs, PhysicsComponent* entering,
                            bool enteringImmovable, PhysicsComponent* open, bool openImmovable) {
    CollisionPair pair;
    if (enteringImmovable) {
        pair.first = entering;
        pair.second = open;
        pair.oneSideFixed = true;
    } else if (openImmovable) {
        pair.first = open;
        pair.second = entering;
        pair.oneSideFixed = true;
    } else {
        pair.first = entering;
        pair.second = open;
    }
    pair.direction = Direction(*pair.first, *pair.second);
    pair.confirmed = true;
    pairs.push_back(pair);
}

void SweepAndPrune::Sweep(AxisLists& lists, bool isXAxis, std::vector<CollisionPair>& pairs) {
    // The X sweep forms the pairs and confirms each on Y at once, so no list of X-only candidates
    // (which grows with the square of a column's population) is ever built. The Y sweep then finds
    // nothing left to confirm; it stays as a phase so the statistics keep their meaning.
    if (!isXAxis) {
        return;
    }
    lists.Settle();
    if (!MeetManyOpenBoxes(lists, kFewOpenBoxesPerBox * lists.X().size()) || !SweepByBands(lists, pairs)) {
        SweepAllOpen(lists, pairs);
    }
}

// Whether the entering boxes meet more than `limit` open boxes in all, from the kinds of the X
// list's entries alone: where they meet few, filing boxes by band costs more than it saves. The
// count stops at the limit: with many boxes in columns, it is passed early in the list.
bool SweepAndPrune::MeetManyOpenBoxes(const AxisLists& lists, std::size_t limit) const {
    std::size_t open = 0;
    std::size_t met = 0;
    for (const AxisEntry& entry : lists.X()) {
        if (entry.isMin) {
            met += open++;
            if (met > limit) {
                return true;
            }
        } else if (open > 0) {
            --open;
        }
    }
    return false;
}

// One pass from the end of the X list: there a box's maximum comes before its minimum, so each box
// is copied with both its ranks as its minimum is met, into the place it has in the order of the
// minima. False when some box does not have both ends listed, maximum after minimum.
bool SweepAndPrune::CopyBoxesForSweep(const AxisLists& lists) {
    if (++sweepCount == 0) {
        for (SweptBox& box : sweptBoxes) {
            box.rankedIn = 0;
        }
        sweepCount = 1;
    }
    const std::vector<AxisEntry>& xList = lists.X();
    const std::size_t boxCount = xList.size() / 2;  // each listed box has both ends on X
    sweepBoxes.resize(boxCount);
    sweepBodies.resize(boxCount);
    std::size_t slot = boxCount;
    for (unsigned rank = static_cast<unsigned>(xList.size()); rank-- > 0;) {
        const AxisEntry& entry = xList[rank];
        SweptBox& box = sweptBoxes[entry.box];
        if (!entry.isMin) {
            box.xMaxRank = rank;
            box.rankedIn = sweepCount;
            continue;
        }
        if (box.rankedIn != sweepCount || slot == 0) {
            return false;
        }
        --slot;
        sweepBoxes[slot] = BandedSweep::Box{box.yMin, box.yMax, rank, box.xMaxRank, box.immovable};
        sweepBodies[slot] = entry.owner;
    }
    return slot == 0;
}

// The sweep along the X list, with the open boxes filed by height; the pairs and their order are
// those of comparing each entering box with every open one. False, with nothing found, when some
// box's ends cannot be banded.
bool SweepAndPrune::SweepByBands(const AxisLists& lists, std::vector<CollisionPair>& pairs) {
    if (!CopyBoxesForSweep(lists) || !bandedSweep.FindOverlaps(sweepBoxes, overlaps)) {
        return false;
    }
    for (const BandedSweep::Overlap& overlap : overlaps) {
        AddPair(pairs, sweepBodies[overlap.entering], sweepBoxes[overlap.entering].immovable,
                sweepBodies[overlap.open], sweepBoxes[overlap.open].immovable);
    }
    return true;
}

// Every entering box against every open one: for boxes whose ends the bands cannot take.
void SweepAndPrune::SweepAllOpen(const AxisLists& lists, std::vector<CollisionPair>& pairs) {
    active.clear();
    std::size_t leftBoxes = 0;
    for (const AxisEntry& entry : lists.X()) {
        PhysicsComponent* owner = entry.owner;
        if (!entry.isMin) {
            // A box that is left stays as a gap until gaps are half the list, so leaving does not
            // move every later box each time.
            const auto found = std::find_if(active.begin(), active.end(),
                                            [owner](const ActiveBox& box) { return box.body == owner; });
            if (found != active.end()) {
                found->body = nullptr;
                if (++leftBoxes * 2 > active.size()) {
                    active.erase(std::remove_if(active.begin(), active.end(),
                                                [](const ActiveBox& box) { return box.body == nullptr; }),
                                 active.end());
                    leftBoxes = 0;
                }
            }
            continue;
        }
        const ActiveBox entering{owner, owner->GetEndpoint(kYMin)->value, owner->GetEndpoint(kYMax)->value,
                                 owner->GetInverseMass() == 0.0f};
        for (const ActiveBox& other : active) {
            // Boxes that only touch overlap, as in the lists.
            const bool overlapOnY = entering.yMin <= other.yMax && other.yMin <= entering.yMax;
            if (other.body == nullptr || (entering.immovable && other.immovable) || !overlapOnY) {
                continue;
            }
            AddPair(pairs, owner, entering.immovable, other.body, other.immovable);
        }
        active.push_back(entering);
    }
}

}  // namespace Kestrin
