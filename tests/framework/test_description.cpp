// Form descriptions: components by class name, properties by name (nested and
// enumerations), events bound to handlers; broken input fails with a clear message.
#include <gtest/gtest.h>

#include "framework/ActnList.h"
#include "framework/FormDescription.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace {

class TTestForm : public fw::TForm {
public:
    FW_CLASS(TTestForm)
    explicit TTestForm(fw::TComponent* owner) : TForm(owner) {
        Field("Label1", Label1);
        Field("Edit1", Edit1);
        Field("Go", Go);
        Handler("FormCreate", fw::TNotifyEvent([this](fw::TObject*) { ++creates; }));
        Handler("GoExecute", fw::TNotifyEvent([this](fw::TObject*) { ++executes; }));
        Handler("FormClose", fw::TCloseEvent([](fw::TObject*, fw::TCloseAction&) {}));
    }
    bool HasDescription() const override { return false; }
    fw::TLabel* Label1 = nullptr;
    fw::TEdit* Edit1 = nullptr;
    fw::TAction* Go = nullptr;
    int creates = 0, executes = 0;
};

struct Fixture : ::testing::Test {
    void SetUp() override { fw::RegisterFormsClasses(); }
    TTestForm* MakeForm() { return fw::Create<TTestForm>(nullptr); }
    void Apply(TTestForm* form, const std::string& text) {
        auto node = fw::ParseDescription(text);
        fw::ApplyDescription(*node, form, *form);
    }
    std::string ErrorOf(const std::string& text) {
        TTestForm* form = MakeForm();
        std::string message;
        try {
            Apply(form, text);
        } catch (const fw::EReadError& e) {
            message = e.Message();
        }
        fw::Free(form);
        return message;
    }
};

const char* kGood = R"(object TestForm: TTestForm
  // a comment
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'It''s a test'
  ClientWidth = 300
  ClientHeight = 200
  Color = cl3DLight
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose
  object Label1: TLabel
    Left = 10
    Top = -4
    Caption = 'label'
    Font.Height = -12
    Font.Style = [fsBold]
    Visible = False
  end
  object Edit1: TEdit
    Left = 20
    TabOrder = 3
  end
  object List: TActionList
    object Go: TAction
      Caption = 'Go'
      OnExecute = GoExecute
    end
  end
end
)";

}  // namespace

TEST_F(Fixture, GoodDescriptionBuildsComponentsSetsPropertiesAndBindsEvents) {
    TTestForm* form = MakeForm();
    Apply(form, kGood);
    EXPECT_EQ(form->Name(), "TestForm");
    EXPECT_EQ(form->Caption(), "It's a test");
    EXPECT_EQ(form->BorderStyle(), fw::TFormBorderStyle::bsSingle);
    EXPECT_TRUE(form->biSystemMenu && form->biMinimize && !form->biMaximize);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->Color(), fw::cl3DLight);
    EXPECT_EQ(form->Position, fw::TPosition::poScreenCenter);
    ASSERT_TRUE(form->Label1 && form->Edit1 && form->Go);
    EXPECT_EQ(form->Label1->Top(), -4);
    EXPECT_EQ(form->Label1->Font.Height(), -12);
    EXPECT_TRUE(form->Label1->Font.Style() & fw::fsBold);
    EXPECT_FALSE(form->Label1->ParentFont());
    EXPECT_FALSE(form->Label1->Visible());
    EXPECT_EQ(form->Label1->Parent(), form);
    EXPECT_EQ(form->Edit1->TabOrder, 3);
    EXPECT_EQ(form->Go->Owner(), form) << "nested components are owned by the root";
    ASSERT_NE(form->Go->ActionList, nullptr);
    EXPECT_EQ(form->Go->ActionList->Name(), "List");
    EXPECT_TRUE(form->Go->Execute());
    EXPECT_EQ(form->executes, 1);
    ASSERT_TRUE(form->OnCreate);
    form->OnCreate(form);
    EXPECT_EQ(form->creates, 1);
    EXPECT_FALSE(form->Loading()) << "loading ends once the description is applied";
    fw::Free(form);
}

TEST_F(Fixture, BrokenDescriptionsFailWithAClearMessage) {
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  object X: TNoSuchClass\n  end\nend").find("Class TNoSuchClass not found"),
              std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  Colour = 3\nend").find("TestForm.Colour"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  OnCreate = Missing\nend").find("handler Missing"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  OnCreate = GoExecute2\nend").find("OnCreate"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  OnClose = GoExecute\nend").find("wrong type"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  ClientWidth = 'wide'\nend").find("integer expected"),
              std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  BorderStyle = bsRound\nend").find("bsRound"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  Caption = 'open\nend").find("line 2: unterminated"),
              std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  Caption = 'x'\n").find("'end' expected"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TOtherForm\nend").find("describes class TOtherForm"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  Width = 99999999999\nend").find("out of range"), std::string::npos);
    EXPECT_NE(ErrorOf("object TestForm: TTestForm\n  object Label1: TEdit\n  end\nend").find("wrong class"),
              std::string::npos);
    EXPECT_NE(ErrorOf("").find("'object' expected"), std::string::npos);
    std::string deep = "object TestForm: TTestForm\n";
    for (int i = 0; i < 100; ++i) deep += "object A: TLabel\n";
    EXPECT_NE(ErrorOf(deep).find("nested too deeply"), std::string::npos);
}

TEST_F(Fixture, ArbitraryBytesNeverCrashTheParser) {
    std::string seed = kGood;
    unsigned state = 12345;
    for (int round = 0; round < 300; ++round) {
        std::string text = seed;
        for (int k = 0; k < 8; ++k) {
            state = state * 1103515245 + 12345;
            size_t pos = (state >> 8) % text.size();
            text[pos] = static_cast<char>(state >> 24);
        }
        text.resize(((state >> 4) % text.size()) + 1);
        try {
            fw::ParseDescription(text);
        } catch (const fw::EReadError&) {
        }
    }
    SUCCEED();
}
