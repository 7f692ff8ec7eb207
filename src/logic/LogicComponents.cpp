// The game logic's component types in the registry.
#include "logic/LogicComponents.h"

#include "engine/ComponentRegistry.h"
#include "engine/Domain.h"
#include "engine/Physical.h"
#include "logic/GravityEffectZone.h"
#include "logic/GravityGuy.h"
#include "logic/GravitySectorComponent.h"
#include "logic/HP.h"
#include "logic/LuaScript.h"
#include "logic/NotificationComponent.h"
#include "logic/Phazer.h"
#include "logic/PlayerMovement.h"
#include "logic/PowerUp.h"
#include "logic/TimingComponent.h"
#include "logic/VariableGravityZone.h"
#include "logic/screens/CourseMenu.h"
#include "logic/screens/ImportMenu.h"
#include "logic/screens/Level.h"
#include "logic/screens/LevelSelect.h"
#include "logic/screens/MainMenu.h"
#include "logic/screens/MyLevelsMenu.h"
#include "logic/screens/ControlsScreen.h"
#include "logic/screens/Options.h"
#include "logic/screens/PlayGameMenu.h"
#include "logic/screens/SplashScreen.h"
#include "logic/screens/CreditsScreen.h"
#include "logic/screens/WinScreen.h"

namespace Logic {

void LogicComponents::Register() {
    ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
    registry.Register<ZELM::Physical>("Logic", "Physical");
    registry.Register<LuaScript>("Logic", "LuaScript");
    registry.Register<PlayerMovement>("Logic", "PlayerMovement");
    registry.Register<GravityGuy>("Logic", "GravityGuy");
    registry.Register<Phazer>("Logic", "Phazer");
    registry.Register<ZELM::Domain>("Logic", "ZELM::Domain");
    registry.Register<GravitySectorComponent>("Logic", "GravitySectorComponent");
    registry.Register<GravityEffectZone>("Logic", "GravityEffectZone");
    registry.Register<VariableGravityZone>("Logic", "VariableGravityZone");
    registry.Register<PowerUp>("Logic", "PowerUp");
    registry.Register<SplashScreen>("Logic", "SplashScreen");
    registry.Register<MainMenu>("Logic", "MainMenu");
    registry.Register<Level>("Logic", "Level");
    registry.Register<Options>("Logic", "Options");
    registry.Register<WinScreen>("Logic", "WinScreen");
    registry.Register<PlayGameMenu>("Logic", "PlayGameMenu");
    registry.Register<TimingComponent>("Logic", "TimingComponent");
    registry.Register<NotificationComponent>("Logic", "NotificationComponent");
    registry.Register<HP>("Logic", "HP");
    registry.Register<LevelSelect>("Logic", "LevelSelect");
    registry.Register<CourseMenu>("Logic", "CourseMenu");
    registry.Register<MyLevelsMenu>("Logic", "MyLevelsMenu");
    registry.Register<ImportMenu>("Logic", "ImportMenu");
    // Newer screens come last, so the types before them keep their places.
    registry.Register<ControlsScreen>("Logic", "ControlsScreen");
    registry.Register<CreditsScreen>("Logic", "CreditsScreen");
}

}  // namespace Logic
