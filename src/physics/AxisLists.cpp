// Keeping the endpoint lists in order as boxes move, arrive and leave.
#include "physics/AxisLists.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "physics/PhysicsComponent.h"

namespace Kestrin {

void AxisLists::AddEndpoint(Endpoint* endpoint, bool isXAxis) {
    const AxisEntry entry{endpoint->value, endpoint->isMin, endpoint->owner->GetSweptPlace(), endpoint,
                          endpoint->owner};
    if (isXAxis) {
        xListHadNaN = xListHadNaN || std::isnan(endpoint->value);
        xArrivals.push_back(entry);
        unsettled = true;
    } else {
        endpoint->index = static_cast<unsigned>(yEndpoints.size());
        yEndpoints.push_back(entry);
        yUnsorted = true;  // sorted when asked for
    }
}

void AxisLists::SettleChanges() {
    if (removedOnY) {
        DropRemoved(yEndpoints);
        removedOnY = false;
    }
    MergeArrivalsOnX();
    unsettled = false;
}

void AxisLists::DropRemoved(std::vector<AxisEntry>& list) {
    const auto removed = [](const AxisEntry& entry) { return entry.endpoint == nullptr; };
    const auto firstRemoved = std::find_if(list.begin(), list.end(), removed);
    const auto renumberFrom = static_cast<std::size_t>(firstRemoved - list.begin());
    list.erase(std::remove_if(firstRemoved, list.end(), removed), list.end());
    for (std::size_t i = renumberFrom; i < list.size(); ++i) {
        list[i].endpoint->index = static_cast<unsigned>(i);
    }
}

void AxisLists::MergeArrivalsOnX() {
    if (removedOnX) {
        DropRemoved(xEndpoints);
        removedOnX = false;
    }
    if (xArrivals.empty()) {
        return;
    }
    // Inserting an entry alone moves it down past every entry that must follow it, so in a list in
    // order it lands after every entry it need not precede. A stable merge puts every arrival
    // there, the earlier of two equal arrivals first, as inserting them one by one would; only a
    // NaN, which orders nothing, or a list out of order would tell the two apart. A few arrivals
    // go in one by one: a merge renumbers the whole list.
    constexpr std::size_t kFewArrivals = 16;
    const auto precedes = [](const AxisEntry& a, const AxisEntry& b) { return b.MustFollow(a); };
    if (xArrivals.size() < kFewArrivals || xListHadNaN ||
        !std::is_sorted(xEndpoints.begin(), xEndpoints.end(), precedes)) {
        for (const AxisEntry& arrival : xArrivals) {
            arrival.endpoint->index = static_cast<unsigned>(xEndpoints.size());
            xEndpoints.push_back(arrival);
            Reorder(xEndpoints, arrival.endpoint->index);
        }
    } else {
        std::stable_sort(xArrivals.begin(), xArrivals.end(), precedes);
        mergedX.clear();
        mergedX.reserve(xEndpoints.size() + xArrivals.size());
        std::merge(xEndpoints.begin(), xEndpoints.end(), xArrivals.begin(), xArrivals.end(),
                   std::back_inserter(mergedX), precedes);
        xEndpoints.swap(mergedX);
        for (std::size_t i = 0; i < xEndpoints.size(); ++i) {
            xEndpoints[i].endpoint->index = static_cast<unsigned>(i);
        }
    }
    xArrivals.clear();
}

bool AxisLists::Refresh(std::vector<AxisEntry>& list, const Endpoint* endpoint) {
    const unsigned i = endpoint->index;
    if (i >= list.size() || list[i].endpoint != endpoint) {
        return false;  // not in this list
    }
    list[i].value = endpoint->value;
    xListHadNaN = xListHadNaN || (&list == &xEndpoints && std::isnan(endpoint->value));
    return true;
}

bool AxisLists::UnmovedOnX(const Endpoint* endpoint) const {
    const unsigned i = endpoint->index;
    if (i >= xEndpoints.size() || xEndpoints[i].endpoint != endpoint) {
        return true;  // not listed: nothing to put in order
    }
    // Bit for bit, so that the entry is left exactly as a refresh would leave it.
    std::uint32_t listed = 0;
    std::uint32_t now = 0;
    std::memcpy(&listed, &xEndpoints[i].value, sizeof listed);
    std::memcpy(&now, &endpoint->value, sizeof now);
    return listed == now;
}

void AxisLists::ReorderEndpoint(Endpoint* endpoint, bool isXAxis) {
    if (!isXAxis) {
        yUnsorted = true;
        return;
    }
    Settle();
    if (Refresh(xEndpoints, endpoint)) {
        Reorder(xEndpoints, endpoint->index);
    }
}

void AxisLists::ReorderBox(Endpoint* first, Endpoint* second, bool isXAxis) {
    if (!isXAxis) {
        yUnsorted = true;
        return;
    }
    Settle();
    // A box whose ends did not move (a body at rest, or falling straight down) is still in order:
    // every change of any other end was put in order when it was made.
    if (!xListHadNaN && UnmovedOnX(first) && UnmovedOnX(second)) {
        return;
    }
    // Both values are taken before either moves: the first compares against its partner's new value.
    const bool firstListed = Refresh(xEndpoints, first);
    const bool secondListed = Refresh(xEndpoints, second);
    if (firstListed) {
        Reorder(xEndpoints, first->index);
    }
    if (secondListed) {
        Reorder(xEndpoints, second->index);
    }
}

const std::vector<AxisEntry>& AxisLists::GetEndpoints(bool isXAxis) {
    Settle();
    if (isXAxis) {
        return xEndpoints;
    }
    if (yUnsorted) {
        SortYAxis();
    }
    return yEndpoints;
}

// The values are taken from the endpoints, then an insertion sort: between two requests the list
// is mostly in order already.
void AxisLists::SortYAxis() {
    for (AxisEntry& entry : yEndpoints) {
        entry.value = entry.endpoint->value;
    }
    for (unsigned i = 1; i < yEndpoints.size(); ++i) {
        for (unsigned j = i; j > 0 && yEndpoints[j - 1].MustFollow(yEndpoints[j]); --j) {
            std::swap(yEndpoints[j - 1], yEndpoints[j]);
        }
    }
    for (unsigned i = 0; i < yEndpoints.size(); ++i) {
        yEndpoints[i].endpoint->index = i;
    }
    yUnsorted = false;
}

// Moves the entry at i down or up the list to its place by value.
void AxisLists::Reorder(std::vector<AxisEntry>& list, unsigned i) {
    auto swapWithNext = [&list](unsigned at) {
        std::swap(list[at], list[at + 1]);
        list[at].endpoint->index = at;
        list[at + 1].endpoint->index = at + 1;
    };
    if (i > 0 && list[i - 1].MustFollow(list[i])) {
        while (i > 0 && list[i - 1].MustFollow(list[i])) {
            swapWithNext(i - 1);
            --i;
        }
    } else {
        while (i + 1 < list.size() && list[i].MustFollow(list[i + 1])) {
            swapWithNext(i);
            ++i;
        }
    }
}

// The entry stays, with no endpoint, until the list is next settled: a level's bodies leave
// together, and taking each out at once shifted the rest of the list for every one.
void AxisLists::RemoveEndpoint(Endpoint* endpoint, bool isXAxis) {
    if (isXAxis && !xArrivals.empty()) {
        MergeArrivalsOnX();  // the endpoint may be one of them
    }
    std::vector<AxisEntry>& list = isXAxis ? xEndpoints : yEndpoints;
    const unsigned i = endpoint->index;
    if (i >= list.size() || list[i].endpoint != endpoint) {
        return;  // not in this list
    }
    list[i].endpoint = nullptr;
    list[i].owner = nullptr;
    (isXAxis ? removedOnX : removedOnY) = true;
    unsettled = true;
}

}  // namespace Kestrin
