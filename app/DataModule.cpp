#include "app/DataModule.h"

namespace app {

TDM* DM = nullptr;

TDM::TDM(fw::TComponent* owner) : fw::TDataModule(owner) {
    Field("IdIPWatch1", IdIPWatch1);
    Field("IdHTTP1", IdHTTP1);
    Field("xmldoc", xmldoc);
}

}  // namespace app
