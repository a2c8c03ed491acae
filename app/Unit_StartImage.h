// The splash form shown for a second at start-up.
#pragma once
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

namespace app {

class TFrm_StartImage : public fw::TForm {
public:
    FW_CLASS(TFrm_StartImage)
    explicit TFrm_StartImage(fw::TComponent* owner);
    fw::TImage* Image1 = nullptr;
};

extern TFrm_StartImage* Frm_StartImage;

}  // namespace app
