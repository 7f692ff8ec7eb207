// The course selection's buttons and actions.
#include "logic/screens/CourseMenu.h"

#include <cmath>
#include <cstdio>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "logic/LogicService.h"
#include "logic/screens/MenuButtons.h"

namespace Logic {
namespace {

// Heights in a 600-pixel screen, where the mode selection has its buttons.
constexpr float kFirstY = 250.0f;
constexpr float kStep = 60.0f;

std::string ButtonName(std::size_t index) {
    return "course" + std::to_string(index);
}

}  // namespace

// The notice sits where the mode selection's last button is, under every course menu's "[back]".
CourseMenu::CourseMenu() : menu(MenuButtons::kCourseMenu, true), notice(engine, kFirstY + kStep * 4.0f) {}

std::string CourseMenu::ButtonText(const Courses::Course& course, float bestSeconds) {
    if (!std::isfinite(bestSeconds)) {
        return std::string("[") + course.title + ": no time yet]";
    }
    char text[64];
    std::snprintf(text, sizeof text, "[%s: %.3f s]", course.title, static_cast<double>(bestSeconds));
    return text;
}

void CourseMenu::ShowTarget() {
    const auto selected = static_cast<std::size_t>(menu.GetSelection());
    if (selected >= courses.size()) {
        notice.Clear();
        return;
    }
    char text[48];
    std::snprintf(text, sizeof text, "target %.3f s", static_cast<double>(courses[selected].targetSeconds));
    notice.Show(text);
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
    names.insert(names.end(), MenuButtons::kCourseMenu.begin(), MenuButtons::kCourseMenu.end());
    menu = Menu(names, true);
    menu.SetSelection(0);
    menu.FindButtons(true);
    ShowTarget();
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
    if (ZELM::Entity* back = entities->Get(MenuButtons::kBack).GetIfAlive()) {
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
    if (BackTriggered()) {
        PostLoadLevel("GameMenu");
        return;
    }
    notice.LayOut();  // the window may have changed size (F11, ALT+ENTER)
    const bool confirmed = menu.Step(engine);
    ShowTarget();
    if (!confirmed) {
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
