// The units of the edit controls in the order they start (shut-down runs in reverse).
#pragma once
#include <vector>

#include "framework/Units.h"

namespace editors {

// Units of the edit controls whose work lives elsewhere or who have none.
fw::TUnit& dxEditConstsUnit();  // no start-up or shut-down work
fw::TUnit& dxEdLibUnit();       // the standalone edit

// dxDraw, dxCntner, dxCalc, dxEditConsts, dxGrDate, dxEditor, dxExEdtr, dxEdLib.
std::vector<fw::TUnit*> EditorUnits();

}  // namespace editors
