// The game-flow service's component types.
#include "logic/LogicService.h"

#include "engine/ComponentRegistry.h"
#include "engine/Domain.h"

namespace Logic {

void LogicService::Init() { ZELM::ComponentRegistry::Instance().Register<ZELM::Domain>("Logic", "Domain"); }

}  // namespace Logic
