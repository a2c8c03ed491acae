// The calculator unit's start-up table: its error text.
#pragma once
#include <string>

#include "framework/Units.h"

namespace editors {

extern std::string CalcErrorText;

fw::TUnit& dxCalcUnit();

}  // namespace editors
