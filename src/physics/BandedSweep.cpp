// Bands of equal height over the boxes' vertical extent, about one box high.
#include "physics/BandedSweep.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Kestrin {
namespace {

// A box over more bands than this is kept apart rather than filed in each of them.
constexpr unsigned kMostBandsFiled = 8;
constexpr std::size_t kHeightSamples = 63;

}  // namespace

bool BandedSweep::SetBands(const std::vector<Box>& boxes) {
    float bottom = boxes.empty() ? 0.0f : boxes.front().yMin;
    float top = boxes.empty() ? 0.0f : boxes.front().yMax;
    for (const Box& box : boxes) {
        // Also false for a NaN: such a box overlaps nothing in a sweep but would be banded anywhere.
        if (!(std::isfinite(box.yMin) && std::isfinite(box.yMax) && box.yMin <= box.yMax &&
              box.xMinRank < box.xMaxRank)) {
            return false;
        }
        bottom = std::min(bottom, box.yMin);
        top = std::max(top, box.yMax);
    }
    // The band height only decides how fast the pairs are found, never which: a median of a
    // sample of the heights is enough, and one tall floor does not make every band as tall.
    heights.clear();
    const std::size_t stride = boxes.size() / kHeightSamples + 1;
    for (std::size_t i = 0; i < boxes.size(); i += stride) {
        heights.push_back(boxes[i].yMax - boxes[i].yMin);
    }
    origin = bottom;
    bandCount = 1;
    bandsPerUnit = 0.0f;
    if (!heights.empty()) {
        auto middle = heights.begin() + static_cast<std::ptrdiff_t>(heights.size() / 2);
        std::nth_element(heights.begin(), middle, heights.end());
        const double range = static_cast<double>(top) - static_cast<double>(bottom);
        if (*middle > 0.0f && range > 0.0) {
            // At most about two bands a box, however far apart the boxes are.
            const double count = std::min(range / static_cast<double>(*middle), 2.0 * static_cast<double>(boxes.size()));
            bandCount = static_cast<unsigned>(count) + 1;
            bandsPerUnit = static_cast<float>(count / range);
        }
    }
    if (bands.size() < bandCount) {
        bands.resize(bandCount);
    }
    for (unsigned b = 0; b < bandCount; ++b) {
        bands[b].clear();
    }
    tall.clear();
    return true;
}

// Monotonic in y, so two boxes that overlap on Y share the band of the higher of their bottoms.
unsigned BandedSweep::BandOf(float y) const {
    const float at = (y - origin) * bandsPerUnit;
    if (!(at > 0.0f)) {
        return 0;
    }
    if (at >= static_cast<float>(bandCount - 1)) {
        return bandCount - 1;
    }
    return static_cast<unsigned>(at);
}

void BandedSweep::Scan(std::vector<Open>& band, const Box& entering, unsigned bandIndex, unsigned firstBand) {
    std::size_t kept = 0;
    for (const Open& open : band) {
        // Closed on X once its maximum comes before the entering minimum in the X list.
        if (open.xMaxRank < entering.xMinRank) {
            continue;
        }
        band[kept++] = open;
        // Boxes that only touch overlap, as in the lists; a pair is taken in one band only.
        const bool overlapOnY = entering.yMin <= open.yMax && open.yMin <= entering.yMax;
        if (overlapOnY && !(entering.immovable && open.immovable) &&
            std::max(firstBand, open.firstBand) == bandIndex) {
            candidates.push_back(open.box);
        }
    }
    band.resize(kept);
}

bool BandedSweep::FindOverlaps(const std::vector<Box>& boxes, std::vector<Overlap>& found) {
    found.clear();
    if (!SetBands(boxes)) {
        return false;
    }
    for (unsigned i = 0; i < boxes.size(); ++i) {
        const Box& entering = boxes[i];
        const unsigned first = BandOf(entering.yMin);
        const unsigned last = BandOf(entering.yMax);
        candidates.clear();
        unsigned sources = 0;
        for (unsigned b = first; b <= last; ++b) {
            const std::size_t before = candidates.size();
            Scan(bands[b], entering, b, first);
            sources += candidates.size() > before ? 1u : 0u;
        }
        if (!tall.empty()) {  // mostly there are none, and a scan of nothing still cost a call
            const std::size_t before = candidates.size();
            Scan(tall, entering, first, first);  // filed with band 0, so always taken here
            sources += candidates.size() > before ? 1u : 0u;
        }
        // Each band lists its boxes in the order they entered; several bands' finds are merged.
        if (sources > 1) {
            std::sort(candidates.begin(), candidates.end());
        }
        for (const unsigned open : candidates) {
            found.push_back(Overlap{i, open});
        }

        const Open filed{i, entering.xMaxRank, entering.yMin, entering.yMax, first, entering.immovable};
        if (last - first >= kMostBandsFiled) {
            tall.push_back(filed);
            tall.back().firstBand = 0;
        } else {
            for (unsigned b = first; b <= last; ++b) {
                bands[b].push_back(filed);
            }
        }
    }
    return true;
}

}  // namespace Kestrin
