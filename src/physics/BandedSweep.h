// The X sweep's broad phase with its open boxes filed by horizontal band, so that a box entering the
// sweep is compared only with the open boxes at its height, not with a whole column of them.
#pragma once

#include <cstdint>
#include <vector>

namespace Kestrin {

class BandedSweep {
public:
    // A box as the sweep meets it: boxes are given in the order of their minima in the X list.
    struct Box {
        float yMin = 0.0f;
        float yMax = 0.0f;
        unsigned xMinRank = 0;  // the places of the box's ends in the X list
        unsigned xMaxRank = 0;
        bool immovable = false;
    };

    // Two overlapping boxes by their places in the given list: `entering` met the sweep after `open`.
    struct Overlap {
        unsigned entering;
        unsigned open;
    };

    // Every pair of boxes that overlap on both axes (touching counts) and are not both immovable,
    // by entering box and then by open box, as a sweep along the X list meets them. False, with
    // nothing found, when a box's ends are out of order or not finite: banding would miss pairs.
    bool FindOverlaps(const std::vector<Box>& boxes, std::vector<Overlap>& found);

private:
    // A box still open on X, as filed in a band.
    struct Open {
        unsigned box;
        unsigned xMaxRank;
        float yMin;
        float yMax;
        unsigned firstBand;
        bool immovable;
    };

    bool SetBands(const std::vector<Box>& boxes);
    unsigned BandOf(float y) const;
    // Compares the entering box (the index-th) with one band's open boxes, adding its overlaps to
    // `found` and dropping the boxes the sweep has passed.
    void Scan(std::vector<Open>& band, const Box& entering, unsigned index, unsigned bandIndex, unsigned firstBand,
              std::vector<Overlap>& found);

    float origin = 0.0f;
    float bandsPerUnit = 0.0f;
    unsigned bandCount = 1;
    std::vector<std::vector<Open>> bands;
    std::vector<Open> tall;  // boxes spanning too many bands, compared with every entering box
    std::vector<float> heights;
};

}  // namespace Kestrin
