#include "app/WebService.h"

namespace app {

const fw::TIntfMetaData& WebServiceSoap::MetaData() {
    using fw::TParamFlag;
    static const fw::TIntfMetaData meta = {
        "WebServiceSoap",
        "IInvokable",
        InterfaceId,
        {
            {"HelloWorld", {}, "WideString"},
            {"Login", {{"username", "WideString", TParamFlag::pfConst}, {"pwd", "WideString", TParamFlag::pfConst}},
             "Integer"},
            {"Exit", {{"username", "WideString", TParamFlag::pfConst}}, "Integer"},
        },
    };
    return meta;
}

namespace {
void RegisterWebServiceSoap() {
    const std::string ns = fw::DefaultSoapNamespace;
    fw::InvRegistry().RegisterInterface(WebServiceSoap::MetaData(), ns, "utf-8", "", "");
    fw::InvRegistry().RegisterDefaultSOAPAction(WebServiceSoap::InterfaceId, ns + "%operationName%");
    fw::InvRegistry().RegisterInvokeOptions(WebServiceSoap::InterfaceId, fw::ioDocument);
}
}  // namespace

fw::TUnit& WebServiceUnit() {
    static fw::TUnit unit("WebService", RegisterWebServiceSoap, nullptr);
    return unit;
}

}  // namespace app
