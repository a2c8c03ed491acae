#include "app/Unit_StartImage.h"

namespace app {

TFrm_StartImage* Frm_StartImage = nullptr;

TFrm_StartImage::TFrm_StartImage(fw::TComponent* owner) : fw::TForm(owner) { Field("Image1", Image1); }

}  // namespace app
