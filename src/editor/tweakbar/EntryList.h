// A bar's entries in the order they were added, and the tree of groups they are placed in.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "editor/tweakbar/Entry.h"

namespace Tweak {

class EntryList {
public:
    // Deeper nesting is refused: data could otherwise build chains that overflow the drawing's stack.
    static constexpr int kMaxGroupDepth = 16;

    // Unnamed entries are never found.
    Entry* Find(const std::string& name) const;
    // Null, with a reason, when the name is unacceptable or taken. Only separators may be unnamed.
    Entry* Add(std::unique_ptr<Entry> entry, std::string& error);
    // Moves entry into the named group, creating it on first mention; an empty name takes it out of
    // any group. Refused when the name belongs to something other than a group, or when the group is
    // the entry or lies inside it.
    bool AssignGroup(Entry& entry, const std::string& groupName, std::string& error);

    // The entries directly inside group (null: the bar's top level), each group where its earliest
    // member, at any depth, stands in the order of adding.
    std::vector<Entry*> ChildrenOf(const Entry* group) const;
    std::size_t Count() const { return entries_.size(); }

private:
    // The entry itself or its ancestor that sits directly in group; null when it is not inside group.
    static Entry* BranchUnder(Entry& entry, const Entry* group);
    static bool IsInside(const Entry& entry, const Entry& ancestor);
    static int GroupsAbove(const Entry& entry);
    int LevelsBelow(const Entry& entry) const;

    std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace Tweak
