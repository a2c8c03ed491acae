// Unit WebService: WebServiceSoap as the SOAP invocation registry knows it after the
// unit's start-up.
#include <gtest/gtest.h>

#include "app/WebService.h"

namespace {

std::string Signature(const fw::TMethodMeta& m) {
    std::string s = m.Name + "(";
    for (size_t i = 0; i < m.Params.size(); ++i) {
        const fw::TParamMeta& p = m.Params[i];
        if (i) s += "; ";
        if (p.Flag == fw::TParamFlag::pfConst) s += "const ";
        s += p.Name + ": " + p.TypeName;
    }
    return s + "): " + m.ResultType;
}

TEST(WebServiceSoap, UnitStartUpRegistersTheInterfaceOnceWithDocumentStyleAndDefaultAction) {
    EXPECT_EQ(nullptr, fw::InvRegistry().FindInterface("WebServiceSoap")) << "nothing before the unit starts";
    app::WebServiceUnit().Initialize();
    app::WebServiceUnit().Initialize();  // a second initialisation does nothing

    ASSERT_EQ(1u, fw::InvRegistry().Interfaces().size());
    const fw::TInvRegIntfEntry* e = fw::InvRegistry().FindInterface(app::WebServiceSoap::InterfaceId);
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(e, fw::InvRegistry().FindInterface("WebServiceSoap"));
    EXPECT_EQ("{F790808E-B4BF-D72D-D6C0-3B8652961A63}", fw::GUIDToString(e->Info.IID));
    EXPECT_EQ("IInvokable", e->Info.ParentName);

    const std::string& ns = e->Namespace;
    ASSERT_FALSE(ns.empty());
    EXPECT_EQ('/', ns.back()) << "placeholder namespace URI ending in /: " << ns;
    EXPECT_EQ(0u, ns.find("http://"));
    EXPECT_EQ("utf-8", e->WSDLEncoding);
    EXPECT_EQ("", e->Documentation);
    EXPECT_EQ("", e->ExtName);
    EXPECT_EQ(ns + "%operationName%", e->SOAPAction);
    EXPECT_EQ(ns + "Login", fw::InvRegistry().GetActionURIOfMethod(e->Info.IID, "Login"));
    EXPECT_TRUE(e->InvokeOptions & fw::ioDocument);
    EXPECT_TRUE(e->InvokeOptions & fw::ioHasDefaultSOAPAction);
    EXPECT_FALSE(e->InvokeOptions & fw::ioLiteral);

    ASSERT_EQ(3u, e->Info.Methods.size());
    EXPECT_EQ("HelloWorld(): WideString", Signature(e->Info.Methods[0]));
    EXPECT_EQ("Login(const username: WideString; const pwd: WideString): Integer", Signature(e->Info.Methods[1]));
    EXPECT_EQ("Exit(const username: WideString): Integer", Signature(e->Info.Methods[2]));

    app::WebServiceUnit().Finalize();
    app::WebServiceUnit().Finalize();
    EXPECT_NE(nullptr, fw::InvRegistry().FindInterface("WebServiceSoap")) << "the registration outlives the unit";
}

}  // namespace
