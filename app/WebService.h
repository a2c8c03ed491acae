// Unit WebService: the examination server's SOAP interface WebServiceSoap. It is declared
// and registered with the SOAP invocation registry when the unit starts; nothing in the
// program calls it.
#pragma once
#include <cstdint>
#include <string>

#include "framework/SoapRegistry.h"
#include "framework/Units.h"

namespace app {

class WebServiceSoap : public fw::IInvokable {
public:
    // {F790808E-B4BF-D72D-D6C0-3B8652961A63}
    static constexpr GUID InterfaceId = {0xF790808E, 0xB4BF, 0xD72D, {0xD6, 0xC0, 0x3B, 0x86, 0x52, 0x96, 0x1A, 0x63}};
    // The interface's name, parent, identifier and methods in declaration order.
    static const fw::TIntfMetaData& MetaData();

    virtual std::wstring HelloWorld() = 0;
    virtual int32_t Login(const std::wstring& username, const std::wstring& pwd) = 0;
    virtual int32_t Exit(const std::wstring& username) = 0;
};

// Start-up registers WebServiceSoap with fw::InvRegistry(); shut-down does nothing.
fw::TUnit& WebServiceUnit();

}  // namespace app
