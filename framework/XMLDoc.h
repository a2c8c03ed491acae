// An XML document component. The program declares one in its data module but never
// activates it, so it only keeps its settings.
#pragma once
#include "framework/Classes.h"

namespace fw {

class TXMLDocument : public TComponent {
public:
    FW_CLASS(TXMLDocument)
    explicit TXMLDocument(TComponent* owner) : TComponent(owner) {}
    std::string DOMVendorDesc;
    bool Active = false;
    bool SetProperty(const std::string& name, const TPropValue& v) override {
        if (name == "DOMVendorDesc") DOMVendorDesc = v.AsString();
        else if (name == "Active") Active = v.AsBool();
        else return TComponent::SetProperty(name, v);
        return true;
    }
};

}  // namespace fw
