// Captures the problem reports raised while it lives, instead of showing or printing them.
#pragma once

#include <string>
#include <vector>

#include "engine/ProblemReport.h"

namespace ZELMTest {

class ProblemCapture {
public:
    explicit ProblemCapture(ZELM::ProblemChoice answer = ZELM::ProblemChoice::Continue) : answer(answer) {
        previous = ZELM::SetProblemSink([this](const ZELM::Problem& problem) {
            problems.push_back(problem);
            return this->answer;
        });
    }
    ~ProblemCapture() { ZELM::SetProblemSink(previous); }

    std::size_t Count() const { return problems.size(); }
    const ZELM::Problem& Last() const { return problems.back(); }
    void Clear() { problems.clear(); }
    void SetAnswer(ZELM::ProblemChoice choice) { answer = choice; }

    std::vector<ZELM::Problem> problems;

private:
    ZELM::ProblemChoice answer;
    ZELM::ProblemSink previous;
};

}  // namespace ZELMTest
