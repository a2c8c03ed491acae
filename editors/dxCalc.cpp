#include "editors/dxCalc.h"

#include "editors/EditorStrings.h"
#include "framework/SysUtils.h"

namespace editors {

std::string CalcErrorText;

fw::TUnit& dxCalcUnit() {
    static fw::TUnit unit(
        "dxCalc", [] { CalcErrorText = fw::LoadStr(sdxCalcError); }, [] { CalcErrorText.clear(); });
    return unit;
}

}  // namespace editors
