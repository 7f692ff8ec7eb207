// The level order from "order.txt" and the history of the levels visited.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace ZELM {

class LevelSequence {
public:
    // Appends the names read from the order file (whitespace-separated) and makes the first current.
    void Read(const std::string& orderPath);

    // The current level's name; "" when the order is empty.
    std::string GetCurrentName() const;
    // Steps to the next or previous name of the order, or back to the level visited before the
    // current one. A step that would leave the order, or empty the history, is reported and refused.
    bool StepNext();
    bool StepPrevious();
    bool StepBack();
    // Makes the last name equal to `name` current; false (and no change) when the order lacks it.
    bool Select(const std::string& name);

    const std::deque<int>& GetHistory() const { return history; }
    const std::vector<std::string>& GetNames() const { return names; }

private:
    bool Push(int index, const char* function);

    std::deque<int> history;
    std::vector<std::string> names;
};

}  // namespace ZELM
