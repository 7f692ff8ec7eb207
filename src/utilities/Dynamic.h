// Calls by name: binding methods and calling them.
#pragma once

#include "utilities/DynamicBinder.h"
#include "utilities/DynamicCaller.h"
