// The courses outside the adventure, by level name: the time attack's three and the race's two.
// Records are kept by these names, and only these: a records file is refused whole when it names
// a level the game does not have.
#pragma once

#include <string>
#include <vector>

namespace Logic {

class Courses {
public:
    struct Course {
        const char* level;
        const char* title;    // as the course menu shows it
        float targetSeconds;  // the time of the course's solution in tests/solutions: a time to beat
    };

    static const std::vector<Course>& TimeAttack();
    static const std::vector<Course>& Race();
    // The courses a mode offers (a WinType): the time attack's or the race's, none for the adventure.
    static const std::vector<Course>& OfMode(int winType);
    static bool IsTimeAttack(const std::string& level);
    static bool IsRace(const std::string& level);
};

}  // namespace Logic
