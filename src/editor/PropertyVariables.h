// A component's or a service's properties as tweak-bar variables, read and written live.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/tweakbar/TweakBar.h"

namespace ZELM {
class DynamicBinder;
class DynamicCaller;
class Property;
}  // namespace ZELM

namespace LevelEditor {

// Adds one variable per property the bars can show, named prefix + "Prop" + property name, in the
// group `prefix`; then applies `groupDefinition` when it is not empty. Computed properties are
// shown read-only.
void AddPropertyVariables(TwBar* bar, ZELM::DynamicBinder& owner, const std::string& prefix,
                          const std::string& groupDefinition);

// A variable whose edits are announced ("BeginEdit" with the description) before they are made,
// so the editor's history keeps them.
struct AnnouncedProperty {
    ZELM::Property* property;
    std::string description;
    ZELM::DynamicCaller* announcer;
};

// As above, for a level entity's component: each variable's record is kept in `records` (which
// must live as long as the bar), its description naming the property and `target`.
void AddAnnouncedPropertyVariables(TwBar* bar, ZELM::DynamicBinder& owner, const std::string& prefix,
                                   const std::string& groupDefinition, const std::string& target,
                                   ZELM::DynamicCaller& announcer,
                                   std::vector<std::unique_ptr<AnnouncedProperty>>& records);

}  // namespace LevelEditor
