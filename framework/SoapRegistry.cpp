#include "framework/SoapRegistry.h"

#include "framework/SysUtils.h"

namespace fw {

const char* const DefaultSoapNamespace = "http://tempuri.org/";

std::string GUIDToString(const GUID& g) {
    return Format("{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(g.Data1),
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5],
                  g.Data4[6], g.Data4[7]);
}

void TInvokableClassRegistry::RegisterInterface(const TIntfMetaData& info, const std::string& ns,
                                                const std::string& wsdlEncoding, const std::string& doc,
                                                const std::string& extName) {
    TInvRegIntfEntry entry;
    entry.Info = info;
    entry.Namespace = ns;
    entry.WSDLEncoding = wsdlEncoding;
    entry.Documentation = doc;
    entry.ExtName = extName;
    if (!ns.empty()) entry.InvokeOptions |= ioHasNamespace;
    for (TInvRegIntfEntry& e : entries_) {
        if (IsEqualGUID(e.Info.IID, info.IID)) {
            e = entry;
            return;
        }
    }
    entries_.push_back(entry);
}

TInvRegIntfEntry& TInvokableClassRegistry::Entry(const GUID& iid) {
    for (TInvRegIntfEntry& e : entries_)
        if (IsEqualGUID(e.Info.IID, iid)) return e;
    throw Exception("Interface not registered: " + GUIDToString(iid));
}

void TInvokableClassRegistry::RegisterDefaultSOAPAction(const GUID& iid, const std::string& action) {
    TInvRegIntfEntry& e = Entry(iid);
    e.SOAPAction = action;
    e.InvokeOptions |= ioHasDefaultSOAPAction;
}

void TInvokableClassRegistry::RegisterInvokeOptions(const GUID& iid, TIntfInvokeOptions options) {
    TInvRegIntfEntry& e = Entry(iid);
    e.InvokeOptions |= options;
}

const TInvRegIntfEntry* TInvokableClassRegistry::FindInterface(const GUID& iid) const {
    for (const TInvRegIntfEntry& e : entries_)
        if (IsEqualGUID(e.Info.IID, iid)) return &e;
    return nullptr;
}

const TInvRegIntfEntry* TInvokableClassRegistry::FindInterface(const std::string& name) const {
    for (const TInvRegIntfEntry& e : entries_)
        if (e.Info.Name == name) return &e;
    return nullptr;
}

std::string TInvokableClassRegistry::GetActionURIOfMethod(const GUID& iid, const std::string& methodName) const {
    const TInvRegIntfEntry* e = FindInterface(iid);
    if (!e) return std::string();
    static const std::string placeholder = "%operationName%";
    std::string action = e->SOAPAction;
    size_t pos = action.find(placeholder);
    if (pos != std::string::npos) action.replace(pos, placeholder.size(), methodName);
    return action;
}

TInvokableClassRegistry& InvRegistry() {
    // Never freed: registrations last until the process ends, past every unit finalisation.
    static TInvokableClassRegistry* registry = new TInvokableClassRegistry;
    return *registry;
}

}  // namespace fw
