// The calculator unit's start-up table: its error text and its empty work bitmap.
#pragma once
#include <string>

#include "framework/Bitmaps.h"
#include "framework/Units.h"

namespace editors {

extern std::string CalcErrorText;
extern fw::TBitmap* CalcBitmap;

fw::TUnit& dxCalcUnit();

}  // namespace editors
