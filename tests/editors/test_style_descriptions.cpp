// The style model in form descriptions: read by value name, one pass after loading, and
// the writer leaving out class defaults and values the style does not own.
#include <gtest/gtest.h>

#include <string>

#include "editors/EditorUnits.h"
#include "editors/dxCntner.h"
#include "editors/dxExEdtr.h"
#include "framework/Forms.h"
#include "framework/Units.h"

namespace {

using namespace editors;

// A component with a style, following a controller named in the description.
class TStyledThing : public fw::TComponent, public TdxStyledEdit {
public:
    FW_CLASS(TStyledThing)
    FW_PUBLISHED
    explicit TStyledThing(fw::TComponent* owner) : TComponent(owner) {}
    void AfterConstruction() override {
        TComponent::AfterConstruction();
        style = fw::Create<TdxEditStyle>(static_cast<TdxStyledEdit*>(this));
    }
    void BeforeDestruction() override {
        fw::FreeAndNil(style);
        TComponent::BeforeDestruction();
    }
    TdxEditStyleController* StyleController() const override { return controller; }
    void StyleChanged() override { ++changes; }
    fw::TObject* EditObject() override { return this; }

    TdxEditStyle* style = nullptr;
    TdxEditStyleController* controller = nullptr;
    int changes = 0;
};

const fw::TPropTable& TStyledThing::Published() {
    static const fw::TPropTable table =
        fw::TPublish<TStyledThing>(&fw::TComponent::Published())
            .Object("Style", [](TStyledThing& t) -> fw::TPersistent* { return t.style; })
            .Reference<TdxEditStyleController>(
                "StyleController", [](const TStyledThing& t) { return t.controller; },
                [](TStyledThing& t, TdxEditStyleController* c) {
                    if (c) c->AddListener(&t);
                    t.controller = c;
                })
            .Table();
    return table;
}

class TStyleForm : public fw::TForm {
public:
    FW_CLASS(TStyleForm)
    explicit TStyleForm(fw::TComponent* owner) : TForm(owner) {
        Handler("StyleChanged", TdxStyleChangedEvent([this](fw::TObject*, fw::TObject*) { ++events; }));
    }
    bool HasDescription() const override { return false; }
    int events = 0;
};

const char* const kForm =
    "object Form1: TStyleForm\n"
    "  object Thing1: TStyledThing\n"
    "    Style.BorderStyle = xbsSingle\n"
    "    Style.Edges = [edgLeft, edgBottom]\n"
    "    StyleController = Controller1\n"
    "  end\n"
    "  object Controller1: TdxEditStyleController\n"
    "    BorderColor = clBtnShadow\n"
    "    ButtonTransparence = ebtHideInactive\n"
    "    HotTrack = True\n"
    "    OnStyleChanged = StyleChanged\n"
    "  end\n"
    "  object Check1: TdxCheckEditStyleController\n"
    "    BorderStyle = xbs3D\n"
    "  end\n"
    "  object Check2: TdxCheckEditStyleController\n"
    "  end\n"
    "end\n";

class StyleDescriptions : public ::testing::Test {
protected:
    StyleDescriptions() : units_(EditorUnits()) {
        units_.InitializeAll();
        fw::RegisterFormsClasses();
        fw::TClassRegistry::Register<TStyledThing>();
    }
    ~StyleDescriptions() override {
        for (TStyleForm* f : forms_) fw::Free(f);
        units_.FinalizeAll();
    }
    TStyleForm* Load(const std::string& text) {
        forms_.push_back(fw::Create<TStyleForm>(nullptr));
        fw::ApplyDescription(*fw::ParseDescription(text), forms_.back(), *forms_.back());
        return forms_.back();
    }
    fw::TUnitSequence units_;
    std::vector<TStyleForm*> forms_;
};

TEST_F(StyleDescriptions, ValuesAreReadByNameAndTheControllerTellsItsEditsOnceLoaded) {
    TStyleForm* form = Load(kForm);
    auto* thing = dynamic_cast<TStyledThing*>(form->FindComponent("Thing1"));
    auto* controller = dynamic_cast<TdxEditStyleController*>(form->FindComponent("Controller1"));
    ASSERT_TRUE(thing && controller);
    EXPECT_EQ(xbsSingle, thing->style->BorderStyle());
    EXPECT_EQ(SetOf(edgLeft) | SetOf(edgBottom), thing->style->Edges());
    EXPECT_EQ(SetOf(svBorderStyle) | SetOf(svEdges), thing->style->AssignedValues());
    EXPECT_EQ(clBtnShadow, thing->style->BorderColor()) << "taken from the controller";
    EXPECT_TRUE(thing->style->HotTrack());
    EXPECT_EQ(ebtHideInactive, controller->ButtonTransparence());
    EXPECT_EQ(1, form->events);  // silent while loading, one pass at its end
    auto* check2 = dynamic_cast<TdxCheckEditStyleController*>(form->FindComponent("Check2"));
    ASSERT_TRUE(check2);
    EXPECT_EQ(xbsNone, check2->BorderStyle());
    EXPECT_EQ(bts3D, check2->ButtonStyle());
}

TEST_F(StyleDescriptions, TheWriterLeavesOutDefaultsAndValuesTheStyleTakesFromElsewhere) {
    std::string written = fw::WriteDescription(Load(kForm));
    SCOPED_TRACE(written);
    EXPECT_NE(written.find("    Style.BorderStyle = xbsSingle\n    Style.Edges = [edgLeft, edgBottom]\n"),
              std::string::npos);
    EXPECT_EQ(written.find("AssignedValues"), std::string::npos);
    EXPECT_EQ(written.find("Style.BorderColor"), std::string::npos) << "not the style's own value";
    EXPECT_NE(written.find("    BorderColor = clBtnShadow\n"), std::string::npos);
    EXPECT_NE(written.find("    ButtonTransparence = ebtHideInactive\n    HotTrack = True\n"), std::string::npos);
    EXPECT_NE(written.find("    OnStyleChanged = StyleChanged\n"), std::string::npos);
    // A check controller writes only what differs from xbsNone and bts3D.
    EXPECT_NE(written.find("  object Check1: TdxCheckEditStyleController\n    BorderStyle = xbs3D\n  end\n"),
              std::string::npos);
    EXPECT_NE(written.find("  object Check2: TdxCheckEditStyleController\n  end\n"), std::string::npos);
    EXPECT_EQ(written.find("Shadow = "), std::string::npos);
    EXPECT_EQ(fw::WriteDescription(Load(written)), written) << "a round trip gives the same description";
}

}  // namespace
