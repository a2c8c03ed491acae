// Published properties through form descriptions, the writer, and the read-write-read round trip.
#include <gtest/gtest.h>

#include "framework/ColorNames.h"
#include "framework/Cursors.h"
#include "framework/FormDescription.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/Published.h"
#include "tests/support/FailureOf.h"

namespace {

constexpr const char* kBorderNames[] = {"xbsNone", "xbsSingle", "xbsThick", "xbsFlat", "xbs3D"};
constexpr fw::TEnumType kBorderType("TTestBorderStyle", kBorderNames);
constexpr const char* kEdgeNames[] = {"edgLeft", "edgTop", "edgRight", "edgBottom"};
constexpr fw::TEnumType kEdgeType("TTestEdge", kEdgeNames);
constexpr const char* kValueNames[] = {"svBorderColor", "svBorderStyle", "svEdges"};
constexpr fw::TEnumType kValueType("TTestStyleValue", kValueNames);

// A style-like persistent object: each value is marked (and stored) once assigned.
class TTestStyle : public fw::TPersistent {
public:
    FW_CLASS(TTestStyle)
    FW_PUBLISHED
    long long assigned = 0;
    fw::TColor borderColor = 0;
    long long borderStyle = 0, edges = 0;

    void Assign(fw::TPersistent* source) override {
        if (auto* s = dynamic_cast<TTestStyle*>(source)) {
            borderColor = s->borderColor;
            borderStyle = s->borderStyle;
            edges = s->edges;
            assigned = 7;
        } else {
            fw::TPersistent::Assign(source);
        }
    }
};

const fw::TPropTable& TTestStyle::Published() {
    using T = TTestStyle;
    static const fw::TPropTable table = fw::TPublish<T>(&fw::TPersistent::Published())
        .Set("AssignedValues", kValueType, [](const T& s) { return s.assigned; }, [](T& s, long long v) { s.assigned = v; })
        .NotStored()
        .Color("BorderColor", [](const T& s) { return s.borderColor; },
               [](T& s, long long v) { s.borderColor = static_cast<fw::TColor>(v), s.assigned |= 1; })
        .Stored([](const T& s) { return (s.assigned & 1) != 0; })
        .Enum("BorderStyle", kBorderType, [](const T& s) { return s.borderStyle; },
              [](T& s, long long v) { s.borderStyle = v, s.assigned |= 2; })
        .Stored([](const T& s) { return (s.assigned & 2) != 0; })
        .Set("Edges", kEdgeType, [](const T& s) { return s.edges; }, [](T& s, long long v) { s.edges = v, s.assigned |= 4; })
        .Stored([](const T& s) { return (s.assigned & 4) != 0; })
        .Table();
    return table;
}

class TTestController : public fw::TComponent {
public:
    FW_CLASS(TTestController)
    FW_PUBLISHED
    explicit TTestController(fw::TComponent* owner) : TComponent(owner) {}
    long long borderStyle = 4;
    fw::TColor borderColor = fw::clWindowFrame;
};

const fw::TPropTable& TTestController::Published() {
    using T = TTestController;
    static const fw::TPropTable table = fw::TPublish<T>(&fw::TComponent::Published())
        .Color("BorderColor", [](const T& c) { return c.borderColor; },
               [](T& c, long long v) { c.borderColor = static_cast<fw::TColor>(v); })
        .Default(fw::clWindowFrame)
        .Enum("BorderStyle", kBorderType, [](const T& c) { return c.borderStyle; }, [](T& c, long long v) { c.borderStyle = v; })
        .Default(4)
        .Table();
    return table;
}

fw::TPropValue IntValue(long long i) {
    fw::TPropValue v;
    v.i = i;
    return v;
}

// An edit-like control: a nested style, a controller reference, a height only the filer stores.
class TTestEdit : public fw::TWinControl {
public:
    FW_CLASS(TTestEdit)
    FW_PUBLISHED
    explicit TTestEdit(fw::TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 121, 21); }
    TTestStyle Style;
    TTestController* controller = nullptr;
    bool autoSize = true;
    int storedValues = 0, heightReads = 0;
    char passwordChar = 0;

    void SetController(TTestController* c) {
        controller = c;
        if (c) FreeNotification(c);
    }
    void DefineProperties(fw::TFiler& filer) override {
        TWinControl::DefineProperties(filer);
        filer.DefineProperty(
            "Height", [this](const fw::TPropValue& v) { ++heightReads, SetBounds(Left(), Top(), Width(), v.AsInt()); },
            [this] { return IntValue(Height()); }, !autoSize);
        filer.DefineProperty(
            "StoredValues", [this](const fw::TPropValue& v) { storedValues = v.AsInt() & 0xFF; },
            [this] { return IntValue(storedValues & 0xFF); }, storedValues != 0);
    }
};

const fw::TPropTable& TTestEdit::Published() {
    using T = TTestEdit;
    static const fw::TPropTable table = fw::TPublish<T>(&fw::TWinControl::Published())
        .Integer("Height", [](const T& e) { return e.Height(); },
                 [](T& e, long long v) { e.SetBounds(e.Left(), e.Top(), e.Width(), static_cast<int>(v)); })
        .NotStored()
        .Boolean("AutoSize", [](const T& e) { return e.autoSize; }, [](T& e, long long v) { e.autoSize = v != 0; })
        .Default(1)
        .Char("PasswordChar", [](const T& e) { return static_cast<unsigned char>(e.passwordChar); },
              [](T& e, long long v) { e.passwordChar = static_cast<char>(v); })
        .Default(0)
        .Object("Style", [](T& e) { return &e.Style; })
        .Reference<TTestController>("StyleController", [](const T& e) { return e.controller; },
                                    [](T& e, TTestController* c) { e.SetController(c); })
        .Table();
    return table;
}

class TPropForm : public fw::TForm {
public:
    FW_CLASS(TPropForm)
    explicit TPropForm(fw::TComponent* owner) : TForm(owner) {
        Handler("ItemClick", fw::TNotifyEvent([this](fw::TObject* s) { clicked = static_cast<fw::TMenuItem*>(s); }));
    }
    bool HasDescription() const override { return false; }
    fw::TMenuItem* clicked = nullptr;
    template <class T>
    T* Find(const char* name) {
        return dynamic_cast<T*>(FindComponent(name));
    }
};

struct Published : ::testing::Test {
    void SetUp() override {
        fw::RegisterFormsClasses();
        fw::TClassRegistry::Register<TTestEdit>();
        fw::TClassRegistry::Register<TTestController>();
    }
    void TearDown() override {
        for (TPropForm* f : forms) fw::Free(f);
    }
    TPropForm* Load(const std::string& text) {
        forms.push_back(fw::Create<TPropForm>(nullptr));
        auto node = fw::ParseDescription(text);
        fw::ApplyDescription(*node, forms.back(), *forms.back());
        return forms.back();
    }
    std::string ErrorOf(const std::string& text) {
        return harness::FailureOf([&] { Load(text); });
    }
    // The error of a form holding one edit E with these property lines.
    std::string EditError(const std::string& lines) {
        return ErrorOf("object PropForm: TPropForm\n  object E: TTestEdit\n" + lines + "  end\nend\n");
    }
    std::vector<TPropForm*> forms;
};

const char* kForm = R"(object PropForm: TPropForm
  Width = 300
  object First: TTestEdit
    Left = 8
    Style.BorderStyle = xbsSingle
    Style.Edges = [edgLeft, edgBottom]
    StyleController = Controller1
    PopupMenu = Menu1
    TabOrder = 0
    StoredValues = 65
    PasswordChar = '*'
    Font.Height = -12
  end
  object Controller1: TTestController
    BorderColor = $00123456
    BorderStyle = xbsFlat
  end
  object Second: TTestEdit
    Left = 8
    Top = 40
    AutoSize = False
    Height = 30
    StyleController = Controller1
    Style.BorderColor = clBtnShadow
  end
  object Menu1: TPopupMenu
    AutoPopup = False
    object Undo: TMenuItem
      Caption = '&Undo'
      Tag = -1
      OnClick = ItemClick
    end
    object Line: TMenuItem
      Caption = '-'
      Enabled = False
      Tag = $7FFFFFFF
    end
  end
end
)";

}  // namespace

TEST_F(Published, NestedPropertiesAndReferencesDeclaredBeforeOrAfterTheirTargetLoad) {
    TPropForm* form = Load(kForm);
    auto* first = form->Find<TTestEdit>("First");
    auto* second = form->Find<TTestEdit>("Second");
    auto* controller = form->Find<TTestController>("Controller1");
    auto* menu = form->Find<fw::TPopupMenu>("Menu1");
    ASSERT_TRUE(first && second && controller && menu);
    EXPECT_EQ(first->Style.borderStyle, 1) << "Style.BorderStyle = xbsSingle reaches the nested style";
    EXPECT_EQ(first->Style.edges, 0x9);
    EXPECT_EQ(first->Style.assigned, 6) << "only the values set are marked";
    EXPECT_EQ(first->controller, controller) << "a reference to a component declared later";
    EXPECT_EQ(second->controller, controller) << "a reference to a component declared earlier";
    EXPECT_EQ(first->PopupMenu(), menu);
    EXPECT_EQ(first->storedValues, 65) << "the filer property is read by name";
    EXPECT_EQ(first->Font.Height(), -12);
    EXPECT_FALSE(first->ParentFont()) << "a font set in the description is the control's own";
    EXPECT_EQ(controller->borderColor, 0x123456u) << "hexadecimal integers";
    EXPECT_EQ(second->Style.borderColor, fw::clBtnShadow);
    EXPECT_EQ(second->Height(), 30);
    EXPECT_EQ(second->heightReads, 0) << "the published Height is found before the filer one";
    ASSERT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(menu->Items()->Items(1)->Tag, 0x7FFFFFFF);
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(form->clicked, menu->Items()->Items(0));

    // Freeing a referenced component clears every reference to it.
    fw::Free(controller);
    EXPECT_EQ(first->controller, nullptr);
    EXPECT_EQ(second->controller, nullptr);
    fw::Free(menu);
    EXPECT_EQ(first->PopupMenu(), nullptr);
}

TEST_F(Published, AFontValueEqualToTheParentsStillMakesTheFontOwnAndNilLeavesAReferenceEmpty) {
    TPropForm* form = Load(R"(object PropForm: TPropForm
  object Own: TTestEdit
    Font.Color = clWindowText
    PopupMenu = nil
    StyleController = nil
  end
  object Plain: TTestEdit
  end
end
)");
    auto* own = form->Find<TTestEdit>("Own");
    auto* plain = form->Find<TTestEdit>("Plain");
    ASSERT_TRUE(own && plain);
    ASSERT_EQ(form->Font.Color(), fw::clWindowText) << "the value read is the form's own";
    EXPECT_FALSE(own->ParentFont()) << "a font value read makes the font the control's own";
    EXPECT_TRUE(plain->ParentFont());
    EXPECT_EQ(own->PopupMenu(), nullptr);
    EXPECT_EQ(own->controller, nullptr);

    const int height = own->Font.Height();
    form->Font.SetHeight(height - 5);
    form->Font.SetColor(fw::clHighlightText);
    EXPECT_EQ(own->Font.Height(), height) << "the form's later change leaves the own font alone";
    EXPECT_EQ(own->Font.Color(), fw::clWindowText);
    EXPECT_EQ(plain->Font.Height(), height - 5) << "while a control without font values follows it";
    EXPECT_EQ(plain->Font.Color(), fw::clHighlightText);
}

TEST_F(Published, BadReferencesAndValuesFailNamingTheLine) {
    EXPECT_EQ(EditError("    Left = 1\n    StyleController = Nobody\n"),
              "Error reading E.StyleController: component Nobody not found (line 4)");
    EXPECT_EQ(ErrorOf("object PropForm: TPropForm\n  object E: TTestEdit\n    StyleController = M\n  end\n"
                      "  object M: TPopupMenu\n  end\nend\n"),
              "Error reading E.StyleController: M is not a TTestController (line 3)");
    EXPECT_EQ(EditError("    Style.BorderStyle = xbsRound\n"), "Invalid property value xbsRound (line 3)");
    EXPECT_EQ(EditError("    Style.Edges = [edgLeft, edgMiddle]\n"), "Invalid property value edgMiddle (line 3)");
    EXPECT_NE(EditError("    Style.Shape = 1\n").find("E.Style.Shape"), std::string::npos);
    EXPECT_NE(ErrorOf("object PropForm: TPropForm\n  Left = $\nend\n").find("line 2: malformed hexadecimal"),
              std::string::npos);
}

TEST_F(Published, AssignRefusesNilAndUnlikeSourcesWithTheFrameworkText) {
    TTestStyle style, other;
    other.borderStyle = 2;
    style.Assign(&other);
    EXPECT_EQ(style.borderStyle, 2);
    auto messageOf = [&](fw::TPersistent* source) { return harness::FailureOf([&] { style.Assign(source); }); };
    auto* controller = fw::Create<TTestController>(nullptr);
    EXPECT_EQ(messageOf(nullptr), "Cannot assign a nil to a TTestStyle");
    EXPECT_EQ(messageOf(controller), "Cannot assign a TTestController to a TTestStyle");
    EXPECT_EQ(style.borderStyle, 2) << "a refused assignment leaves the target unchanged";
    fw::Free(controller);
}

TEST_F(Published, WriterLeavesOutDefaultsAndUnstoredValuesAndARoundTripReproducesTheForm) {
    std::string written = fw::WriteDescription(Load(kForm));
    SCOPED_TRACE(written);
    for (const char* line :
         {"    Style.BorderStyle = xbsSingle\n    Style.Edges = [edgLeft, edgBottom]\n", "    StoredValues = 65\n",
          "    PasswordChar = '*'\n", "    StyleController = Controller1\n", "    PopupMenu = Menu1\n",
          "    Font.Height = -12\n", "    AutoSize = False\n", "    Height = 30\n",
          "    BorderColor = $00123456\n    BorderStyle = xbsFlat\n", "    Style.BorderColor = clBtnShadow\n",
          "      Tag = 2147483647\n", "      Enabled = False\n", "      OnClick = ItemClick\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line;
    // Unstored, at their default, or the published Height that only the filer stores.
    for (const char* absent :
         {"AssignedValues", "AutoPopup = True", "AutoSize = True", "    Height = 21\n", "Enabled = True", "TabOrder = -1"})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent;

    TPropForm* again = Load(written);
    EXPECT_EQ(fw::WriteDescription(again), written);
    auto* first = again->Find<TTestEdit>("First");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Style.borderStyle, 1);
    EXPECT_EQ(first->controller, again->Find<TTestController>("Controller1"));
    EXPECT_EQ(first->PopupMenu(), again->Find<fw::TPopupMenu>("Menu1"));
    EXPECT_EQ(again->Find<TTestEdit>("Second")->Height(), 30) << "the height written by the filer property";
}

TEST_F(Published, Ctl3DIsWrittenOnlyAsAControlsOwnValueOffItsDefaultAndReadBackSo) {
    std::string written = fw::WriteDescription(Load(R"(object PropForm: TPropForm
  Ctl3D = False
  object Follower: TTestEdit
  end
  object Own: TTestEdit
    Ctl3D = False
  end
end
)"));
    SCOPED_TRACE(written);
    EXPECT_NE(written.find("\n  Ctl3D = False\n  ParentCtl3D = False\n"), std::string::npos) << "the form's own";
    EXPECT_NE(written.find("\n    Ctl3D = False\n    ParentCtl3D = False\n"), std::string::npos) << "Own's";
    size_t count = 0;
    for (size_t at = written.find("Ctl3D"); at != std::string::npos; at = written.find("Ctl3D", at + 1)) ++count;
    EXPECT_EQ(4u, count) << "nothing for the follower";

    TPropForm* again = Load(written);
    EXPECT_EQ(fw::WriteDescription(again), written);
    auto* follower = again->Find<TTestEdit>("Follower");
    auto* own = again->Find<TTestEdit>("Own");
    EXPECT_FALSE(follower->Ctl3D());
    again->SetCtl3D(true);
    EXPECT_TRUE(follower->Ctl3D()) << "read back, it still follows";
    EXPECT_FALSE(own->Ctl3D());
}

TEST_F(Published, ColourAndCursorNamesResolveBothWaysInAnyCase) {
    const std::pair<const char*, fw::TColor> colours[] = {{"clWindowFrame", 0xFF000006u},
                                                          {"clDefault", 0x20000000u},
                                                          {"clNone", 0x1FFFFFFFu},
                                                          {"CLNAVY", 0x800000u}};
    for (auto& [name, value] : colours) {
        fw::TColor c = 0;
        EXPECT_TRUE(fw::IdentToColor(name, c) && c == value) << name;
    }
    fw::TColor c;
    EXPECT_FALSE(fw::IdentToColor("clNoSuchColour", c));
    std::string name;
    ASSERT_TRUE(fw::ColorToIdent(0xFF000010u, name));
    EXPECT_EQ(name, "clBtnShadow");
    EXPECT_FALSE(fw::ColorToIdent(0x123456u, name));
    EXPECT_EQ(fw::ColorToRGB(fw::clBtnShadow), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(fw::ColorToRGB(fw::clWindowFrame), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(fw::ColorToRGB(fw::clOlive), RGB(0x80, 0x80, 0));
    EXPECT_EQ(fw::ColorToRGB(fw::clDefault), 0u) << "no colour is not a system colour";

    int index = 0;
    EXPECT_TRUE(fw::IdentToCursor("CRIBEAM", index) && index == fw::crIBeam);
    ASSERT_TRUE(fw::CursorToIdent(fw::crHandPoint, name));
    EXPECT_EQ(name, "crHandPoint");
    EXPECT_FALSE(fw::CursorToIdent(-1140, name)) << "a slot the program sets has no name";
}
