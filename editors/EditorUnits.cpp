#include "editors/EditorUnits.h"

#include "editors/dxCalc.h"
#include "editors/dxCntner.h"
#include "editors/dxDraw.h"
#include "editors/dxEdLib.h"
#include "editors/dxEditorUnit.h"
#include "editors/dxExEdtr.h"
#include "editors/dxGrDate.h"

namespace editors {

fw::TUnit& dxEditConstsUnit() {
    static fw::TUnit unit("dxEditConsts", nullptr, nullptr);
    return unit;
}

std::vector<fw::TUnit*> EditorUnits() {
    return {&dxDrawUnit(),   &dxCntnerUnit(), &dxCalcUnit(),   &dxEditConstsUnit(),
            &dxGrDateUnit(), &dxEditorUnit(), &dxExEdtrUnit(), &dxEdLibUnit()};
}

}  // namespace editors
