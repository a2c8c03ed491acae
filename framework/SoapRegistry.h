// The SOAP invocation registry: a process-wide record of the invokable interfaces the
// program declares, with the namespace, encoding, SOAP action and calling style each is
// to be called with. An interface is described by its method metadata (TIntfMetaData),
// which the interface's declaration provides.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "framework/SysUtils.h"

namespace fw {

// The base of every interface that can be called through SOAP.
class IInvokable {
public:
    virtual ~IInvokable() = default;
};

// The placeholder namespace of interfaces that have no namespace of their own.
extern const char* const DefaultSoapNamespace;

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hex.
std::string GUIDToString(const GUID& g);

enum class TParamFlag { pfNone, pfConst, pfVar, pfOut };

struct TParamMeta {
    std::string Name;
    std::string TypeName;  // "WideString", "Integer", ...
    TParamFlag Flag = TParamFlag::pfNone;
};

struct TMethodMeta {
    std::string Name;
    std::vector<TParamMeta> Params;
    std::string ResultType;  // empty for a procedure
};

struct TIntfMetaData {
    std::string Name;
    std::string ParentName;
    GUID IID{};
    std::vector<TMethodMeta> Methods;  // in declaration order
};

enum TIntfInvokeOption : unsigned {
    ioDefault = 0,
    ioDocument = 1u << 0,
    ioLiteral = 1u << 1,
    ioHasDefaultSOAPAction = 1u << 2,
    ioHasReturnParamNames = 1u << 3,
    ioHasNamespace = 1u << 4,
};
using TIntfInvokeOptions = unsigned;

struct TInvRegIntfEntry {
    TIntfMetaData Info;
    std::string Namespace;
    std::string WSDLEncoding;
    std::string Documentation;
    std::string ExtName;
    std::string SOAPAction;  // the default action; "%operationName%" stands for the method
    TIntfInvokeOptions InvokeOptions = ioDefault;
};

class TInvokableClassRegistry {
public:
    // Registering an interface again replaces what was known of it.
    void RegisterInterface(const TIntfMetaData& info, const std::string& ns, const std::string& wsdlEncoding,
                           const std::string& doc = std::string(), const std::string& extName = std::string());
    // Both raise fw::Exception for an interface that was not registered.
    void RegisterDefaultSOAPAction(const GUID& iid, const std::string& action);
    void RegisterInvokeOptions(const GUID& iid, TIntfInvokeOptions options);

    const TInvRegIntfEntry* FindInterface(const GUID& iid) const;  // null when unknown
    const TInvRegIntfEntry* FindInterface(const std::string& name) const;
    const std::vector<TInvRegIntfEntry>& Interfaces() const { return entries_; }
    // The SOAP action of one method: the default action with "%operationName%" replaced
    // by the method's name; the empty text when the interface is unknown.
    std::string GetActionURIOfMethod(const GUID& iid, const std::string& methodName) const;

private:
    TInvRegIntfEntry& Entry(const GUID& iid);
    std::vector<TInvRegIntfEntry> entries_;
};

// The process-wide registry, made on first use.
TInvokableClassRegistry& InvRegistry();

}  // namespace fw
