// The course selection's buttons and actions.
#include "logic/screens/CourseMenu.h"

#include <cmath>
#include <cstdio>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "logic/LogicService.h"

namespace Logic {
namespace {

const char* const kBack = "exitoptions";
// Heights in a 600-pixel screen, where the mode selection has its buttons.
constexpr float kFirstY = 250.0f;
constexpr float kStep = 60.0f;

std::string ButtonName(std::size_t index) {
    return "course" + std::to_string(index);
}

}  // namespace

CourseMenu::CourseMenu() : menu({kBack}, true) {}

std::string CourseMenu::ButtonText(const Courses::Course& course, float bestSeconds) {
    char best[32] = "no time yet";
    if (std::isfinite(bestSeconds)) {
        std::snprintf(best, sizeof best, "best %.3f s", static_cast<double>(bestSeconds));
    }
    char text[128];
    std::snprintf(text, sizeof text, "[%s: %s, target %.3f s]", course.title, best,
                  static_cast<double>(course.targetSeconds));
    return text;
}

void CourseMenu::Init() {
    ResetView();
    // Without the game flow (tools) the time attack's courses are offered.
    mode = engine.IsBound("GetWinType") ? engine.Call<int>("GetWinType") : static_cast<int>(kTimeAttack);
    courses = Courses::OfMode(mode);
    CreateCourseButtons();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < courses.size(); ++i) {
        names.push_back(ButtonName(i));
    }
    names.push_back(kBack);
    menu = Menu(names, true);
    menu.SetSelection(0);
    menu.FindButtons(true);
}

void CourseMenu::CreateCourseButtons() {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < courses.size(); ++i) {
        const float best =
            engine.IsBound("GetLevelBest") ? engine.Call<float>("GetLevelBest", std::string(courses[i].level)) : NAN;
        ZELM::Entity* button = entities->CreateFromArchetype(ButtonName(i), "button").Resolve();
        if (button == nullptr || !button->IsBound("SetText")) {
            continue;  // the archetype is missing or has no button: reported by the entity controller
        }
        button->Call("SetText", ButtonText(courses[i], best));
        button->CallAll("SetX", 0.0f);
        button->CallAll("SetY", kFirstY + kStep * static_cast<float>(i));
    }
    if (ZELM::Entity* back = entities->Get(kBack).GetIfAlive()) {
        back->CallAll("SetY", kFirstY + kStep * static_cast<float>(courses.size()));
    }
}

void CourseMenu::StartCourse(const Courses::Course& course) {
    engine.Call("SetWinType", mode);
    engine.Call("SetPlayerDontWin", true);
    if (mode == kRace) {
        // The course first: the network manager pairs only with a peer on the same one, and
        // starts looking while the race level loads.
        engine.CallAll("SetRaceCourse", std::string(course.level));
        engine.CallAll("SetAllowCommunication", true);
    }
    engine.Call("PlayBGM", mode == kRace ? 3 : 2);
    PostLoadLevel(course.level);
}

void CourseMenu::Update(float) {
    if (KeyTriggered("ESC")) {
        PostLoadLevel("GameMenu");
        return;
    }
    if (!menu.Step(engine)) {
        return;
    }
    const auto chosen = static_cast<std::size_t>(menu.GetSelection());
    if (chosen >= courses.size()) {
        PostLoadLevel("GameMenu");
        return;
    }
    StartCourse(courses[chosen]);
}

}  // namespace Logic
