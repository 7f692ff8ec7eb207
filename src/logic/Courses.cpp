// The courses' table.
#include "logic/Courses.h"

#include <algorithm>

#include "logic/LogicService.h"

namespace Logic {
namespace {

bool Holds(const std::vector<Courses::Course>& courses, const std::string& level) {
    return std::any_of(courses.begin(), courses.end(),
                       [&level](const Courses::Course& course) { return level == course.level; });
}

}  // namespace

const std::vector<Courses::Course>& Courses::TimeAttack() {
    static const std::vector<Course> courses = {{"TimeAttack", "short", 4.2f},
                                                {"TimeAttack2", "medium", 6.867f},
                                                {"TimeAttack3", "long", 15.683f}};
    return courses;
}

const std::vector<Courses::Course>& Courses::Race() {
    static const std::vector<Course> courses = {{"multiplayer", "course 1", 3.017f},
                                                {"multiplayer2", "course 2", 8.55f}};
    return courses;
}

const std::vector<Courses::Course>& Courses::OfMode(int winType) {
    static const std::vector<Course> none;
    return winType == kTimeAttack ? TimeAttack() : winType == kRace ? Race() : none;
}

bool Courses::IsTimeAttack(const std::string& level) {
    return Holds(TimeAttack(), level);
}

bool Courses::IsRace(const std::string& level) {
    return Holds(Race(), level);
}

}  // namespace Logic
