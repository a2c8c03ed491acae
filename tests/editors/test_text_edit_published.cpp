// TdxEdit in form descriptions: a login field reads and writes back exactly what it sets,
// the text edit's own properties are written only away from their defaults (MaxLength
// once set), and a round trip reproduces the form.
#include <gtest/gtest.h>

#include <algorithm>

#include "editors/EditorUnits.h"
#include "framework/FormDescription.h"
#include "framework/Published.h"
#include "tests/editors/TextEditProbes.h"

namespace {

using namespace editors;

class DescribedForm : public fw::TForm {
public:
    FW_CLASS(DescribedForm)
    using TForm::TForm;
    bool HasDescription() const override { return false; }
};

class TextEditPublished : public ::testing::Test {
protected:
    void SetUp() override {
        fw::RegisterFormsClasses();
        for (fw::TUnit* u : EditorUnits()) u->Initialize();
    }
    void TearDown() override {
        for (DescribedForm* f : forms) fw::Free(f);
        auto units = EditorUnits();
        for (auto it = units.rbegin(); it != units.rend(); ++it) (*it)->Finalize();
    }
    DescribedForm* Load(const std::string& text) {
        forms.push_back(fw::Create<DescribedForm>(nullptr));
        fw::ApplyDescription(*fw::ParseDescription(text), forms.back(), *forms.back());
        return forms.back();
    }
    std::vector<DescribedForm*> forms;
    harness::RecordingApplication app;
};

// The written block of the form's component of that name.
std::string Block(const std::string& written, const std::string& name) {
    size_t at = written.find("  object " + name + ":");
    if (at == std::string::npos) return std::string();
    return written.substr(at, written.find("  end\n", at) + 6 - at);
}

const char* const kLoginField =
    "object DescribedForm1: DescribedForm\n"
    "  object UserName: TdxEdit\n"
    "    Left = 232\n"
    "    Top = 136\n"
    "    Width = 161\n"
    "    Style.BorderStyle = xbsSingle\n"
    "    TabOrder = 1\n"
    "  end\n"
    "end\n";

TEST_F(TextEditPublished, ALoginFieldTakesItsDefaultsAndWritesBackOnlyWhatItsDescriptionSets) {
    DescribedForm* form = Load(kLoginField);
    auto* e = dynamic_cast<TdxEdit*>(form->FindComponent("UserName"));
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(xbsSingle, e->Style()->BorderStyle());
    EXPECT_TRUE(e->AutoSelect);
    EXPECT_TRUE(e->AutoSize());
    EXPECT_TRUE(e->HideSelection());
    EXPECT_TRUE(e->TabStop);
    EXPECT_EQ(ecNormal, e->CharCase());
    EXPECT_EQ(0, e->PasswordChar());
    EXPECT_EQ(0, e->MaxLength());
    EXPECT_FALSE(e->ParentColor());
    EXPECT_EQ(fw::clWindow, e->Color());
    EXPECT_EQ(fw::csClickEvents | fw::csSetCaption | fw::csDoubleClicks, e->ControlStyle);

    EXPECT_EQ(
        "  object UserName: TdxEdit\n"
        "    Left = 232\n"
        "    Top = 136\n"
        "    Width = 161\n"
        "    Style.BorderStyle = xbsSingle\n"
        "    TabOrder = 1\n"
        "  end\n",
        Block(fw::WriteDescription(form), "UserName"))
        << "written as the login form's own description has it";
}

// The writer follows the class's declaration order, which interleaves the properties of
// every control, of the base edit and of the text edit.
TEST_F(TextEditPublished, PropertiesAreListedInTheOrderTheEditDeclaresThem) {
    std::vector<std::string> names;
    for (const fw::TPropInfo* p : TdxEdit::Published().All()) names.push_back(p->Name);
    const std::vector<std::string> declared = {
        "Name",        "Tag",        "Left",           "Top",       "Width",     "Height",     "Cursor",
        "Hint",        "HelpType",   "HelpKeyword",    "HelpContext", "Color",   "DragCursor", "DragMode",
        "Enabled",     "Font",       "ImeMode",        "ImeName",   "ParentColor", "ParentFont", "ParentShowHint",
        "PopupMenu",   "ShowHint",   "Style",          "TabOrder",  "TabStop",   "Text",       "Visible",
        "Anchors",     "Constraints", "DragKind",      "Alignment", "AutoSelect", "AutoSize",  "CharCase",
        "HideSelection", "MaxLength", "OEMConvert",    "PasswordChar", "ReadOnly", "StyleController"};
    std::vector<std::string> listed;
    for (const std::string& n : names)
        if (std::find(declared.begin(), declared.end(), n) != declared.end()) listed.push_back(n);
    EXPECT_EQ(declared, listed);
}

TEST_F(TextEditPublished, OwnPropertiesAreWrittenAwayFromTheirDefaultsAndARoundTripKeepsThem) {
    DescribedForm* form = Load(
        "object DescribedForm1: DescribedForm\n"
        "  object Edit1: TdxEdit\n"
        "    Text = 'abc'\n"
        "    CharCase = ecUpperCase\n"
        "    PasswordChar = '*'\n"
        "    MaxLength = 0\n"
        "    AutoSelect = False\n"
        "    HideSelection = False\n"
        "    OEMConvert = True\n"
        "    Hint = 'a hint'\n"
        "    DragCursor = crDefault\n"
        "    ImeMode = imClose\n"
        "    ShowHint = True\n"
        "    Anchors = [akLeft, akRight]\n"
        "    Constraints.MinWidth = 40\n"
        "  end\n"
        "end\n");
    auto* e = dynamic_cast<TdxEdit*>(form->FindComponent("Edit1"));
    ASSERT_NE(nullptr, e);
    EXPECT_EQ("ABC", e->Text()) << "the case applies once the description is read";
    DescribedForm* caseFirst = Load(
        "object DescribedForm1: DescribedForm\n"
        "  object Edit1: TdxEdit\n"
        "    CharCase = ecLowerCase\n"
        "    Text = 'AbC'\n"
        "  end\n"
        "end\n");
    EXPECT_EQ("abc", dynamic_cast<TdxEdit*>(caseFirst->FindComponent("Edit1"))->Text())
        << "also for a text read after the case";
    EXPECT_TRUE(e->IsMaxLengthStored());
    std::string written = Block(fw::WriteDescription(form), "Edit1");
    SCOPED_TRACE(written);
    for (const char* line : {"    Text = 'ABC'\n", "    CharCase = ecUpperCase\n", "    PasswordChar = '*'\n",
                             "    MaxLength = 0\n", "    StoredValues = 2\n", "    AutoSelect = False\n",
                             "    HideSelection = False\n", "    OEMConvert = True\n", "    Hint = 'a hint'\n",
                             "    DragCursor = crDefault\n", "    ImeMode = imClose\n", "    ShowHint = True\n",
                             "    ParentShowHint = False\n", "    Anchors = [akLeft, akRight]\n",
                             "    Constraints.MinWidth = 40\n"})
        EXPECT_NE(std::string::npos, written.find(line)) << line;
    EXPECT_EQ(std::string::npos, written.find("Height")) << "auto-sized: no height in any form";
    std::string whole = fw::WriteDescription(form);
    EXPECT_EQ(fw::WriteDescription(Load(whole)), whole);
}

}  // namespace
