// The endpoints of every body's box, sorted along each axis: what the sweep walks to find pairs.
#pragma once

#include <vector>

#include "physics/Endpoint.h"

namespace Kestrin {

class AxisLists {
public:
    void AddEndpoint(Endpoint* endpoint, bool isXAxis);
    void RemoveEndpoint(Endpoint* endpoint, bool isXAxis);
    void ReorderEndpoint(Endpoint* endpoint, bool isXAxis);
    // Re-sorts both endpoints of a box on one axis after its values changed, `first` first.
    void ReorderBox(Endpoint* first, Endpoint* second, bool isXAxis);
    // An axis list in order. Only the X list decides which pairs form, so the Y list is sorted
    // when asked for rather than after every move.
    const std::vector<AxisEntry>& GetEndpoints(bool isXAxis);

    // Bodies come and go by the thousand when a level loads or unloads: the lists take the
    // changes in at their next use, in one pass, instead of shifting the whole list for each.
    // Everything that reads a list or an endpoint's place in it settles first.
    void Settle() {
        if (unsettled) {
            SettleChanges();
        }
    }
    // The X list as it stands: settled by whoever reads it.
    const std::vector<AxisEntry>& X() const { return xEndpoints; }

private:
    // Out of line and cold, so that the calls that find nothing to settle (nearly all) pay for the
    // test alone.
    [[gnu::cold, gnu::noinline]] void SettleChanges();
    // Takes the entries of removed endpoints out, keeping the others in their order.
    static void DropRemoved(std::vector<AxisEntry>& list);
    // Puts the X arrivals in their places: each where inserting it alone would have put it.
    void MergeArrivalsOnX();
    // Copies the endpoint's value into its entry; false when the endpoint is not in the list.
    bool Refresh(std::vector<AxisEntry>& list, const Endpoint* endpoint);
    // Whether the X list's entry for the endpoint already holds its value (or it has none).
    bool UnmovedOnX(const Endpoint* endpoint) const;
    void Reorder(std::vector<AxisEntry>& list, unsigned i);
    void SortYAxis();

    std::vector<AxisEntry> xEndpoints;
    std::vector<AxisEntry> yEndpoints;
    bool yUnsorted = false;
    // Endpoints added to X and not yet in the list, in the order they came. A removed endpoint
    // leaves its entry with no endpoint until the list is settled.
    std::vector<AxisEntry> xArrivals;
    std::vector<AxisEntry> mergedX;  // scratch for the merge
    bool unsettled = false;
    bool removedOnX = false;
    bool removedOnY = false;
    // Set once a NaN has been listed on X: a NaN orders nothing, so from then on an endpoint that
    // did not move may still stand out of order next to one that did.
    bool xListHadNaN = false;
};

}  // namespace Kestrin
