// Shows problem reports in a modal box with the choices "Ignore", "Break" and "Continue".
#pragma once

#include "engine/ProblemReport.h"

namespace Windows {

// A problem sink that asks the player in a modal box; where no box can be shown (no display),
// the report goes to standard error and the game continues.
ZELM::ProblemChoice ShowProblemBox(const ZELM::Problem& problem);

}  // namespace Windows
