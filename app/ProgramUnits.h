// The program's units in the order they start: the framework's forms unit first, then
// the auxiliary component units and the edit controls, then the application's own.
#pragma once
#include <vector>

#include "framework/Units.h"

namespace app {

std::vector<fw::TUnit*> ProgramUnits();

}  // namespace app
