// The units of the edit controls in the order they start (shut-down runs in reverse).
#pragma once
#include <vector>

#include "framework/Units.h"

namespace editors {

// A unit of the edit controls that has no start-up or shut-down work.
fw::TUnit& dxEditConstsUnit();  // no start-up or shut-down work

// dxDraw, dxCntner, dxCalc, dxEditConsts, dxGrDate, dxEditor, dxExEdtr, dxEdLib.
std::vector<fw::TUnit*> EditorUnits();

}  // namespace editors
