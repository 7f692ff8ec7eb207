// Bands of equal height over the boxes' vertical extent, about two boxes high.
#include "physics/BandedSweep.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Kestrin {
namespace {

// A box over more bands than this is kept apart rather than filed in each of them.
constexpr unsigned kMostBandsFiled = 8;
constexpr std::size_t kHeightSamples = 63;
// A band is as high as this many typical boxes stacked: one box high, most boxes lie in two bands
// and each is filed and looked for twice, which costs more than the few more open boxes a higher
// band holds.
constexpr double kBoxesPerBand = 2.0;

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
    origin = bottom;
    bandCount = 1;
    bandsPerUnit = 0.0f;
    // The band height only decides how fast the pairs are found, never which: a median of a
    // sample of the heights is enough, and one tall floor does not make every band as tall.
    heights.clear();
    const std::size_t stride = boxes.size() / kHeightSamples + 1;
    for (std::size_t i = 0; i < boxes.size(); i += stride) {
        heights.push_back(boxes[i].yMax - boxes[i].yMin);
    }
    if (!heights.empty()) {
        auto middle = heights.begin() + static_cast<std::ptrdiff_t>(heights.size() / 2);
        std::nth_element(heights.begin(), middle, heights.end());
        const double bandHeight = kBoxesPerBand * static_cast<double>(*middle);
        const double range = static_cast<double>(top) - static_cast<double>(bottom);
        if (bandHeight > 0.0 && range > 0.0) {
            // At most about two bands a box, however far apart the boxes are.
            const double count = std::min(range / bandHeight, 2.0 * static_cast<double>(boxes.size()));
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

// Inlined: called for every band of every box, the call itself cost as much as a band's few boxes.
[[gnu::always_inline]] inline void BandedSweep::Scan(std::vector<Open>& band, const Box& entering, unsigned index,
                                                     unsigned bandIndex, unsigned firstBand,
                                                     std::vector<Overlap>& found) {
    Open* kept = band.data();
    for (Open* open = band.data(), *end = open + band.size(); open != end; ++open) {
        // Closed on X once its maximum comes before the entering minimum in the X list.
        if (open->xMaxRank < entering.xMinRank) {
            continue;
        }
        if (kept != open) {
            *kept = *open;
        }
        ++kept;
        // Boxes that only touch overlap, as in the lists; a pair is taken in one band only.
        const bool overlapOnY = entering.yMin <= open->yMax && open->yMin <= entering.yMax;
        if (overlapOnY && !(entering.immovable && open->immovable) &&
            std::max(firstBand, open->firstBand) == bandIndex) {
            found.push_back(Overlap{index, open->box});
        }
    }
    band.resize(static_cast<std::size_t>(kept - band.data()));
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
        const Open filed{i, entering.xMaxRank, entering.yMin, entering.yMax, first, entering.immovable};
        if (first == last && tall.empty()) {  // most boxes: one band's finds, already in order
            Scan(bands[first], entering, i, first, first, found);
            bands[first].push_back(filed);
            continue;
        }
        const std::size_t start = found.size();
        unsigned sources = 0;
        for (unsigned b = first; b <= last; ++b) {
            const std::size_t before = found.size();
            Scan(bands[b], entering, i, b, first, found);
            sources += found.size() > before ? 1u : 0u;
        }
        if (!tall.empty()) {  // mostly there are none
            const std::size_t before = found.size();
            Scan(tall, entering, i, first, first, found);  // filed with band 0, so always taken here
            sources += found.size() > before ? 1u : 0u;
        }
        // Each band lists its boxes in the order they entered; several bands' finds are merged.
        if (sources > 1) {
            std::sort(found.begin() + static_cast<std::ptrdiff_t>(start), found.end(),
                      [](const Overlap& a, const Overlap& b) { return a.open < b.open; });
        }

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
