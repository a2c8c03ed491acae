#include "editors/dxCalc.h"

#include "editors/EditorStrings.h"
#include "framework/SysUtils.h"

namespace editors {

std::string CalcErrorText;
fw::TBitmap* CalcBitmap = nullptr;

fw::TUnit& dxCalcUnit() {
    static fw::TUnit unit(
        "dxCalc",
        [] {
            CalcBitmap = new fw::TBitmap;
            CalcErrorText = fw::LoadStr(sdxCalcError);
        },
        [] {
            delete CalcBitmap;
            CalcBitmap = nullptr;
            CalcErrorText.clear();
        });
    return unit;
}

}  // namespace editors
