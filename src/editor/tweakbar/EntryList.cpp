// Entries, groups and their order.
#include "editor/tweakbar/EntryList.h"

#include <algorithm>

#include "editor/tweakbar/ValueText.h"

namespace Tweak {

Entry* EntryList::Find(const std::string& name) const {
    if (name.empty()) {
        return nullptr;
    }
    for (const auto& entry : entries_) {
        if (entry->Name() == name) {
            return entry.get();
        }
    }
    return nullptr;
}

Entry* EntryList::Add(std::unique_ptr<Entry> entry, std::string& error) {
    const std::string& name = entry->Name();
    const bool mayBeUnnamed = entry->GetKind() == Entry::Kind::Separator && name.empty();
    if (!mayBeUnnamed && !IsAcceptableName(name)) {
        error = "unacceptable entry name (empty, longer than " + std::to_string(kMaxNameLength) +
                " or with control characters)";
        return nullptr;
    }
    if (Find(name) != nullptr) {
        error = "the bar already has an entry named '" + name + "'";
        return nullptr;
    }
    entries_.push_back(std::move(entry));
    return entries_.back().get();
}

bool EntryList::AssignGroup(Entry& entry, const std::string& groupName, std::string& error) {
    if (groupName.empty()) {
        entry.SetGroup(nullptr);
        return true;
    }
    Entry* group = Find(groupName);
    if (group != nullptr && group->GetKind() != Entry::Kind::Group) {
        error = "'" + groupName + "' is not a group";
        return false;
    }
    if (group != nullptr && (group == &entry || IsInside(*group, entry))) {
        error = "group '" + groupName + "' lies inside '" + entry.Name() + "', so it cannot hold it";
        return false;
    }
    const int depth = (group != nullptr ? GroupsAbove(*group) + 1 : 1) + LevelsBelow(entry);
    if (depth > kMaxGroupDepth) {
        error = "groups would nest deeper than " + std::to_string(kMaxGroupDepth) + " levels";
        return false;
    }
    if (group == nullptr) {
        group = Add(std::make_unique<Entry>(Entry::Kind::Group, groupName), error);
        if (group == nullptr) {
            return false;
        }
    }
    entry.SetGroup(group);
    return true;
}

std::vector<Entry*> EntryList::ChildrenOf(const Entry* group) const {
    std::vector<Entry*> children;
    for (const auto& entry : entries_) {
        Entry* branch = BranchUnder(*entry, group);
        if (branch != nullptr && std::find(children.begin(), children.end(), branch) == children.end()) {
            children.push_back(branch);
        }
    }
    return children;
}

Entry* EntryList::BranchUnder(Entry& entry, const Entry* group) {
    Entry* branch = &entry;
    while (branch != nullptr && branch->Group() != group) {
        branch = branch->Group();
    }
    return branch;
}

bool EntryList::IsInside(const Entry& entry, const Entry& ancestor) {
    for (const Entry* above = entry.Group(); above != nullptr; above = above->Group()) {
        if (above == &ancestor) {
            return true;
        }
    }
    return false;
}

int EntryList::GroupsAbove(const Entry& entry) {
    int count = 0;
    for (const Entry* above = entry.Group(); above != nullptr; above = above->Group()) {
        ++count;
    }
    return count;
}

int EntryList::LevelsBelow(const Entry& entry) const {
    int deepest = 0;
    for (const auto& other : entries_) {
        if (IsInside(*other, entry)) {
            deepest = std::max(deepest, GroupsAbove(*other) - GroupsAbove(entry));
        }
    }
    return deepest;
}

}  // namespace Tweak
