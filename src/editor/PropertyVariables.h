// A component's or a service's properties as tweak-bar variables, read and written live.
#pragma once

#include <string>

#include "editor/tweakbar/TweakBar.h"

namespace ZELM {
class DynamicBinder;
}

namespace LevelEditor {

// Adds one variable per property the bars can show, named prefix + "Prop" + property name, in the
// group `prefix`; then applies `groupDefinition` when it is not empty. Computed properties are
// shown read-only.
void AddPropertyVariables(TwBar* bar, ZELM::DynamicBinder& owner, const std::string& prefix,
                          const std::string& groupDefinition);

}  // namespace LevelEditor
