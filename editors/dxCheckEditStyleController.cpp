#include "editors/dxExEdtr.h"

namespace editors {

TdxCheckEditStyleController::TdxCheckEditStyleController(fw::TComponent* AOwner) : TdxEditStyleController(AOwner) {
    SetBorderStyle(xbsNone);
    SetButtonStyle(bts3D);
}

void TdxCheckEditStyleController::RestoreDefaults() {
    BeginUpdate();
    try {
        TdxEditStyleController::RestoreDefaults();
        SetBorderStyle(xbsNone);
        SetButtonStyle(bts3D);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

}  // namespace editors
