// Moving through the level order.
#include "engine/LevelSequence.h"

#include <fstream>

#include "engine/ProblemReport.h"

namespace ZELM {

void LevelSequence::Read(const std::string& orderPath) {
    std::ifstream order(orderPath);
    std::string name;
    while (order >> name) {
        names.push_back(name);
    }
    history.push_back(0);
}

std::string LevelSequence::GetCurrentName() const {
    if (history.empty() || history.back() < 0 || history.back() >= static_cast<int>(names.size())) {
        return std::string();
    }
    return names[static_cast<std::size_t>(history.back())];
}

bool LevelSequence::Push(int index, const char* function) {
    if (index < 0 || index >= static_cast<int>(names.size())) {
        ZELM_PROBLEM(function, "There is no level %i in the level order of %i levels!", index,
                     static_cast<int>(names.size()));
        return false;
    }
    history.push_back(index);
    return true;
}

bool LevelSequence::StepNext() {
    const int current = history.empty() ? -1 : history.back();
    return Push(current + 1, "ZELM::Engine::NextLevel");
}

bool LevelSequence::StepPrevious() {
    const int current = history.empty() ? 1 : history.back();
    return Push(current - 1, "ZELM::Engine::PreviousLevel");
}

bool LevelSequence::StepBack() {
    if (history.size() < 2) {
        ZELM_PROBLEM("ZELM::Engine::LastLevel", "There is no level visited before the current one!");
        return false;
    }
    history.pop_back();
    return true;
}

bool LevelSequence::Select(const std::string& name) {
    bool found = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            history.push_back(static_cast<int>(i));
            found = true;
        }
    }
    return found;
}

}  // namespace ZELM
