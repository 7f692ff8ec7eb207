// The component types the game's logic offers to level and archetype files, under the service name
// "Logic".
#pragma once

namespace Logic {

class LogicComponents {
public:
    // Enters every type into the component registry, in the order the registry lists them.
    static void Register();
};

}  // namespace Logic
