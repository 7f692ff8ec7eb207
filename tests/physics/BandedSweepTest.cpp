// The banded broad phase finds exactly the pairs, in exactly the order, of a plain sweep.
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "physics/BandedSweep.h"

namespace {

using Kestrin::BandedSweep;

struct Placed {
    float x, y, width, height;
    bool immovable;
};

// The boxes in the order of their minima in an X list sorted as the service sorts it (by value,
// a minimum before a maximum at equal values), with each end's place in that list.
std::vector<BandedSweep::Box> InXOrder(const std::vector<Placed>& placed) {
    struct End {
        float value;
        bool isMin;
        std::size_t box;
    };
    std::vector<End> list;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        list.push_back({placed[i].x - placed[i].width / 2.0f, true, i});
        list.push_back({placed[i].x + placed[i].width / 2.0f, false, i});
    }
    std::stable_sort(list.begin(), list.end(), [](const End& a, const End& b) {
        return a.value < b.value || (a.value == b.value && a.isMin && !b.isMin);
    });
    std::vector<BandedSweep::Box> boxes(placed.size());
    std::vector<std::size_t> order;
    for (unsigned rank = 0; rank < list.size(); ++rank) {
        const Placed& p = placed[list[rank].box];
        BandedSweep::Box& box = boxes[list[rank].box];
        if (list[rank].isMin) {
            box = {p.y - p.height / 2.0f, p.y + p.height / 2.0f, rank, 0, p.immovable};
            order.push_back(list[rank].box);
        } else {
            box.xMaxRank = rank;
        }
    }
    std::vector<BandedSweep::Box> sorted;
    for (const std::size_t i : order) {
        sorted.push_back(boxes[i]);
    }
    return sorted;
}

// Every entering box against every box still open, in order.
std::vector<std::pair<unsigned, unsigned>> PlainSweep(const std::vector<BandedSweep::Box>& boxes) {
    std::vector<std::pair<unsigned, unsigned>> found;
    for (unsigned i = 0; i < boxes.size(); ++i) {
        for (unsigned j = 0; j < i; ++j) {
            const bool open = boxes[j].xMaxRank > boxes[i].xMinRank;
            const bool overlapOnY = boxes[i].yMin <= boxes[j].yMax && boxes[j].yMin <= boxes[i].yMax;
            if (open && overlapOnY && !(boxes[i].immovable && boxes[j].immovable)) {
                found.emplace_back(i, j);
            }
        }
    }
    return found;
}

std::vector<Placed> Scene(const std::function<Placed(int, std::mt19937&)>& place, int count) {
    std::mt19937 random(11);
    std::vector<Placed> placed;
    for (int i = 0; i < count; ++i) {
        placed.push_back(place(i, random));
    }
    return placed;
}

TEST(BandedSweep, FindsThePlainSweepsPairsInItsOrder) {
    auto uniform = [](std::mt19937& random, float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    const std::vector<std::pair<std::string, std::vector<Placed>>> scenes = {
        {"scattered", Scene([&](int, std::mt19937& r) { return Placed{uniform(r, 0, 25), uniform(r, 0, 25), 1, 1, false}; },
                            300)},
        {"touching columns", Scene([](int i, std::mt19937&) {
             return Placed{static_cast<float>(i % 10) * 1.4f, static_cast<float>(i / 10), 1, 1, false};
         }, 500)},
        {"one point", Scene([](int, std::mt19937&) { return Placed{3, 4, 1, 1, false}; }, 60)},
        {"mixed sizes and walls", Scene([&](int i, std::mt19937& r) {
             if (i % 25 == 0) {
                 return Placed{uniform(r, 0, 30), uniform(r, 0, 30), 1, 40, true};  // tall walls
             }
             return Placed{uniform(r, 0, 30), uniform(r, 0, 30), uniform(r, 0, 4), i % 7 == 0 ? 0.0f : uniform(r, 0, 4),
                           i % 5 == 0};
         }, 400)},
        {"far apart", Scene([&](int i, std::mt19937& r) {
             return Placed{uniform(r, 0, 5), i % 3 == 0 ? 1.0e7f * static_cast<float>(i) : uniform(r, 0, 5), 1, 1, false};
         }, 90)},
    };
    BandedSweep sweep;
    std::vector<BandedSweep::Overlap> found;
    for (const auto& [name, placed] : scenes) {
        const std::vector<BandedSweep::Box> boxes = InXOrder(placed);
        ASSERT_TRUE(sweep.FindOverlaps(boxes, found)) << name;
        std::vector<std::pair<unsigned, unsigned>> banded;
        for (const BandedSweep::Overlap& overlap : found) {
            banded.emplace_back(overlap.entering, overlap.open);
        }
        const auto expected = PlainSweep(boxes);
        EXPECT_FALSE(expected.empty()) << name;
        EXPECT_EQ(banded, expected) << name;
    }
}

TEST(BandedSweep, RefusesBoxesItCannotBand) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<std::string, BandedSweep::Box>> cases = {
        {"NaN bottom", {nan, 1, 0, 3, false}},
        {"infinite top", {0, infinity, 0, 3, false}},
        {"upside down", {2, 1, 0, 3, false}},
        {"maximum before minimum on X", {0, 1, 3, 0, false}},
    };
    BandedSweep sweep;
    std::vector<BandedSweep::Overlap> found;
    for (const auto& [name, bad] : cases) {
        const std::vector<BandedSweep::Box> boxes = {{0, 1, 1, 2, false}, bad};
        EXPECT_FALSE(sweep.FindOverlaps(boxes, found)) << name;
        EXPECT_TRUE(found.empty()) << name;
    }
}

}  // namespace
