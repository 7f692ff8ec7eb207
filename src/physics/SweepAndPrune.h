// The broad phase: one sweep along the sorted X list forms every pair of boxes that overlap on both axes.
#pragma once

#include <cstddef>
#include <vector>

#include "physics/AxisLists.h"
#include "physics/BandedSweep.h"
#include "physics/CollisionPair.h"

namespace Kestrin {

class PhysicsComponent;

class SweepAndPrune {
public:
    // Up to this many open boxes met per list entry, the sweep compares with all of them.
    static constexpr std::size_t kFewOpenBoxesPerBox = 2;

    // A listed body's place among the swept boxes, taken before its endpoints are listed and given
    // back once they are all out of the lists.
    unsigned ListBox();
    void UnlistBox(unsigned place);
    // Told by a body whenever its vertical extent or its mass may have changed.
    void SetSweptBox(unsigned place, float yMin, float yMax, bool immovable) {
        SweptBox& box = sweptBoxes[place];
        box.yMin = yMin;
        box.yMax = yMax;
        box.immovable = immovable;
    }
    // Copies every listed body's mass into its swept box: the inverse mass can also be written as a
    // plain property, past its setter.
    void RefreshImmovable(AxisLists& lists);

    // Adds the pairs of overlapping boxes (touching counts, two immovable boxes never pair) found
    // along one axis.
    void Sweep(AxisLists& lists, bool isXAxis, std::vector<CollisionPair>& pairs);

private:
    bool MeetManyOpenBoxes(const AxisLists& lists, std::size_t limit) const;
    bool CopyBoxesForSweep(const AxisLists& lists);
    bool SweepByBands(const AxisLists& lists, std::vector<CollisionPair>& pairs);
    void SweepAllOpen(const AxisLists& lists, std::vector<CollisionPair>& pairs);
    void AddPair(std::vector<CollisionPair>& pairs, PhysicsComponent* entering, bool enteringImmovable,
                 PhysicsComponent* open, bool openImmovable);

    // A box the X sweep has entered and not yet left, with what pairing it needs at hand.
    struct ActiveBox {
        PhysicsComponent* body;
        float yMin;
        float yMax;
        bool immovable;
    };
    // What the X sweep reads of each listed box, kept side by side rather than in the bodies: in
    // X order the bodies are all over memory, and reading each of them every step was most of
    // the sweep's cost with many bodies.
    struct SweptBox {
        float yMin = 0.0f;
        float yMax = 0.0f;
        unsigned xMaxRank = 0;
        unsigned rankedIn = 0;  // the sweep that found the box's maximum in the X list
        bool immovable = false;
    };
    std::vector<SweptBox> sweptBoxes;
    std::vector<unsigned> freeBoxPlaces;
    unsigned sweepCount = 0;

    // Scratch space kept between steps so the broad phase does not allocate every step.
    std::vector<ActiveBox> active;
    BandedSweep bandedSweep;
    std::vector<BandedSweep::Box> sweepBoxes;
    std::vector<PhysicsComponent*> sweepBodies;
    std::vector<BandedSweep::Overlap> overlaps;
};

}  // namespace Kestrin
