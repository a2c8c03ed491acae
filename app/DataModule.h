// The data module: the IP watcher that answers the workstation's address and host name,
// and an HTTP client and XML document that are declared but unused.
#pragma once
#include "framework/Forms.h"
#include "framework/IdHTTP.h"
#include "framework/IdIPWatch.h"
#include "framework/XMLDoc.h"

namespace app {

class TDM : public fw::TDataModule {
public:
    FW_CLASS(TDM)
    explicit TDM(fw::TComponent* owner);
    fw::TIdIPWatch* IdIPWatch1 = nullptr;
    fw::TIdHTTP* IdHTTP1 = nullptr;
    fw::TXMLDocument* xmldoc = nullptr;
};

extern TDM* DM;

}  // namespace app
